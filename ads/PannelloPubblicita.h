#pragma once
// The advertisement panel every table carries: a light HTML view laid over the table's
// top-left 760 x 518 pixels that shows the advertisement page, and a small close strip that
// appears 7 seconds after the panel, at its top right. The panel is drawn only when a table is
// opened from the chooser (never when it comes back from its own configuration or scores
// window): the first table opened always shows it, later openings one time in four. While it
// covers a table, that table's game waits (see Copre).
//
// No view can play the page's Flash movie, so, like a browser without the plug-in, the
// panel shows a poster of its own in place of the movie, filling the panel. The view runs no
// scripts, loads nothing from the network, follows no links and lets nothing be selected.
#include <QObject>
#include <QString>

#include "core/Casuale.h"

class QTextBrowser;
class QTimer;
class QWidget;
class VelmoBottone;

class PannelloPubblicita : public QObject {
    Q_OBJECT
public:
    // The controls are children of `tavolo`, placed over everything the table holds.
    explicit PannelloPubblicita(QWidget* tavolo);

    QTextBrowser* WebBrowser1 = nullptr;
    VelmoBottone* ChiudiPubblicita = nullptr;  // 145 x 16
    QTimer* TimerPubblicita = nullptr;         // 7000 ms, one shot

    // Runs each time the table is shown: decides whether the advertisement shows.
    void FormShow();
    void TimerPubblicitaTimer();
    void ChiudiPubblicitaClick();

    // Shows `pagina` with the poster in place of the movie; a page that cannot be read shows
    // the poster alone.
    void Naviga(const QString& pagina);
    // True while the advertisement covers the table.
    bool InVista() const;

    // Shared by the four tables: the first advertisement is still due.
    static bool PrimaPubblicita;
    // The generator of the one-in-four choice; seeded from the clock at each show unless a
    // test fixes its seed.
    static Casuale& Generatore();
    // The movie supplied with the program, "pubblicita.swf": looked for in the current
    // directory, then in the program's own folder of run-time files (CartellaFileProgramma:
    // beside it in the build folder, <prefix>/share/cartovia once installed). Empty when missing.
    static QString FilmatoFornito();

    static constexpr int Larghezza = 760;
    static constexpr int Altezza = 518;

signals:
    // The panel has come over the table (true) or gone (false).
    void Copre(bool copre);

private:
    void AvvisaCambio();
    bool copre_ = false;
};
