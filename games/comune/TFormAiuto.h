#pragma once
// The help window of the tables (F1): the short rules of the game and its keys, on the felt
// with a gold border like the other small windows. Esc, Enter, F1 or a click close it.
#include <QString>

#include "components/Finestra.h"

class QLabel;

class TFormAiuto : public TFinestra {
    Q_OBJECT
public:
    explicit TFormAiuto(QWidget* parent = nullptr);

    QLabel* Titolo = nullptr;
    QLabel* Testo = nullptr;

    // Shows the help of `gioco` (the table's title: "Scopa", "Briscola", ...).
    void Mostra(const QString& gioco);
    void Chiudi();

    // The rules and keys of a game, as shown (rich text); empty for an unknown game.
    static QString TestoAiuto(const QString& gioco);

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
};
