#include "games/briscola/TFormBriscola.h"
#include "games/briscola/GiocatoriBriscola.h"

#include <QShowEvent>
#include <algorithm>

#include "app/Finestre.h"
#include "app/TFormConfig.h"
#include "core/Carte.h"
#include "core/Pausa.h"
#include "games/comune/Accessibilita.h"
#include "games/scopa/TFormScopa.h"
#include "scores/PunteggiFile.h"
#include "scores/TFormPunteggi.h"

namespace {
constexpr int PassiVolo = 10;
constexpr unsigned RitardoVolo = 20;
constexpr int IntervalloTimer = 1500;
constexpr unsigned AttesaComputer = 1200;  // the computer's turn picture shows this long before it plays
// The trump stands upright, centred on the sideways stock, its foot tucked under the stock's
// edge: the stock covers only the felt margin and shadow below the card, so the whole face
// (number and suit) shows while the stock lasts.
constexpr QPoint PosizioneBriscola{338, 134};
constexpr QPoint PosizioneMazzo{320, 232};

// The sounds live in the Scopa window; every table plays them from there.
TWave* SuonoMescola() { return FormScopa ? FormScopa->Mescola : nullptr; }
TWave* SuonoGiocaCarta() { return FormScopa ? FormScopa->GiocaCarta : nullptr; }
TWave* SuonoScopa() { return FormScopa ? FormScopa->Scopa : nullptr; }
TWave* SuonoVittoria() { return FormScopa ? FormScopa->Vittoria : nullptr; }
TWave* SuonoPerdita() { return FormScopa ? FormScopa->Perdita : nullptr; }

StatoMazzo& MazzoCondiviso(StatoMazzo& riserva)
{
    return FormConfig ? FormConfig->VelCarte1->Stato() : riserva;
}

}  // namespace

TFormBriscola::TFormBriscola(QWidget* parent)
    : TFormTavolo(801, 599, parent), Regole(MazzoCondiviso(mazzoProprio_))
{
    setWindowTitle("Briscola");

    // Creation order is stacking order: the hands and the trick lie lowest, then the trump
    // card with the stock lying across its foot, as on a real table (the trump sticks out
    // above the stock), then the piles. Flying cards are raised above everything while they move.
    Image1 = CreaSlot("Image1", 24, 8);
    Image2 = CreaSlot("Image2", 128, 8);
    Image3 = CreaSlot("Image3", 232, 8);
    Image4 = CreaSlot("Image4", 24, 384);
    Image5 = CreaSlot("Image5", 128, 384);
    Image6 = CreaSlot("Image6", 232, 384);
    Image7 = CreaSlot("Image7", PosizionePresaComputer.x(), PosizionePresaComputer.y());
    Image8 = CreaSlot("Image8", PosizionePresaGiocatore.x(), PosizionePresaGiocatore.y());
    Image40 = CreaSlot("Image40", PosizioneBriscola.x(), PosizioneBriscola.y());
    Image39 = CreaSlot("Image39", PosizioneMazzo.x(), PosizioneMazzo.y(), 120, 80);
    Image41 = CreaSlot("Image41", 480, 16);
    Image42 = CreaSlot("Image42", 488, 384);
    connect(Image4, &VelImage::DoppioClic, this, [this] { Image4DblClick(); });
    connect(Image5, &VelImage::DoppioClic, this, [this] { Image5DblClick(); });
    connect(Image6, &VelImage::DoppioClic, this, [this] { Image6DblClick(); });

    // The points sit beside the two names; the name label is moved here from the turn
    // pictures, where the other tables keep it.
    NomeGiocat->setGeometry(568, 320, 140, 24);
    Label1 = CreaEtichetta("Label1", "Computer", 568, 344, 140, 24, 12);
    PG1 = CreaSlot("PG1", 712, 322, 24, 24);
    PG2 = CreaSlot("PG2", 736, 322, 24, 24);
    PC1 = CreaSlot("PC1", 712, 346, 24, 24);
    PC2 = CreaSlot("PC2", 736, 346, 24, 24);
    PG0 = CreaSlot("PG0", 688, 322, 24, 24);
    PC0 = CreaSlot("PC0", 688, 346, 24, 24);
    PG0->hide();
    PC0->hide();

    Label2 = CreaEtichetta("Label2", "Carte Rimanenti", 448, 224, 122, 48, 11);
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    Label2->setWordWrap(true);
    CR1 = CreaSlot("CR1", 485, 278, 24, 24);
    CR2 = CreaSlot("CR2", 509, 278, 24, 24);
    Label2->hide();
    CR1->hide();
    CR2->hide();

    // The trump's suit under the stock; it stays once the trump card has been drawn.
    EtichettaBriscola = new QLabel(Panel1);
    EtichettaBriscola->setObjectName("EtichettaBriscola");
    EtichettaBriscola->setAlignment(Qt::AlignCenter);
    EtichettaBriscola->setGeometry(PosizioneMazzo.x() - 31, PosizioneMazzo.y() + 84, 160, 24);
    QFont fb = EtichettaBriscola->font();
    fb.setPointSize(10);
    fb.setBold(true);
    EtichettaBriscola->setFont(fb);
    EtichettaBriscola->setStyleSheet(StileTarghetta("EtichettaBriscola"));
    EtichettaBriscola->hide();

    // The result line stands right of the stock, above the names: it covers no card.
    RigaEsito->setGeometry(572, 236, 188, 72);
    QFont fe = RigaEsito->font();
    fe.setPointSize(12);
    RigaEsito->setFont(fe);

    Timer1 = new QTimer(this);
    Timer1->setInterval(IntervalloTimer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(IntervalloTimer);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2Timer(); });
    RegistraTimerGioco(Timer1);
    RegistraTimerGioco(Timer2);

    Regole.MostraPunteggio = [this] { MostraPunteggio(); };

    // Keyboard: the three cards of the hand (keys 1-3), then the trick and the trump card
    // for a screen reader to read.
    for (int i = 1; i <= 3; ++i) AggiungiPosto(ManoGiocatoreImg(i), i, QString("La tua mano, carta %1").arg(i));
    AggiungiPosto(Image8, 0, "La tua carta in tavola");
    AggiungiPosto(Image7, 0, "La carta del computer in tavola");
    AggiungiPosto(Image40, 0, "La briscola");
    for (int i = 1; i <= 3; ++i) ManoComputerImg(i)->setAccessibleDescription(QString("Mano del computer, carta %1").arg(i));
    Image39->setAccessibleDescription("Il mazzo");
    Image41->setAccessibleDescription("Le prese del computer");
    Image42->setAccessibleDescription("Le tue prese");
    PilaConUltimaPresa(Image42, 1);
    PilaConUltimaPresa(Image41, 2);
}

VelImage* TFormBriscola::ManoComputerImg(int i) const
{
    switch (i) {
    case 1: return Image1;
    case 2: return Image2;
    case 3: return Image3;
    default: return nullptr;
    }
}

VelImage* TFormBriscola::ManoGiocatoreImg(int i) const
{
    switch (i) {
    case 1: return Image4;
    case 2: return Image5;
    case 3: return Image6;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------- drawing helpers

void TFormBriscola::Faccia(int handle, VelImage* img)
{
    // By the card the game copied at the deal, not by the shared deck's current order:
    // another table may have reshuffled that deck since.
    if (FormConfig) FormConfig->VelCarte1->CartaDalNumero(Regole.Carta(handle), img);
    NominaCarta(img, Regole.Carta(handle));
}

void TFormBriscola::Dorso(VelImage* img)
{
    if (FormConfig) FormConfig->RetroCarte->CartaDalNumero(Retro, img);
    NominaCarta(img, CartaCoperta);
}

void TFormBriscola::DorsoDiTraverso(VelImage* img)
{
    if (!FormConfig) return;
    // The sideways picture is turned from the component's composed card, so the chosen
    // back is composed first.
    VelCarte* retro = FormConfig->RetroCarte;
    retro->CartaDalNumero(Retro, nullptr);
    retro->Disegna();
    retro->RuotaImmagineCompleta(img);
    NominaCarta(img, CartaCoperta);
}

void TFormBriscola::Cifra(int d, VelImage* img)
{
    if (FormConfig) FormConfig->VelCartePunteggi->Carta(1, d + 1, img);
}

void TFormBriscola::Vola(VelImage* img, int x, int y)
{
    img->raise();
    img->MuoviCarta(x, y, PassiVolo, RitardoVolo, this);
    // The flight's truncated steps can stop a pixel short; the card settles on its place
    // so the hands stay aligned game after game.
    img->move(x, y);
}

void TFormBriscola::DisegnaCartaComputer(int i)
{
    VelImage* img = ManoComputerImg(i);
    const int h = Regole.ManoComputer[i];
    img->move(PosizioneManoComputer(i));
    img->show();
    if (h == 0)
        img->Svuota();
    else if (CarteComputerScoperte())
        Faccia(h, img);
    else
        Dorso(img);
}

void TFormBriscola::DisegnaCartaGiocatore(int i)
{
    VelImage* img = ManoGiocatoreImg(i);
    const int h = Regole.ManoGiocatore[i];
    img->move(PosizioneManoGiocatore(i));
    img->show();
    if (h == 0)
        img->Svuota();
    else
        Faccia(h, img);
}


// ---------------------------------------------------------------- points

void TFormBriscola::AggiornaPunteggio() { Regole.AggiornaPunteggio(); }

void TFormBriscola::MostraPunteggio()
{
    if (FormPunteggi) {
        FormPunteggi->PuntiBriscolaGiocatore->setText(QString::number(Regole.PuntiGiocatore));
        FormPunteggi->PuntiBriscolaComputer->setText(QString::number(Regole.PuntiComputer));
    }
    auto punti = [this](int n, VelImage* centinaia, VelImage* decine, VelImage* unita) {
        n = std::clamp(n, 0, 999);
        centinaia->setVisible(n >= 100);
        if (n >= 100) {
            centinaia->raise();
            Cifra(n / 100, centinaia);
        }
        Cifra(n / 10 % 10, decine);
        Cifra(n % 10, unita);
    };
    punti(Regole.PuntiGiocatore, PG0, PG1, PG2);
    punti(Regole.PuntiComputer, PC0, PC1, PC2);
    // Once the stock is spent the count keeps growing past 40; the counter stays at 00.
    const int rimaste = std::clamp(Regole.CarteRimanenti(), 0, 99);
    Cifra(rimaste / 10, CR1);
    Cifra(rimaste % 10, CR2);
    for (VelImage* c : {CR1, CR2}) NominaContatore(c, "Carte rimanenti", rimaste);
    for (VelImage* c : {PG0, PG1, PG2}) NominaContatore(c, "I tuoi punti", Regole.PuntiGiocatore);
    for (VelImage* c : {PC0, PC1, PC2}) NominaContatore(c, "Punti del computer", Regole.PuntiComputer);
}

// ---------------------------------------------------------------- handlers


void TFormBriscola::FormShow()
{
    // The advertisement panel hooks in here; for now the table only reseeds.
    Regole.Mazzo().Generatore().SemeDallOrologio();
    AggiornaPunteggio();
}

void TFormBriscola::BtnPunteggiClick()
{
    if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiBriscola);
    ApriFinestra(FinestraPunteggi);
}

void TFormBriscola::NuovaPartitaClick()
{
    // A trick of the game being replaced must not be resolved into the new one.
    Timer1->stop();
    Timer2->stop();

    // A network game is one game, counted when it has been played out.
    if (!Avversario) RegistraPartitaGiocata(FileBriscola);
    Suona(SuonoMescola());
    Suggerimento->hide();
    NascondiEsito();

    Regole.NuovaPartita();
    // A network game's cards are the ones the referee dealt.
    if (Avversario && !Avversario->Scopri(Regole)) {
        PartitaRetePersa();
        return;
    }
    DimenticaPrese();
    Traccia.NuovaPartita();
    PartitaIniziata = true;
    PartitaInCorso = true;
    RisultatoRegistrato = false;

    // Nothing of the replaced game stays on the felt under the new deal: hands, trick and
    // piles are cleared before the first card flies.
    Image39->hide();
    Image40->hide();
    EtichettaBriscola->hide();
    for (VelImage* img : {Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image41, Image42})
        img->Svuota();
    // The old game's points go too.
    AggiornaPunteggio();
    // Whose turn it is shows with the deal, not only at the first tick.
    MostraTurno(Regole.Turno, false);

    for (int i = 1; i <= 3; ++i) {
        VelImage* img = ManoGiocatoreImg(i);
        img->move(PosizioneBriscola);
        img->show();
        Faccia(Regole.ManoGiocatore[i], img);
        Vola(img, PosizioneManoGiocatore(i));
    }
    AggiornaPunteggio();
    Timer1->start();

    for (int i = 1; i <= 3; ++i) {
        VelImage* img = ManoComputerImg(i);
        img->move(PosizioneBriscola);
        img->show();
        if (CarteComputerScoperte())
            Faccia(Regole.ManoComputer[i], img);
        else
            Dorso(img);
        Vola(img, PosizioneManoComputer(i));
    }

    DorsoDiTraverso(Image39);
    Faccia(Regole.CartaBriscola, Image40);
    Image40->show();
    Image39->show();
    MostraSemeBriscola();
    Label2->show();
    CR1->show();
    CR2->show();
    Annuncia("Nuova partita: la briscola è " + CartaConArticolo(Regole.Carta(Regole.CartaBriscola)));
}

void TFormBriscola::GiocaSlotGiocatore(int k)
{
    if (k < 1 || k > 3 || !PartitaInCorso || MossaInSospeso()) return;
    if (Regole.Turno != 1 || Regole.CarteGiocate >= 2) {
        AnnunciaRifiuto(QString::fromUtf8("Non è il tuo turno"));
        return;
    }
    if (Regole.ManoGiocatore[k] == 0) return;
    const int h = Regole.ManoGiocatore[k];
    VelImage* mano = ManoGiocatoreImg(k);
    NascondiEsito();

    // While the card flies the turn picture shows what follows: the computer's answer, or
    // neither side when the card completes the trick.
    if (Regole.CarteGiocate == 0)
        MostraTurno(2, false);
    else
        NascondiTurno();
    mano->Svuota();
    Image8->move(mano->pos());
    Image8->show();
    Image8->raise();
    Faccia(h, Image8);
    // Up out of the hand, then across to the trick.
    Vola(Image8, mano->x(), PosizionePresaGiocatore.y());
    Vola(Image8, PosizionePresaGiocatore);

    Traccia.PrimaDellaCarta(Regole);
    Regole.GiocaGiocatore(k);
    if (Avversario) Avversario->MossaLocale(MossaBriscola{k});
    Suona(SuonoGiocaCarta());
    Annuncia("Giochi " + CartaConArticolo(Regole.Carta(h)));
}

void TFormBriscola::Timer1Timer()
{
    Timer1->stop();
    // No game on the table (before the first deal, or after the last trick): the timer
    // stays off until "Nuova Partita".
    if (!PartitaInCorso) return;
    Regole.EstraiRicordo();

    if (Regole.CarteGiocate < 2) {
        MostraTurno(Regole.Turno, false);
    }

    if (Regole.Turno == 2 && Regole.CarteGiocate < 2) {
        int i = 0;
        Traccia.PrimaDellaCarta(Regole);
        if (Avversario) {
            // The other player's card, once it has come; the timer asks again until then.
            const auto mossa = Avversario->MossaAvversario(Regole);
            if (!mossa) {
                Timer1->start();
                return;
            }
            i = mossa->Slot;
        } else {
            // The computer's wait before it plays; the search runs during it.
            i = SceltaComputerLivello(Regole, LivelloComputer, AttesaComputer);
        }
        Traccia.SceltaComputer(Regole);
        const int h = (i >= 1 && i <= 3) ? Regole.ManoComputer[i] : 0;
        if (h != 0) {
            VelImage* mano = ManoComputerImg(i);
            mano->Svuota();
            Image7->move(mano->pos());
            Image7->show();
            Image7->raise();
            Faccia(h, Image7);
            // Slots 2 and 3 come down first, then across; slot 1 lies straight above the trick.
            if (i > 1) Vola(Image7, mano->x(), PosizionePresaComputer.y());
            Vola(Image7, PosizionePresaComputer);
            Regole.GiocaComputer(i);
            Annuncia(SoggettoAltro() + " gioca " + CartaConArticolo(Regole.Carta(h)));
            // Trumps, Aces and Threes are laid in silence.
            if (Regole.Seme(h) != Regole.SemeBriscola() && Regole.Forza(h) <= 8) Suona(SuonoGiocaCarta());
        }
    }

    if (Regole.CarteGiocate > 1) {
        // Ticks while the trick waits must not push its resolution back.
        if (!Timer2->isActive()) Timer2->start();
        Giocatore->hide();
        Computer->hide();
    } else {
        MostraTurno(Regole.Turno, false);
    }
    Timer1->start();
}

void TFormBriscola::Timer2Timer()
{
    Timer2->stop();
    // Only a complete trick of a running game is resolved.
    if (!PartitaInCorso || Regole.CarteGiocate < 2) return;
    // In a network game the draw shows the referee's cards: they must have come.
    if (Avversario && !Avversario->Pronto()) {
        Timer2->start();
        return;
    }
    Timer1->stop();

    const int p = Regole.GiocataGiocatore;
    const int q = Regole.GiocataComputer;
    const int vincitore = Regole.DecidiPresa();
    Annuncia((vincitore == 1 ? QString("Prendi tu ") : Avversario ? "Prende " + NomeAltro() + " " : QString("Prende il computer "))
             + ElencoCarte({Regole.Carta(p), Regole.Carta(q)}));
    const int puntiPresa = Regole.Punti(p) + Regole.Punti(q);
    RicordaPresa(vincitore, {Regole.Carta(p), Regole.Carta(q)});
    if (Regole.Forza(p) > 8 || Regole.Forza(q) > 8) Suona(SuonoScopa());

    if (vincitore == 1) {
        Vola(Image8, PosizionePresaComputer);
        Image7->Svuota();
        Vola(Image8, Image42->pos());
        Image42->show();
        Dorso(Image42);
    } else {
        Vola(Image7, PosizionePresaGiocatore);
        Image8->Svuota();
        Vola(Image7, Image41->pos());
        Image41->show();
        Dorso(Image41);
    }
    Image7->Svuota();
    Image8->Svuota();

    // Piles, the next leader and the draw; drawn cards appear in their slots at once.
    Regole.RaccogliPresa();
    if (Avversario && !Avversario->Scopri(Regole)) {
        PartitaRetePersa();
        return;
    }
    Traccia.Presa(Regole, Regole.Carta(p), Regole.Carta(q), vincitore);
    for (int i = 1; i <= 3; ++i) {
        DisegnaCartaComputer(i);
        DisegnaCartaGiocatore(i);
    }
    if (Regole.CarteRimanenti() < 2) {
        Image40->Svuota();
        Image39->Svuota();
    }
    AggiornaPunteggio();

    if (Regole.PartitaFinita()) {
        FinePartita();
    } else {
        MostraEsito(TestoPresa(vincitore, puntiPresa, Avversario ? NomeAltro() : QString()));
        Timer1->start();
    }
}

QString TFormBriscola::TestoPresa(int vincitore, int punti, const QString& altro)
{
    QString t = vincitore == 1    ? QStringLiteral("Mano a te")
                : altro.isEmpty() ? QStringLiteral("Mano al computer")
                                  : QStringLiteral("Mano a ") + altro;
    if (punti == 1) t += QStringLiteral(", 1 punto");
    if (punti > 1) t += QStringLiteral(", %1 punti").arg(punti);
    return t;
}

QString TFormBriscola::TestoFinePartita(int esito, int puntiGiocatore, int puntiComputer)
{
    if (esito == 0) return QStringLiteral("Partita pari, %1 a %2").arg(puntiGiocatore).arg(puntiComputer);
    if (esito == 1) return QStringLiteral("Hai vinto la partita %1 a %2").arg(puntiGiocatore).arg(puntiComputer);
    return QStringLiteral("Hai perso la partita %1 a %2").arg(puntiGiocatore).arg(puntiComputer);
}

void TFormBriscola::FinePartita()
{
    PartitaInCorso = false;
    Timer1->stop();
    Timer2->stop();
    NascondiTurno();
    MostraEsito(TestoFinePartita(Regole.Esito, Regole.PuntiGiocatore, Regole.PuntiComputer), 0);
    for (VelImage* img : {Image1, Image2, Image3, Image4, Image5, Image6, Image7, Image8, Image39, Image40})
        img->Svuota();
    if (RisultatoRegistrato) return;
    RisultatoRegistrato = true;
    Traccia.Risultato(Regole);
    // A network game counts as played once it has been played out.
    if (Avversario) RegistraPartitaGiocata(FileBriscola);
    const QString punti = QString(": %1 a %2").arg(Regole.PuntiGiocatore).arg(Regole.PuntiComputer);
    Annuncia((Regole.Esito == 1 ? QString("Hai vinto la partita") : Regole.Esito == 0 ? QString("Partita pari")
                                                                                     : QString("Hai perso la partita"))
             + punti);

    auto apriPunteggi = [] {
        if (FormPunteggi) FormPunteggi->PunteggiPartita->setCurrentWidget(FormPunteggi->PunteggiBriscola);
    };
    switch (Regole.Esito) {
    case 0:
        RegistraPareggio(FileBriscola);
        apriPunteggi();
        break;
    case 1:
        RegistraVittoria(FileBriscola);
        apriPunteggi();
        SuonaSempre(SuonoVittoria());
        break;
    default:
        // A lost game stays counted as played only.
        apriPunteggi();
        SuonaSempre(SuonoPerdita());
        break;
    }
    ApriFinestra(FinestraPunteggi);
}

// ---------------------------------------------------------------- redraw

void TFormBriscola::RidisegnaTavolo()
{
    for (int i = 1; i <= 3; ++i) {
        DisegnaCartaComputer(i);
        DisegnaCartaGiocatore(i);
    }

    auto presa = [this](VelImage* img, int h, QPoint posto) {
        if (h == 0) {
            img->Svuota();
            return;
        }
        img->move(posto);
        img->show();
        img->raise();
        Faccia(h, img);
    };
    presa(Image7, Regole.GiocataComputer, PosizionePresaComputer);
    presa(Image8, Regole.GiocataGiocatore, PosizionePresaGiocatore);

    if (Regole.CartaBriscola != 0 && Regole.CarteRimanenti() >= 2) {
        Faccia(Regole.CartaBriscola, Image40);
        DorsoDiTraverso(Image39);
    } else {
        Image40->Svuota();
        Image39->Svuota();
    }

    auto pila = [this](VelImage* img, int quante) {
        if (quante > 0) {
            img->show();
            Dorso(img);
        } else {
            img->Svuota();
        }
    };
    pila(Image41, Regole.PreseComputer[0]);
    pila(Image42, Regole.PreseGiocatore[0]);
    if (PartitaIniziata) MostraSemeBriscola();
}

QString TFormBriscola::TestoBriscola(int seme) { return QStringLiteral("Briscola: ") + QString::fromUtf8(NomeSeme(seme)); }

void TFormBriscola::MostraSemeBriscola()
{
    if (Regole.CartaBriscola == 0) {
        EtichettaBriscola->hide();
        return;
    }
    EtichettaBriscola->setText(TestoBriscola(Regole.SemeBriscola()));
    EtichettaBriscola->show();
    EtichettaBriscola->raise();
}

// ---------------------------------------------------------------- network game

void TFormBriscola::GiocaInRete(std::unique_ptr<AvversarioBriscola> a)
{
    Timer1->stop();
    Timer2->stop();
    PartitaInCorso = false;
    Avversario = std::move(a);
    AvviaRete(Avversario.get(), [this] { NuovaPartitaClick(); });
}

void TFormBriscola::FinePartitaRete()
{
    PartitaInCorso = false;
    Timer1->stop();
    Timer2->stop();
}


void TFormBriscola::MostraNomeAltro()
{
    Label1->setText(NomeAltro());
    const bool rete = InRete() != nullptr;
    for (int i = 1; i <= 3; ++i)
        ManoComputerImg(i)->setAccessibleDescription(rete ? QString("Mano di %1, carta %2").arg(NomeAltro()).arg(i)
                                                          : QString("Mano del computer, carta %1").arg(i));
    RilasciaAvversario(Avversario);
}
