#pragma once
// VelmoBottone: the picture button of every window. Shows one of four bitmaps by state and
// mouse (normal, hovered, pressed, disabled), a centred caption with an optional white
// shadow, and an optional border in one of six styles.
#include <QImage>
#include <QString>
#include <QWidget>

#include "components/Immagini.h"

class QPainter;

class VelmoBottone : public QWidget {
    Q_OBJECT
public:
    explicit VelmoBottone(QWidget* parent = nullptr);  // 100 x 100, enabled

    int Bordo() const { return bordo_; }                  // default 1
    int DistanzaOmbra() const { return distanzaOmbra_; }  // default 1
    int TipoBordo() const { return tipoBordo_; }          // default 1
    QString Caption() const { return caption_; }
    int Stato() const { return stato_; }                  // 0 disabled, else enabled; default 1
    const QImage& Normale() const { return normale_.Immagine(); }
    const QImage& Attivo() const { return attivo_.Immagine(); }
    const QImage& Disabilitato() const { return disabilitato_.Immagine(); }
    const QImage& Premuto() const { return premuto_.Immagine(); }
    bool MouseDentro() const { return mouseDentro_; }
    bool Premendo() const { return premendo_; }

    virtual void setBordo(int v);
    virtual void setDistanzaOmbra(int v);
    virtual void setTipoBordo(int v);
    virtual void setCaption(const QString& s);
    virtual void setStato(int v);
    virtual void setNormale(const QImage& img);
    virtual void setAttivo(const QImage& img);
    virtual void setDisabilitato(const QImage& img);
    virtual void setPremuto(const QImage& img);
    // Pictures named by their embedded resource (scaled to `dimensione` when it is given),
    // decoded through the shared picture cache the first time the button shows that state or
    // someone asks for the picture.
    void setNormaleDaRisorsa(const QString& nome, QSize dimensione = QSize());
    void setAttivoDaRisorsa(const QString& nome, QSize dimensione = QSize());
    void setDisabilitatoDaRisorsa(const QString& nome, QSize dimensione = QSize());

    // Which bitmap the current state shows (may be a null image: nothing is drawn).
    const QImage& ImmagineCorrente() const;
    // Where the current picture comes from (its 2x form is drawn on a sharp surface).
    const Immagini::Differita* DifferitaCorrente() const;
    // Renders the whole button as it would appear now (used by painting and tests).
    QImage Render() const;
    // Draws the button as it would appear now onto `p` (the widget or a picture).
    void Dipingi(QPainter& p) const;
    // Redraws at once.
    void Disegna();

signals:
    void Click();
    void DoppioClic();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void enterEvent(QEnterEvent*) override;
    void leaveEvent(QEvent*) override;
    // A hidden button has no mouse over it: it shows again in its normal state.
    void hideEvent(QHideEvent*) override;

private:
    int bordo_ = 1, distanzaOmbra_ = 1, tipoBordo_ = 1, stato_ = 1;
    QString caption_;
    Immagini::Differita normale_, attivo_, disabilitato_, premuto_;
    bool mouseDentro_ = false, premendo_ = false;
    bool cliccato_ = false;  // the left press began on the button (a release then clicks)
    mutable bool sfondoCaricato_ = false;
    mutable QImage sfondo_;
};
