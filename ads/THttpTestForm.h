#pragma once
// The advertisement download strip: a borderless 632 x 38 window that fetches the latest
// movie, "/aggiornamento.swf", from the configured update server and puts it in place of the
// page's movie. The chooser shows it modally at start, so the player reaches the chooser once
// the download has ended or been abandoned with "Continua".
//
// The request runs on the event loop, so the strip stays responsive while it downloads. Only a
// complete 2xx answer replaces the movie: the body is received under a temporary name and
// becomes "aggiornamento.swf" only when whole, and the movie is replaced the same way.
// With no update server configured (CARTOVIA_UPDATE_SERVER, or the key "Server" of the
// section "Data" of the download settings) nothing is fetched and the strip never shows.
#include <QString>

#include "components/Finestra.h"

class FileSicuro;
class QLabel;
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class VelImage;

class THttpTestForm : public TFinestra {
    Q_OBJECT
public:
    explicit THttpTestForm(QWidget* parent = nullptr);
    ~THttpTestForm() override;

    QLabel* Label1 = nullptr;          // "URL"
    QLineEdit* URLEdit = nullptr;      // the address being fetched
    VelImage* LuceRossa = nullptr;     // working
    VelImage* LuceVerde = nullptr;     // done
    QPushButton* Continua = nullptr;
    QTimer* Timer1 = nullptr;          // 1000 ms, fires once and starts the download
    // Hidden fields holding the download settings, and the hidden log.
    QLineEdit* ProxyHostEdit = nullptr;
    QLineEdit* ProxyPortEdit = nullptr;
    QLineEdit* DataEdit = nullptr;      // If-Modified-Since when not empty
    QLineEdit* DateTimeEdit = nullptr;
    QPlainTextEdit* DisplayMemo = nullptr;

    // The chooser's step: start the timer, light the red light and show the strip modally,
    // returning when it has closed. Returns at once, showing nothing, without a server.
    void MostraModale();
    // Everything MostraModale does except waiting (tests drive the strip themselves).
    bool Avvia();

    void Timer1Timer();
    void GetButtonClick();
    void ContinuaClick();
    void FormShow();   // the first show reads the download settings
    void FormClose();  // every close writes them

    // The address of "/aggiornamento.swf" on the configured server; empty without one.
    static QString IndirizzoAggiornamento();
    // The If-Modified-Since value for a date field: an HTTP date, or empty when the text is
    // no date this strip understands (then the header is left out).
    static QByteArray DataHttp(const QString& testo);

    bool InCorso() const { return risposta_ != nullptr; }
    QString Registro() const;

    // Where "aggiornamento.swf" is received: the current directory unless set.
    QString CartellaScaricamento;
    // Bodies larger than this are refused; the movie then stays as it was.
    qint64 DimensioneMassima = 16 * 1024 * 1024;

signals:
    // After each download attempt that ended by itself (not by "Continua").
    void ScaricamentoFinito(bool riuscito);
    void Chiusa();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void HttpCli1DocBegin();
    void Ricevi();
    void Finito();
    void Scrivi(const QString& riga);
    void Interrompi();

    QNetworkAccessManager* rete_ = nullptr;
    QNetworkReply* risposta_ = nullptr;
    FileSicuro* ricezione_ = nullptr;
    QString nomeRicezione_;
    qint64 ricevuti_ = 0;
    bool troppoGrande_ = false;
    bool impostazioniLette_ = false;
};
