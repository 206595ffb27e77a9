#include "platform/Impostazioni.h"

#include <QSettings>
#include <QStandardPaths>
#include <QDir>
#include <QFileInfo>
#include <cstdlib>
#include <QStringList>

namespace {

// The registry key path becomes a group path of the ini file: "VelmoSoft/Scopa/Configurazione".
QString gruppoChiave()
{
    return QString(ChiaveConfigurazione).replace('\\', '/');
}

class ArchivioIni : public ArchivioImpostazioni {
public:
    explicit ArchivioIni(std::string percorso) : percorso_(std::move(percorso)) {}

    bool Apri(bool crea) override
    {
        const QString file = QString::fromStdString(percorso_.empty() ? PercorsoImpostazioni() : percorso_);
        if (crea) QDir().mkpath(QFileInfo(file).absolutePath());
        impostazioni_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
        if (impostazioni_->status() != QSettings::NoError) {
            impostazioni_.reset();
            return false;
        }
        impostazioni_->beginGroup(gruppoChiave());
        if (!crea && impostazioni_->childKeys().isEmpty()) {
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
        if (!v.isValid()) return std::nullopt;
        return v.toString().toStdString();
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
    std::string percorso_;
    std::unique_ptr<QSettings> impostazioni_;
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
