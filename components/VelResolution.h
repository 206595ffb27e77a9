#pragma once
// VelResolution: switches the whole display to one of five fixed resolutions the first time
// it is painted at run time, and back to the previous resolution when it is destroyed. At run
// time it hides itself; in a window being designed it shows its name on a grey face and takes
// `Resolution` from the screen's current width instead of switching anything.
//
// The display is reached through the display-mode layer (platform/ModiSchermo.h) and the two
// messages through the simple message box (platform/Messaggi.h), so tests replace both.
#include <QImage>
#include <QWidget>

#include "platform/ModiSchermo.h"

enum class TResolution { _640x480, _800x600, _1024x768, _1152x864, _1280x1024 };

// The size in pixels a value stands for.
ModoSchermo DimensioniRisoluzione(TResolution r);

class VelResolution : public QWidget {
    Q_OBJECT
public:
    // The two messages of a switch, exactly as the user sees them.
    static const char* const MessaggioRiavvio;        // "It's need restart the system!"
    static const char* const MessaggioNonSupportata;  // "Mode not supported from hardware"

    // 85 x 20; remembers the current screen size. `progettazione` places the component in a
    // window being designed (a flag of the component, fixed at creation).
    explicit VelResolution(QWidget* parent = nullptr, bool progettazione = false);
    // At run time, when this component switched the display: back to the remembered size,
    // silently.
    ~VelResolution() override;

    TResolution Resolution() const { return resolution_; }  // default _640x480
    virtual void setResolution(TResolution r);
    // The component's own enabled flag (a disabled parent window does not clear it).
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    bool Progettazione() const { return progettazione_; }
    // The screen size remembered before switching.
    int LarghezzaPrecedente() const { return precedente_.larghezza; }
    int AltezzaPrecedente() const { return precedente_.altezza; }
    // Whether this component has switched the display.
    bool Cambiata() const { return cambiata_; }

    // The painting step. Design time: size 85 x 20 and redraw the label. Run time: size
    // 85 x 20, hide, and when enabled and not switched yet remember the current size and
    // switch to `Resolution` with verification.
    virtual void Paint();
    // What the control shows: the grey face with its name at design time, nothing at run time.
    QImage Render() const;

protected:
    // Switch to `Resolution` (first switch) or back to the remembered size (once switched).
    // With `verifica` the current size is checked afterwards and the user told when it is not
    // the target; without it nothing is shown at all.
    virtual void Cambia(bool verifica);
    void paintEvent(QPaintEvent*) override;

private:
    TResolution resolution_ = TResolution::_640x480;
    ModoSchermo precedente_;
    bool cambiata_ = false;
    bool progettazione_ = false;
    bool paintInAttesa_ = false;
};
