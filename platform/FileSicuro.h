#pragma once
// A file of the data or advertisement folder written through the program's one safe replace
// (core/ScritturaSicura): a device to write into, like QSaveFile, except that it never
// writes through a link and never replaces a link, a folder or anything but a regular file.
// Nothing changes under the name until commit() succeeds.
#include <QIODevice>
#include <QString>
#include <memory>

class FileNuovo;

class FileSicuro : public QIODevice {
    Q_OBJECT
public:
    explicit FileSicuro(const QString& percorso, QObject* parent = nullptr);
    ~FileSicuro() override;

    // Only QIODevice::WriteOnly is supported.
    bool open(OpenMode modo) override;
    // Puts the written bytes in place; false (with errorString) when they could not be.
    bool commit();
    // The bytes written so far are dropped at commit(), which then fails.
    void cancelWriting();
    bool isSequential() const override { return true; }
    QString fileName() const { return percorso_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* dati, qint64 n) override;

private:
    QString percorso_;
    std::unique_ptr<FileNuovo> file_;
    bool annullato_ = false;
};
