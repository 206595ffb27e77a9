#pragma once
// The Sette e mezzo table: the computer's seven slots on top, the player's seven below, each
// side's hand value and match score between them, and the three play buttons. The player
// draws and stands with the buttons; Timer3, every second, enables Stop, runs the dealer one
// card at a time and ends the match. Every rule is asked of RegoleSettemezzo; the window only
// draws, plays the sounds, records the result and opens the scores window.
#include <QLabel>
#include <QTimer>

#include "core/StatoMazzo.h"
#include "games/comune/TFormTavolo.h"
#include "games/settemezzo/RegoleSettemezzo.h"
#include "games/settemezzo/TracciaSettemezzo.h"

class QShowEvent;

class TFormSettemezzo : public TFormTavolo {
    Q_OBJECT
public:
    explicit TFormSettemezzo(QWidget* parent = nullptr);

private:
    // Stands in for the configuration's deck only when that window does not exist.
    StatoMazzo mazzoDiRiserva_;

public:
    // The game state and its rules, on the shared deck of the configuration window.
    RegoleSettemezzo Regole;
    TracciatoreSettemezzo Traccia;  // CARTOVIA_TRACE: every deal and result of this table

    // ---- controls (inside Panel1) ----
    // ImagePos[1..7]: the computer's slots 1 to 7; ImagePos[8..14]: the player's slots 1 to 7.
    VelImage* ImagePos[15] = {};
    QLabel* Label1 = nullptr;  // "Computer", under the computer's row
    // Hand values: tens of points, units, decimal point, tenths (index 0..3).
    VelImage* PC[4] = {};
    VelImage* PG[4] = {};
    // Match scores: tens and units (index 1..2).
    VelImage* SC[3] = {};
    VelImage* SG[3] = {};
    // Captions of the two figures on each side's line.
    QLabel* LabelManoComputer = nullptr;
    QLabel* LabelPartitaComputer = nullptr;
    QLabel* LabelManoGiocatore = nullptr;
    QLabel* LabelPartitaGiocatore = nullptr;
    VelmoBottone* NuovaCarta = nullptr;
    VelmoBottone* Stop = nullptr;
    VelmoBottone* NuovoTurno = nullptr;
    QTimer* Timer3 = nullptr;       // the table's step, 1000 ms, always running

    // ---- handlers ----
    void NuovaPartitaClick() override;
    void NuovoTurnoClick();
    void NuovaCartaClick();
    void StopClick();
    void Timer3Timer();
    void BtnPunteggiClick() override;
    void FormShow() override;
    void Ridisegna() override;

    // Recomputes both hand values and redraws cards, values and scores.
    void AggiornaTavolo();

    // Result lines: a hand value in words ("7 e mezzo"), a decided deal, the match's end.
    static QString TestoValore(int decimi);
    static QString TestoMano(int esito, int puntiGiocatore, int puntiComputer);
    static QString TestoFinePartita(bool vinceGiocatore, int punteggioGiocatore, int punteggioComputer);
    // The scores window's page: both scores, the last deal and the match's state.
    void ScriviPunteggi();

    // Where the picture of slot `s` (1..7) of a side stands, in Panel1.
    static QPoint PosizioneSlot(bool computer, int s);

private:
    void DisegnaTavolo();
    void DisegnaCarte();
    void DisegnaValore(int v, VelImage* cifre[4]);
    void DisegnaCifra(int d, VelImage* img);
    void AggiornaPulsanti();
    void FinePartita(bool vinceGiocatore);
    bool TavoloNellaPila() const;
};
