// The advertisement: the page, the panel every table shows, and the download strip against a
// real HTTP server on 127.0.0.1 run by the test.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextBrowser>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <functional>
#include <memory>

#include "ads/PaginaPubblicita.h"
#include "ads/PannelloPubblicita.h"
#include "ads/THttpTestForm.h"
#include "app/TFormSplashScreen.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"
#include "games/briscola/TFormBriscola.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "platform/CartellaPubblicita.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

QByteArray Leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Scrivi(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

// Runs the event loop until `fatto` holds or `ms` pass; true when it held.
bool Attendi(const std::function<bool()>& fatto, int ms = 5000)
{
    QEventLoop ciclo;
    QTimer scadenza, controllo;
    scadenza.setSingleShot(true);
    QObject::connect(&scadenza, &QTimer::timeout, &ciclo, &QEventLoop::quit);
    QObject::connect(&controllo, &QTimer::timeout, &ciclo, [&] { if (fatto()) ciclo.quit(); });
    scadenza.start(ms);
    controllo.start(5);
    if (!fatto()) ciclo.exec();
    return fatto();
}

QStringList FileIn(const QString& cartella)
{
    return QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Collects the warnings logged while alive.
class AvvisiRegistrati {
public:
    AvvisiRegistrati()
    {
        Righe().clear();
        prima_ = qInstallMessageHandler(&AvvisiRegistrati::Registra);
    }
    ~AvvisiRegistrati() { qInstallMessageHandler(prima_); }
    static QStringList& Righe()
    {
        static QStringList r;
        return r;
    }
    bool Contiene(const QString& testo) const
    {
        return std::any_of(Righe().begin(), Righe().end(), [&](const QString& r) { return r.contains(testo); });
    }

private:
    static void Registra(QtMsgType tipo, const QMessageLogContext&, const QString& testo)
    {
        if (tipo == QtWarningMsg) Righe() << testo;
    }
    QtMessageHandler prima_ = nullptr;
};

// What is planted under a name the program writes: a link to a file elsewhere, a link to a
// file that does not exist yet, or a folder.
enum class Piantato { Collegamento, CollegamentoVuoto, Cartella };
const Piantato TuttiIPiantati[] = {Piantato::Collegamento, Piantato::CollegamentoVuoto, Piantato::Cartella};

const char* NomeDi(Piantato p)
{
    return p == Piantato::Collegamento ? "link" : p == Piantato::CollegamentoVuoto ? "dangling link" : "folder";
}

// Plants `p` as `percorso`; the link's target lives in `altrove`.
void Pianta(Piantato p, const QString& percorso, const QString& altrove)
{
    QFile::remove(percorso);
    QDir(percorso).removeRecursively();
    QFile::remove(altrove + "/bersaglio");
    if (p == Piantato::Cartella) {
        ASSERT_TRUE(QDir().mkpath(percorso + "/dentro"));
        return;
    }
    if (p == Piantato::Collegamento) Scrivi(altrove + "/bersaglio", "non toccare");
    ASSERT_TRUE(QFile::link(altrove + "/bersaglio", percorso));
}

// The planted entry is still there as it was, and nothing reached the link's target.
void IntattoDopo(Piantato p, const QString& percorso, const QString& altrove)
{
    const QFileInfo i(percorso);
    if (p == Piantato::Cartella) {
        EXPECT_TRUE(i.isDir() && QFileInfo::exists(percorso + "/dentro")) << "the folder stays";
    } else {
        EXPECT_TRUE(i.isSymLink()) << "the link stays a link";
        EXPECT_EQ(i.symLinkTarget(), altrove + "/bersaglio");
    }
    if (p == Piantato::Collegamento)
        EXPECT_EQ(Leggi(altrove + "/bersaglio"), "non toccare") << "the link's target is untouched";
    else
        EXPECT_FALSE(QFileInfo::exists(altrove + "/bersaglio")) << "nothing is written through the link";
}

const QByteArray PaginaAttesa =
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<TITLE>Pubblicita</TITLE>\r\n"
    "</HEAD>\r\n"
    "<BODY bgcolor=\"#FFFFFF\">\r\n"
    "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\r\n"
    " codebase=\"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=5,0,0,0\"\r\n"
    " WIDTH=700 HEIGHT=480>\r\n"
    " <PARAM NAME=movie VALUE=\"Pubblicita.swf\"> <PARAM NAME=quality VALUE=high> <PARAM NAME=bgcolor "
    "VALUE=#FFFFFF> <EMBED src=\"Pubblicita.swf\" quality=high bgcolor=#FFFFFF  WIDTH=700 HEIGHT=480 "
    "TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"https://www.adobe.com/go/getflashplayer\"></EMBED>\r\n"
    "</OBJECT>\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

// ---------------------------------------------------------------- the test's HTTP server

class ServerProva {
public:
    enum class Modo {
        Risposta,  // sends `risposta` and closes
        Appeso,    // reads the request and never answers
        Flusso,    // headers without a length, then `byteFlusso` bytes, then closes
    };

    ServerProva()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                ++connessioni;
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { Leggi(s); });
                QObject::connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    quint16 Porta() const { return server_.serverPort(); }
    QString Indirizzo() const { return QString("http://127.0.0.1:%1").arg(Porta()); }

    static QByteArray Http(int codice, const char* motivo, const QByteArray& corpo, qint64 lunghezza = -1,
                           const QByteArray& altre = {})
    {
        return "HTTP/1.1 " + QByteArray::number(codice) + " " + motivo + "\r\n" +
               "Content-Type: application/x-shockwave-flash\r\n" + altre +
               "Content-Length: " + QByteArray::number(lunghezza < 0 ? corpo.size() : lunghezza) + "\r\n" +
               "Connection: close\r\n\r\n" + corpo;
    }

    Modo modo = Modo::Risposta;
    QByteArray risposta;
    qint64 byteFlusso = 0;
    QByteArray richiesta;
    int connessioni = 0;
    bool RichiestaCompleta() const { return richiesta.contains("\r\n\r\n"); }

private:
    void Leggi(QTcpSocket* s)
    {
        const bool prima = !RichiestaCompleta();
        richiesta += s->readAll();
        if (!prima || !RichiestaCompleta()) return;
        switch (modo) {
        case Modo::Appeso: return;
        case Modo::Risposta: s->write(risposta); break;
        case Modo::Flusso:
            s->write("HTTP/1.1 200 OK\r\nContent-Type: application/x-shockwave-flash\r\nConnection: close\r\n\r\n");
            for (qint64 n = 0; n < byteFlusso; n += 4096) s->write(QByteArray(4096, 'x'));
            break;
        }
        s->disconnectFromHost();
    }

    QTcpServer server_;
};

// ---------------------------------------------------------------- download strip

class Scaricamento : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cartella_.isValid());
        radice = cartella_.filePath("radice");
        corrente = cartella_.filePath("corrente");
        QDir().mkpath(radice);
        QDir().mkpath(corrente);
        setenv("CARTOVIA_AD_DIR", radice.toLocal8Bit().constData(), 1);
        setenv("CARTOVIA_SETTINGS", cartella_.filePath("impostazioni.ini").toLocal8Bit().constData(), 1);
        setenv("CARTOVIA_UPDATE_SERVER", server.Indirizzo().toLocal8Bit().constData(), 1);
        // The movie in place, spelt as the page spells it.
        filmato = radice + "/Pubblicita.swf";
        Scrivi(filmato, vecchio);
        form = std::make_unique<THttpTestForm>();
        form->CartellaScaricamento = corrente;
    }
    void TearDown() override
    {
        form.reset();
        unsetenv("CARTOVIA_UPDATE_SERVER");
    }

    // Starts the strip as the chooser does and lets the timer fire at once.
    bool Scarica()
    {
        bool riuscito = false, finito = false;
        const auto c = QObject::connect(form.get(), &THttpTestForm::ScaricamentoFinito, form.get(),
                                        [&](bool ok) { riuscito = ok, finito = true; });
        EXPECT_TRUE(form->Avvia());
        form->Timer1Timer();
        EXPECT_TRUE(Attendi([&] { return finito; })) << "the download never ended";
        QObject::disconnect(c);
        return riuscito;
    }

    QTemporaryDir cartella_;
    ServerProva server;
    QString radice, corrente, filmato;
    const QByteArray vecchio = QByteArray("FWS\x06old movie", 13);
    std::unique_ptr<THttpTestForm> form;
};

TEST_F(Scaricamento, ACompleteAnswerReplacesTheMovieAndClosesTheStrip)
{
    const QByteArray nuovo = QByteArray("FWS\x06") + QByteArray(100000, 'n');
    server.risposta = ServerProva::Http(200, "OK", nuovo);
    ASSERT_TRUE(Scarica()) << form->Registro().toStdString();
    EXPECT_EQ(Leggi(filmato), nuovo) << "the movie the page plays is the downloaded one";
    EXPECT_EQ(FileIn(radice), QStringList{"Pubblicita.swf"}) << "one movie, whatever the spelling";
    EXPECT_EQ(FileIn(corrente), QStringList{"aggiornamento.swf"}) << "no temporary file is left behind";
    EXPECT_EQ(Leggi(corrente + "/aggiornamento.swf"), nuovo);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->LuceVerde->isHidden());
    EXPECT_TRUE(form->LuceRossa->isHidden());
    EXPECT_TRUE(form->Registro().contains("StatusCode = 200"));
    EXPECT_TRUE(form->Registro().contains("hdr>Content-Type: application/x-shockwave-flash"));
    EXPECT_EQ(form->URLEdit->text(), server.Indirizzo() + "/aggiornamento.swf");
    // Closing wrote the download settings.
    QSettings ini(cartella_.filePath("cartovia.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Data/URL").toString(), server.Indirizzo() + "/aggiornamento.swf");
    EXPECT_EQ(ini.value("Data/ProxyPort").toString(), "80");
}

TEST_F(Scaricamento, AnythingButACompleteSuccessLeavesTheMovieAndTheRedLight)
{
    struct Caso {
        const char* nome;
        ServerProva::Modo modo;
        QByteArray risposta;
        qint64 flusso = 0;
        qint64 limite = 16 * 1024 * 1024;
    };
    const QByteArray corpo(5000, 'z');
    const Caso casi[] = {
        {"404", ServerProva::Modo::Risposta, ServerProva::Http(404, "Not Found", "<html>missing</html>")},
        {"500", ServerProva::Modo::Risposta, ServerProva::Http(500, "Internal Server Error", "<html>oops</html>")},
        {"304", ServerProva::Modo::Risposta, ServerProva::Http(304, "Not Modified", {}, 0)},
        {"cut before the announced length", ServerProva::Modo::Risposta, ServerProva::Http(200, "OK", corpo, 9000)},
        {"announces 17 MiB", ServerProva::Modo::Risposta, ServerProva::Http(200, "OK", corpo, 17 << 20)},
        {"streams past the limit", ServerProva::Modo::Flusso, {}, 100 * 1024, 64 * 1024},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        ServerProva s;
        s.modo = k.modo;
        s.risposta = k.risposta;
        s.byteFlusso = k.flusso;
        setenv("CARTOVIA_UPDATE_SERVER", s.Indirizzo().toLocal8Bit().constData(), 1);
        form = std::make_unique<THttpTestForm>();
        form->CartellaScaricamento = corrente;
        form->DimensioneMassima = k.limite;
        EXPECT_FALSE(Scarica());
        EXPECT_EQ(Leggi(filmato), vecchio) << "the movie must stay byte for byte";
        EXPECT_EQ(FileIn(radice), QStringList{"Pubblicita.swf"});
        EXPECT_TRUE(FileIn(corrente).isEmpty()) << "a partial download is never kept: "
                                                << FileIn(corrente).join(' ').toStdString();
        EXPECT_TRUE(form->isVisible()) << "the strip stays open";
        EXPECT_FALSE(form->LuceRossa->isHidden());
        EXPECT_TRUE(form->LuceVerde->isHidden());
        EXPECT_TRUE(form->Registro().contains("GET Failed !"));
        EXPECT_TRUE(form->Registro().contains("ReasonPhrase = "));
    }
}

TEST_F(Scaricamento, ARefusedConnectionFailsWithTheRedLight)
{
    quint16 porta = 0;
    {
        QTcpServer chiuso;
        chiuso.listen(QHostAddress::LocalHost, 0);
        porta = chiuso.serverPort();
    }
    setenv("CARTOVIA_UPDATE_SERVER", QString("127.0.0.1:%1").arg(porta).toLocal8Bit().constData(), 1);
    EXPECT_FALSE(Scarica());
    EXPECT_EQ(Leggi(filmato), vecchio);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->LuceRossa->isHidden());
    EXPECT_TRUE(form->Registro().contains("StatusCode   = 0"));
    EXPECT_EQ(form->Messaggio->text(), "Server non raggiungibile");
}

TEST_F(Scaricamento, TheRequestCarriesAgentAcceptListNoCacheAndModifiedSince)
{
    QSettings ini(cartella_.filePath("cartovia.ini"), QSettings::IniFormat);
    ini.setValue("Data/Data", "Sat, 01 Mar 2025 10:00:00 GMT");
    ini.sync();
    server.risposta = ServerProva::Http(304, "Not Modified", {}, 0);
    Scarica();
    const QByteArray r = server.richiesta;
    EXPECT_TRUE(r.startsWith("GET /aggiornamento.swf HTTP/1.1\r\n")) << r.toStdString();
    for (const char* riga : {"User-Agent: Mozilla/3.0 (compatible)\r\n",
                             "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n",
                             "Pragma: no-cache\r\n", "Cache-Control: no-cache\r\n",
                             "If-Modified-Since: Sat, 01 Mar 2025 10:00:00 GMT\r\n"})
        EXPECT_TRUE(r.contains(riga)) << riga << " missing from\n" << r.toStdString();
}

TEST_F(Scaricamento, ARequestThroughAProxyReachesTheProxy)
{
    QSettings ini(cartella_.filePath("cartovia.ini"), QSettings::IniFormat);
    ini.setValue("Data/ProxyHost", "127.0.0.1");
    ini.setValue("Data/ProxyPort", QString::number(server.Porta()));
    ini.sync();
    setenv("CARTOVIA_UPDATE_SERVER", "http://aggiornamento.invalid", 1);
    server.risposta = ServerProva::Http(200, "OK", "FWS\x06via proxy");
    EXPECT_TRUE(Scarica()) << form->Registro().toStdString();
    EXPECT_TRUE(server.richiesta.startsWith("GET http://aggiornamento.invalid/aggiornamento.swf HTTP/1.1"))
        << server.richiesta.toStdString();
    EXPECT_EQ(Leggi(filmato), "FWS\x06via proxy");
}

TEST_F(Scaricamento, ContinuaAbortsAHangingRequestAndClosesAtOnce)
{
    server.modo = ServerProva::Modo::Appeso;
    ASSERT_TRUE(form->Avvia());
    form->Timer1Timer();
    ASSERT_TRUE(Attendi([&] { return server.RichiestaCompleta(); }));
    EXPECT_TRUE(form->InCorso());
    form->Continua->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->InCorso());
    EXPECT_EQ(Leggi(filmato), vecchio);
    EXPECT_TRUE(FileIn(corrente).isEmpty());
}

TEST_F(Scaricamento, TheModalStripReturnsWhenContinuaIsPressed)
{
    server.modo = ServerProva::Modo::Appeso;
    // Skip the one-second timer, then press Continua once the server holds the request.
    QTimer::singleShot(0, form.get(), [&] { form->Timer1Timer(); });
    QTimer premi;
    QObject::connect(&premi, &QTimer::timeout, [&] {
        if (!server.RichiestaCompleta()) return;
        premi.stop();
        form->Continua->click();
    });
    premi.start(5);
    QTimer::singleShot(5000, form.get(), [&] { form->close(); });  // never hang the suite
    QElapsedTimer t;
    t.start();
    form->MostraModale();
    EXPECT_LT(t.elapsed(), 4000) << "Continua did not end the modal strip";
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Scaricamento, ASilentServerEndsWithinTheTimeLimitAndEnterGoesOn)
{
    // The server takes the connection and the request and never answers.
    server.modo = ServerProva::Modo::Appeso;
    EXPECT_EQ(THttpTestForm::TempoMassimoRisposta, 15000);
    EXPECT_EQ(form->TimerRisposta->interval(), THttpTestForm::TempoMassimoRisposta);
    QElapsedTimer t;
    t.start();
    bool finito = false, riuscito = true;
    QObject::connect(form.get(), &THttpTestForm::ScaricamentoFinito, form.get(), [&](bool ok) {
        finito = true;
        riuscito = ok;
    });
    ASSERT_TRUE(form->Avvia());
    form->Timer1Timer();
    ASSERT_TRUE(Attendi([&] { return finito; }, 16000)) << "the strip waited past its time limit";
    EXPECT_GE(t.elapsed(), THttpTestForm::TempoMassimoRisposta - 50);
    EXPECT_FALSE(riuscito);
    EXPECT_FALSE(form->InCorso());
    EXPECT_EQ(form->Messaggio->text(), "Nessuna risposta dal server");
    EXPECT_FALSE(form->Messaggio->isHidden());
    EXPECT_FALSE(form->LuceRossa->isHidden());
    EXPECT_EQ(Leggi(filmato), vecchio);
    EXPECT_TRUE(form->isVisible()) << "the strip stays until the player goes on";
    QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(form->focusWidget() ? form->focusWidget() : form.get(), &invio);
    EXPECT_FALSE(form->isVisible()) << "Enter acts as Continua";
}

TEST_F(Scaricamento, TheStripSaysInOneLineHowTheDownloadWent)
{
    struct Caso {
        const char* nome;
        QByteArray risposta;
        const char* riga;
    };
    const Caso casi[] = {
        {"404", ServerProva::Http(404, "Not Found", "<html>missing</html>"), "Aggiornamento non trovato"},
        {"500", ServerProva::Http(500, "Internal Server Error", "oops"), "Aggiornamento non riuscito"},
        {"304", ServerProva::Http(304, "Not Modified", {}, 0), "Nessun aggiornamento nuovo"},
        {"200", ServerProva::Http(200, "OK", "FWS\x06nuovo"), "Aggiornamento scaricato"},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        ServerProva s;
        s.risposta = k.risposta;
        setenv("CARTOVIA_UPDATE_SERVER", s.Indirizzo().toLocal8Bit().constData(), 1);
        form = std::make_unique<THttpTestForm>();
        form->CartellaScaricamento = corrente;
        Scarica();
        EXPECT_EQ(form->Messaggio->text(), k.riga);
    }
    // Esc goes on as well.
    ServerProva s;
    s.risposta = ServerProva::Http(404, "Not Found", "x");
    setenv("CARTOVIA_UPDATE_SERVER", s.Indirizzo().toLocal8Bit().constData(), 1);
    form = std::make_unique<THttpTestForm>();
    EXPECT_FALSE(Scarica());
    ASSERT_TRUE(form->isVisible());
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(form.get(), &esc);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Scaricamento, TheDownloadLandsInTheAdvertisementFolderNotTheCurrentOne)
{
    const QString prima = QDir::currentPath();
    QDir::setCurrent(corrente);
    server.risposta = ServerProva::Http(200, "OK", "FWS\x06nel posto giusto");
    form = std::make_unique<THttpTestForm>();  // no folder set: the program's own choice
    const bool riuscito = Scarica();
    QDir::setCurrent(prima);
    ASSERT_TRUE(riuscito) << form->Registro().toStdString();
    EXPECT_TRUE(FileIn(corrente).isEmpty()) << "nothing lands where the program was started";
    EXPECT_EQ(FileIn(radice), (QStringList{"Pubblicita.swf", "aggiornamento.swf"}));
    EXPECT_EQ(Leggi(radice + "/aggiornamento.swf"), "FWS\x06nel posto giusto");
    EXPECT_EQ(Leggi(filmato), "FWS\x06nel posto giusto");
}

TEST_F(Scaricamento, WithoutAServerNothingIsFetchedAndNoStripShows)
{
    unsetenv("CARTOVIA_UPDATE_SERVER");
    form->MostraModale();
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Timer1->isActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(server.connessioni, 0);
    EXPECT_EQ(Leggi(filmato), vecchio);
}

TEST_F(Scaricamento, ALinkOrFolderUnderTheDownloadOrTheMovieIsLeftAlone)
{
    QTemporaryDir altrove;
    const QByteArray nuovo = QByteArray("FWS\x06") + QByteArray(5000, 'n');
    struct Caso { const char* nome; QString cartella, file; };
    const Caso casi[] = {
        {"download", corrente, "aggiornamento.swf"},
        {"movie", radice, "pubblicita.swf"},
    };
    for (const Caso& k : casi) {
        for (Piantato p : TuttiIPiantati) {
            SCOPED_TRACE(std::string(k.nome) + ", " + NomeDi(p));
            ServerProva s;
            s.risposta = ServerProva::Http(200, "OK", nuovo);
            setenv("CARTOVIA_UPDATE_SERVER", s.Indirizzo().toLocal8Bit().constData(), 1);
            for (const QString& f : FileIn(corrente)) QFile::remove(corrente + "/" + f);
            QFile::remove(filmato);
            if (k.cartella == corrente) Scrivi(filmato, vecchio);
            const QString percorso = k.cartella + "/" + k.file;
            Pianta(p, percorso, altrove.path());
            form = std::make_unique<THttpTestForm>();
            form->CartellaScaricamento = corrente;
            AvvisiRegistrati avvisi;
            const bool riuscito = Scarica();
            IntattoDopo(p, percorso, altrove.path());
            EXPECT_TRUE(avvisi.Contiene("not a regular file")) << "the refusal is logged";
            if (k.cartella == corrente) {
                EXPECT_FALSE(riuscito) << "a body that cannot be put in place is no success";
                EXPECT_FALSE(form->LuceRossa->isHidden());
                EXPECT_EQ(Leggi(filmato), vecchio) << "the movie stays as it was";
                EXPECT_FALSE(FileIn(corrente).join(' ').contains("aggiornamento.swf.")) << "no copy is left behind";
            }
            form->ContinuaClick();
            EXPECT_FALSE(form->isVisible()) << "the strip still lets the player on";
            if (p == Piantato::Cartella) QDir(percorso).removeRecursively(); else QFile::remove(percorso);
        }
    }
}

TEST(IndirizzoAggiornamento, IsBuiltFromTheConfiguredServer)
{
    QTemporaryDir d;
    setenv("CARTOVIA_SETTINGS", d.filePath("impostazioni.ini").toLocal8Bit().constData(), 1);
    struct Caso { const char* env; const char* ini; const char* atteso; };
    const Caso casi[] = {
        {nullptr, nullptr, ""},
        {"127.0.0.1:8080", nullptr, "http://127.0.0.1:8080/aggiornamento.swf"},
        {"https://example.org/cartovia/", nullptr, "https://example.org/cartovia/aggiornamento.swf"},
        {"ftp://example.org", nullptr, ""},
        {nullptr, "http://giochi.example", "http://giochi.example/aggiornamento.swf"},
        {"http://prima.example", "http://seconda.example", "http://prima.example/aggiornamento.swf"},
    };
    for (const Caso& k : casi) {
        if (k.env) setenv("CARTOVIA_UPDATE_SERVER", k.env, 1);
        else unsetenv("CARTOVIA_UPDATE_SERVER");
        QSettings ini(d.filePath("cartovia.ini"), QSettings::IniFormat);
        if (k.ini) ini.setValue("Data/Server", k.ini);
        else ini.remove("Data/Server");
        ini.sync();
        EXPECT_EQ(THttpTestForm::IndirizzoAggiornamento().toStdString(), k.atteso)
            << (k.env ? k.env : "-") << " / " << (k.ini ? k.ini : "-");
    }
    unsetenv("CARTOVIA_UPDATE_SERVER");
}

TEST(DataHttp, AcceptsHttpAndIsoDatesAndDropsAnythingElse)
{
    EXPECT_EQ(THttpTestForm::DataHttp("Sat, 01 Mar 2025 10:00:00 GMT"), "Sat, 01 Mar 2025 10:00:00 GMT");
    EXPECT_EQ(THttpTestForm::DataHttp("2025-03-01T10:00:00Z"), "Sat, 01 Mar 2025 10:00:00 GMT");
    EXPECT_EQ(THttpTestForm::DataHttp(""), "");
    EXPECT_EQ(THttpTestForm::DataHttp("domani\r\nX-Evil: 1"), "") << "never a header from a broken field";
}

// ---------------------------------------------------------------- the page

TEST(PaginaPubblicita, IsWrittenByteForByteUnderAnySpellingOfItsName)
{
    QTemporaryDir d;
    EXPECT_EQ(TestoPaginaPubblicita(), PaginaAttesa);
    ASSERT_TRUE(ScriviPaginaPubblicita(d.path()));
    EXPECT_EQ(Leggi(d.filePath("pubblicita.htm")), PaginaAttesa);

    QFile::rename(d.filePath("pubblicita.htm"), d.filePath("Pubblicita.HTM"));
    Scrivi(d.filePath("Pubblicita.HTM"), "old");
    ASSERT_TRUE(ScriviPaginaPubblicita(d.path()));
    EXPECT_EQ(FileIn(d.path()), QStringList{"Pubblicita.HTM"});
    EXPECT_EQ(Leggi(d.filePath("Pubblicita.HTM")), PaginaAttesa);

    Scrivi(d.filePath("file"), "x");
    EXPECT_FALSE(ScriviPaginaPubblicita(d.filePath("file/sotto"))) << "a page that cannot be written is reported";
}

// ---------------------------------------------------------------- the panel on the tables

class PannelloTavoli : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        corrente = cartella_.path() + "/corrente";
        QDir().mkpath(corrente);
        precedente_ = QDir::currentPath();
        QDir::setCurrent(corrente);
        radice = CartellaRadice();
        PannelloPubblicita::PrimaPubblicita = true;
        FormSplashScreen->show();
    }
    void TearDown() override
    {
        PannelloPubblicita::Generatore().Libera();
        PannelloPubblicita::PrimaPubblicita = true;
        QDir::setCurrent(precedente_);
        FinestreDiProva::TearDown();
    }
    // A seed whose first draw gives r == 2 (or not).
    static std::uint32_t Seme(bool due)
    {
        for (std::uint32_t s = 1;; ++s)
            if ((Casuale(s).Prossimo() % 4 == 2) == due) return s;
    }
    static PannelloPubblicita* P(TFormTavolo* t) { return t->Pubblicita; }

    QString corrente, radice;
    QString precedente_;
};

TEST_F(PannelloTavoli, TheFirstTableShownShowsTheAdvertisementWhateverTheDraw)
{
    PannelloPubblicita::Generatore().Fissa(Seme(false));
    ApriFinestra(FinestraBriscola);
    PannelloPubblicita* p = P(FormBriscola);
    EXPECT_TRUE(p->InVista());
    EXPECT_EQ(p->WebBrowser1->geometry(), QRect(0, 0, 760, 518));
    EXPECT_TRUE(p->ChiudiPubblicita->isHidden()) << "the close strip waits 7 seconds";
    EXPECT_TRUE(p->TimerPubblicita->isActive());
    EXPECT_EQ(p->TimerPubblicita->interval(), 7000);
    EXPECT_FALSE(PannelloPubblicita::PrimaPubblicita);
    EXPECT_TRUE(p->WebBrowser1->toHtml().contains("cartovia:locandina")) << "the poster stands in the movie's box";
    // Not a blank panel: the poster is drawn.
    const QImage vista = p->WebBrowser1->grab().toImage();
    EXPECT_NE(vista.pixelColor(350, 100), QColor(Qt::white));

    TornaIndietro();
    PannelloPubblicita::Generatore().Fissa(Seme(false));
    ApriFinestra(FinestraScopa);
    EXPECT_FALSE(P(FormScopa)->InVista()) << "after the first, only a draw of 2 shows it";
    EXPECT_EQ(P(FormScopa)->WebBrowser1->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(PannelloTavoli, LaterShowingsFollowTheDrawOneInFour)
{
    PannelloPubblicita::PrimaPubblicita = false;
    PannelloPubblicita::Generatore().Fissa(4242);
    Casuale riferimento(4242);
    const int codici[] = {FinestraScopa, FinestraBriscola, FinestraRubamazzo, FinestraSettemezzo};
    TFormTavolo* tavoli[] = {FormScopa, FormBriscola, FormRubamazzo, FormSettemezzo};
    int mostrate = 0;
    for (int i = 0; i < 40; ++i) {
        const bool atteso = riferimento.Prossimo() % 4 == 2;
        ApriFinestra(codici[i % 4]);
        EXPECT_EQ(P(tavoli[i % 4])->InVista(), atteso) << "showing " << i;
        mostrate += atteso;
        TornaIndietro();
    }
    EXPECT_GT(mostrate, 3);
    EXPECT_LT(mostrate, 20);
}

TEST_F(PannelloTavoli, TheCloseStripAppearsOnTheTimerAndAClickClosesTheAdvertisement)
{
    ApriFinestra(FinestraRubamazzo);
    PannelloPubblicita* p = P(FormRubamazzo);
    ASSERT_TRUE(p->InVista());
    p->TimerPubblicitaTimer();  // seven seconds later
    EXPECT_FALSE(p->ChiudiPubblicita->isHidden());
    EXPECT_FALSE(p->TimerPubblicita->isActive()) << "one shot";
    EXPECT_EQ(p->ChiudiPubblicita->size(), QSize(145, 16));

    const QPoint centro = p->ChiudiPubblicita->rect().center();
    for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(tipo, QPointF(centro), p->ChiudiPubblicita->mapToGlobal(QPointF(centro)), Qt::LeftButton,
                      tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(p->ChiudiPubblicita, &e);
    }
    EXPECT_TRUE(p->ChiudiPubblicita->isHidden());
    EXPECT_TRUE(p->WebBrowser1->isHidden());
    EXPECT_EQ(p->WebBrowser1->geometry(), QRect(0, 0, 0, 0));
    EXPECT_FALSE(p->InVista());

    // A later draw of 2 shows it again on the same table, even though the close hid it.
    TornaIndietro();
    PannelloPubblicita::Generatore().Fissa(Seme(true));
    ApriFinestra(FinestraRubamazzo);
    EXPECT_TRUE(p->InVista());
}

TEST_F(PannelloTavoli, AShowingWithoutAdvertisementCancelsAStripStillDue)
{
    ApriFinestra(FinestraSettemezzo);
    PannelloPubblicita* p = P(FormSettemezzo);
    ASSERT_TRUE(p->TimerPubblicita->isActive());
    TornaIndietro();  // closed before the strip appeared
    PannelloPubblicita::Generatore().Fissa(Seme(false));
    ApriFinestra(FinestraSettemezzo);
    EXPECT_FALSE(p->TimerPubblicita->isActive());
    EXPECT_TRUE(p->ChiudiPubblicita->isHidden());
    EXPECT_FALSE(p->InVista());
}

TEST_F(PannelloTavoli, ClosingBeforeTheStripIsDueCancelsTheStrip)
{
    ApriFinestra(FinestraBriscola);
    PannelloPubblicita* p = P(FormBriscola);
    ASSERT_TRUE(p->TimerPubblicita->isActive());
    p->ChiudiPubblicitaClick();
    EXPECT_FALSE(p->TimerPubblicita->isActive()) << "no strip may appear over a closed panel";
    EXPECT_TRUE(p->ChiudiPubblicita->isHidden());
}

TEST_F(PannelloTavoli, TheMovieIsPutInPlaceOnlyWhenMissingAndItsAbsenceNeverStopsATable)
{
    struct Caso {
        const char* nome;
        const char* inRadice;     // movie already in the folder that stands for "c:\" (name)
        const char* fornito;      // "pubblicita.swf" in the current directory (name)
        QStringList attesi;       // files of that folder afterwards
        QByteArray contenuto;     // of the one movie there
    };
    const Caso casi[] = {
        {"missing everywhere", nullptr, nullptr, {"pubblicita.htm"}, {}},
        {"supplied beside the program", nullptr, "PUBBLICITA.swf", {"pubblicita.htm", "pubblicita.swf"}, "fornito"},
        {"already in place, other spelling", "PubbliCita.SWF", "pubblicita.swf", {"PubbliCita.SWF", "pubblicita.htm"},
         "in posto"},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.nome);
        for (const QString& f : FileIn(radice)) QFile::remove(radice + "/" + f);
        for (const QString& f : FileIn(corrente)) QFile::remove(corrente + "/" + f);
        ScriviPaginaPubblicita(radice);
        if (k.inRadice) Scrivi(radice + "/" + k.inRadice, "in posto");
        if (k.fornito) Scrivi(corrente + "/" + k.fornito, "fornito");
        PannelloPubblicita::PrimaPubblicita = true;
        ApriFinestra(FinestraScopa);
        EXPECT_TRUE(FormScopa->isVisible());
        EXPECT_TRUE(P(FormScopa)->InVista());
        EXPECT_EQ(FileIn(radice), k.attesi);
        for (const QString& f : FileIn(radice)) {
            if (f.endsWith(".swf", Qt::CaseInsensitive)) {
                EXPECT_EQ(Leggi(radice + "/" + f), k.contenuto);
            }
        }
        TornaIndietro();
    }
}

TEST_F(PannelloTavoli, ATableShownAgainFromItsOwnWindowsNeverDrawsTheAdvertisement)
{
    const int codici[] = {FinestraScopa, FinestraBriscola, FinestraRubamazzo, FinestraSettemezzo};
    TFormTavolo* tavoli[] = {FormScopa, FormBriscola, FormRubamazzo, FormSettemezzo};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(tavoli[i]->windowTitle().toStdString());
        PannelloPubblicita::PrimaPubblicita = true;
        ApriFinestra(codici[i]);
        ASSERT_TRUE(P(tavoli[i])->InVista()) << "opened from the chooser: the draw runs";
        P(tavoli[i])->ChiudiPubblicitaClick();
        for (int ritorno = 0; ritorno < 6; ++ritorno) {
            // Every draw would show it now: the flag forces it, and every draw gives 2.
            PannelloPubblicita::PrimaPubblicita = true;
            PannelloPubblicita::Generatore().Fissa(Seme(true));
            ApriFinestra(ritorno % 2 ? FinestraConfig : FinestraPunteggi);
            TornaIndietro();
            EXPECT_TRUE(tavoli[i]->isVisible());
            EXPECT_FALSE(P(tavoli[i])->InVista()) << "return " << ritorno;
            EXPECT_FALSE(P(tavoli[i])->TimerPubblicita->isActive());
        }
        TornaIndietro();
    }
}

TEST_F(PannelloTavoli, UnderThePanelTheGameWaitsAndGoesOnWhenItCloses)
{
    // A Sette e mezzo deal with the computer to play, left for the chooser and opened again
    // under the advertisement.
    PannelloPubblicita::PrimaPubblicita = false;
    PannelloPubblicita::Generatore().Fissa(Seme(false));
    ApriFinestra(FinestraSettemezzo);
    ASSERT_FALSE(P(FormSettemezzo)->InVista());
    TFormSettemezzo* t = FormSettemezzo;
    t->NuovaPartitaClick();
    t->NuovaCartaClick();
    t->StopClick();
    ASSERT_EQ(t->Regole.FaseTavolo, RegoleSettemezzo::TurnoComputer);
    ASSERT_TRUE(t->Timer3->isActive());
    TornaIndietro();
    PannelloPubblicita::PrimaPubblicita = true;
    ApriFinestra(FinestraSettemezzo);
    ASSERT_TRUE(P(t)->InVista());
    EXPECT_FALSE(t->Timer3->isActive()) << "no dealer step under the panel";
    EXPECT_TRUE(t->GiocoSospeso());
    // A tick already due when the panel came is dropped, and the timer stays stopped.
    t->Timer3->start();
    QTimerEvent scatto(t->Timer3->timerId());
    QCoreApplication::sendEvent(t->Timer3, &scatto);
    EXPECT_FALSE(t->Timer3->isActive());
    EXPECT_EQ(t->Regole.CarteComputer[1], 0) << "the computer drew no card";
    P(t)->ChiudiPubblicitaClick();
    EXPECT_TRUE(t->Timer3->isActive()) << "the game goes on when the panel closes";
    EXPECT_FALSE(t->GiocoSospeso());
    TornaIndietro();

    // Scopa: "Nuova Partita" pressed under the panel deals only once the panel goes.
    PannelloPubblicita::PrimaPubblicita = true;
    ApriFinestra(FinestraScopa);
    ASSERT_TRUE(P(FormScopa)->InVista());
    TFormTavolo::Premi(FormScopa->NuovaPartita);
    EXPECT_FALSE(FormScopa->ManoIniziata) << "no deal under the panel";
    EXPECT_FALSE(FormScopa->Timer1->isActive());
    P(FormScopa)->ChiudiPubblicitaClick();
    EXPECT_TRUE(FormScopa->ManoIniziata) << "the deal asked for under the panel follows its close";
    EXPECT_TRUE(FormScopa->Timer1->isActive());
}

TEST_F(PannelloTavoli, ThePosterFillsThePanelAndItsTextCannotBeSelected)
{
    ScriviPaginaPubblicita(radice);
    ApriFinestra(FinestraBriscola);
    PannelloPubblicita* p = P(FormBriscola);
    ASSERT_TRUE(p->InVista());
    EXPECT_EQ(p->WebBrowser1->textInteractionFlags(), Qt::NoTextInteraction);
    const QImage vista = p->WebBrowser1->grab().toImage();
    ASSERT_EQ(vista.size(), QSize(760, 518));
    // No white margin at the right or bottom edge: the poster reaches them.
    for (const QPoint punto : {QPoint(755, 100), QPoint(755, 400), QPoint(300, 514), QPoint(3, 3), QPoint(757, 515)})
        EXPECT_NE(vista.pixelColor(punto), QColor(Qt::white)) << punto.x() << "," << punto.y();
}

TEST_F(PannelloTavoli, TheChooserWritesThePageAndShowsNoStripWithoutAServer)
{
    unsetenv("CARTOVIA_UPDATE_SERVER");
    QFile::remove(radice + "/pubblicita.htm");
    FormSplashScreen->hide();
    FormSplashScreen->FormShow();
    EXPECT_EQ(Leggi(radice + "/pubblicita.htm"), PaginaAttesa);
    EXPECT_FALSE(HttpTestForm->isVisible());
}

TEST_F(PannelloTavoli, ALinkOrFolderUnderThePageOrTheMovieIsLeftAloneAndEveryWindowOpens)
{
    QTemporaryDir altrove;
    Scrivi(corrente + "/pubblicita.swf", "fornito");
    for (const char* nome : {"pubblicita.htm", "pubblicita.swf"}) {
        for (Piantato p : TuttiIPiantati) {
            SCOPED_TRACE(std::string(nome) + ", " + NomeDi(p));
            for (const QString& f : FileIn(radice)) QFile::remove(radice + "/" + f);
            const QString percorso = radice + "/" + nome;
            Pianta(p, percorso, altrove.path());
            AvvisiRegistrati avvisi;
            // The chooser writes the page at every start...
            FormSplashScreen->hide();
            FormSplashScreen->FormShow();
            FormSplashScreen->show();
            // ...and the first table shown puts the movie in place when it cannot be read.
            PannelloPubblicita::PrimaPubblicita = true;
            ApriFinestra(FinestraBriscola);
            EXPECT_TRUE(FormBriscola->isVisible());
            EXPECT_TRUE(P(FormBriscola)->InVista()) << "the advertisement still shows";
            TornaIndietro();
            IntattoDopo(p, percorso, altrove.path());
            const bool tentato = std::string(nome) == "pubblicita.htm" || p != Piantato::Collegamento;
            EXPECT_EQ(avvisi.Contiene("not a regular file"), tentato)
                << "the refusal is logged: " << AvvisiRegistrati::Righe().join('\n').toStdString();
            if (std::string(nome) == "pubblicita.swf") EXPECT_EQ(Leggi(radice + "/pubblicita.htm"), PaginaAttesa);
            if (p == Piantato::Cartella) QDir(percorso).removeRecursively(); else QFile::remove(percorso);
        }
    }
}

}  // namespace
