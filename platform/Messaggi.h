#pragma once
// The simple message box: a text, an OK button, modal, waiting for the user. Tests install
// MessaggiRegistrati, which records the texts instead of showing them.
#include <QString>
#include <QStringList>

class FinestraMessaggi {
public:
    virtual ~FinestraMessaggi();
    // Shows `testo` and returns when the user has dismissed it.
    virtual void Mostra(const QString& testo) = 0;
};

// Shows a message through the installed box (the real one unless a test installed another).
void MostraMessaggio(const QString& testo);
// Installs another box (not owned); nullptr goes back to the real one. Returns the box
// installed before (nullptr: the real one).
FinestraMessaggi* ImpostaFinestraMessaggi(FinestraMessaggi* finestra);

// The real box: a QMessageBox titled with the application's name.
class FinestraMessaggiQt : public FinestraMessaggi {
public:
    void Mostra(const QString& testo) override;
};

// Test double: records every text, in order.
class MessaggiRegistrati : public FinestraMessaggi {
public:
    void Mostra(const QString& testo) override { mostrati_ << testo; }
    const QStringList& Mostrati() const { return mostrati_; }
    void Azzera() { mostrati_.clear(); }

private:
    QStringList mostrati_;
};

// Installs a box for the lifetime of the guard, then restores the one installed before.
class MessaggiTemporanei {
public:
    explicit MessaggiTemporanei(FinestraMessaggi& f) : prima_(ImpostaFinestraMessaggi(&f)) {}
    ~MessaggiTemporanei() { ImpostaFinestraMessaggi(prima_); }
    MessaggiTemporanei(const MessaggiTemporanei&) = delete;
    MessaggiTemporanei& operator=(const MessaggiTemporanei&) = delete;

private:
    FinestraMessaggi* prima_;
};
