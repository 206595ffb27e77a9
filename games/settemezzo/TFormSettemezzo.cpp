#include "games/settemezzo/TFormSettemezzo.h"

#include <QPainter>
#include <QShowEvent>
#include <algorithm>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/comune/Accessibilita.h"
#include "games/scopa/TFormScopa.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"

namespace {
constexpr int YRigaComputer = 8;
constexpr int YRigaGiocatore = 288;
// The line of figures under the computer's row and the one above the player's row.
constexpr int YLineaComputer = 136;
constexpr int YLineaGiocatore = 262;
constexpr int XValore = 282;   // first digit of a hand value
constexpr int XPunteggio = 512;  // tens digit of a match score
constexpr int LarghezzaCifra = 24, AltezzaCifra = 18, LarghezzaPunto = 10;
constexpr int YPulsanti = 432;

// The decimal point of a hand value, drawn as a tile of the same family as the digits.
QImage PuntoDecimale()
{
    QImage img(LarghezzaPunto, AltezzaCifra, QImage::Format_RGB32);
    img.fill(ColorePanelPerBordo(1));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, AltezzaCifra);
    g.setColorAt(0, QColor(40, 52, 68));
    g.setColorAt(1, QColor(16, 22, 32));
    p.setPen(QPen(QColor(120, 136, 156), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, LarghezzaPunto - 1.0, AltezzaCifra - 1.0), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 248, 224));
    p.drawEllipse(QPointF(LarghezzaPunto / 2.0, AltezzaCifra - 5.0), 1.8, 1.8);
    return img;
}

StatoMazzo& MazzoCondiviso(StatoMazzo& riserva)
{
    return FormConfig ? FormConfig->VelCarte1->Stato() : riserva;
}

// A hand value in tenths as said: "7 e mezzo", "5".
QString ValoreDetto(int decimi)
{
    return decimi % 10 ? QString("%1 e mezzo").arg(decimi / 10) : QString::number(decimi / 10);
}

// The last card of a side's row (0 none).
int UltimaCarta(const RegoleSettemezzo& r, const std::int32_t* carte)
{
    for (int s = 7; s >= 1; --s)
        if (carte[s]) return r.Carta(carte[s]);
    return 0;
}
}  // namespace

TFormSettemezzo::TFormSettemezzo(QWidget* parent)
    : TFormTavolo(800, 600, parent), Regole(MazzoCondiviso(mazzoDiRiserva_))
{
    setWindowTitle("Sette e mezzo");

    for (int s = 1; s <= 7; ++s) {
        const QPoint c = PosizioneSlot(true, s), g = PosizioneSlot(false, s);
        ImagePos[s] = CreaSlot(qPrintable(QString("ImagePos%1").arg(s)), c.x(), c.y());
        ImagePos[7 + s] = CreaSlot(qPrintable(QString("ImagePos%1").arg(7 + s)), g.x(), g.y());
    }

    auto etichetta = [this](const char* nome, const QString& testo, int x, int y, int w) {
        auto* l = new QLabel(testo, Panel1);
        l->setObjectName(nome);
        l->setFont(NomeGiocat->font());
        l->setStyleSheet(NomeGiocat->styleSheet());
        l->setGeometry(x, y, w, 22);
        return l;
    };
    Label1 = etichetta("Label1", "Computer", 8, YLineaComputer - 2, 180);
    NomeGiocat->setGeometry(8, YLineaGiocatore - 2, 180, 22);
    LabelManoComputer = etichetta("LabelManoComputer", "Mano", XValore - 62, YLineaComputer - 2, 54);
    LabelManoGiocatore = etichetta("LabelManoGiocatore", "Mano", XValore - 62, YLineaGiocatore - 2, 54);
    LabelPartitaComputer = etichetta("LabelPartitaComputer", "Partita", XPunteggio - 72, YLineaComputer - 2, 64);
    LabelPartitaGiocatore = etichetta("LabelPartitaGiocatore", "Partita", XPunteggio - 72, YLineaGiocatore - 2, 64);
    for (QLabel* l : {LabelManoComputer, LabelManoGiocatore, LabelPartitaComputer, LabelPartitaGiocatore})
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Hand value: tens, units, decimal point, tenths, side by side.
    const QImage punto = PuntoDecimale();
    const char* nomiC[] = {"PC0", "PC1", "PC2", "PC3"};
    const char* nomiG[] = {"PG0", "PG1", "PG2", "PG3"};
    const int xCifra[] = {XValore, XValore + LarghezzaCifra, XValore + 2 * LarghezzaCifra,
                          XValore + 2 * LarghezzaCifra + LarghezzaPunto};
    for (int i = 0; i < 4; ++i) {
        const int w = i == 2 ? LarghezzaPunto : LarghezzaCifra;
        PC[i] = CreaSlot(nomiC[i], xCifra[i], YLineaComputer, w, AltezzaCifra);
        PG[i] = CreaSlot(nomiG[i], xCifra[i], YLineaGiocatore, w, AltezzaCifra);
    }
    PC[2]->ImpostaPicture(punto);
    PG[2]->ImpostaPicture(punto);
    SC[1] = CreaSlot("SC1", XPunteggio, YLineaComputer, LarghezzaCifra, AltezzaCifra);
    SC[2] = CreaSlot("SC2", XPunteggio + LarghezzaCifra, YLineaComputer, LarghezzaCifra, AltezzaCifra);
    SG[1] = CreaSlot("SG1", XPunteggio, YLineaGiocatore, LarghezzaCifra, AltezzaCifra);
    SG[2] = CreaSlot("SG2", XPunteggio + LarghezzaCifra, YLineaGiocatore, LarghezzaCifra, AltezzaCifra);

    NuovaCarta = CreaBottone("NuovaCarta", "nuovacarta", 8, YPulsanti);
    Stop = CreaBottone("Stop", "stop", 168, YPulsanti);
    NuovoTurno = CreaBottone("NuovoTurno", "nuovoturno", 328, YPulsanti);
    connect(NuovaCarta, &VelmoBottone::Click, this, [this] { NuovaCartaClick(); });
    connect(Stop, &VelmoBottone::Click, this, [this] { StopClick(); });
    connect(NuovoTurno, &VelmoBottone::Click, this, [this] { NuovoTurnoClick(); });


    // The invitation to start lies between the two rows, clear of the figures; the result
    // line takes the same band once a match runs.
    Suggerimento->raise();
    RigaEsito->setGeometry(40, 174, 520, 48);

    Regole.MostraTavolo = [this] { DisegnaTavolo(); };
    DisegnaTavolo();
    // Until a match starts the play buttons would do nothing: they show it.
    AggiornaPulsanti();

    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    RegistraTimerGioco(Timer3);
    Timer3->start();

    // Keyboard: C, S and T press the three play buttons; the player's cards (keys 1-7) and
    // the computer's are there for a screen reader to read.
    for (int s = 1; s <= 7; ++s) {
        AggiungiPosto(ImagePos[7 + s], s, QString("Le tue carte, carta %1").arg(s));
        ImagePos[s]->setAccessibleDescription(QString("Carte del computer, carta %1").arg(s));
    }
    AggiungiPosto(NuovaCarta, 0, "Tasto C");
    AggiungiPosto(Stop, 0, "Tasto S");
    AggiungiPosto(NuovoTurno, 0, "Tasto T");
    for (int s = 1; s <= 7; ++s) AggiungiPosto(ImagePos[s]);
    AggiungiTasto(Qt::Key_C, [this] { Premi(NuovaCarta); });
    AggiungiTasto(Qt::Key_S, [this] { Premi(Stop); });
    AggiungiTasto(Qt::Key_T, [this] { Premi(NuovoTurno); });
}

QPoint TFormSettemezzo::PosizioneSlot(bool computer, int s)
{
    return {8 + 80 * (s - 1), computer ? YRigaComputer : YRigaGiocatore};
}

// ---------------------------------------------------------------- handlers


void TFormSettemezzo::FormShow()
{
    // The advertisement panel will hook in here; for now the table only reseeds. The match
    // itself survives hiding and showing the window.
    Regole.Mazzo().Generatore().SemeDallOrologio();
}

void TFormSettemezzo::NuovaPartitaClick()
{
    Suggerimento->hide();
    NascondiEsito();
    RegistraPartitaGiocata(FileSettemezzo);
    if (FormScopa) Suona(FormScopa->Mescola);
    Traccia.NuovaPartita();
    Regole.NuovaPartita();  // shuffles, resets hands and scores, redraws through AggiornaTavolo
    AggiornaPulsanti();
    MostraTurno(1, false);
    ScriviPunteggi();
}

void TFormSettemezzo::NuovoTurnoClick()
{
    // Refused unless the last deal is decided and the match goes on.
    if (!Regole.NuovoTurno()) return;
    NascondiEsito();
    if (FormScopa) Suona(FormScopa->Mescola);
    AggiornaPulsanti();
    MostraTurno(1, false);
}

void TFormSettemezzo::NuovaCartaClick()
{
    // Refused before the first match, outside the player's turn and with seven cards.
    if (Regole.NuovaCarta() == 0) return;
    Annuncia("Peschi " + CartaConArticolo(UltimaCarta(Regole, Regole.CarteGiocatore)) + ": hai "
             + ValoreDetto(Regole.PuntiManoGiocatore) + (Regole.PuntiManoGiocatore > RegoleSettemezzo::SetteEMezzo ? ", sballato" : ""));
    AggiornaPulsanti();
    if (Regole.PuntiManoGiocatore > RegoleSettemezzo::SetteEMezzo) MostraEsito(QStringLiteral("Sballato!"), 0);
    // Bust, or the seventh card: the computer's turn begins.
    if (Regole.FaseTavolo == RegoleSettemezzo::TurnoComputer) MostraTurno(2, false);
}

void TFormSettemezzo::StopClick()
{
    // Refused before the first match and before the player holds a card.
    if (!Regole.Stop()) return;
    AggiornaPulsanti();
    MostraTurno(2, false);
}

void TFormSettemezzo::Timer3Timer()
{
    const int passo = Regole.PassoTimer();
    AggiornaPulsanti();
    if (passo == RegoleSettemezzo::ComputerSiFerma) {
        Traccia.ManoDecisa(Regole);
        MostraEsito(TestoMano(Regole.EsitoMano, Regole.PuntiManoGiocatore, Regole.PuntiManoComputer), 0);
        ScriviPunteggi();
    }
    if (passo != RegoleSettemezzo::NienteDaFare) {
        QString t = "Il computer pesca " + CartaConArticolo(UltimaCarta(Regole, Regole.CarteComputer)) + ": ha "
                    + ValoreDetto(Regole.PuntiManoComputer);
        if (passo != RegoleSettemezzo::ComputerPesca)
            t += Regole.EsitoMano == 1 ? ". Vinci la mano" : Regole.EsitoMano == 2 ? ". Il computer vince la mano" : ". Mano pari";
        if (passo == RegoleSettemezzo::VinceGiocatore) t += ". Hai vinto la partita";
        if (passo == RegoleSettemezzo::VinceComputer) t += ". Hai perso la partita";
        Annuncia(t + QString(". Partita: %1 a %2").arg(Regole.PunteggioGiocatore).arg(Regole.PunteggioComputer));
    }
    // A decided deal waits for the player's "Nuovo Turno": the player's turn.
    if (Regole.FaseTavolo == RegoleSettemezzo::ManoDecisa) MostraTurno(1, false);
    if (passo == RegoleSettemezzo::VinceGiocatore) FinePartita(true);
    if (passo == RegoleSettemezzo::VinceComputer) FinePartita(false);
}

void TFormSettemezzo::FinePartita(bool vinceGiocatore)
{
    // The rules end a match once (the match is over from then on), so this runs once.
    Traccia.Risultato(Regole);
    NascondiTurno();
    MostraEsito(TestoFinePartita(vinceGiocatore, Regole.PunteggioGiocatore, Regole.PunteggioComputer), 0);
    ScriviPunteggi();
    if (vinceGiocatore) RegistraVittoria(FileSettemezzo);
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiSettemezzo);
    if (FormScopa) SuonaSempre(vinceGiocatore ? FormScopa->Vittoria : FormScopa->Perdita);
    // A match that ends while the player has left this table for another game must not pull
    // the scores window over that game; the result is recorded and stays on this table.
    if (TavoloNellaPila()) ApriFinestra(FinestraPunteggi);
}

bool TFormSettemezzo::TavoloNellaPila() const
{
    if (!FormSplashScreen) return isVisible();
    const PilaFinestre& pila = FormSplashScreen->Pila();
    for (int i = 1; i <= pila.Profondita(); ++i)
        if (pila.Voce(i) == FinestraSettemezzo) return true;
    return false;
}

QString TFormSettemezzo::TestoValore(int decimi)
{
    if (decimi % 10 == 0) return QString::number(decimi / 10);
    return QStringLiteral("%1 e mezzo").arg(decimi / 10);
}

QString TFormSettemezzo::TestoMano(int esito, int puntiGiocatore, int puntiComputer)
{
    const int limite = RegoleSettemezzo::SetteEMezzo;
    if (esito == 1)
        return puntiComputer > limite ? QStringLiteral("Il computer ha sballato: mano a te")
                                      : QStringLiteral("Mano a te, %1 contro %2").arg(TestoValore(puntiGiocatore), TestoValore(puntiComputer));
    if (esito == 2)
        return puntiGiocatore > limite ? QStringLiteral("Sballato! Mano al computer")
                                       : QStringLiteral("Mano al computer, %1 contro %2").arg(TestoValore(puntiComputer), TestoValore(puntiGiocatore));
    if (puntiGiocatore > limite && puntiComputer > limite) return QStringLiteral("Sballati tutti e due: mano pari");
    return QStringLiteral("Mano pari, %1 a %2").arg(TestoValore(puntiGiocatore), TestoValore(puntiComputer));
}

QString TFormSettemezzo::TestoFinePartita(bool vinceGiocatore, int punteggioGiocatore, int punteggioComputer)
{
    return QStringLiteral("Hai %1 la partita %2 a %3")
        .arg(vinceGiocatore ? QStringLiteral("vinto") : QStringLiteral("perso"))
        .arg(punteggioGiocatore)
        .arg(punteggioComputer);
}

void TFormSettemezzo::ScriviPunteggi()
{
    if (!FormPunteggi) return;
    FormPunteggi->PuntiSettemezzoG->setText(QString::number(Regole.PunteggioGiocatore));
    FormPunteggi->PuntiSettemezzoC->setText(QString::number(Regole.PunteggioComputer));
    const bool decisa = Regole.FaseTavolo == RegoleSettemezzo::ManoDecisa || Regole.FaseTavolo == RegoleSettemezzo::PartitaFinita;
    FormPunteggi->UltimaManoSettemezzo->setText(
        decisa && Regole.CarteGiocatore[1] != 0
            ? QStringLiteral("Ultima mano: ") +
                  TestoMano(Regole.EsitoMano, Regole.PuntiManoGiocatore, Regole.PuntiManoComputer)
            : QString());
    QString esito;
    if (Regole.VincitorePartita != 0)
        esito = TestoFinePartita(Regole.VincitorePartita == 1, Regole.PunteggioGiocatore, Regole.PunteggioComputer);
    else if (Regole.TurnoAperto)
        esito = QStringLiteral("Partita in corso");
    FormPunteggi->EsitoSettemezzo->setText(esito);
}

void TFormSettemezzo::BtnPunteggiClick()
{
    ScriviPunteggi();
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiSettemezzo);
    ApriFinestra(FinestraPunteggi);
}

void TFormSettemezzo::Ridisegna() { DisegnaTavolo(); }

void TFormSettemezzo::AggiornaTavolo() { Regole.AggiornaTavolo(); }

// ---------------------------------------------------------------- drawing

void TFormSettemezzo::AggiornaPulsanti()
{
    Regole.AggiornaAttivi();
    const bool partita = Regole.TurnoAperto;
    NuovaCarta->setStato(partita && Regole.NuovaCartaAttivo ? 1 : 0);
    Stop->setStato(partita && Regole.StopAttivo ? 1 : 0);
    // Enabled only while a decided deal waits for the next one: once that deal has started
    // the button goes dark at once rather than on the next step.
    NuovoTurno->setStato(Regole.NuovoTurnoAttivo && Regole.FaseTavolo == RegoleSettemezzo::ManoDecisa ? 1 : 0);
}


void TFormSettemezzo::DisegnaTavolo()
{
    auto punteggio = [this](int p, VelImage* cifre[3]) {
        p = std::clamp(p, 0, 99);
        DisegnaCifra(p / 10, cifre[1]);
        DisegnaCifra(p % 10, cifre[2]);
    };
    punteggio(Regole.PunteggioGiocatore, SG);
    punteggio(Regole.PunteggioComputer, SC);
    DisegnaValore(Regole.PuntiManoGiocatore, PG);
    DisegnaValore(Regole.PuntiManoComputer, PC);
    for (VelImage* c : PG) NominaContatore(c, "La tua mano", Regole.PuntiManoGiocatore, ValoreDetto(Regole.PuntiManoGiocatore));
    for (VelImage* c : PC) NominaContatore(c, "Mano del computer", Regole.PuntiManoComputer, ValoreDetto(Regole.PuntiManoComputer));
    for (int i = 1; i <= 2; ++i) {
        NominaContatore(SG[i], "I tuoi punti", Regole.PunteggioGiocatore);
        NominaContatore(SC[i], "Punti del computer", Regole.PunteggioComputer);
    }
    DisegnaCarte();
}

void TFormSettemezzo::DisegnaValore(int v, VelImage* cifre[4])
{
    v = std::clamp(v, 0, 999);
    cifre[0]->setVisible(v >= 100);
    if (v >= 100) DisegnaCifra(v / 100, cifre[0]);
    DisegnaCifra(v % 100 / 10, cifre[1]);
    DisegnaCifra(v % 10, cifre[3]);
    const bool decimi = v % 10 != 0;
    cifre[2]->setVisible(decimi);
    cifre[3]->setVisible(decimi);
}

void TFormSettemezzo::DisegnaCifra(int d, VelImage* img)
{
    VelCarte3->Carta(1, d + 1, img);
}

void TFormSettemezzo::DisegnaCarte()
{
    for (int s = 1; s <= 7; ++s) {
        const std::pair<int, VelImage*> posti[] = {{Regole.CarteComputer[s], ImagePos[s]},
                                                   {Regole.CarteGiocatore[s], ImagePos[7 + s]}};
        for (const auto& [h, img] : posti) {
            // The card of a handle comes from the deal's own copy of the order: another
            // table reshuffling the shared deck must not change the cards shown here.
            const int carta = Regole.Carta(h);
            NominaCarta(img, carta);
            if (carta != 0 && FormConfig) {
                FormConfig->VelCarte1->CartaDalNumero(carta, img);
                img->show();
            } else {
                img->Svuota();
                img->hide();
            }
        }
    }
}
