#include "games/rubamazzo/TFormRubamazzo.h"
#include "games/rubamazzo/GiocatoriRubamazzo.h"

#include <QPainter>
#include <QShowEvent>
#include <algorithm>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "core/Pausa.h"
#include "games/comune/Accessibilita.h"
#include "games/comune/FocusTastiera.h"
#include "games/scopa/TFormScopa.h"
#include "resources/Risorse.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"

namespace {
constexpr int PassiVolo = 10;
constexpr unsigned RitardoVolo = 20;
constexpr int UltimoPostoFisso = RegoleRubamazzo::PrimoPostoTavolo + RegoleRubamazzo::PostiSulTavolo - 1;
// Table row: the x of place 7 and of place 13 in the seven-place row, and the common y.
constexpr int XPrimoTavolo = 8, XUltimoTavolo = 536, PassoTavolo = 88, YTavolo = 200;

StatoMazzo& MazzoCondiviso(StatoMazzo& riserva)
{
    return FormConfig ? FormConfig->VelCarte1->Stato() : riserva;
}

TWave* SuonoScopa(TWave* TFormScopa::*suono)
{
    return FormScopa ? FormScopa->*suono : nullptr;
}

}  // namespace

TFormRubamazzo::TFormRubamazzo(QWidget* parent)
    : TFormTavolo(800, 600, parent), Regole(MazzoCondiviso(mazzoRiserva_))
{
    setWindowTitle("Rubamazzo");

    ImagePos.push_back(nullptr);
    AssicuraPosti(UltimoPostoFisso);
    connect(ImagePos[4], &VelImage::DoppioClic, this, [this] { ImagePos4DblClick(); });
    connect(ImagePos[5], &VelImage::DoppioClic, this, [this] { ImagePos5DblClick(); });
    connect(ImagePos[6], &VelImage::DoppioClic, this, [this] { ImagePos6DblClick(); });

    CarteComputer = CreaSlot("CarteComputer", 392, 32);
    CarteGiocatore = CreaSlot("CarteGiocatore", 392, 366);
    connect(CarteComputer, &VelImage::DoppioClic, this, [this] { CarteComputerDblClick(); });

    PC1 = CreaSlot("PC1", 397, 6, 24, 18);
    PC2 = CreaSlot("PC2", 421, 6, 24, 18);
    PG1 = CreaSlot("PG1", 397, 494, 24, 18);
    PG2 = CreaSlot("PG2", 421, 494, 24, 18);
    Label1 = CreaEtichetta("Label1", "Computer", 448, 6, 150, 22, 12);
    NomeGiocat->setGeometry(448, 488, 150, 22);
    Label2 = CreaEtichetta("Label2", "Carte Rimanenti", 597, 328, 160, 22, 11);
    CarteRimanenti1 = CreaSlot("CarteRimanenti1", 653, 358, 24, 18);
    CarteRimanenti2 = CreaSlot("CarteRimanenti2", 677, 358, 24, 18);
    // The counters mean nothing until a game is dealt.
    for (VelImage* c : {PC1, PC2, PG1, PG2, CarteRimanenti1, CarteRimanenti2}) c->hide();

    BtnOk = CreaBottone("BtnOk", "ok", 104, 347);
    connect(BtnOk, &VelmoBottone::Click, this, [this] { BtnOkClick(); });
    BtnOk->hide();

    // The result line lies between the computer's hand and the table row.
    RigaEsito->setGeometry(16, 142, 368, 52);

    Timer3 = new QTimer(this);
    Timer3->setInterval(1000);
    connect(Timer3, &QTimer::timeout, this, [this] { Timer3Timer(); });
    RegistraTimerGioco(Timer3);

    Regole.RidisegnaPosti = [this] { RidisegnaPosti(); };
    Regole.EvidenziaPosto = [this](int k) { Evidenzia(k); };

    // Keyboard: the hand (keys 1-3) as the double-click selects, then the computer's pile
    // (R steals it) and OK (O confirms), then the table places for a screen reader to read.
    for (int k = 4; k <= 6; ++k) AggiungiPosto(ImagePos[k], k - 3, QString("La tua mano, carta %1").arg(k - 3));
    AggiungiPosto(CarteComputer, 0, "Il mazzetto del computer: R per rubarlo");
    AggiungiPosto(BtnOk, 0, "Conferma la carta scelta: tasto O");
    for (int k = RegoleRubamazzo::PrimoPostoTavolo; k <= UltimoPostoFisso; ++k)
        AggiungiPosto(ImagePos[k], PrimoNumeroTavolo + k - RegoleRubamazzo::PrimoPostoTavolo,
                      QString("In tavola, posto %1").arg(k - RegoleRubamazzo::PrimoPostoTavolo + 1));
    for (int k = 1; k <= 3; ++k) ImagePos[k]->setAccessibleDescription(QString("Mano del computer, carta %1").arg(k));
    CarteGiocatore->setAccessibleDescription("Il tuo mazzetto");
    PilaConUltimaPresa(CarteGiocatore, 1);
    PilaConUltimaPresa(CarteComputer, 2);
    AggiungiTasto(Qt::Key_R, [this] { FocusTastiera::AttivaControllo(CarteComputer); });
    AggiungiTasto(Qt::Key_O, [this] { Premi(BtnOk); });
}

// ---------------------------------------------------------------- places and drawing

QPoint TFormRubamazzo::PosizionePosto(int k, int n)
{
    if (k >= 1 && k <= 3) return {16 + 120 * (k - 1), 8};
    if (k >= 4 && k <= 6) return {16 + 120 * (k - 4), 392};
    const int primo = RegoleRubamazzo::PrimoPostoTavolo;
    if (n <= UltimoPostoFisso) return {XPrimoTavolo + PassoTavolo * (k - primo), YTavolo};
    // More cards than the row's seven places: a closer fan over the same row, so every card
    // still shows the left part of its face.
    const int passo = (XUltimoTavolo - XPrimoTavolo) / (n - primo);
    return {XPrimoTavolo + passo * (k - primo), YTavolo};
}

int TFormRubamazzo::PostiInUso() const { return std::max(Regole.NumeroPosti(), UltimoPostoFisso); }

void TFormRubamazzo::AssicuraPosti(int n)
{
    n = std::min(n, static_cast<int>(RegoleRubamazzo::UltimoPostoTavolo));
    while (static_cast<int>(ImagePos.size()) <= n) {
        const int k = static_cast<int>(ImagePos.size());
        const QPoint p = PosizionePosto(k, std::max(k, UltimoPostoFisso));
        ImagePos.push_back(CreaSlot(qPrintable(QString("ImagePos%1").arg(k)), p.x(), p.y()));
    }
}

void TFormRubamazzo::DisponiPosti()
{
    const int n = PostiInUso();
    AssicuraPosti(n);
    for (int k = 1; k < static_cast<int>(ImagePos.size()); ++k) {
        ImagePos[k]->move(PosizionePosto(k, n));
        if (k < RegoleRubamazzo::PrimoPostoTavolo) continue;
        // Left to right, each card over the one before: the fan shows every corner.
        ImagePos[k]->raise();
        ImagePos[k]->setVisible(k <= n);
    }
}

void TFormRubamazzo::Faccia(int h, VelImage* img)
{
    if (!img) return;
    // By card number, read from the game's own copy of the deck order: another table
    // reshuffling the shared deck must not change the cards shown here.
    const int carta = Regole.Carta(h);
    if (carta == 0 || !FormConfig)
        img->Svuota();
    else
        FormConfig->VelCarte1->CartaDalNumero(carta, img);
    NominaCarta(img, carta);
}

void TFormRubamazzo::Dorso(VelImage* img)
{
    if (FormConfig && img) FormConfig->RetroCarte->CartaDalNumero(Retro, img);
    NominaCarta(img, CartaCoperta);
}

void TFormRubamazzo::DisegnaPosto(int k)
{
    if (k < 1 || k >= static_cast<int>(ImagePos.size())) return;
    const int h = Regole.Posti[k];
    if (h == 0)
        ImagePos[k]->Svuota();
    else if (k <= 3 && !CarteComputerScoperte())
        Dorso(ImagePos[k]);
    else
        Faccia(h, ImagePos[k]);
}

void TFormRubamazzo::Ridisegna()
{
    if (!PartitaIniziata) return;
    // A new deck, back or face-up choice: every place anew, the player's selection and the
    // capture it would make still marked.
    RidisegnaPosti();
    // OK shows while a chosen card waits for confirmation (the table itself may be hidden
    // behind the configuration window).
    if (!BtnOk->isHidden()) {
        if (Regole.Selezionato >= 4 && Regole.Selezionato <= 6) Evidenzia(Regole.Selezionato);
        for (int k = RegoleRubamazzo::PrimoPostoTavolo; k < static_cast<int>(ImagePos.size()); ++k)
            if (Regole.Evidenziati[k]) Evidenzia(k);
    }
    MostraPila(1);
    MostraPila(2);
}

void TFormRubamazzo::RidisegnaPosti()
{
    DisponiPosti();
    for (int k = 1; k < static_cast<int>(ImagePos.size()); ++k) DisegnaPosto(k);
}

void TFormRubamazzo::Evidenzia(int k)
{
    AssicuraPosti(k);
    if (k < 1 || k >= static_cast<int>(ImagePos.size()) || !FormConfig) return;
    // Face up, also a computer's card: it is the one being played. A gold rim round the
    // card makes the choice plain on the green felt; the face keeps its own colours.
    VelImage* img = ImagePos[k];
    FormConfig->VelCarte1->CartaDalNumero(Regole.Carta(Regole.Posti[k]), img);
    if (!img->HaPicture()) return;
    SegnaSelezione(img->Canvas(), img->Sagoma());
    img->Ridisegna();
}

void TFormRubamazzo::MostraPila(int lato)
{
    VelImage* img = lato == 1 ? CarteGiocatore : CarteComputer;
    int cima = lato == 1 ? Regole.CimaGiocatore : Regole.CimaComputer;
    // At the end a pile emptied by a steal may still receive the table: show the card that
    // arrived last, so those cards do not vanish into an empty place.
    const int n = lato == 1 ? Regole.PilaGiocatore() : Regole.PilaComputer();
    if (cima == 0 && n > 0) cima = lato == 1 ? Regole.PreseGiocatore[n] : Regole.PreseComputer[n];
    Faccia(cima, img);
}

void TFormRubamazzo::CifreIn(int n, VelImage* decine, VelImage* unita)
{
    n = std::clamp(n, 0, 99);
    VelCarte3->Carta(1, n / 10 + 1, decine);
    VelCarte3->Carta(1, n % 10 + 1, unita);
    decine->show();
    unita->show();
}

void TFormRubamazzo::MostraContatori()
{
    CifreIn(Regole.CarteDaDistribuire(), CarteRimanenti1, CarteRimanenti2);
    CifreIn(Regole.PilaGiocatore(), PG1, PG2);
    CifreIn(Regole.PilaComputer(), PC1, PC2);
    for (VelImage* c : {CarteRimanenti1, CarteRimanenti2}) NominaContatore(c, "Carte rimanenti", Regole.CarteDaDistribuire());
    for (VelImage* c : {PG1, PG2}) NominaContatore(c, "Carte nel tuo mazzetto", Regole.PilaGiocatore());
    for (VelImage* c : {PC1, PC2}) NominaContatore(c, "Carte nel mazzetto del computer", Regole.PilaComputer());
}


void TFormRubamazzo::Vola(VelImage* img, QPoint verso)
{
    img->raise();
    img->MuoviCarta(verso.x(), verso.y(), PassiVolo, RitardoVolo, this);
}

void TFormRubamazzo::TornaACasa(int k)
{
    if (k < 1 || k >= static_cast<int>(ImagePos.size())) return;
    ImagePos[k]->Svuota();
    ImagePos[k]->move(PosizionePosto(k, PostiInUso()));
}

// ---------------------------------------------------------------- handlers


void TFormRubamazzo::FormShow()
{
    // The advertisement panel hooks in here; for now the table only reseeds the deck.
    Regole.Mazzo().Generatore().SemeDallOrologio();
}

void TFormRubamazzo::NuovaPartitaClick()
{
    NascondiEsito();
    // A network game counts as played once it has been played out.
    if (!Avversario) RegistraPartitaGiocata(FileRubaMazzo);
    Suona(SuonoScopa(&TFormScopa::Mescola));
    BtnOk->hide();

    Regole.NuovaPartita();
    if (Avversario && !Avversario->Scopri(Regole)) {
        PartitaRetePersa();
        return;
    }
    DimenticaPrese();
    Traccia.NuovaPartita();
    PartitaIniziata = true;
    RisultatoRegistrato = false;
    Suggerimento->hide();
    for (int k = 1; k < static_cast<int>(ImagePos.size()); ++k) ImagePos[k]->Svuota();
    CarteComputer->Svuota();
    CarteGiocatore->Svuota();
    // The table places at their row, the hands at home; no card flies in the deal.
    RidisegnaPosti();

    MostraTurno(Regole.Turno, false);
    MostraContatori();
    Timer3->start();
}

void TFormRubamazzo::ImagePosDblClick(int k)
{
    if (k < 4 || k > 6 || !InGioco() || Regole.Turno != 1) return;
    if (Regole.SelezionaCarta(k) < 0) return;  // an empty place
    for (int j = 4; j <= 6; ++j) SegnaSelezionata(ImagePos[j], j == k);
    Annuncia(NomeCartaParlato(Regole.Carta(Regole.Posti[k])) + QStringLiteral(" selezionata"));
    NascondiEsito();
    BtnOk->show();
    BtnOk->raise();
}

void TFormRubamazzo::AnimaMossa(const RegoleRubamazzo::Mossa& m)
{
    if (m.Posto < 1 || m.Posto > 6) return;
    for (int j = 4; j <= 6; ++j) SegnaSelezionata(ImagePos[j], false);
    {
        // What a screen reader hears of the move.
        const bool computer = m.Lato == 2;
        const QString carta = CartaConArticolo(Regole.Carta(m.Carta));
        QString t;
        if (m.Tipo == RegoleRubamazzo::Presa) {
            std::vector<int> prese;
            for (int i = 0; i < m.NumeroPresi; ++i) prese.push_back(Regole.Carta(m.CartePresi[i]));
            t = (computer ? SoggettoAltro() + " gioca " : QString("Giochi ")) + carta + (computer ? " e prende " : " e prendi ")
                + ElencoCarte(prese);
        } else if (m.Tipo == RegoleRubamazzo::Posa) {
            t = (computer ? SoggettoAltro() + " posa " : QString("Posi ")) + carta;
        } else if (m.Tipo == RegoleRubamazzo::Furto) {
            t = (computer ? SoggettoAltro() + QString(" ti ruba il mazzetto con ")
                          : InRete() ? QString("Rubi il mazzetto di %1 con ").arg(NomeAltro()) : QString("Rubi il mazzetto del computer con "))
                + carta + QString(": %1 carte").arg(m.CartePrese);
        }
        Annuncia(t);
    }
    VelImage* carta = ImagePos[m.Posto];
    // The computer's card is played face up: it flies showing its face, also when its hand
    // lies face down (a capture's card is shown already, highlighted).
    if (m.Lato == 2 && (m.Tipo == RegoleRubamazzo::Posa || m.Tipo == RegoleRubamazzo::Furto)) Faccia(m.Carta, carta);
    VelImage* propria = m.Lato == 1 ? CarteGiocatore : CarteComputer;
    VelImage* altrui = m.Lato == 1 ? CarteComputer : CarteGiocatore;
    switch (m.Tipo) {
    case RegoleRubamazzo::Presa:
        // Onto each captured card in the order of the places, which is taken up as the card
        // reaches it, then onto the mover's pile.
        for (int i = 0; i < m.NumeroPresi; ++i) {
            VelImage* presa = ImagePos[m.PostiPresi[i]];
            Vola(carta, {presa->x(), YTavolo});
            presa->Svuota();
        }
        Vola(carta, propria->pos());
        MostraPila(m.Lato);
        {
            std::vector<int> presa{Regole.Carta(m.Carta)};
            for (int i = 0; i < m.NumeroPresi; ++i) presa.push_back(Regole.Carta(m.CartePresi[i]));
            RicordaPresa(m.Lato, std::move(presa));
        }
        break;
    case RegoleRubamazzo::Posa: {
        // A place beyond the seven-place row reshapes the row first, so the card lands where
        // it will stay.
        DisponiPosti();
        if (m.Destinazione < 1 || m.Destinazione >= static_cast<int>(ImagePos.size())) break;
        VelImage* dove = ImagePos[m.Destinazione];
        Vola(carta, dove->pos());
        Faccia(m.Carta, dove);
        dove->raise();
        break;
    }
    case RegoleRubamazzo::Furto:
        // The card takes up the other pile, then lands on its own with it.
        Vola(carta, altrui->pos());
        altrui->Svuota();
        Vola(carta, propria->pos());
        MostraPila(m.Lato);
        break;
    default:
        return;
    }
    TornaACasa(m.Posto);
    DisponiPosti();
}

void TFormRubamazzo::BtnOkClick()
{
    if (MossaInSospeso()) return;
    if (!InGioco() || Regole.Turno != 1) {
        BtnOk->hide();
        return;
    }
    Traccia.PrimaDellaMossa(Regole);
    if (Regole.ConfermaGiocatore() == RegoleRubamazzo::Nessuna) {
        BtnOk->hide();  // nothing selected
        return;
    }
    if (Avversario) Avversario->MossaLocale(MossaRubamazzo{Regole.UltimaMossa.Posto - 3, false});
    Traccia.Mossa(Regole, 1);
    Suona(SuonoScopa(&TFormScopa::GiocaCarta));
    MostraTurno(2, false);  // the computer answers next, while the card flies
    AnimaMossa(Regole.UltimaMossa);
    DopoMossaGiocatore();
}

QString TFormRubamazzo::TestoFurtoRifiutato(int numeroInCima)
{
    if (numeroInCima < 1 || numeroInCima > 10) return QStringLiteral("Il computer non ha un mazzetto da rubare");
    static const char* const nomi[11] = {"", "l'Asso", "il 2", "il 3", "il 4", "il 5", "il 6", "il 7",
                                         "il Fante", "il Cavallo", "il Re"};
    return QStringLiteral("Per rubare serve una carta come quella in cima: ") + QString::fromUtf8(nomi[numeroInCima]);
}

void TFormRubamazzo::CarteComputerDblClick()
{
    if (!InGioco() || MossaInSospeso()) return;
    if (!Regole.FurtoPossibile()) {
        // On the player's turn a refused steal says what it would take.
        if (Regole.Turno == 1) {
            const bool pila = Regole.CimaComputer != 0 && Regole.PilaComputer() > 0;
            MostraEsito(TestoFurtoRifiutato(pila ? Regole.Numero(Regole.CimaComputer) : 0));
        }
        return;
    }
    NascondiEsito();
    // A card selected before the steal is not confirmed any more: OK goes before anything flies.
    BtnOk->hide();
    Suona(SuonoScopa(&TFormScopa::Scopa));
    Traccia.PrimaDellaMossa(Regole);
    Regole.RubaGiocatore();
    if (Avversario) Avversario->MossaLocale(MossaRubamazzo{Regole.UltimaMossa.Posto - 3, true});
    MostraTurno(2, false);
    Traccia.Mossa(Regole, 1);
    AnimaMossa(Regole.UltimaMossa);
    MostraEsito(QStringLiteral("Hai rubato il mazzo!"));
    // The selection may have marked table cards too; they stay where they are, plain.
    for (int k = RegoleRubamazzo::PrimoPostoTavolo; k < static_cast<int>(ImagePos.size()); ++k) DisegnaPosto(k);
    DopoMossaGiocatore();
}

void TFormRubamazzo::DopoMossaGiocatore()
{
    BtnOk->hide();
    MostraTurno(2, false);
    MostraContatori();
    MossaComputer(500);
}

void TFormRubamazzo::MossaComputer(unsigned attesa)
{
    if (Avversario) attesa = 0;  // the other player takes its own time
    if (!(InGioco() && Regole.Turno == 2) && attesa) Pausa(attesa);
    if (InGioco() && Regole.Turno == 2) {
        // A capture shows its card and the captured ones highlighted through the rules'
        // selection, before anything flies.
        Traccia.PrimaDellaMossa(Regole);
        int tipo = RegoleRubamazzo::Nessuna;
        if (Avversario) {
            // The other player's move once it has come; the table timer asks again until then.
            const auto m = Avversario->MossaAvversario(Regole);
            if (!m) {
                MostraTurno(2, false);
                return;
            }
            tipo = Regole.GiocaComputer(m->Slot, m->Ruba);
            if (tipo == RegoleRubamazzo::Nessuna) {
                PartitaRetePersa();
                return;
            }
        } else {
            tipo = MossaComputerLivello(Regole, LivelloComputer, attesa);
        }
        if (tipo != RegoleRubamazzo::Nessuna) Traccia.Mossa(Regole, 2);
        AnimaMossa(Regole.UltimaMossa);
        if (tipo == RegoleRubamazzo::Furto) {
            Suona(SuonoScopa(&TFormScopa::Scopa));
            MostraEsito(Avversario ? QStringLiteral("%1 ti ha rubato il mazzo!").arg(NomeAltro())
                                   : QStringLiteral("Il computer ti ha rubato il mazzo!"));
        }
    }
    BtnOk->hide();
    MostraContatori();
    MostraTurno(1, false);
}

void TFormRubamazzo::Timer3Timer()
{
    // Nothing to deal before the first game or after the end.
    if (!InGioco()) {
        Timer3->stop();
        return;
    }
    if (Avversario) {
        // The other player's move, when it is its turn and it has come.
        if (Regole.Turno == 2 && !Regole.DistribuzioneDovuta() && !Regole.FineDovuta()) {
            MossaComputer(0);
            return;
        }
        // A deal shows the referee's cards, and the end comes with its last state.
        if ((Regole.DistribuzioneDovuta() || Regole.FineDovuta()) && !Avversario->Pronto()) return;
    }
    const int passo = Regole.PassoTimer();
    if (passo == 1 && Avversario && !Avversario->Scopri(Regole)) {
        PartitaRetePersa();
        return;
    }
    if (passo == 1) {
        MostraContatori();
        RidisegnaPosti();
    } else if (passo == 2) {
        FinePartita();
    }
}

void TFormRubamazzo::FinePartita()
{
    Timer3->stop();
    BtnOk->hide();
    const RegoleRubamazzo::Mossa m = Regole.UltimaMossa;
    if (m.Tipo == RegoleRubamazzo::FineTavolo) {
        VelImage* pila = m.Lato == 1 ? CarteGiocatore : CarteComputer;
        for (int i = 0; i < m.NumeroPresi; ++i) {
            const int k = m.PostiPresi[i];
            if (k >= static_cast<int>(ImagePos.size())) continue;
            Vola(ImagePos[k], pila->pos());
            TornaACasa(k);
        }
        MostraPila(m.Lato);
        DisponiPosti();
    }
    MostraContatori();
    NascondiTurno();
    MostraEsito(TestoFinePartita(Regole.Risultato, Regole.PilaGiocatore(), Regole.PilaComputer()), 0);

    ScriviPunteggi();
    if (RisultatoRegistrato) return;
    RisultatoRegistrato = true;
    Traccia.Risultato(Regole);
    if (Avversario) RegistraPartitaGiocata(FileRubaMazzo);
    Annuncia((Regole.Risultato == 1 ? QString("Hai vinto la partita") : Regole.Risultato == 0 ? QString("Partita pari")
                                                                                             : QString("Hai perso la partita"))
             + QString(": %1 carte a %2").arg(Regole.PilaGiocatore()).arg(Regole.PilaComputer()));
    if (Regole.Risultato == 0) RegistraPareggio(FileRubaMazzo);
    if (Regole.Risultato == 1) RegistraVittoria(FileRubaMazzo);
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiRubaMazzo);
    // The end of a game sounds whatever the sound setting says.
    if (Regole.Risultato == 1) SuonaSempre(SuonoScopa(&TFormScopa::Vittoria));
    if (Regole.Risultato == 2) SuonaSempre(SuonoScopa(&TFormScopa::Perdita));
    ApriFinestra(FinestraPunteggi);
}

QString TFormRubamazzo::TestoFinePartita(int risultato, int carteGiocatore, int carteComputer)
{
    const QString carte = QStringLiteral("%1 a %2").arg(carteGiocatore).arg(carteComputer);
    if (risultato == 1) return QStringLiteral("Hai vinto la partita ") + carte;
    if (risultato == 2) return QStringLiteral("Hai perso la partita ") + carte;
    return QStringLiteral("Partita pari, ") + carte;
}

void TFormRubamazzo::ScriviPunteggi()
{
    if (!FormPunteggi) return;
    FormPunteggi->PuntiRubaMazzoG->setText(QString::number(Regole.PilaGiocatore()));
    FormPunteggi->PuntiRubaMazzoC->setText(QString::number(Regole.PilaComputer()));
}

void TFormRubamazzo::BtnPunteggiClick()
{
    // The page shows the game on the table: the piles as they stand while it is played.
    if (PartitaIniziata) ScriviPunteggi();
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiRubaMazzo);
    ApriFinestra(FinestraPunteggi);
}

// ---------------------------------------------------------------- network game

void TFormRubamazzo::GiocaInRete(std::unique_ptr<AvversarioRubamazzo> a)
{
    Timer3->stop();
    PartitaIniziata = false;
    Avversario = std::move(a);
    AvviaRete(Avversario.get(), [this] { NuovaPartitaClick(); });
}

void TFormRubamazzo::FinePartitaRete()
{
    PartitaIniziata = false;
    Timer3->stop();
    BtnOk->hide();
}


void TFormRubamazzo::MostraNomeAltro()
{
    Label1->setText(NomeAltro());
    const bool rete = InRete() != nullptr;
    for (int k = 1; k <= 3; ++k)
        ImagePos[k]->setAccessibleDescription(rete ? QString("Mano di %1, carta %2").arg(NomeAltro()).arg(k)
                                                   : QString("Mano del computer, carta %1").arg(k));
    CarteComputer->setAccessibleDescription(rete ? QString("Il mazzetto di %1: R per rubarlo").arg(NomeAltro())
                                                 : QString("Il mazzetto del computer: R per rubarlo"));
    RilasciaAvversario(Avversario);
}
