#include "ads/THttpTestForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QTimeZone>
#include <QTimer>
#include <QUrl>
#include <QtDebug>

#include "components/VelImage.h"
#include "platform/CartellaPubblicita.h"
#include "platform/FileSicuro.h"
#include "resources/Risorse.h"

namespace {

const char* const NomeDocumento = "aggiornamento.swf";

QLineEdit* CampoNascosto(QWidget* padre, const char* nome)
{
    auto* e = new QLineEdit(padre);
    e->setObjectName(nome);
    e->hide();
    return e;
}

}  // namespace

THttpTestForm::THttpTestForm(QWidget* parent) : TFinestra(632, 38, parent)
{
    setWindowTitle("Aggiornamento ..................................");

    LuceRossa = new VelImage(this);
    LuceRossa->setObjectName("LuceRossa");
    LuceRossa->setGeometry(10, 9, 20, 20);
    LuceRossa->ImpostaPictureDaRisorsa(Risorse::LuceRossa);
    LuceVerde = new VelImage(this);
    LuceVerde->setObjectName("LuceVerde");
    LuceVerde->setGeometry(10, 9, 20, 20);
    LuceVerde->ImpostaPictureDaRisorsa(Risorse::LuceVerde);
    LuceVerde->hide();

    Label1 = new QLabel("URL", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(40, 10, 32, 18);
    Label1->setStyleSheet("color: rgb(246, 217, 138); font-weight: bold; background: transparent;");

    URLEdit = new QLineEdit(this);
    URLEdit->setObjectName("URLEdit");
    URLEdit->setReadOnly(true);
    URLEdit->setFocusPolicy(Qt::NoFocus);
    URLEdit->setGeometry(74, 8, 442, 22);

    Continua = new QPushButton("Continua", this);
    Continua->setObjectName("Continua");
    Continua->setGeometry(526, 6, 96, 26);
    connect(Continua, &QPushButton::clicked, this, [this] { ContinuaClick(); });

    ProxyHostEdit = CampoNascosto(this, "ProxyHostEdit");
    ProxyPortEdit = CampoNascosto(this, "ProxyPortEdit");
    ProxyPortEdit->setText("80");
    DataEdit = CampoNascosto(this, "DataEdit");
    DateTimeEdit = CampoNascosto(this, "DateTimeEdit");
    DisplayMemo = new QPlainTextEdit(this);
    DisplayMemo->setObjectName("DisplayMemo");
    DisplayMemo->setReadOnly(true);
    DisplayMemo->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    rete_ = new QNetworkAccessManager(this);
}

THttpTestForm::~THttpTestForm()
{
    Interrompi();
}

QString THttpTestForm::IndirizzoAggiornamento()
{
    QString server = qEnvironmentVariable("CARTOVIA_UPDATE_SERVER").trimmed();
    if (server.isEmpty()) {
        const QSettings ini(PercorsoIniAggiornamento(), QSettings::IniFormat);
        server = ini.value("Data/Server").toString().trimmed();
    }
    if (server.isEmpty()) return {};
    if (!server.contains("://")) server.prepend("http://");
    QUrl url(server, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") || url.host().isEmpty()) {
        qWarning("update server %s is not an http address: no download", qPrintable(server));
        return {};
    }
    QString percorso = url.path();
    while (percorso.endsWith('/')) percorso.chop(1);
    url.setPath(percorso + "/" + NomeDocumento);
    url.setQuery(QString());
    url.setFragment(QString());
    return url.toString();
}

QByteArray THttpTestForm::DataHttp(const QString& testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty()) return {};
    const QLocale c = QLocale::c();
    QDateTime quando = QDateTime::fromString(t, Qt::RFC2822Date);
    if (!quando.isValid()) {
        quando = c.toDateTime(t, "ddd, dd MMM yyyy hh:mm:ss 'GMT'");
        if (quando.isValid()) quando.setTimeZone(QTimeZone::utc());
    }
    if (!quando.isValid()) quando = QDateTime::fromString(t, Qt::ISODate);
    for (const char* formato : {"dd/MM/yyyy hh:mm:ss", "dd/MM/yyyy hh:mm", "dd/MM/yyyy"})
        if (!quando.isValid()) quando = QDateTime::fromString(t, formato);
    if (!quando.isValid()) {
        const QDate giorno = QDate::fromString(t, Qt::ISODate);
        if (giorno.isValid()) quando = giorno.startOfDay();
    }
    if (!quando.isValid()) {
        qWarning("date field \"%s\" is not a date: no If-Modified-Since", qPrintable(t));
        return {};
    }
    return c.toString(quando.toUTC(), "ddd, dd MMM yyyy hh:mm:ss 'GMT'").toLatin1();
}

bool THttpTestForm::Avvia()
{
    if (IndirizzoAggiornamento().isEmpty()) {
        qDebug("no update server configured: the advertisement movie is not fetched");
        return false;
    }
    Timer1->start();
    LuceRossa->show();
    LuceVerde->hide();
    show();
    Centra();
    raise();
    return true;
}

void THttpTestForm::MostraModale()
{
    setWindowModality(Qt::ApplicationModal);
    if (!Avvia() || isHidden()) return;
    QEventLoop ciclo;
    connect(this, &THttpTestForm::Chiusa, &ciclo, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &ciclo, &QEventLoop::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, &ciclo, &QEventLoop::quit);
    ciclo.exec();
}

void THttpTestForm::Timer1Timer()
{
    Timer1->stop();
    GetButtonClick();
}

void THttpTestForm::Scrivi(const QString& riga)
{
    DisplayMemo->appendPlainText(riga);
    qDebug().noquote() << "aggiornamento:" << riga;
}

QString THttpTestForm::Registro() const { return DisplayMemo->toPlainText(); }

void THttpTestForm::GetButtonClick()
{
    if (risposta_) return;  // one download at a time
    DisplayMemo->clear();
    const QString indirizzo = IndirizzoAggiornamento();
    URLEdit->setText(indirizzo);
    if (indirizzo.isEmpty()) {
        Scrivi("GET Failed !");
        return;
    }

    const QString host = ProxyHostEdit->text().trimmed();
    if (host.isEmpty()) {
        rete_->setProxy(QNetworkProxy::NoProxy);
    } else {
        bool ok = false;
        int porta = ProxyPortEdit->text().trimmed().toInt(&ok);
        if (!ok || porta < 1 || porta > 65535) {
            qWarning("proxy port \"%s\" is not a port: using 80", qPrintable(ProxyPortEdit->text()));
            porta = 80;
        }
        rete_->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, host, static_cast<quint16>(porta)));
    }

    QNetworkRequest richiesta{QUrl(indirizzo)};
    richiesta.setRawHeader("User-Agent", "Mozilla/3.0 (compatible)");
    richiesta.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    richiesta.setRawHeader("Pragma", "no-cache");
    richiesta.setRawHeader("Cache-Control", "no-cache");
    richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    richiesta.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    if (const QByteArray data = DataHttp(DataEdit->text()); !data.isEmpty())
        richiesta.setRawHeader("If-Modified-Since", data);

    ricevuti_ = 0;
    troppoGrande_ = false;
    risposta_ = rete_->get(richiesta);
    connect(risposta_, &QNetworkReply::metaDataChanged, this, [this] { HttpCli1DocBegin(); });
    connect(risposta_, &QNetworkReply::readyRead, this, [this] { Ricevi(); });
    connect(risposta_, &QNetworkReply::finished, this, [this] { Finito(); });
}

void THttpTestForm::HttpCli1DocBegin()
{
    if (!risposta_ || ricezione_) return;
    Scrivi("Content-Type = " + risposta_->header(QNetworkRequest::ContentTypeHeader).toString());
    Scrivi(QString("Document = ") + NomeDocumento);
    const QVariant annunciata = risposta_->header(QNetworkRequest::ContentLengthHeader);
    if (annunciata.isValid() && annunciata.toLongLong() > DimensioneMassima) {
        qWarning("the update announces %lld bytes, more than the %lld accepted", annunciata.toLongLong(),
                 DimensioneMassima);
        troppoGrande_ = true;
        risposta_->abort();
        return;
    }
    // The document's name is always ours, never one the server suggests.
    const QString cartella = CartellaScaricamento.isEmpty() ? QDir::currentPath() : CartellaScaricamento;
    nomeRicezione_ = FileSenzaMaiuscole(cartella, NomeDocumento);
    ricezione_ = new FileSicuro(nomeRicezione_, this);
    if (!ricezione_->open(QIODevice::WriteOnly)) {
        qWarning("cannot receive into %s: %s", qPrintable(nomeRicezione_), qPrintable(ricezione_->errorString()));
        risposta_->abort();
    }
}

void THttpTestForm::Ricevi()
{
    if (!risposta_) return;
    if (!ricezione_) HttpCli1DocBegin();
    if (troppoGrande_ || !ricezione_) return;
    const QByteArray dati = risposta_->readAll();
    ricevuti_ += dati.size();
    if (ricevuti_ > DimensioneMassima) {
        qWarning("the update is larger than the %lld bytes accepted", DimensioneMassima);
        troppoGrande_ = true;
        risposta_->abort();
        return;
    }
    ricezione_->write(dati);
}

void THttpTestForm::Finito()
{
    QNetworkReply* r = risposta_;
    if (!r) return;
    if (r->error() == QNetworkReply::NoError) Ricevi();
    const int stato = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString motivo = r->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QVariant annunciata = r->header(QNetworkRequest::ContentLengthHeader);
    const bool intero = !annunciata.isValid() || annunciata.toLongLong() == ricevuti_;
    bool riuscito = r->error() == QNetworkReply::NoError && !troppoGrande_ && stato >= 200 && stato < 300 &&
                    intero && ricezione_ && ricezione_->isOpen();
    if (riuscito && !ricezione_->commit()) {
        qWarning("cannot write %s: %s", qPrintable(nomeRicezione_), qPrintable(ricezione_->errorString()));
        riuscito = false;
    }
    if (ricezione_) {
        if (!riuscito && ricezione_->isOpen()) {
            ricezione_->cancelWriting();  // the partial body is dropped, never renamed
            ricezione_->commit();
        }
        ricezione_->deleteLater();
        ricezione_ = nullptr;
    }
    const auto intestazioni = r->rawHeaderPairs();
    if (motivo.isEmpty() && r->error() != QNetworkReply::NoError) motivo = r->errorString();
    if (troppoGrande_) motivo = "Update too large";
    else if (!intero) motivo = "Connection closed before the end of the document";
    risposta_ = nullptr;
    r->deleteLater();

    if (!riuscito) {
        Scrivi("GET Failed !");
        Scrivi("StatusCode   = " + QString::number(stato));
        Scrivi("ReasonPhrase = " + motivo);
        qWarning("the advertisement update failed: %d %s", stato, qPrintable(motivo));
        LuceRossa->show();
        LuceVerde->hide();
        emit ScaricamentoFinito(false);
        return;
    }
    Scrivi("StatusCode = " + QString::number(stato));
    for (const auto& [nome, valore] : intestazioni)
        Scrivi("hdr>" + QString::fromLatin1(nome) + ": " + QString::fromLatin1(valore));
    LuceVerde->show();
    LuceRossa->hide();
    close();
    const QString radice = CartellaRadice();
    if (!radice.isEmpty()) CopiaFileIntero(nomeRicezione_, FileSenzaMaiuscole(radice, "pubblicita.swf"));
    emit ScaricamentoFinito(true);
}

void THttpTestForm::Interrompi()
{
    Timer1->stop();
    if (!risposta_) return;
    QNetworkReply* r = risposta_;
    risposta_ = nullptr;  // the finished signal of an aborted request reports nothing
    r->disconnect(this);
    r->abort();
    r->deleteLater();
    if (ricezione_) {
        ricezione_->cancelWriting();
        ricezione_->commit();
        ricezione_->deleteLater();
        ricezione_ = nullptr;
    }
}

void THttpTestForm::ContinuaClick()
{
    Interrompi();
    close();
}

void THttpTestForm::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void THttpTestForm::FormShow()
{
    if (impostazioniLette_) return;
    impostazioniLette_ = true;
    QSettings ini(PercorsoIniAggiornamento(), QSettings::IniFormat);
    ini.beginGroup("Data");
    ProxyHostEdit->setText(ini.value("ProxyHost", "").toString());
    ProxyPortEdit->setText(ini.value("ProxyPort", "80").toString());
    DataEdit->setText(ini.value("Data", "").toString());
    DateTimeEdit->setText(ini.value("DateTime", "").toString());
}

void THttpTestForm::FormClose()
{
    QSettings ini(PercorsoIniAggiornamento(), QSettings::IniFormat);
    ini.beginGroup("Data");
    ini.setValue("URL", URLEdit->text());
    ini.setValue("ProxyHost", ProxyHostEdit->text());
    ini.setValue("ProxyPort", ProxyPortEdit->text());
    ini.setValue("Data", DataEdit->text());
    ini.setValue("DateTime", DateTimeEdit->text());
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        qWarning("cannot write the download settings %s", qPrintable(PercorsoIniAggiornamento()));
}

void THttpTestForm::closeEvent(QCloseEvent* e)
{
    Interrompi();
    FormClose();
    TFinestra::closeEvent(e);
    emit Chiusa();
}

void THttpTestForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x8E, 0x1C, 0x2C));
    g.setColorAt(1, QColor(0x3E, 0x09, 0x10));
    p.fillRect(rect(), g);
    p.setPen(QColor(0xD9, 0xB2, 0x5A));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
