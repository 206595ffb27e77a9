#pragma once
// Base window of the four game tables. It holds what they share: the felt panel, the four
// command buttons, the turn pictures, the player's name label, digit drawing and the sound
// shortcuts. Each table adds only its own game.
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "components/Finestra.h"
#include "components/UWave.h"
#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"

class PannelloPubblicita;
class ReteTavolo;
class FocusTastiera;
class TFormAiuto;

class TFormTavolo : public TFinestra {
    Q_OBJECT
public:
    TFormTavolo(int larghezza, int altezza, QWidget* parent = nullptr);

    QWidget* Panel1 = nullptr;       // the felt; every table control lies inside it
    QLabel* NomeGiocat = nullptr;    // the player's name; the configuration window sets its text
    VelImage* Computer = nullptr;    // "the computer is playing"
    VelImage* Giocatore = nullptr;   // "your turn"
    VelmoBottone* Configurazione = nullptr;
    VelmoBottone* NuovaPartita = nullptr;
    VelmoBottone* BtnPunteggi = nullptr;
    VelmoBottone* Chiudi = nullptr;
    // Invitation to start, shown on the felt while no game is in progress.
    QLabel* Suggerimento = nullptr;

    // The advertisement laid over the table when it is shown (WebBrowser1, ChiudiPubblicita,
    // TimerPubblicita).
    PannelloPubblicita* Pubblicita = nullptr;

    // The result line: a short sentence on the felt saying what just happened ("Mano al
    // computer", "Sballato!", "Hai vinto la partita 25 a 15"). Each table places it where
    // it covers no card the player needs.
    QLabel* RigaEsito = nullptr;
    QTimer* TimerEsito = nullptr;  // hides a passing result
    static constexpr int DurataEsito = 2500;
    // Shows `testo` for `ms` milliseconds, or until the next action when ms is 0.
    void MostraEsito(const QString& testo, int ms = DurataEsito);
    // The next action has come: the result line goes.
    void NascondiEsito();
    // The text shown, empty while the line is hidden.
    QString TestoEsito() const;
    // Style sheet of a small plaque on the felt in the result line's colours (cream, gold rim,
    // green text), for the label named `oggetto`.
    // `opacita` 0..255: the plaques are a little see-through unless they must hide what lies under.
    static QString StileTarghetta(const char* oggetto, int opacita = 225);
    // Shows neither turn picture: no game is being played.
    void NascondiTurno();

    // ---- the last capture or trick, seen again ----
    // The cards (numbers 1..40, the played one first) of each side's latest capture or
    // trick; side 1 the player, 2 the computer. Holding the mouse on a won pile shows that
    // side's until the button is released; U shows the latest of either for two seconds.
    static constexpr int DurataUltimaPresa = 2000;
    QWidget* PannelloPresa = nullptr;  // the plaque the cards are laid on, over the felt
    QLabel* TitoloPresa = nullptr;
    QTimer* TimerPresa = nullptr;
    // A capture or trick has been made: `lato` took `carte`.
    void RicordaPresa(int lato, std::vector<int> carte);
    // A new hand or game: nothing to show again.
    void DimenticaPrese();
    // Shows side `lato`'s latest capture (0: the latest of either) for `ms` milliseconds, or
    // until NascondiUltimaPresa when ms is 0. Nothing happens when there is none.
    void MostraUltimaPresa(int lato = 0, int ms = DurataUltimaPresa);
    void NascondiUltimaPresa();
    // The cards on the plaque while it shows, empty otherwise.
    std::vector<int> CarteUltimaPresaMostrate() const;
    // Holding the mouse on `pila` shows side `lato`'s latest capture.
    void PilaConUltimaPresa(QWidget* pila, int lato);
    // "La tua ultima presa", "L'ultima presa del computer", or of `altro` in a network game.
    static QString TitoloUltimaPresa(int lato, const QString& altro = QString());

    // Marks a highlighted card (a selection, the cards a capture takes) with a gold rim
    // that runs all round the card, inside its outline; the face keeps its colours. The
    // slot's shape tells where the card lies (without one, whatever differs from the felt).
    static void SegnaSelezione(QImage& carta, const SagomaCarta& sagoma = {});

    // Small digit pictures of the table's counters: picture d + 1 shows digit d.
    VelCarte* VelCarte3 = nullptr;

    // The chooser is opening this table: the advertisement's draw runs at the next show. A
    // table shown again from its own configuration or scores window draws nothing.
    // A network game never hides under the advertisement: the other player does not wait.
    void ApertoDallaScelta() { estrazioneDovuta_ = rete_ == nullptr; }
    // The timers that move the game on (deals, the computer's moves, the dealer's steps).
    // While the advertisement covers the table none of them fires: they stop, and start
    // again when the panel goes.
    void RegistraTimerGioco(QTimer* t);
    // True while the advertisement covers the table and its game waits.
    bool GiocoSospeso() const;

    // Redraws the table from the game state (after a change of deck, back or face-up choice).
    virtual void Ridisegna() {}
    // Runs each time the table is shown, after the advertisement panel has had its turn.
    virtual void FormShow() {}

    virtual void NuovaPartitaClick() {}
    virtual void BtnPunteggiClick() {}
    void ConfigurazioneClick();  // opens the configuration window over this table
    void ChiudiClick();          // back to the previous window

    // Colours the felt.
    void ColoraPanel(const QColor& c);
    // Shows exactly one of the two turn pictures. The name label goes with the player's
    // picture, unless the table uses it to caption the player's cards or points.
    void MostraTurno(int turno, bool nomeColTurno = true);

    // Shared settings of the configuration window, read at the moment of use.
    static bool SuoniAttivi();
    // The computer's cards face up, as configured; never the other player's in a network game.
    bool CarteComputerScoperte() const;
    // Plays a sound of the Scopa window when sounds are on; SuonaSempre ignores the setting.
    static void Suona(TWave* w);
    static void SuonaSempre(TWave* w);

    // A table picture button at (x, y) in the panel with the pictures of `nome`.
    VelmoBottone* CreaBottone(const char* oggetto, const char* nome, int x, int y);
    // A bold green caption in the panel.
    QLabel* CreaEtichetta(const char* oggetto, const QString& testo, int x, int y, int w, int h, int punti);
    // A card slot in the panel.
    VelImage* CreaSlot(const char* oggetto, int x, int y, int w = 80, int h = 120);

    // ---- keyboard and screen reader ----
    // The keyboard's focus over the table's places: the ones each table adds, then the four
    // command buttons. Left/Right (and Tab) move it, digits jump to numbered places,
    // Enter or Space activate the place as a mouse double-click or click would.
    FocusTastiera* Focus = nullptr;
    // The live label every move is announced through (read by screen readers only).
    QLabel* Annuncio = nullptr;
    // The help window of F1, created on first use.
    TFormAiuto* Aiuto = nullptr;
    // Digit of the first table place (Ctrl+1); Ctrl+2 is the next, and so on.
    static constexpr int PrimoNumeroTavolo = 11;
    // A place of the table for the keyboard: `numero` 1..9 is its digit key (0 none; from
    // PrimoNumeroTavolo on, Ctrl and a digit),
    // `descrizione` where it lies ("La tua mano, carta 1"), for screen readers.
    void AggiungiPosto(QWidget* w, int numero = 0, const QString& descrizione = {});
    // A key of the table's own (Rubamazzo's steal, Sette e mezzo's buttons).
    void AggiungiTasto(int tasto, std::function<void()> azione);
    // Presses a picture button as a mouse click would: nothing when it is hidden or disabled.
    static void Premi(VelmoBottone* b);
    // Announces a move or a result to screen readers (once, when it says what the last
    // announcement said). The result line and the turn changing hands are announced too.
    void Annuncia(const QString& testo);
    // Announces a refused move, however often it is repeated ("Non è il tuo turno").
    void AnnunciaRifiuto(const QString& testo);
    // F1: the short rules of this table's game and its keys.
    void MostraAiuto();

    // ---- a network game ----
    // The other player of the network game being played here, or none (against the computer).
    ReteTavolo* InRete() const { return rete_; }
    // "Computer", or the other player's name in a network game.
    QString NomeAltro() const;
    // The other side as the subject of a sentence: "Il computer", or the other player's name.
    QString SoggettoAltro() const { return rete_ ? NomeAltro() : QStringLiteral("Il computer"); }
    // "Tocca a <nome>" over the other side's turn picture in a network game.
    QLabel* DidascaliaTurno = nullptr;
    // A network game is over (played out, abandoned or cut): the table stops its game.
    virtual void FinePartitaRete() {}
    // In a network game whose other side is away, this player's move waits: true (and it is
    // said) when a move must not be made now.
    bool MossaInSospeso();

protected:
    // The table's own network game starts or ends: the base shows the other player's name,
    // tells when the other side goes quiet, and ends the game on the felt when it is cut.
    void ImpostaRete(ReteTavolo* rete);
    void LasciaRete();
    // Starts playing against `rete`: `inizio` deals the first game once the referee's first
    // state is there (at once if it has come already).
    void AvviaRete(ReteTavolo* rete, std::function<void()> inizio);
    // The table's engine and the referee no longer agree (a correct program never gets
    // here): the game stops for both, and the felt says so.
    void PartitaRetePersa();
    // The other player of a game that is over goes once the events in flight are through
    // (it may be the one calling).
    template <typename T>
    void RilasciaAvversario(std::unique_ptr<T>& avversario)
    {
        if (!avversario || rete_) return;
        std::shared_ptr<T> via(std::move(avversario));
        QTimer::singleShot(0, this, [via] {});
    }
    // Sets the "Computer" caption of each table to NomeAltro().
    virtual void MostraNomeAltro() {}
    bool eventFilter(QObject* o, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void SospendiGioco();
    void RiprendiGioco();
    bool estrazioneDovuta_ = false;
    std::vector<QTimer*> timerGioco_;
    std::vector<QTimer*> sospesi_;          // stopped by the panel, started again when it goes
    bool nuovaPartitaRinviata_ = false;     // "Nuova Partita" pressed under the panel
    void AggiungiComandiAlFocus();
    QPointer<QWidget> focusPrimaPubblicita_;  // where the focus was before it went to the strip
    std::map<int, std::function<void()>> tasti_;
    std::vector<int> prese_[3];       // each side's latest capture (index 1, 2)
    int latoUltimaPresa_ = 0;         // who captured last
    std::vector<VelImage*> cartePresa_;
    std::vector<int> mostrate_;
    std::map<QObject*, int> pilePresa_;
    bool comandiNelFocus_ = false;
    // A key's action is running: keys that arrive inside it (were a wait to let events through)
    // are dropped, as a second click inside a move is.
    bool inAzione_ = false;
    ReteTavolo* rete_ = nullptr;
    bool inizioRete_ = false;  // the network game's first deal has been made
};

// Felt colour of the Scopa table by card frame number 1-6 (any other number: the first).
QColor ColorePanelPerBordo(int bordo);
