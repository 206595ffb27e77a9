#include "platform/Impostazioni.h"

#include <QSettings>
#include <QStandardPaths>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtDebug>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "core/ScritturaSicura.h"

namespace {

// The registry key path becomes a group path of the ini file: "VelmoSoft/Scopa/Configurazione".
QString gruppoChiave()
{
    return QString(ChiaveConfigurazione).replace('\\', '/');
}

// Qt's ini escapes in a key or section name: "%5C" and the like.
QString SenzaPercentuali(const QByteArray& nome)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(nome));
}

// A value as Qt writes a plain string: maybe in double quotes, with \" and \\ escaped.
QString ValoreIni(QByteArray v)
{
    v = v.trimmed();
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"')) v = v.mid(1, v.size() - 2);
    QByteArray out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 1 < v.size() && (v[i + 1] == '"' || v[i + 1] == '\\')) ++i;
        out += v[i];
    }
    return QString::fromUtf8(out);
}

// The values of the configuration key that a damaged file's own lines still hold: every
// "name=value" line under a section header, read line by line past what Qt gives up on.
// Lines with control bytes or that are not UTF-8 are junk and change nothing; a header without its closing
// bracket still opens its section, as Qt reads it.
std::map<QString, QString> RigheLeggibili(const QByteArray& byte)
{
    std::map<QString, QString> valori;
    const QString gruppo = gruppoChiave() + '/';
    QString sezione;
    for (const QByteArray& grezza : QByteArray(byte).replace('\r', '\n').split('\n')) {
        const QByteArray riga = grezza.trimmed();
        if (riga.isEmpty() || riga.startsWith(';') || riga.startsWith('#')) continue;
        const bool spazzatura = QString::fromUtf8(riga).toUtf8() != riga ||
                                std::any_of(riga.begin(), riga.end(), [](char c) {
                                    const auto u = static_cast<unsigned char>(c);
                                    return (u < 0x20 && u != '\t') || u == 0x7F;
                                });
        if (spazzatura) continue;
        if (riga.startsWith('[')) {
            const qsizetype chiusa = riga.indexOf(']');
            sezione = SenzaPercentuali(riga.mid(1, chiusa < 0 ? -1 : chiusa - 1).trimmed()).replace('\\', '/');
            if (sezione.compare("General", Qt::CaseInsensitive) == 0) sezione.clear();
            continue;
        }
        const qsizetype uguale = riga.indexOf('=');
        if (uguale <= 0) continue;
        const QString chiave = SenzaPercentuali(riga.left(uguale).trimmed()).replace('\\', '/');
        const QString completa = sezione.isEmpty() ? chiave : sezione + '/' + chiave;
        if (!completa.startsWith(gruppo, Qt::CaseInsensitive)) continue;
        const QString nome = completa.mid(gruppo.size());
        const QByteArray valore = riga.mid(uguale + 1).trimmed();
        if (nome.isEmpty() || nome.contains('/') || valore.startsWith('@')) continue;
        valori[nome] = ValoreIni(valore);
    }
    return valori;
}

class ArchivioIni : public ArchivioImpostazioni {
public:
    explicit ArchivioIni(std::string percorso) : percorso_(std::move(percorso)) {}

    bool Apri(bool crea) override
    {
        const QString file = QString::fromStdString(percorso_.empty() ? PercorsoImpostazioni() : percorso_);
        if (crea) QDir().mkpath(QFileInfo(file).absolutePath());
        recuperati_.clear();
        Carica(file);
        bool danneggiato = impostazioni_->status() == QSettings::FormatError;
        if (const auto d = NonCopiati().find(file); d != NonCopiati().end() && !danneggiato) {
            // Qt parses an unchanged file only once per process, so its format error shows
            // only the first time: a damaged file not yet copied is remembered here.
            danneggiato = Byte(file) == d->second;
            if (!danneggiato) NonCopiati().erase(d);
        }
        if (danneggiato && !Ripara(file) && crea) {
            // No copy of the damaged file could be kept: it is not written over.
            impostazioni_.reset();
            return false;
        }
        if (impostazioni_->status() != QSettings::NoError && impostazioni_->status() != QSettings::FormatError) {
            impostazioni_.reset();
            return false;
        }
        impostazioni_->beginGroup(gruppoChiave());
        if (!crea && impostazioni_->childKeys().isEmpty() && recuperati_.empty()) {
            impostazioni_.reset();
            return false;
        }
        if (crea && !impostazioni_->isWritable()) {
            impostazioni_.reset();
            return false;
        }
        return true;
    }

    std::optional<std::string> Leggi(const std::string& nome) override
    {
        if (!impostazioni_) return std::nullopt;
        const QVariant v = impostazioni_->value(QString::fromStdString(nome));
        if (v.isValid()) return v.toString().toStdString();
        if (const auto r = recuperati_.find(QString::fromStdString(nome)); r != recuperati_.end())
            return r->second.toStdString();
        return std::nullopt;
    }

    void Scrivi(const std::string& nome, const std::string& valore) override
    {
        if (impostazioni_) impostazioni_->setValue(QString::fromStdString(nome), QString::fromStdString(valore));
    }

    bool Chiudi() override
    {
        if (!impostazioni_) return false;
        impostazioni_->endGroup();
        impostazioni_->sync();
        const bool ok = impostazioni_->status() == QSettings::NoError;
        impostazioni_.reset();
        return ok;
    }

private:
    static std::map<QString, QByteArray>& NonCopiati()
    {
        static std::map<QString, QByteArray> m;
        return m;
    }

    static QByteArray Byte(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Opens the file and parses all of it, so that a format error anywhere shows at once.
    void Carica(const QString& file)
    {
        impostazioni_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
        impostazioni_->allKeys();
    }

    // A file Qt reads with a format error: what Qt read, plus the values of the
    // configuration key that only the file's own lines still hold, are kept. The damaged file
    // is copied beside itself first, then the readable values are written back through Qt
    // (so a link to a settings file kept elsewhere is still honoured). False when no copy
    // could be kept: the values are read, but the file is left as it is.
    bool Ripara(const QString& file)
    {
        const QByteArray byte = Byte(file);
        const QString gruppo = gruppoChiave() + '/';
        for (const auto& [nome, valore] : RigheLeggibili(byte))
            if (!impostazioni_->contains(gruppo + nome)) recuperati_[nome] = valore;

        std::string motivo;
        const std::string copia =
            ConservaCopiaDanneggiata(QFile::encodeName(file).toStdString(), byte.toStdString(), motivo);
        if (copia.empty()) {
            NonCopiati()[file] = byte;
            qWarning("the settings file %s is damaged and no copy of it can be kept (%s): its readable values "
                     "are used but it is not rewritten", qPrintable(file), motivo.c_str());
            return false;
        }
        qWarning("the settings file %s is damaged (Qt reports a format error); a copy is kept in %s and the "
                 "readable values are saved back", qPrintable(file), copia.c_str());
        NonCopiati().erase(file);
        // Written afresh: only what was read, under names Qt can read back.
        std::map<QString, QVariant> valori;
        for (const QString& k : impostazioni_->allKeys())
            if (!k.isEmpty() && !k.endsWith('/') && !k.contains("//")) valori[k] = impostazioni_->value(k);
        for (const auto& [nome, valore] : recuperati_) valori[gruppo + nome] = valore;
        impostazioni_->clear();
        for (const auto& [k, v] : valori) impostazioni_->setValue(k, v);
        impostazioni_->sync();
        if (impostazioni_->status() == QSettings::AccessError)
            qWarning("the settings file %s could not be rewritten", qPrintable(file));
        else
            recuperati_.clear();
        Carica(file);
        return true;
    }

    std::string percorso_;
    std::unique_ptr<QSettings> impostazioni_;
    std::map<QString, QString> recuperati_;  // read from a damaged file's own lines
};

std::unique_ptr<ArchivioImpostazioni>& archivio()
{
    static std::unique_ptr<ArchivioImpostazioni> a;
    return a;
}

}  // namespace

std::string PercorsoImpostazioni()
{
    if (const char* env = std::getenv("CARTOVIA_SETTINGS"); env && *env) return env;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return (base + "/Cartovia/Cartovia.ini").toStdString();
}

std::unique_ptr<ArchivioImpostazioni> CreaArchivioIni(const std::string& percorso)
{
    return std::make_unique<ArchivioIni>(percorso);
}

ArchivioImpostazioni& ArchivioCorrente()
{
    if (!archivio()) archivio() = CreaArchivioIni();
    return *archivio();
}

void ImpostaArchivio(std::unique_ptr<ArchivioImpostazioni> a) { archivio() = std::move(a); }

int DimensioneDaTesto(const std::optional<std::string>& valore)
{
    if (!valore) return 0;
    for (int d : {100, 125, 150, 200})
        if (*valore == std::to_string(d)) return d;
    return 0;
}

std::string TestoDimensione(int percento)
{
    for (int d : {100, 125, 150, 200})
        if (percento == d) return std::to_string(d);
    return "Automatica";
}

std::optional<std::pair<int, int>> PosizioneDaTesto(const std::optional<std::string>& valore)
{
    if (!valore) return std::nullopt;
    const QStringList parti = QString::fromStdString(*valore).split(',');
    if (parti.size() != 2) return std::nullopt;
    bool okX = false, okY = false;
    const int x = parti[0].trimmed().toInt(&okX);
    const int y = parti[1].trimmed().toInt(&okY);
    if (!okX || !okY || std::abs(x) > 100000 || std::abs(y) > 100000) return std::nullopt;
    return std::make_pair(x, y);
}

std::string TestoPosizione(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

std::optional<std::string> LeggiValore(const std::string& nome)
{
    ArchivioImpostazioni& a = ArchivioCorrente();
    if (!a.Apri(false)) return std::nullopt;
    auto v = a.Leggi(nome);
    a.Chiudi();
    return v;
}
