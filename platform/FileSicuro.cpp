#include "platform/FileSicuro.h"

#include <QFile>

#include "core/ScritturaSicura.h"

FileSicuro::FileSicuro(const QString& percorso, QObject* parent) : QIODevice(parent), percorso_(percorso) {}

FileSicuro::~FileSicuro() = default;  // a copy never committed is removed with file_

bool FileSicuro::open(OpenMode modo)
{
    if (isOpen() || (modo & ReadOnly) || !(modo & WriteOnly)) {
        setErrorString("only a new file can be written");
        return false;
    }
    annullato_ = false;
    file_ = std::make_unique<FileNuovo>(QFile::encodeName(percorso_).toStdString());
    if (!file_->Apri()) {
        setErrorString(QString::fromStdString(file_->Motivo()));
        file_.reset();
        return false;
    }
    return QIODevice::open(modo);
}

qint64 FileSicuro::writeData(const char* dati, qint64 n)
{
    if (!file_ || annullato_) return -1;
    if (!file_->Scrivi(dati, static_cast<std::size_t>(n))) {
        setErrorString(QString::fromStdString(file_->Motivo()));
        return -1;
    }
    return n;
}

void FileSicuro::cancelWriting() { annullato_ = true; }

bool FileSicuro::commit()
{
    if (!file_) return false;
    QIODevice::close();
    bool ok = false;
    if (annullato_) {
        setErrorString("writing was cancelled");
        file_->Abbandona();
    } else if (!(ok = file_->Conferma())) {
        setErrorString(QString::fromStdString(file_->Motivo()));
    }
    file_.reset();
    return ok;
}
