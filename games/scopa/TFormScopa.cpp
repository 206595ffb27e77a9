#include "games/scopa/TFormScopa.h"
#include "games/scopa/GiocatoriScopa.h"

#include <QGraphicsOpacityEffect>
#include <QFontMetrics>
#include <QShowEvent>
#include <algorithm>
#include <cstdio>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "core/Globali.h"
#include "core/Pausa.h"
#include "games/comune/Accessibilita.h"
#include "games/scopa/TFormAlternative.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"

namespace {
constexpr int PassiVolo = 10;
constexpr unsigned RitardoVolo = 20;
constexpr int PostiTerraDisegnati = 7;
constexpr QPoint PosizioneMazzo{645, 240};
// The felt above the table row and left of the turn picture.
constexpr QSize ZonaScelta{604, 200};

// What a screen reader hears of a move: "Il computer gioca il Re di Spade e prende il Sette
// di Coppe", "Giochi l'Asso di Denari".
// `altro` names the other side ("Il computer", or the other player in a network game).
QString DescriviMossa(const MotoreScopa& m, bool computer, int giocata, const QString& altro)
{
    if (giocata == 0) return {};
    std::vector<int> prese;
    for (int i = 1; i < 10 && m.CarteMossa[i]; ++i) prese.push_back(m.CarteMossa[i]);
    QString t = (computer ? altro + QString(" gioca ") : QString("Giochi ")) + CartaConArticolo(giocata);
    if (!prese.empty()) t += (computer ? QString(" e prende ") : QString(" e prendi ")) + ElencoCarte(prese);
    return t;
}
}  // namespace

TFormScopa::TFormScopa(QWidget* parent) : TFormTavolo(800, 600, parent)
{
    setWindowTitle("Scopa");

    // Sweep cards first, so each side's pile lies over its sideways sweep card.
    ScopaComputer = CreaSlot("ScopaComputer", 416, 32, 120, 80);
    ScopaGiocatore = CreaSlot("ScopaGiocatore", 416, 400, 120, 80);
    CartaCopertaComputer = CreaSlot("CartaCopertaComputer", 488, 16);
    CartaCopertaGiocatore = CreaSlot("CartaCopertaGiocatore", 488, 384);
    for (int i = 1; i <= 3; ++i) {
        CartaComputer[i] = CreaSlot(qPrintable(QString("CartaComputer%1").arg(i)), 24 + 104 * (i - 1), 16);
        CartaGiocatore[i] = CreaSlot(qPrintable(QString("CartaGiocatore%1").arg(i)), 24 + 104 * (i - 1), 384);
        connect(CartaGiocatore[i], &VelImage::DoppioClic, this, [this, i] { CartaGiocatoreDblClick(i); });
    }
    CartaTerra.push_back(nullptr);
    AssicuraPostiTerra(PostiTerraDisegnati);
    Carte = CreaSlot("Carte", PosizioneMazzo.x(), PosizioneMazzo.y());
    CarteRimanenti1 = CreaSlot("CarteRimanenti1", 653, 358, 24, 18);
    CarteRimanenti2 = CreaSlot("CarteRimanenti2", 677, 358, 24, 18);
    Necessaria = CreaSlot("Necessaria", 0, 0);
    Necessaria->hide();

    // The replay of the player's move: a see-through copy of the card and its caption.
    CopiaMossa = CreaSlot("CopiaMossa", 24, 384);
    auto* velo = new QGraphicsOpacityEffect(CopiaMossa);
    velo->setOpacity(0.55);
    CopiaMossa->setGraphicsEffect(velo);
    CopiaMossa->setAttribute(Qt::WA_TransparentForMouseEvents);
    CopiaMossa->hide();
    DidascaliaMossa = CreaEtichetta("DidascaliaMossa", "La tua mossa", 24, 350, 300, 28, 13);
    DidascaliaMossa->setAttribute(Qt::WA_TransparentForMouseEvents);
    DidascaliaMossa->hide();

    auto suono = [this](const char* nome, const char* risorsa) {
        auto* w = new TWave(this);
        w->setObjectName(nome);
        w->CaricaRisorsa(risorsa);
        return w;
    };
    Mescola = suono("Mescola", ":/snd/mescola.wav");
    GiocaCarta = suono("GiocaCarta", ":/snd/giocacarta.wav");
    Scopa = suono("Scopa", ":/snd/scopa.wav");
    Vittoria = suono("Vittoria", ":/snd/vittoria.wav");
    Perdita = suono("Perdita", ":/snd/perdita.wav");

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Timer2 = new QTimer(this);
    Timer2->setInterval(100);
    TimerNuovaPartita = new QTimer(this);
    TimerNuovaPartita->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    connect(TimerNuovaPartita, &QTimer::timeout, this, [this] { TimerNuovaPartitaTimer(); });
    Timer2->start();
    // The turn pictures only show the state; the other two move the game on.
    RegistraTimerGioco(Timer1);
    RegistraTimerGioco(TimerNuovaPartita);
    TimerRete = new QTimer(this);
    TimerRete->setSingleShot(true);
    TimerRete->setInterval(50);
    connect(TimerRete, &QTimer::timeout, this, [this] { FineMossa(fineDalComputer_); });
    RegistraTimerGioco(TimerRete);

    // The result line lies in the gap between the computer's hand and the table row.
    RigaEsito->setGeometry(24, 142, 380, 52);

    // The game's totals lie in the gap between the table row and the player's hand; each
    // side's sweep count under its sweep card.
    EtichettaPartita = CreaEtichetta("EtichettaPartita", QString(), 24, 330, 440, 24, 11);
    EtichettaPartita->hide();
    ContaScopeComputer = CreaEtichetta("ContaScopeComputer", QString(), 416, 114, 72, 20, 10);
    ContaScopeGiocatore = CreaEtichetta("ContaScopeGiocatore", QString(), 416, 482, 72, 20, 10);
    ContaScopeComputer->hide();
    ContaScopeGiocatore->hide();

    // Until the first game starts the table shows only the full deck.
    for (int i = 1; i <= 3; ++i) {
        CartaComputer[i]->hide();
        CartaGiocatore[i]->hide();
    }
    for (std::size_t k = 1; k < CartaTerra.size(); ++k) CartaTerra[k]->hide();
    ScopaComputer->hide();
    ScopaGiocatore->hide();
    CartaCopertaComputer->hide();
    CartaCopertaGiocatore->hide();
    CarteRimanenti1->hide();
    CarteRimanenti2->hide();

    // Keyboard: the hand (keys 1-3), then the table cards for a screen reader to read.
    for (int i = 1; i <= 3; ++i) {
        AggiungiPosto(CartaGiocatore[i], i, QString("La tua mano, carta %1").arg(i));
        CartaComputer[i]->setAccessibleDescription(QString("Mano del computer, carta %1").arg(i));
    }
    for (std::size_t k = 1; k < CartaTerra.size(); ++k)
        AggiungiPosto(CartaTerra[k], PrimoNumeroTavolo + static_cast<int>(k) - 1, QString("In tavola, posto %1").arg(k));
    Carte->setAccessibleDescription("Il mazzo");
    CartaCopertaGiocatore->setAccessibleDescription("Le tue prese");
    PilaConUltimaPresa(CartaCopertaGiocatore, 1);
    PilaConUltimaPresa(CartaCopertaComputer, 2);
    CartaCopertaComputer->setAccessibleDescription("Le prese del computer");
}

// ---------------------------------------------------------------- drawing helpers

void TFormScopa::Faccia(int carta, VelImage* img)
{
    if (FormConfig) FormConfig->VelCarte1->CartaDalNumero(carta, img);
    NominaCarta(img, carta);
}

void TFormScopa::Dorso(VelImage* img)
{
    if (FormConfig) FormConfig->RetroCarte->CartaDalNumero(Retro, img);
    NominaCarta(img, CartaCoperta);
}

void TFormScopa::Vola(VelImage* img, int x, int y)
{
    img->raise();
    img->MuoviCarta(x, y, PassiVolo, RitardoVolo, this);
}

QPoint TFormScopa::PosizioneTerra(int k, int n)
{
    if (n <= PostiTerraDisegnati) return {8 + 80 * (k - 1), 200};
    // More cards than designed places: fan them over the same row, each still showing its
    // left edge with the corner of the face.
    const int passo = (488 - 8) / (n - 1);
    return {8 + passo * (k - 1), 200};
}

void TFormScopa::AssicuraPostiTerra(int n)
{
    while (static_cast<int>(CartaTerra.size()) <= n) {
        const int k = static_cast<int>(CartaTerra.size());
        const QPoint p = PosizioneTerra(k, std::max(k, PostiTerraDisegnati));
        auto* img = CreaSlot(qPrintable(QString("CartaTerra%1").arg(k)), p.x(), p.y());
        img->hide();
        CartaTerra.push_back(img);
    }
}

int TFormScopa::PostiTerraInUso() const
{
    int ultimo = 0;
    for (int k = 1; k <= MotoreScopa::MassimoPostiTavolo; ++k)
        if (Motore.Tavolo[k] != 0) ultimo = k;
    return std::max(ultimo, PostiTerraDisegnati);
}

// ---------------------------------------------------------------- handlers


void TFormScopa::FormShow()
{
    // The advertisement panel will hook in here; for now the table only reseeds.
    Motore.Generatore().SemeDallOrologio();
    if (!ManoIniziata) Dorso(Carte);
}

void TFormScopa::Timer2Timer()
{
    // Before the first hand and after a finished game neither turn picture shows.
    const int turno = (ManoIniziata && !PartitaFinita) ? Motore.Turno : 0;
    if (turno == TurnoMostrato) return;
    TurnoMostrato = turno;
    if (turno == 0)
        NascondiTurno();
    else
        MostraTurno(TurnoMostrato);
}

void TFormScopa::TimerNuovaPartitaTimer()
{
    TimerNuovaPartita->stop();
    if (PartitaFinita) return;
    // A network hand is dealt as the referee dealt it, once its state has come.
    if (Avversario && !Avversario->Pronto()) {
        TimerNuovaPartita->start();
        return;
    }
    // The last hand's result stays on the felt over the new deal until the player plays.
    const QString esito = TestoEsito();
    NuovaPartitaClick();
    if (!esito.isEmpty()) MostraEsito(esito, 0);
}

void TFormScopa::NuovaPartitaClick()
{
    // A hand started by hand must not be followed by an automatic one a second later.
    TimerNuovaPartita->stop();
    if (PartitaFinita) {
        // A network match counts as played once it has been played out.
        if (!Avversario) RegistraPartitaGiocata(FileScopa);
        PuntiPartitaGiocatore = PuntiPartitaComputer = 0;
        PartitaFinita = false;
        RisultatoRegistrato = false;
    }
    ManoIniziata = true;
    ManoFinita = false;
    Suggerimento->hide();
    NascondiEsito();
    if (FormConfig) {
        const int bordo = FormConfig->VelCarte1->BordoCartaNumero();
        FormConfig->RetroCarte->setBordoCartaNumero(bordo);
        ColoraPanel(ColorePanelPerBordo(bordo));
    }
    Suona(Mescola);
    for (int i = 1; i <= 3; ++i) {
        CartaComputer[i]->show();
        CartaGiocatore[i]->show();
    }
    for (std::size_t k = 1; k < CartaTerra.size(); ++k) CartaTerra[k]->setVisible(k <= 4);
    ScopaComputer->hide();
    ScopaGiocatore->hide();
    CartaCopertaComputer->hide();
    CartaCopertaGiocatore->hide();

    DimenticaPrese();
    PrimoDiMano = PrimoDiMano == 1 ? 2 : 1;
    Motore.NuovaMano(PrimoDiMano);
    if (Avversario && !Avversario->Scopri(Motore)) {
        PartitaRetePersa();
        return;
    }
    MostraPartita();
    Timer2Timer();
    Traccia.NuovaMano();
    AnimaDistribuzione(true);
    Timer1->start();
}

void TFormScopa::CartaGiocatoreDblClick(int s)
{
    if (s < 1 || s > 3) return;
    // No game in progress (before the first one, or after a finished one): nothing to play.
    if (!ManoIniziata || PartitaFinita || MossaInSospeso()) return;
    if (Motore.Turno == 1 && Motore.ManoGiocatore[s] != 0) NascondiEsito();
    CartaScelta = s;
    TavoloPrima.assign(Motore.Tavolo, Motore.Tavolo + MotoreScopa::MassimoPostiTavolo + 1);
    cartaGiocata_ = Motore.ManoGiocatore[s];

    Traccia.PrimaDellaMossa(Motore);
    const int r = Motore.GiocaCarta(s);
    Suona(GiocaCarta);
    // Refused (not the player's turn, or an empty slot): nothing changes and nothing moves.
    if (r == 0) {
        if (Motore.Turno != 1) AnnunciaRifiuto(QString::fromUtf8("Non è il tuo turno"));
        return;
    }
    if (r >= 2) {
        AlternativaScelta = 0;
        NumeroAlternative = r;
        std::vector<std::vector<int>> alternative;
        for (int k = 0; k < r; ++k) {
            int carte[MotoreScopa::MassimaPresa] = {};
            const int n = Motore.CarteDellaPresa(k, carte);
            alternative.emplace_back(carte, carte + n);
        }
        // The dialog stands over the computer's side of the felt, above the table row: the
        // card being played, the table, the name and the turn picture stay in view.
        const QRect sopra(Panel1->mapToGlobal(QPoint(0, 0)), QSize(ZonaScelta.width(), ZonaScelta.height()));
        // The table cards of the alternative shown are lit on the felt while it shows.
        if (FormAlternative) FormAlternative->AlMostrare = [this](int k) { IlluminaPresa(k); };
        AlternativaScelta = FormAlternative ? FormAlternative->Scegli(alternative, cartaGiocata_, sopra) : 0;
        Motore.EseguiPresa(s, AlternativaScelta);
    }
    if (Avversario) {
        // The move goes to the referee: the card and the table places it emptied.
        MossaScopa m;
        m.Slot = s;
        for (int p = 1; p < static_cast<int>(TavoloPrima.size()) && m.NumeroPosti < MotoreScopa::MassimaPresa; ++p)
            if (TavoloPrima[p] && !Motore.Tavolo[p]) m.Posti[m.NumeroPosti++] = p;
        Avversario->MossaLocale(m);
    }
    // While the card flies the turn picture already shows the side that moves next.
    Timer2Timer();
    Traccia.Mossa(Motore, 1);
    AnimaMossa(false);
    RicordaMossa(1);
    Annuncia(DescriviMossa(Motore, false, Motore.CarteMossa[0] ? Motore.CarteMossa[0] : cartaGiocata_, SoggettoAltro()));
    Ridisegna();
    if (FormConfig && FormConfig->CBMessaggi->isChecked()) {
        RipetiMossaGiocatore();
        Pausa(100);
    }
    FineMossa(false);
    Timer1->start();
}

void TFormScopa::Timer1Timer()
{
    if (ManoFinita) {
        ManoFinita = false;
        Timer1->stop();
        return;
    }
    const bool haCarte = Motore.ManoComputer[1] || Motore.ManoComputer[2] || Motore.ManoComputer[3];
    // With empty hands the hand is over (or being closed): there is nothing to play, and
    // running the end-of-move step again would count the hand twice.
    if (Motore.Turno == 2 && haCarte) {
        TavoloPrima.assign(Motore.Tavolo, Motore.Tavolo + MotoreScopa::MassimoPostiTavolo + 1);
        Traccia.PrimaDellaMossa(Motore);
        if (Avversario) {
            // The other player's move once it has come; the timer asks again until then.
            const auto m = Avversario->MossaAvversario(Motore);
            if (!m) return;
            if (!Motore.GiocaComputer(m->Slot, m->Posti, m->NumeroPosti)) {
                PartitaRetePersa();
                return;
            }
        } else {
            MossaComputerLivello(Motore, LivelloComputer);
        }
        Traccia.Mossa(Motore, 2);
        Suona(GiocaCarta);
        AnimaMossa(true);
        RicordaMossa(2);
        Annuncia(DescriviMossa(Motore, true, Motore.CarteMossa[0], SoggettoAltro()));
        Pausa(100);
        Ridisegna();
        FineMossa(true);
    }
    Timer1->stop();
}

void TFormScopa::FineMossa(bool daComputer)
{
    // In a network game what follows an emptied round (a deal, the count) waits for the
    // referee's state after the move.
    if (Avversario) {
        bool vuote = true;
        for (int i = 1; i <= 3; ++i) vuote = vuote && !Motore.ManoGiocatore[i] && !Motore.ManoComputer[i];
        if (vuote && !Avversario->Pronto()) {
            fineDalComputer_ = daComputer;
            TimerRete->start();
            return;
        }
    }
    const int f = Motore.FineGiro();
    if (f == 1) {
        Motore.Distribuisci(PrimoDiMano);
        if (Avversario && !Avversario->Scopri(Motore)) {
            PartitaRetePersa();
            return;
        }
        Timer2Timer();  // the redeal shows who leads the new round
        AnimaDistribuzione(false);
        Timer1->start();
    } else if (f == 2) {
        if (daComputer) Timer1->stop();
        Motore.ChiudiMano();
        Ridisegna();
        const int esito = Motore.Punteggio(SchedaMano);
        Traccia.Conto(SchedaMano, esito, PuntiPartitaGiocatore + SchedaMano[50], PuntiPartitaComputer + SchedaMano[51]);
        if (esito == 1) Suona(Vittoria);
        if (esito == 2) Suona(Perdita);
        const int puntiMano[2] = {SchedaMano[50], SchedaMano[51]};
        MostraManoEAggiornaPartita();
        QString fine = QString("Mano finita: %1 a %2. Partita: %3 a %4")
                           .arg(puntiMano[0]).arg(puntiMano[1]).arg(PuntiPartitaGiocatore).arg(PuntiPartitaComputer);
        if (PartitaFinita)
            fine += RisultatoVinto ? ". Hai vinto la partita" : ". Hai perso la partita";
        Annuncia(fine);
        Ridisegna();
        ManoFinita = true;
        // After the last hand of a game the next one waits for "Nuova Partita".
        if (!PartitaFinita) TimerNuovaPartita->start();
    }
}

void TFormScopa::BtnPunteggiClick() { MostraManoEAggiornaPartita(); }

QString TFormScopa::TestoFineMano(int puntiGiocatore, int puntiComputer, const QString& altro)
{
    const QString punti = QStringLiteral("%1 a %2").arg(puntiGiocatore).arg(puntiComputer);
    if (puntiGiocatore > puntiComputer) return QStringLiteral("Mano a te, ") + punti;
    if (puntiComputer > puntiGiocatore)
        return (altro.isEmpty() ? QStringLiteral("Mano al computer, ") : QStringLiteral("Mano a %1, ").arg(altro)) + punti;
    return QStringLiteral("Mano pari, ") + punti;
}

QString TFormScopa::TestoFinePartita(bool vinceGiocatore, int puntiGiocatore, int puntiComputer)
{
    return QStringLiteral("Hai %1 la partita %2 a %3")
        .arg(vinceGiocatore ? QStringLiteral("vinto") : QStringLiteral("perso"))
        .arg(puntiGiocatore)
        .arg(puntiComputer);
}

QString TFormScopa::TestoPartita(const QString& nome, int puntiGiocatore, int puntiComputer, const QString& altro)
{
    return QStringLiteral("Partita: %1 %2 \u2013 %3 %4, si vince a 21").arg(nome).arg(puntiGiocatore).arg(altro).arg(puntiComputer);
}

QString TFormScopa::TestoScope(int scope) { return QStringLiteral("Scope: %1").arg(scope); }

void TFormScopa::MostraPartita()
{
    if (!ManoIniziata) return;
    // A long name is cut short with an ellipsis, so the totals always show.
    const QString nome = QString::fromStdString(NomeGiocatore);
    const QFontMetrics fm(EtichettaPartita->font());
    const QString altro = NomeAltro();
    const int resto = fm.horizontalAdvance(TestoPartita(QString(), PuntiPartitaGiocatore, PuntiPartitaComputer, altro));
    const QString corto = fm.elidedText(nome, Qt::ElideRight, std::max(40, EtichettaPartita->width() - resto - 4));
    EtichettaPartita->setText(TestoPartita(corto, PuntiPartitaGiocatore, PuntiPartitaComputer, altro));
    EtichettaPartita->setAccessibleName(TestoPartita(nome, PuntiPartitaGiocatore, PuntiPartitaComputer, altro));
    EtichettaPartita->show();
}

void TFormScopa::MostraManoEAggiornaPartita()
{
    // A counted hand (the scores button between hands adds nothing) is told on the felt.
    const bool manoContata = std::any_of(std::begin(SchedaMano), std::end(SchedaMano), [](int v) { return v != 0; });
    // The scores window always shows the last counted hand, also when the button is pressed
    // during the next one.
    if (manoContata) std::copy(std::begin(SchedaMano), std::end(SchedaMano), std::begin(UltimaSchedaMano));
    ScriviSchedaNeiPunteggi();
    if (manoContata) MostraEsito(TestoFineMano(SchedaMano[50], SchedaMano[51], Avversario ? NomeAltro() : QString()), 0);
    PuntiPartitaGiocatore += SchedaMano[50];
    PuntiPartitaComputer += SchedaMano[51];
    MostraPartita();
    if (FormPunteggi) {
        FormPunteggi->Label37->setText(QString::number(PuntiPartitaGiocatore));
        FormPunteggi->Label38->setText(QString::number(PuntiPartitaComputer));
    }
    std::fill(std::begin(SchedaMano), std::end(SchedaMano), 0);

    bool vinceGiocatore = false;
    bool finita = ::PartitaFinita(PuntiPartitaGiocatore, PuntiPartitaComputer, &vinceGiocatore);
    // A network match ends as the referee says (a tie above 20 goes to the host).
    if (Avversario && Avversario->Pronto()) {
        finita = Avversario->Esito() != 0;
        vinceGiocatore = Avversario->Esito() == 1;
    }
    if (finita) {
        RisultatoVinto = vinceGiocatore;
        const bool appenaFinita = !PartitaFinita;
        PartitaFinita = true;
        TimerNuovaPartita->stop();
        NascondiTurno();
        TurnoMostrato = 0;
        if (appenaFinita || manoContata)
            MostraEsito(TestoFinePartita(vinceGiocatore, PuntiPartitaGiocatore, PuntiPartitaComputer), 0);
        // The scores button runs this step again after the game: record the result once.
        if (!RisultatoRegistrato) {
            RisultatoRegistrato = true;
            if (Avversario) RegistraPartitaGiocata(FileScopa);
            if (vinceGiocatore) RegistraVittoria(FileScopa);
        }
    }
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiScopa);
    ApriFinestra(FinestraPunteggi);
}

void TFormScopa::ScriviSchedaNeiPunteggi()
{
    if (!FormPunteggi) return;
    TFormPunteggi* p = FormPunteggi;
    const int* scheda = UltimaSchedaMano;
    auto n = [scheda](int i) { return QString::number(scheda[i]); };
    const std::pair<QLabel*, int> celle[] = {
        {p->Label1, 0},   {p->Label2, 1},   {p->Label3, 2},   {p->Label4, 3},   {p->Label5, 4},
        {p->Label6, 5},   {p->Label7, 6},   {p->Label8, 7},   {p->Label9, 8},   {p->Label10, 31},
        {p->Label11, 32}, {p->Label12, 33}, {p->Label13, 34}, {p->Label14, 35}, {p->Label15, 36},
        {p->Label16, 37}, {p->Label17, 38}, {p->Label18, 39}, {p->Label29, 50}, {p->Label30, 51},
    };
    for (const auto& [etichetta, voce] : celle)
        if (etichetta) etichetta->setText(n(voce));

    auto elenco = [scheda](int da, int a, bool perNumero) {
        QString s;
        char buf[8];
        for (int i = da; i <= a; ++i) {
            if (scheda[i] == 0) continue;
            std::snprintf(buf, sizeof buf, "%02d ", perNumero ? i - da + 1 : scheda[i]);
            s += buf;
        }
        return s;
    };
    if (p->Label25) p->Label25->setText(elenco(11, 20, true));
    if (p->Label26) p->Label26->setText(elenco(21, 30, true));
    if (p->Label27) p->Label27->setText(elenco(41, 44, false));
    if (p->Label28) p->Label28->setText(elenco(45, 48, false));
}

void TFormScopa::RicordaMossa(int lato)
{
    // Only a move that took cards is a capture to be seen again.
    if (Motore.CarteMossa[0] == 0 || Motore.CarteMossa[1] == 0) return;
    std::vector<int> carte;
    for (int i = 0; i < 10 && Motore.CarteMossa[i]; ++i) carte.push_back(Motore.CarteMossa[i]);
    RicordaPresa(lato, std::move(carte));
}

void TFormScopa::IlluminaPresa(int k)
{
    // The places lit before go back to their plain faces first.
    for (int posto : PostiIlluminati)
        if (posto >= 1 && posto < static_cast<int>(CartaTerra.size()) && Motore.Tavolo[posto])
            Faccia(Motore.Tavolo[posto], CartaTerra[posto]);
    PostiIlluminati.clear();
    if (k < 0 || k >= Motore.NumeroPrese) return;
    for (int j = 1; j <= Motore.Prese[k][0]; ++j) {
        const int posto = Motore.Prese[k][j];
        if (posto < 1 || posto >= static_cast<int>(CartaTerra.size()) || !Motore.Tavolo[posto]) continue;
        VelImage* img = CartaTerra[posto];
        Faccia(Motore.Tavolo[posto], img);
        if (!img->HaPicture()) continue;
        SegnaSelezione(img->Canvas(), img->Sagoma());
        img->Ridisegna();
        PostiIlluminati.push_back(posto);
    }
}

// ---------------------------------------------------------------- redraw

void TFormScopa::Ridisegna()
{
    if (!ManoIniziata) return;
    MostraPartita();  // the player's name may have changed
    int stato[21] = {};
    Motore.StatoTavolo(stato);

    for (int i = 1; i <= 3; ++i) {
        const int g = Motore.ManoGiocatore[i];
        CartaGiocatore[i]->setVisible(g != 0);
        if (g) Faccia(g, CartaGiocatore[i]);
        const int c = Motore.ManoComputer[i];
        CartaComputer[i]->setVisible(c != 0);
        if (c) {
            if (CarteComputerScoperte())
                Faccia(c, CartaComputer[i]);
            else
                Dorso(CartaComputer[i]);
        }
    }

    const int n = PostiTerraInUso();
    AssicuraPostiTerra(n);
    for (std::size_t k = 1; k < CartaTerra.size(); ++k) {
        VelImage* img = CartaTerra[k];
        const int carta = static_cast<int>(k) <= n ? Motore.Tavolo[k] : 0;
        img->move(PosizioneTerra(static_cast<int>(k), n));
        img->raise();
        img->setVisible(carta != 0);
        if (carta) Faccia(carta, img);
    }

    CartaCopertaGiocatore->setVisible(stato[16] > 0);
    if (stato[16] > 0) Dorso(CartaCopertaGiocatore);
    CartaCopertaComputer->setVisible(stato[17] > 0);
    if (stato[17] > 0) Dorso(CartaCopertaComputer);

    RidisegnaMazzoEScope();
}

void TFormScopa::RidisegnaMazzoEScope()
{
    int stato[21] = {};
    Motore.StatoTavolo(stato);
    const int r = stato[20];
    CarteRimanenti1->setVisible(r >= 10);
    CarteRimanenti2->show();
    Carte->setVisible(r > 0);
    if (r > 0) Dorso(Carte);
    VelCarte3->Carta(1, r / 10 + 1, CarteRimanenti1);
    VelCarte3->Carta(1, r % 10 + 1, CarteRimanenti2);
    for (VelImage* c : {CarteRimanenti1, CarteRimanenti2}) NominaContatore(c, "Carte rimanenti", r);

    if (Motore.LeggiScopa()) {
        Suona(Scopa);
        Annuncia("Scopa!");
        MostraEsito(QStringLiteral("Scopa!"));
    }
    auto scope = [](QLabel* l, int n) {
        l->setVisible(n > 0);
        l->setText(TestoScope(n));
    };
    scope(ContaScopeGiocatore, stato[14]);
    scope(ContaScopeComputer, stato[15]);

    ScopaGiocatore->setVisible(stato[18] != 0);
    if (stato[18] && FormConfig) FormConfig->VelCarte1->RuotaImmagine(stato[18], ScopaGiocatore);
    ScopaComputer->setVisible(stato[19] != 0);
    if (stato[19] && FormConfig) FormConfig->VelCarte1->RuotaImmagine(stato[19], ScopaComputer);
}

// ---------------------------------------------------------------- animations

void TFormScopa::AnimaDistribuzione(bool nuovaMano)
{
    auto posaDalMazzo = [this](VelImage* img, int carta, bool scoperta, QPoint destinazione) {
        img->move(PosizioneMazzo);
        if (scoperta)
            Faccia(carta, img);
        else
            Dorso(img);
        img->show();
        Vola(img, destinazione.x(), destinazione.y());
    };
    if (nuovaMano) {
        for (int i = 1; i <= 3; ++i) {
            CartaComputer[i]->hide();
            CartaGiocatore[i]->hide();
        }
        for (std::size_t k = 1; k < CartaTerra.size(); ++k) CartaTerra[k]->hide();
    }
    auto manoGiocatore = [&] {
        for (int i = 1; i <= 3; ++i)
            if (Motore.ManoGiocatore[i]) posaDalMazzo(CartaGiocatore[i], Motore.ManoGiocatore[i], true, {24 + 104 * (i - 1), 384});
    };
    auto manoComputer = [&] {
        for (int i = 1; i <= 3; ++i) {
            const int c = Motore.ManoComputer[i];
            if (!c) continue;
            posaDalMazzo(CartaComputer[i], c, false, {24 + 104 * (i - 1), 16});
            if (CarteComputerScoperte()) Faccia(c, CartaComputer[i]);
        }
    };
    if (Motore.Turno == 1) {
        manoGiocatore();
        manoComputer();
    } else {
        manoComputer();
        manoGiocatore();
    }
    if (nuovaMano) {
        for (int k = 1; k <= 4; ++k)
            if (Motore.Tavolo[k]) posaDalMazzo(CartaTerra[k], Motore.Tavolo[k], true, PosizioneTerra(k, PostiTerraDisegnati));
    }
    RidisegnaMazzoEScope();
}

void TFormScopa::AnimaMossa(bool computer)
{
    const int nPrima = [this] {
        int ultimo = PostiTerraDisegnati;
        for (std::size_t k = 1; k < TavoloPrima.size(); ++k)
            if (TavoloPrima[k]) ultimo = std::max(ultimo, static_cast<int>(k));
        return ultimo;
    }();
    AssicuraPostiTerra(nPrima);
    auto postoPrima = [&](int carta) {
        for (int k = 1; k <= nPrima && k < static_cast<int>(TavoloPrima.size()); ++k)
            if (TavoloPrima[k] == carta) return k;
        return 0;
    };
    const int giocata = computer ? Motore.CarteMossa[0] : (Motore.CarteMossa[0] ? Motore.CarteMossa[0] : cartaGiocata_);
    std::vector<int> prese;
    for (int i = 1; i < 10 && Motore.CarteMossa[i]; ++i) prese.push_back(Motore.CarteMossa[i]);
    const int yScostata = computer ? 240 : 160;

    // 1. The captured cards step away from the mover.
    for (int c : prese)
        if (const int k = postoPrima(c); k && CartaTerra[k]->isVisible()) Vola(CartaTerra[k], CartaTerra[k]->x(), yScostata);

    // 2. The played card steps toward the table, then a pause to let the player see it.
    const int slot = computer ? Motore.CartaGiocataComputer : CartaScelta;
    if (slot < 1 || slot > 3 || giocata == 0) return;
    VelImage* mano = computer ? CartaComputer[slot] : CartaGiocatore[slot];
    const QPoint casa(24 + 104 * (slot - 1), computer ? 16 : 384);
    if (computer) Faccia(giocata, mano);
    mano->show();
    Vola(mano, mano->x(), computer ? 56 : 344);
    Pausa(1000);

    // 3. It travels onto each captured card in turn, which disappears when reached.
    for (int c : prese) {
        if (const int k = postoPrima(c)) {
            Vola(mano, CartaTerra[k]->x(), CartaTerra[k]->y());
            CartaTerra[k]->hide();
        }
    }

    // 4. Onto the mover's pile, or onto the first table place that was free.
    Pausa(100);
    if (!prese.empty()) {
        VelImage* pila = computer ? CartaCopertaComputer : CartaCopertaGiocatore;
        if (!computer) {
            Dorso(pila);
            pila->show();
        }
        Vola(mano, pila->x(), pila->y());
    } else {
        int libero = 1;
        while (libero < static_cast<int>(TavoloPrima.size()) && TavoloPrima[libero] != 0) ++libero;
        const QPoint p = PosizioneTerra(libero, std::max(nPrima, libero));
        Vola(mano, p.x(), p.y());
    }

    // 5. Everything back in place; the redraw that follows shows the new state.
    mano->hide();
    mano->move(casa);
    for (std::size_t k = 1; k < CartaTerra.size(); ++k) CartaTerra[k]->move(CartaTerra[k]->x(), 200);
}

void TFormScopa::RipetiMossaGiocatore()
{
    // Shows the player's move once more over the table as it now is: a translucent copy of
    // the played card flies from its hand place to where it went (the table place it lies on,
    // or the player's pile), under the caption "La tua mossa". Nothing of the game's own
    // pictures moves, so the table never shows a state the game is not in.
    if (CartaScelta < 1 || CartaScelta > 3 || cartaGiocata_ == 0) return;
    QPoint arrivo = CartaCopertaGiocatore->pos();
    for (std::size_t k = 1; k < CartaTerra.size(); ++k)
        if (static_cast<int>(k) <= MotoreScopa::MassimoPostiTavolo && Motore.Tavolo[k] == cartaGiocata_
            && CartaTerra[k]->isVisible())
            arrivo = CartaTerra[k]->pos();
    Faccia(cartaGiocata_, CopiaMossa);
    // The copy is no card of the table: screen readers and the keyboard skip it.
    CopiaMossa->setAccessibleName({});
    CopiaMossa->move(24 + 104 * (CartaScelta - 1), 384);
    inRipetizione_ = true;
    DidascaliaMossa->show();
    DidascaliaMossa->raise();
    CopiaMossa->show();
    CopiaMossa->raise();
    Pausa(300);
    Vola(CopiaMossa, arrivo.x(), arrivo.y());
    Pausa(300);
    CopiaMossa->hide();
    DidascaliaMossa->hide();
    inRipetizione_ = false;
}

// ---------------------------------------------------------------- network game

void TFormScopa::GiocaInRete(std::unique_ptr<AvversarioScopa> a)
{
    Timer1->stop();
    TimerNuovaPartita->stop();
    PartitaFinita = true;
    ManoIniziata = false;
    Avversario = std::move(a);
    AvviaRete(Avversario.get(), [this] { NuovaPartitaClick(); });
}

void TFormScopa::FinePartitaRete()
{
    PartitaFinita = true;
    Timer1->stop();
    TimerNuovaPartita->stop();
    TimerRete->stop();
}


void TFormScopa::MostraNomeAltro()
{
    MostraPartita();
    const bool rete = InRete() != nullptr;
    for (int i = 1; i <= 3; ++i)
        CartaComputer[i]->setAccessibleDescription(rete ? QString("Mano di %1, carta %2").arg(NomeAltro()).arg(i)
                                                        : QString("Mano del computer, carta %1").arg(i));
    CartaCopertaComputer->setAccessibleDescription(rete ? QString("Le prese di %1").arg(NomeAltro()) : QString("Le prese del computer"));
    RilasciaAvversario(Avversario);
}
