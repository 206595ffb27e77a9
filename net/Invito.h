#pragma once
// The invitation code of a hosted game and its challenge. The code never travels: the host
// sends a fresh random nonce, the guest answers with an HMAC-SHA256 of it keyed by the code,
// and the host compares in constant time. Three wrong answers close the invitation for good.
#include <QByteArray>
#include <QString>

namespace Rete {

// Six decimal digits, from the system's secure generator.
QString NuovoCodice();
// Exactly six ASCII digits.
bool CodiceValido(const QString& codice);
// Random bytes from the system's secure generator (nonces, reconnection tokens).
QByteArray ByteCasuali(int n);
// The guest's answer: HMAC-SHA256 keyed by the code over a fixed label, the nonce and the
// guest's name (so an answer cannot be replayed under another name).
QByteArray RispostaSfida(const QString& codice, const QByteArray& nonce, const QString& nome);
// Same bytes, compared without an early exit.
bool UgualiCostante(const QByteArray& a, const QByteArray& b);

class Invito {
public:
    enum class Esito { Accettato, Errato, Chiuso };
    explicit Invito(QString codice) : codice_(std::move(codice)) {}
    const QString& Codice() const { return codice_; }
    // Checks one answer. After TentativiCodice wrong answers every later answer, even the
    // right one, is Chiuso.
    Esito Verifica(const QByteArray& nonce, const QString& nome, const QByteArray& risposta);
    void Chiudi() { chiuso_ = true; }
    bool Chiuso() const { return chiuso_; }
    int Errori() const { return errori_; }

private:
    QString codice_;
    int errori_ = 0;
    bool chiuso_ = false;
};

}  // namespace Rete
