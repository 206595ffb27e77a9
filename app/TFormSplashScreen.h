#pragma once
// The game chooser, the main window: a full-window picture, four game buttons, the network
// game's button and a quit button, and a welcome sound about a second after start. It owns the window stack.
#include <QPoint>
#include <QTimer>
#include <optional>

#include "app/PilaFinestre.h"
#include "components/Finestra.h"
#include "components/UWave.h"
#include "components/VelImage.h"
#include "components/VelmoBottone.h"

class FocusTastiera;

class TFormSplashScreen : public TFinestra {
    Q_OBJECT
public:
    explicit TFormSplashScreen(QWidget* parent = nullptr);

    VelImage* ImmagineSfondo = nullptr;
    VelmoBottone* Spl_Btn_Briscola = nullptr;
    VelmoBottone* Spl_Btn_Scopa = nullptr;
    VelmoBottone* Spl_Btn_Rubamazzo = nullptr;
    VelmoBottone* Spl_Btn_Settemezzo = nullptr;
    VelmoBottone* Spl_Btn_Rete = nullptr;
    VelmoBottone* Spl_Btn_Close = nullptr;
    TWave* WaveWellcome = nullptr;
    QTimer* TimerWellcome = nullptr;

    void Spl_Btn_BriscolaClick() { ApriFinestra(2); }
    void Spl_Btn_ScopaClick() { ApriFinestra(7); }
    void Spl_Btn_RubamazzoClick() { ApriFinestra(6); }
    void Spl_Btn_SettemezzoClick() { ApriFinestra(8); }
    void Spl_Btn_ReteClick();
    void Spl_Btn_CloseClick() { close(); }
    void TimerWellcomeTimer();
    void FormCreate();
    void FormShow();
    void FormClose();
    // Puts the chooser where the last run left it (screen pixels); false, leaving it where it
    // is, when there is no such place or it is no longer on any screen.
    bool Colloca(const std::optional<QPoint>& pixel);

    // Navigation: the stack of windows opened over the chooser.
    void ApriFinestra(int codice);
    void TornaIndietro() { pila_.TornaIndietro(); }
    const PilaFinestre& Pila() const { return pila_; }

    // Where the advertisement page is written and its download started, once the
    // settings are loaded (tests may replace it).
    std::function<void()> PreparaPubblicita;

    // Keyboard: arrows move over the six buttons, digits 1-6 jump, Enter or Space open, Esc quits.
    FocusTastiera* Focus = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    PilaFinestre pila_;
    bool mostrata_ = false;
};

// The working folder at start-up: CARTOVIA_DATA_DIR when set; the current directory when the
// program runs from its build folder; else the player's data folder (see ScegliCartellaLavoro).
std::string CalcolaCartellaLavoro();
