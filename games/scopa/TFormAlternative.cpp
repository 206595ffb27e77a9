#include "games/scopa/TFormAlternative.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

#include "app/TFormConfig.h"
#include "app/Finestre.h"
#include "games/comune/Accessibilita.h"
#include "games/comune/FocusTastiera.h"

std::vector<int> PostiAlternativa(int n)
{
    switch (n) {
    case 1: return {3};
    case 2: return {2, 4};
    case 3: return {2, 3, 4};
    case 4: return {1, 2, 4, 5};
    case 5: return {1, 2, 3, 4, 5};
    default: return {};
    }
}

std::function<void(TFormAlternative*)>& TFormAlternative::Automazione()
{
    static std::function<void(TFormAlternative*)> f;
    return f;
}

namespace {
// Layout: the played card on the left, an arrow, then the five places of the choices, close
// together; below them the captions and the two buttons. The slots show only their cards, so
// the cards lie on the dialog's own felt.
constexpr int Larghezza = 484, Altezza = 198;
constexpr int YCarte = 14, XGiocata = 16, XPrimaScelta = 126, PassoScelte = 70;
constexpr int LarghezzaCarta = 62;  // the card within its 80 x 120 slot
constexpr int YDidascalie = 116, YBottoni = 146;
const QColor Panno(40, 90, 55);
const QColor Oro(212, 175, 55);
}  // namespace

TFormAlternative::TFormAlternative(QWidget* parent) : TFinestra(Larghezza, Altezza, parent)
{
    setWindowTitle("Scegli la presa");
    TabAiTasti = true;  // Tab shows the other capture, as the arrows do
    setWindowModality(Qt::ApplicationModal);
    QPainterPath forma;
    forma.addRoundedRect(QRectF(0, 0, Larghezza, Altezza), 18, 18);
    setMask(QRegion(forma.toFillPolygon().toPolygon()));

    ImageGiocata = new VelImage(this);
    ImageGiocata->setObjectName("ImageGiocata");
    ImageGiocata->setGeometry(XGiocata, YCarte, 80, 120);
    ImageGiocata->hide();
    for (int i = 1; i <= 5; ++i) {
        Image[i] = new VelImage(this);
        Image[i]->setObjectName(QString("Image%1").arg(i));
        Image[i]->setGeometry(XPrimaScelta + PassoScelte * (i - 1), YCarte, 80, 120);
    }
    auto bottone = [this](const char* oggetto, const char* nome, int x) {
        auto* b = new VelmoBottone(this);
        b->setObjectName(oggetto);
        b->setGeometry(x, YBottoni, 145, 38);
        b->setBordo(0);
        b->setDistanzaOmbra(0);
        b->setNormaleDaRisorsa(QString(":/img/btn_%1_normale.bmp").arg(nome));
        b->setAttivoDaRisorsa(QString(":/img/btn_%1_attivo.bmp").arg(nome));
        return b;
    };
    const int fineScelte = XPrimaScelta + PassoScelte * 4 + LarghezzaCarta;
    VelmoBottone1 = bottone("VelmoBottone1", "prendi", XPrimaScelta);
    VelmoBottone2 = bottone("VelmoBottone2", "altra", fineScelte - 145);
    VelmoBottone1->setAccessibleName("Prendi");
    VelmoBottone1->setAccessibleDescription("Tasto Invio");
    VelmoBottone2->setAccessibleName("Altra");
    VelmoBottone2->setAccessibleDescription("Tasto Tab o frecce");
    InstallaAccessibilita();
    setFocusPolicy(Qt::StrongFocus);
    Annuncio = new RegioneAnnunci(this);
    connect(VelmoBottone1, &VelmoBottone::Click, this, [this] { VelmoBottone1Click(); });
    connect(VelmoBottone2, &VelmoBottone::Click, this, [this] { VelmoBottone2Click(); });
}

int TFormAlternative::Scegli(const std::vector<std::vector<int>>& alternative, int cartaGiocata, const QRect& zona)
{
    Alternative = alternative;
    AlternativaScelta = 0;
    CartaGiocata = cartaGiocata;
    presa_ = false;
    if (Alternative.empty()) return 0;
    if (zona.isValid())
        move(zona.x() + (zona.width() - width()) / 2, zona.y() + (zona.height() - height()) / 2);
    else
        Centra();
    if (CartaGiocata && FormConfig) FormConfig->VelCarte1->CartaDalNumero(CartaGiocata, ImageGiocata);
    if (CartaGiocata) NominaCarta(ImageGiocata, CartaGiocata);
    ImageGiocata->setVisible(CartaGiocata != 0);
    FormShow();
    if (Automazione()) {
        Automazione()(this);
    } else {
        show();
        raise();
        activateWindow();
        QEventLoop ciclo;
        ciclo_ = &ciclo;
        if (!presa_) ciclo.exec();
        ciclo_ = nullptr;
    }
    const QRect coperta = frameGeometry();
    const bool eraVisibile = isVisible();
    hide();
    if (AlMostrare) AlMostrare(-1);
    AlMostrare = nullptr;
    // The table's capture flight follows at once and blocks the thread: the place the dialog
    // covered is repainted now, or its picture would stay under the flying cards.
    if (eraVisibile) RidipingiSotto(coperta, this);
    return AlternativaScelta;
}

void TFormAlternative::FormShow()
{
    for (int i = 1; i <= 5; ++i) Image[i]->hide();
    update();
    if (AlternativaScelta < 0 || AlternativaScelta >= static_cast<int>(Alternative.size())) return;
    if (AlMostrare) AlMostrare(AlternativaScelta);
    const auto& carte = Alternative[AlternativaScelta];
    const auto posti = PostiAlternativa(static_cast<int>(carte.size()));
    for (std::size_t i = 0; i < posti.size(); ++i) {
        VelImage* img = Image[posti[i]];
        if (FormConfig) FormConfig->VelCarte1->CartaDalNumero(carte[i], img);
        NominaCarta(img, carte[i]);
        img->show();
    }
    // A screen reader hears the capture shown: "Presa 1 di 3: il Tre di Spade e il Due di Coppe".
    ::Annuncia(Annuncio, QString("Presa %1 di %2: %3")
                             .arg(AlternativaScelta + 1)
                             .arg(Alternative.size())
                             .arg(ElencoCarte(std::vector<int>(carte.begin(), carte.end()))));
}

void TFormAlternative::VelmoBottone1Click()
{
    presa_ = true;
    if (ciclo_) ciclo_->quit();
}

void TFormAlternative::VelmoBottone2Click()
{
    if (Alternative.empty()) return;
    AlternativaScelta = (AlternativaScelta + 1) % static_cast<int>(Alternative.size());
    FormShow();
}

void TFormAlternative::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Panno);
    p.setPen(QPen(Oro, 4));
    p.drawRoundedRect(QRectF(2, 2, width() - 4, height() - 4), 16, 16);

    QFont f = font();
    f.setBold(true);
    f.setPointSize(10);
    p.setFont(f);
    p.setPen(Oro);
    const int fineScelte = XPrimaScelta + PassoScelte * 4 + LarghezzaCarta;
    if (CartaGiocata) {
        p.drawText(QRect(XGiocata - 8, YDidascalie, LarghezzaCarta + 16, 22), Qt::AlignCenter, "Giochi");
        // An arrow from the played card toward the cards it takes.
        const double y = YCarte + 49;
        const double x0 = XGiocata + LarghezzaCarta + 12, x1 = XPrimaScelta - 12;
        p.setPen(QPen(Oro, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x0, y), QPointF(x1, y));
        p.drawLine(QPointF(x1, y), QPointF(x1 - 8, y - 7));
        p.drawLine(QPointF(x1, y), QPointF(x1 - 8, y + 7));
        p.setPen(Oro);
    }
    if (Alternative.size() > 1)
        p.drawText(QRect(XPrimaScelta, YDidascalie, fineScelte - XPrimaScelta, 22), Qt::AlignCenter,
                   QString("Presa %1 di %2").arg(AlternativaScelta + 1).arg(Alternative.size()));
}

void TFormAlternative::closeEvent(QCloseEvent* e)
{
    // Only taking an alternative closes the dialog.
    if (!presa_) e->ignore();
}

void TFormAlternative::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        // The dialog cannot be left without taking a capture.
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_A:
        FocusTastiera::AttivaControllo(VelmoBottone2);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_P:
        FocusTastiera::AttivaControllo(VelmoBottone1);
        return;
    default:
        TFinestra::keyPressEvent(e);
    }
}
