#include "platform/CartellaPubblicita.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

#include "core/ScritturaSicura.h"
#include "platform/FileSicuro.h"

QString CartellaRadice()
{
    QString cartella = qEnvironmentVariable("CARTOVIA_AD_DIR");
    if (cartella.isEmpty()) {
#ifdef Q_OS_WIN
        cartella = QStringLiteral("C:/");
#else
        cartella = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (cartella.isEmpty()) cartella = QDir::homePath() + "/.local/share/Cartovia";
#endif
    }
    if (!QDir().mkpath(cartella)) {
        qWarning("advertisement folder %s cannot be created", qPrintable(cartella));
        return {};
    }
    return QDir(cartella).absolutePath();
}

QString FileSenzaMaiuscole(const QString& cartella, const QString& nome)
{
    const QDir dir(cartella);
    if (QFileInfo::exists(dir.filePath(nome))) return dir.filePath(nome);
    const QStringList voci = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& v : voci)
        if (v.compare(nome, Qt::CaseInsensitive) == 0) return dir.filePath(v);
    return dir.filePath(nome);
}

bool ScriviFileIntero(const QString& percorso, const QByteArray& dati)
{
    std::string motivo;
    if (!SostituisciFile(QFile::encodeName(percorso).toStdString(), dati.toStdString(), motivo)) {
        qWarning("cannot write %s: %s", qPrintable(percorso), motivo.c_str());
        return false;
    }
    return true;
}

bool CopiaFileIntero(const QString& da, const QString& a)
{
    QFile sorgente(da);
    if (!sorgente.open(QIODevice::ReadOnly)) {
        qWarning("cannot open %s: %s", qPrintable(da), qPrintable(sorgente.errorString()));
        return false;
    }
    FileSicuro destinazione(a);
    if (!destinazione.open(QIODevice::WriteOnly)) {
        qWarning("cannot write %s: %s", qPrintable(a), qPrintable(destinazione.errorString()));
        return false;
    }
    char blocco[64 * 1024];
    for (;;) {
        const qint64 letti = sorgente.read(blocco, sizeof blocco);
        if (letti < 0) {
            qWarning("cannot read %s: %s", qPrintable(da), qPrintable(sorgente.errorString()));
            destinazione.cancelWriting();
            destinazione.commit();
            return false;
        }
        if (letti == 0) break;
        if (destinazione.write(blocco, letti) != letti) break;
    }
    if (!destinazione.commit()) {
        qWarning("cannot write %s: %s", qPrintable(a), qPrintable(destinazione.errorString()));
        return false;
    }
    return true;
}

QString PercorsoIniAggiornamento()
{
    const QString impostazioni = qEnvironmentVariable("CARTOVIA_SETTINGS");
    if (!impostazioni.isEmpty()) return QFileInfo(impostazioni).absoluteDir().filePath("cartovia.ini");
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return base + "/cartovia.ini";
}
