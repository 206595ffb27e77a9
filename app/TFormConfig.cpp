#include "app/TFormConfig.h"

#include <QDebug>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QShowEvent>
#include <QSignalBlocker>
#include <cmath>

#include "app/Finestre.h"
#include "app/TFormSplashScreen.h"
#include "core/Globali.h"
#include "core/Pausa.h"
#include "games/briscola/TFormBriscola.h"
#include "games/comune/Giocatore.h"
#include "games/comune/TFormTavolo.h"
#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/scopa/TFormScopa.h"
#include "games/settemezzo/TFormSettemezzo.h"
#include "components/Scala.h"
#include "platform/Impostazioni.h"
#include "resources/Risorse.h"

int Mazzo = MazzoPredefinito;
int Retro = RetroPredefinito;
int Dimensione = Scala::Automatica;
int DimensioneAvvio = Scala::Automatica;
std::optional<QPoint> PosizioneChooser;

namespace {

void stileEtichetta(QLabel* l, int punti, bool grassetto)
{
    QFont f = l->font();
    f.setPointSize(punti);
    f.setBold(grassetto);
    l->setFont(f);
    l->setStyleSheet("color: rgb(74, 38, 16); background: transparent;");
}

QLabel* etichetta(QWidget* genitore, const QString& testo, int x, int y, int w, int h, int punti = 11)
{
    auto* l = new QLabel(testo, genitore);
    l->setGeometry(x, y, w, h);
    stileEtichetta(l, punti, true);
    return l;
}

QCheckBox* casella(QWidget* genitore, const QString& nome, const QString& testo, int x, int y)
{
    auto* c = new QCheckBox(testo, genitore);
    c->setObjectName(nome);
    c->setGeometry(x, y, 240, 24);
    QFont f = c->font();
    f.setPointSize(11);
    f.setBold(true);
    c->setFont(f);
    c->setStyleSheet("QCheckBox { color: rgb(74, 38, 16); background: transparent; spacing: 8px; }"
                     "QCheckBox::indicator { width: 14px; height: 14px; border: 2px solid rgb(74, 38, 16);"
                     " border-radius: 3px; background: rgb(255, 252, 240); }"
                     "QCheckBox::indicator:checked { background: rgb(46, 125, 70); }");
    return c;
}

void immaginiBottone(VelmoBottone* b, const QString& nome)
{
    b->setNormaleDaRisorsa(QString(":/img/btn_%1_normale.bmp").arg(nome));
    b->setAttivoDaRisorsa(QString(":/img/btn_%1_attivo.bmp").arg(nome));
    b->setBordo(0);
    b->setDistanzaOmbra(0);
}

// The deck and back bars: Left goes back and Right forward (a scroll bar's controls are
// inverted by default, for the wheel), and the focused bar is framed as the other focused
// controls are.
class BarraScelta : public QScrollBar {
public:
    explicit BarraScelta(QWidget* genitore) : QScrollBar(Qt::Horizontal, genitore)
    {
        setInvertedControls(false);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        QScrollBar::paintEvent(e);
        if (!hasFocus()) return;
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    void focusInEvent(QFocusEvent* e) override
    {
        QScrollBar::focusInEvent(e);
        update();
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QScrollBar::focusOutEvent(e);
        update();
    }
};

// A digit of the score sheets, a back number or a style: keeps 1..max, anything else gives
// the default. The stored form is one character '0' + n.
int cifraNellIntervallo(const std::optional<std::string>& v, int massimo, int predefinito)
{
    if (!v || v->empty()) return predefinito;
    const int n = (*v)[0] - '0';
    return (n >= 1 && n <= massimo) ? n : predefinito;
}

// The stored name as text of at most LunghezzaMassimaNome characters. Bytes that are not
// UTF-8 (a name written in a one-byte code page), which the store hands over as replacement
// characters, are dropped: the rest of the name is kept as it was, and saved back clean.
std::string NomeLimitato(const std::string& nome)
{
    QString testo = QString::fromUtf8(nome.data(), static_cast<qsizetype>(nome.size()));
    testo.remove(QChar::ReplacementCharacter);
    // Only blanks is no name (the caller keeps the default).
    if (testo.trimmed().isEmpty()) return {};
    return testo.left(static_cast<int>(LunghezzaMassimaNome)).toStdString();
}

}  // namespace

TFormConfig::TFormConfig(QWidget* parent) : TFinestra(800, 600, parent)
{
    setWindowTitle("Configurazione");
    ImpostaSfondo(Risorse::SfondoConfig);

    // Clear of the frame's corner ornament and of its rules.
    auto* titolo = etichetta(this, "Configurazione", 44, 26, 230, 34, 18);
    titolo->setObjectName("Titolo");

    // Card frames are drawn in the felt colour of the tables, so the previews lie on felt too.
    for (QWidget** panno : {&pannoAnteprima_, &pannoRetro_}) {
        *panno = new QWidget(this);
        (*panno)->setAutoFillBackground(true);
    }
    pannoAnteprima_->setGeometry(280, 28, 512, 528);
    pannoRetro_->setGeometry(88, 254, 112, 136);

    // The shared decks: fronts (new system, six styles), backs (23 designs), score digits.
    VelCarte1 = new VelCarte(this);
    VelCarte1->setObjectName("VelCarte1");
    VelCarte1->setTipo(2);
    VelCarte1->setDimX(80);
    VelCarte1->setDimY(120);
    VelCarte1->setDimXCarte(60);
    VelCarte1->setDimYCarte(94);
    VelCarte1->setImmaginiCarteColonne(10);
    VelCarte1->setImmaginiCarteRighe(4);
    VelCarte1->setSeleziona(false);
    // The sheets are decoded when a card is first drawn (a table or the preview).
    VelCarte1->setBufferImmaginiDaRisorsa(Risorse::Fronti);
    VelCarte1->setBordiCartaDaRisorsa(Risorse::Bordi);
    VelCarte1->setMazzo(MazzoPredefinito);
    VelCarte1->hide();

    RetroCarte = new VelCarte(this);
    RetroCarte->setObjectName("RetroCarte");
    RetroCarte->setTipo(2);
    RetroCarte->setDimX(80);
    RetroCarte->setDimY(120);
    RetroCarte->setDimXCarte(60);
    RetroCarte->setDimYCarte(94);
    RetroCarte->setImmaginiCarteColonne(23);
    RetroCarte->setImmaginiCarteRighe(1);
    RetroCarte->setBufferImmaginiDaRisorsa(Risorse::Retro);
    RetroCarte->setBordiCartaDaRisorsa(Risorse::Bordi);
    RetroCarte->setSemeCarta(1);
    RetroCarte->setNumeroCarta(RetroPredefinito);

    VelCartePunteggi = new VelCarte(this);
    VelCartePunteggi->setObjectName("VelCartePunteggi");
    VelCartePunteggi->setTipo(2);
    VelCartePunteggi->setDimX(32);
    VelCartePunteggi->setDimY(24);
    VelCartePunteggi->setImmaginiCarteColonne(10);
    VelCartePunteggi->setImmaginiCarteRighe(4);
    VelCartePunteggi->setSeleziona(false);
    VelCartePunteggi->setBufferImmaginiDaRisorsa(Risorse::CifrePunteggi);
    VelCartePunteggi->setBufferImmaginiSelezionateDaRisorsa(Risorse::CifrePunteggiSel);
    VelCartePunteggi->hide();

    EtichettaMazzo = etichetta(this, "Mazzo di carte", 24, 64, 240, 22);
    ScrollBar1 = new BarraScelta(this);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setRange(1, 6);
    ScrollBar1->setPageStep(1);
    ScrollBar1->setGeometry(24, 90, 240, 22);
    ScrollBar1->setValue(MazzoPredefinito);

    EtichettaRetro = etichetta(this, "Carta Rovesciata", 24, 130, 240, 22);
    ScrollBar2 = new BarraScelta(this);
    ScrollBar2->setObjectName("ScrollBar2");
    ScrollBar2->setRange(1, 9);
    ScrollBar2->setPageStep(1);
    ScrollBar2->setGeometry(24, 156, 240, 22);
    ScrollBar2->setValue(RetroPredefinito);

    etichetta(this, "Nome del Giocatore", 24, 196, 240, 22);
    NomeGiocat = new QLineEdit(QString::fromUtf8(NomeGiocatorePredefinito), this);
    NomeGiocat->setObjectName("NomeGiocat");
    NomeGiocat->setGeometry(24, 220, 240, 26);
    NomeGiocat->setMaxLength(static_cast<int>(LunghezzaMassimaNome));
    RetroCarte->move(104, 262);

    CBSuoni = casella(this, "CBSuoni", "Suoni", 24, 396);
    CBComputer = casella(this, "CBComputer", "Mostra Carte Computer", 24, 424);
    // The Scopa table's replay of the player's move; off unless chosen.
    CBMessaggi = casella(this, "CBMessaggi", "Rivedi la mia mossa", 24, 490);
    CBRisoluzione = casella(this, "CBRisoluzione", "Cambio Risoluzione", 24, 480);
    CBProgrammi = casella(this, "CBProgrammi", "Nascondi Barra", 24, 508);
    CBRisoluzione->hide();
    CBProgrammi->hide();
    CBSuoni->setChecked(true);
    CBMessaggi->setChecked(false);

    // The computer's level, in the room the hidden boxes leave under the visible ones.
    QLabel* etichettaLivello = etichetta(this, "Livello", 24, 458, 100, 24);
    CBLivello = new QComboBox(this);
    CBLivello->setObjectName("CBLivello");
    CBLivello->addItem(NomeLivello(Livello::Normale));
    CBLivello->addItem(NomeLivello(Livello::Esperto));
    CBLivello->setGeometry(112, 458, 152, 26);
    CBLivello->setCurrentIndex(static_cast<int>(LivelloComputer));

    // The pace of the pauses and card flights, a row below.
    etichetta(this, QString::fromUtf8("Velocità"), 24, 518, 100, 24);
    CBVelocita = new QComboBox(this);
    CBVelocita->setObjectName("CBVelocita");
    for (Velocita v : {Velocita::Normale, Velocita::Veloce, Velocita::Rapida}) CBVelocita->addItem(NomeVelocita(v));
    CBVelocita->setGeometry(112, 518, 152, 26);
    CBVelocita->setCurrentIndex(static_cast<int>(VelocitaCorrente()));
    // The windows' size, at the bottom right beside the close button.
    etichetta(this, "Dimensione", 300, 556, 110, 24);
    CBDimensione = new QComboBox(this);
    CBDimensione->setObjectName("CBDimensione");
    CBDimensione->addItem("Automatica", Scala::Automatica);
    for (int d : Scala::Dimensioni) CBDimensione->addItem(QString("%1 %").arg(d), d);
    CBDimensione->setGeometry(412, 556, 152, 26);
    AvvisoDimensione = etichetta(this, "Vale dal prossimo avvio", 572, 556, 200, 26, 9);
    AvvisoDimensione->setObjectName("AvvisoDimensione");
    AvvisoDimensione->hide();

    // Preview: one suit per row, ace, two, three and the three figures.
    for (int i = 0; i < 24; ++i) {
        const int n = CarteAnteprima[i];
        auto* img = new VelImage(this);
        img->setObjectName(QString("Carta%1").arg(n));
        img->setGeometry(292 + (i % 6) * 82, 40 + (i / 6) * 128, 80, 120);
        Carta[n] = img;
    }

    VelmoBottone1 = new VelmoBottone(this);
    VelmoBottone1->setObjectName("VelmoBottone1");
    VelmoBottone1->hide();
    VelmoBottone2 = new VelmoBottone(this);
    VelmoBottone2->setObjectName("VelmoBottone2");
    VelmoBottone2->setGeometry(72, 548, 145, 38);
    immaginiBottone(VelmoBottone2, "chiudi");

    connect(ScrollBar1, &QScrollBar::valueChanged, this, [this] { ScrollBar1Change(); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this, [this] { ScrollBar2Change(); });
    connect(NomeGiocat, &QLineEdit::textChanged, this, [this] { NomeGiocatChange(); });
    connect(CBLivello, &QComboBox::currentIndexChanged, this, [this] { CBLivelloChange(); });
    connect(CBVelocita, &QComboBox::currentIndexChanged, this, [this] { CBVelocitaChange(); });
    connect(CBDimensione, &QComboBox::currentIndexChanged, this, [this] { CBDimensioneChange(); });
    connect(VelmoBottone2, &VelmoBottone::Click, this, [this] { VelmoBottone2Click(); });

    // Keyboard: name, deck, back, the two options; Enter or Esc close.
    NomeGiocat->setAccessibleName("Nome del giocatore");
    NominaBarre();
    VelmoBottone2->setAccessibleName("Chiudi");
    VelmoBottone2->setAccessibleDescription("Tasto Invio o Esc");
    for (QWidget* w : std::initializer_list<QWidget*>{NomeGiocat, ScrollBar1, ScrollBar2, CBSuoni, CBComputer})
        w->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(NomeGiocat, ScrollBar1);
    setTabOrder(ScrollBar1, ScrollBar2);
    setTabOrder(ScrollBar2, CBSuoni);
    setTabOrder(CBSuoni, CBComputer);
    // The computer's level comes last.
    CBLivello->setAccessibleName("Livello");
    // Screen readers read the box with its caption (the box's own name is its choice).
    etichettaLivello->setBuddy(CBLivello);
    CBLivello->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(CBComputer, CBLivello);
    CBMessaggi->setAccessibleName("Rivedi la mia mossa");
    CBMessaggi->setAccessibleDescription("A Scopa la tua mossa si rivede sul tavolo dopo che la carta si è posata");
    CBMessaggi->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(CBLivello, CBMessaggi);
    CBVelocita->setAccessibleName(QString::fromUtf8("Velocità"));
    CBVelocita->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(CBMessaggi, CBVelocita);
    CBDimensione->setAccessibleName("Dimensione");
    CBDimensione->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(CBVelocita, CBDimensione);

    // The score files take the player's name from this box.
    FonteNomeGiocatore() = [this] {
        // A blank box is no name: the kept one counts.
        return NomeGiocat->text().trimmed().isEmpty() ? NomeGiocatore : NomeGiocat->text().toStdString();
    };
}

void TFormConfig::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.translate(Origine());
    if (!Sfondo().isNull())
        DisegnaSfondo(p);
    else
        p.fillRect(QRect(QPoint(), DimensioneBase()), QColor(40, 70, 50));
}

void TFormConfig::showEvent(QShowEvent* e)
{
    TFinestra::showEvent(e);
    if (!e->spontaneous()) FormShow();
}

void TFormConfig::FormShow()
{
    ScrollBar1->setValue(VelCarte1->Mazzo());
    ScrollBar2->setValue(Retro);
    MostraNome();
    CBLivello->setCurrentIndex(static_cast<int>(LivelloComputer));
    CBVelocita->setCurrentIndex(static_cast<int>(VelocitaCorrente()));
    MostraDimensione();
    AnteprimaMazzo();
}

void TFormConfig::CBVelocitaChange()
{
    const int i = CBVelocita->currentIndex();
    ImpostaVelocita(i == 1 ? Velocita::Veloce : i == 2 ? Velocita::Rapida : Velocita::Normale);
}

void TFormConfig::MostraDimensione()
{
    {
        const QSignalBlocker blocco(CBDimensione);
        CBDimensione->setCurrentIndex(std::max(0, CBDimensione->findData(Dimensione)));
    }
    AvvisoDimensione->setVisible(Dimensione != DimensioneAvvio);
}

void TFormConfig::CBDimensioneChange()
{
    Dimensione = CBDimensione->currentData().toInt();
    // The scale is fixed for the whole program when it starts: say when a choice waits for that.
    AvvisoDimensione->setVisible(Dimensione != DimensioneAvvio);
}

void ApplicaDimensioneAllAvvio()
{
    Dimensione = DimensioneDaTesto(LeggiValore("Dimensione"));
    DimensioneAvvio = Dimensione;
    const int percento = Scala::DimensioneEffettiva(Dimensione, Scala::RigheDisponibili());
    Scala::ImpostaFattoreAvvio(percento / 100.0);
    Scala::ImpostaFattore(percento / 100.0);
}

void TFormConfig::CBLivelloChange()
{
    LivelloComputer = CBLivello->currentIndex() == 1 ? Livello::Esperto : Livello::Normale;
}

void TFormConfig::MostraNome()
{
    const QString nome = QString::fromStdString(NomeGiocatore);
    {
        const QSignalBlocker blocco(NomeGiocat);
        NomeGiocat->setText(nome);
    }
    TFormTavolo* tavoli[] = {FormBriscola, FormRubamazzo, FormSettemezzo, FormScopa};
    for (TFormTavolo* t : tavoli)
        if (t) t->NomeGiocat->setText(nome);
}

namespace {
// The deck styles by number, as a screen reader names the deck bar.
QString NomeStileMazzo(int mazzo)
{
    static const char* const nomi[] = {"Napoletane", "Piacentine", "Trevisane", "Siciliane", "Moderne", "Grandi numeri"};
    return mazzo >= 1 && mazzo <= 6 ? QString::fromLatin1(nomi[mazzo - 1]) : QString::number(mazzo);
}
}  // namespace

void TFormConfig::NominaBarre()
{
    ScrollBar1->setAccessibleName("Mazzo: " + NomeStileMazzo(ScrollBar1->value()));
    ScrollBar2->setAccessibleName(QString("Retro delle carte: %1 di %2").arg(ScrollBar2->value()).arg(ScrollBar2->maximum()));
}

void TFormConfig::ScrollBar1Change()
{
    VelCarte1->setMazzo(ScrollBar1->value());
    Mazzo = ScrollBar1->value();
    AnteprimaMazzo();
    NominaBarre();
}

void TFormConfig::ScrollBar2Change()
{
    RetroCarte->setNumeroCarta(ScrollBar2->value());
    Retro = ScrollBar2->value();
    AnteprimaMazzo();
    NominaBarre();
}

void TFormConfig::NomeGiocatChange()
{
    const QString testo = NomeGiocat->text().left(static_cast<int>(LunghezzaMassimaNome));
    if (testo.trimmed().isEmpty()) {
        // A blank name would leave the tables without a name and the ranking with a row of
        // spaces: the previous name stays, and the empty box says so.
        NomeGiocat->setPlaceholderText(QString::fromUtf8("Nome vuoto: resta \u00ab%1\u00bb")
                                           .arg(QString::fromStdString(NomeGiocatore)));
        NomeGiocat->setAccessibleDescription(NomeGiocat->placeholderText());
        return;
    }
    NomeGiocat->setAccessibleDescription({});
    NomeGiocatore = testo.toStdString();
    const QString nome = QString::fromStdString(NomeGiocatore);
    TFormTavolo* tavoli[] = {FormBriscola, FormRubamazzo, FormSettemezzo, FormScopa};
    for (TFormTavolo* t : tavoli)
        if (t) t->NomeGiocat->setText(nome);
}

void TFormConfig::VelmoBottone2Click()
{
    // A box left blank shows the name that was kept.
    if (NomeGiocat->text().trimmed().isEmpty()) MostraNome();
    // A new deck style, back or face-up choice shows at once on these tables.
    if (FormScopa) FormScopa->Ridisegna();
    if (FormBriscola) FormBriscola->Ridisegna();
    if (FormRubamazzo) FormRubamazzo->Ridisegna();
    // What was changed here is kept at once: a forced end of the program later loses nothing.
    SalvaConfigurazione();
    TornaIndietro();
}

void TFormConfig::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        VelmoBottone2Click();
        return;
    default:
        TFinestra::keyPressEvent(e);
    }
}

void TFormConfig::AnteprimaMazzo()
{
    for (QWidget* panno : {pannoAnteprima_, pannoRetro_}) {
        QPalette pal = panno->palette();
        pal.setColor(QPalette::Window, ColorePanelPerBordo(VelCarte1->BordoCartaNumero()));
        panno->setPalette(pal);
    }
    for (int n : CarteAnteprima) VelCarte1->CartaDalNumero(n, Carta[n]);
    RetroCarte->update();
}

void CaricaConfigurazione()
{
    // The replay of the move is off unless a stored "1" asks for it.
    bool suoni = true, messaggi = false;
    int mazzo = MazzoPredefinito, retro = RetroPredefinito;
    std::string nome = NomeGiocatorePredefinito;
    Livello livello = Livello::Normale;  // files written before the level existed read as Normale
    Velocita velocita = Velocita::Normale;  // likewise for the pace
    int dimensione = Scala::Automatica;
    std::optional<QPoint> posizione;

    ArchivioImpostazioni& a = ArchivioCorrente();
    if (a.Apri(false)) {
        a.Leggi("CambioRisoluzione");  // read for completeness: the option has no effect
        a.Leggi("Barra");              // likewise; the flag always loads as off
        mazzo = cifraNellIntervallo(a.Leggi("Mazzo"), 6, MazzoPredefinito);
        retro = cifraNellIntervallo(a.Leggi("Retro"), 9, RetroPredefinito);
        const auto s = a.Leggi("Suoni");
        suoni = s && !s->empty() && (*s)[0] == '1';
        const auto m = a.Leggi("Messaggi");
        messaggi = m && !m->empty() && (*m)[0] == '1';
        if (const auto n = a.Leggi("Nome"); n && !NomeLimitato(*n).empty())
            nome = NomeLimitato(*n);
        dimensione = DimensioneDaTesto(a.Leggi("Dimensione"));
        if (const auto pos = PosizioneDaTesto(a.Leggi("Posizione"))) posizione = QPoint(pos->first, pos->second);
        if (const auto l = a.Leggi("Livello"); l) {
            const auto letto = LivelloDaNome(*l);
            if (!letto) qWarning("Unknown computer level \"%s\" in the settings; using Normale", l->c_str());
            livello = letto.value_or(Livello::Normale);
        }
        if (const auto v = a.Leggi("Velocita"); v) {
            bool nota = false;
            velocita = VelocitaDaNome(v->c_str(), &nota);
            if (!nota) qWarning("Unknown pace \"%s\" in the settings; using Normale", v->c_str());
        }
        a.Chiudi();
    }
    Mazzo = mazzo;
    Retro = retro;
    NomeGiocatore = nome;
    LivelloComputer = livello;
    ImpostaVelocita(velocita);
    Dimensione = dimensione;
    PosizioneChooser = posizione;

    if (!FormConfig) return;
    FormConfig->CBProgrammi->setChecked(false);
    if (FormScopa) {
        FormScopa->setFixedSize(800, 600);
        FormScopa->Centra();
    }
    FormConfig->CBRisoluzione->setChecked(false);
    FormConfig->VelCarte1->setMazzo(Mazzo);
    FormConfig->RetroCarte->setNumeroCarta(Retro);
    FormConfig->RetroCarte->update();
    FormConfig->CBSuoni->setChecked(suoni);
    FormConfig->CBMessaggi->setChecked(messaggi);
    FormConfig->CBLivello->setCurrentIndex(static_cast<int>(LivelloComputer));
    FormConfig->CBVelocita->setCurrentIndex(static_cast<int>(VelocitaCorrente()));
    FormConfig->MostraDimensione();
    // The name box holds the loaded name from now on: the score files read it, also when
    // the configuration window is never opened.
    FormConfig->MostraNome();
}

void SalvaConfigurazione()
{
    ArchivioImpostazioni& a = ArchivioCorrente();
    if (!a.Apri(true)) return;
    auto flag = [](const QCheckBox* c) { return std::string(c && c->isChecked() ? "1" : "0"); };
    const TFormConfig* f = FormConfig;
    a.Scrivi("CambioRisoluzione", flag(f ? f->CBRisoluzione : nullptr));
    a.Scrivi("Barra", flag(f ? f->CBProgrammi : nullptr));
    a.Scrivi("Mazzo", std::string(1, static_cast<char>('0' + Mazzo)));
    a.Scrivi("Retro", std::string(1, static_cast<char>('0' + Retro)));
    a.Scrivi("Suoni", f ? flag(f->CBSuoni) : "1");
    a.Scrivi("Messaggi", f ? flag(f->CBMessaggi) : "0");
    a.Scrivi("Nome", NomeGiocatore);
    a.Scrivi("Livello", NomeLivello(LivelloComputer));
    a.Scrivi("Velocita", NomeVelocita(VelocitaCorrente()));
    a.Scrivi("Dimensione", TestoDimensione(Dimensione));
    if (FormSplashScreen) {
        // The chooser's place in screen pixels, so it holds at any drawing scale.
        const double f = Scala::FattoreAvvio();
        const QPoint p = FormSplashScreen->pos();
        a.Scrivi("Posizione", TestoPosizione(static_cast<int>(std::lround(p.x() * f)), static_cast<int>(std::lround(p.y() * f))));
    }
    a.Chiudi();
}
