#pragma once
// VelCarte: the component that knows the 40-card deck. It holds the deck state (order,
// card states, shuffle; see core/StatoMazzo.h) and composes card pictures from its sheets
// into card slots (VelImage): old system (Tipo 1, whole pictures from one sheet) and new
// system (Tipo 2, a frame with the face laid in at (1, 2)), plus the derived pictures
// (highlighted, half size, sideways) computed pixel by pixel.
#include <QImage>
#include <QWidget>

#include "components/Immagini.h"
#include "components/VelImage.h"
#include "core/StatoMazzo.h"

class VelCarte : public QWidget {
    Q_OBJECT
public:
    explicit VelCarte(QWidget* parent = nullptr);

    // ---- published properties (defaults as the component declares them) ----
    int DimX() const { return dimX_; }            // whole card width (60 until set)
    int DimY() const { return dimY_; }            // whole card height (94 until set)
    int DimXCarte() const { return dimXCarte_; }  // face cell width (new system), 0
    int DimYCarte() const { return dimYCarte_; }  // face cell height, 0
    int Tipo() const { return tipo_; }            // 1 old system, 2 new system; default 2
    int SemeCarta() const { return seme_; }       // suit of the current card, default 1
    int NumeroCarta() const { return numero_; }   // number of the current card, default 1
    bool Seleziona() const { return seleziona_; } // default true
    int ImmaginiCarteColonne() const { return stato_.Colonne(); }  // default 10
    int ImmaginiCarteRighe() const { return stato_.Righe(); }      // default 4
    int Mazzo() const { return mazzo_; }                     // deck style, default 1
    int BordoCartaNumero() const { return bordo_; }          // frame, default 1

    virtual void setDimX(int v);
    virtual void setDimY(int v);
    virtual void setDimXCarte(int v);
    virtual void setDimYCarte(int v);
    virtual void setTipo(int v);
    virtual void setSemeCarta(int v);
    virtual void setNumeroCarta(int v);
    virtual void setSeleziona(bool v);
    virtual void setImmaginiCarteColonne(int v);
    virtual void setImmaginiCarteRighe(int v);
    virtual void setMazzo(int v);
    virtual void setBordoCartaNumero(int v);

    // Sheets (copied in) and derived pictures.
    const QImage& BufferImmagini() const { Prepara(); return bufferImmagini_; }
    const QImage& BufferImmaginiSelezionate() const { Prepara(); return bufferSelezionate_; }
    const QImage& BordiCarta() const { Prepara(); return bordiCarta_; }
    const QImage& ImmagineNorm() const { return immagineNorm_; }
    const QImage& ImmagineMini() const { return immagineMini_; }
    const QImage& ImmagineRove() const { return immagineRove_; }
    const QImage& ImmagineSele() const { return immagineSele_; }
    virtual void setBufferImmagini(const QImage& img);
    virtual void setBufferImmaginiSelezionate(const QImage& img);
    virtual void setBordiCarta(const QImage& img);
    virtual void setImmagineNorm(const QImage& img);
    // Sheets named by their resource (":/img/..."), decoded through the shared picture cache
    // only when the component first composes a card or hands the sheet out, so a deck that a
    // hidden window holds costs nothing until it is used. A later setter replaces them.
    void setBufferImmaginiDaRisorsa(const QString& nome);
    void setBufferImmaginiSelezionateDaRisorsa(const QString& nome);
    void setBordiCartaDaRisorsa(const QString& nome);
    // A sheet from a file or resource as 32-bit pixels; a null image when it cannot be read.
    static QImage CaricaFoglio(const QString& nome);
    // What the control's own painting drew last (DimX x DimY; undrawn pixels transparent).
    const QImage& Superficie() const { return superficie_; }

    // ---- deck and state (no drawing) ----
    StatoMazzo& Stato() { return stato_; }
    const StatoMazzo& Stato() const { return stato_; }
    bool InMovimento() const { return inMovimento_; }

    virtual void Mischia();
    virtual int RitornaCarta(int i) const { return stato_.RitornaCarta(i); }
    virtual void ImpostaCarta(int i, int v) { stato_.ImpostaCarta(i, v); }
    virtual int RitornaStato(int i) const { return stato_.RitornaStato(i); }
    virtual void ImpostaStato(int i, int v) { stato_.ImpostaStato(i, v); }
    virtual void ImpostaCartaImmediata(int i, int v) { stato_.ImpostaCartaImmediata(i, v); }
    virtual int RitornaCartaImmediata(int i) const { return stato_.RitornaCartaImmediata(i); }
    // SemeCarta/NumeroCarta from the card stored at index j (through the setters).
    virtual void SistemaDati(int j);

    // ---- drawing into a slot; each repaints the slot afterwards ----
    virtual void Disegna();                                      // own painting
    virtual void CambiaStato(int posizione, VelImage* slot);     // old system
    virtual void CambiaStatoNuovoSistema(int posizione, VelImage* slot);
    virtual void Carta(int seme, int numero, VelImage* slot);    // old system
    virtual void Carta(int posizione, VelImage* slot);           // old system
    virtual void CartaDalNumero(int c, VelImage* slot);          // by Tipo, 10 cards per suit
    virtual void CartaNuovoSistema(int posizione, VelImage* slot);  // by Tipo: RitornaCarta(pos)
    virtual void RiduciImmagine();
    virtual void RuotaImmagine();
    // Card c lying sideways in a 120 x 80 slot: the whole card, turned.
    virtual void RuotaImmagine(int c, VelImage* slot);
    virtual void RuotaImmagineCompleta(VelImage* slot);
    virtual void SelezionaImmagine();
    virtual void SelezionaImmagine(int c, VelImage* slot);
    // Animates the control itself: passi positions (the last one short of the target by
    // one step), InMovimento set meanwhile so painting shows the cached ImmagineNorm.
    virtual void MuoviCarta(int left, int top, int passi, unsigned ritardo, QWidget* finestra);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void Ridipingi();                      // repaints the control when it is shown
    // Decodes the sheets still named by their resource (all, or only faces and frames).
    void Prepara(bool soloPrincipali = false) const;
    void ImpostaIntero(int& campo, int v); // stores a changed value and repaints
    void ImpostaCartaDalNumero(int c);     // suit and number from c, ten cards per suit
    bool FacciaPresente() const;
    QRect Cella(int w, int h) const;       // the current card's cell for a cell size
    bool CartaSegnata() const;             // state entry of the current card is set
    const QImage& FoglioFacce(bool consultaStato) const;
    void ComponiVecchio(QImage& dst, bool consultaStato) const;  // whole picture from its cell
    void ComponiNuovo(QImage& dst, bool consultaStato) const;    // frame, then face at (1, 2)
    void ComponiPerTipo(QImage& dst) const;
    void EvidenziaNelloSlot(VelImage* slot);  // highlighted current card into the slot
    // The shape of the card within the current frame cell (new system); none without a
    // frame sheet. Kept until the frame, its sheet or the card size changes.
    const SagomaCarta& SagomaCornice() const;
    // The shape a slot gets with a picture composed by this component's system.
    SagomaCarta SagomaPerTipo() const;
    // On a program drawn above 100 %, also composes the card just put in the slot (new
    // system) from the 2x sheets and hands it to the slot with its 2x shape.
    void DoppiaNelloSlot(VelImage* slot, bool consultaStato) const;
    // The control's own picture from the 2x sheets (a null image when there is none).
    QImage SuperficieDoppia() const;

    int dimX_ = 60, dimY_ = 94, dimXCarte_ = 0, dimYCarte_ = 0, tipo_ = 2;
    int seme_ = 1, numero_ = 1, mazzo_ = 1, bordo_ = 1;
    bool seleziona_ = true;
    bool inMovimento_ = false;
    StatoMazzo stato_;
    // Sheets, and the resources of those not decoded yet (see Prepara).
    mutable QImage bufferImmagini_, bufferSelezionate_, bordiCarta_;
    mutable Immagini::Differita facceInAttesa_, selezionateInAttesa_, bordiInAttesa_;
    QImage immagineNorm_, immagineMini_, immagineRove_, immagineSele_;
    QImage superficie_;
    // Resources of the sheets (their 2x forms are found by name), empty for sheets given as pixels.
    QString nomeFacce_, nomeBordi_;
    mutable SagomaCarta sagoma2x_;
    mutable int sagoma2xBordo_ = 0, sagoma2xW_ = 0, sagoma2xH_ = 0;
    mutable SagomaCarta sagoma_;
    mutable qint64 sagomaChiave_ = -1;
    mutable int sagomaBordo_ = 0, sagomaW_ = 0, sagomaH_ = 0;
};
