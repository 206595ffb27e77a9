#include "net/Invito.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>

#include "net/Protocollo.h"

namespace Rete {

QString NuovoCodice()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
}

bool CodiceValido(const QString& codice)
{
    if (codice.size() != 6) return false;
    for (QChar c : codice)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QByteArray ByteCasuali(int n)
{
    QByteArray b(n, '\0');
    for (int i = 0; i < n; ++i) b[i] = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return b;
}

QByteArray RispostaSfida(const QString& codice, const QByteArray& nonce, const QString& nome)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, codice.toUtf8());
    mac.addData(QByteArrayLiteral("cartovia-invito-1"));
    mac.addData(nonce);
    mac.addData(nome.toUtf8());
    return mac.result();
}

bool UgualiCostante(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size()) return false;
    unsigned char d = 0;
    for (qsizetype i = 0; i < a.size(); ++i) d |= static_cast<unsigned char>(a[i] ^ b[i]);
    return d == 0;
}

Invito::Esito Invito::Verifica(const QByteArray& nonce, const QString& nome, const QByteArray& risposta)
{
    if (chiuso_) return Esito::Chiuso;
    if (UgualiCostante(RispostaSfida(codice_, nonce, nome), risposta)) return Esito::Accettato;
    if (++errori_ >= TentativiCodice) chiuso_ = true;
    return Esito::Errato;
}

}  // namespace Rete
