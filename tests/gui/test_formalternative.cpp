// The capture-choice dialog as the player meets it: the played card beside the choices,
// buttons at rest when it opens, placed clear of what the player needs, and nothing of it
// left on the table once a capture is taken.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QPaintEvent>
#include <QRegion>

#include "app/TFormConfig.h"
#include "app/TFormSplashScreen.h"
#include "games/scopa/TFormAlternative.h"
#include "games/scopa/TFormScopa.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

class DialogoPresa : public FinestreDiProva {
protected:
    void SetUp() override
    {
        FinestreDiProva::SetUp();
        s = FormScopa;
        s->Motore.Generatore().Fissa(2024);
        FormSplashScreen->show();
        ApriFinestra(FinestraScopa);
        s->NuovaPartitaClick();
        // A 6 of Spade over 1+5, 2+4 and 1+2+3 of other suits: three ways to capture.
        auto& m = s->Motore;
        std::fill(std::begin(m.ManoGiocatore), std::end(m.ManoGiocatore), 0);
        std::fill(std::begin(m.ManoComputer), std::end(m.ManoComputer), 0);
        std::fill(std::begin(m.Tavolo), std::end(m.Tavolo), 0);
        const int giocatore[] = {16, 27, 38}, computer[] = {2, 13, 24}, tavolo[] = {1, 15, 12, 4, 33};
        for (int i = 0; i < 3; ++i) m.ManoGiocatore[i + 1] = giocatore[i], m.ManoComputer[i + 1] = computer[i];
        for (int i = 0; i < 5; ++i) m.Tavolo[i + 1] = tavolo[i];
        m.Turno = 1;
        s->Ridisegna();
    }
    void TearDown() override
    {
        TFormAlternative::Automazione() = nullptr;
        FinestreDiProva::TearDown();
    }
    static QRect Globale(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

    TFormScopa* s = nullptr;
};

// Records the regions a window paints.
class RegistraPittura : public QObject {
public:
    explicit RegistraPittura(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) dipinta += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
    QRegion dipinta;
};

}  // namespace

TEST_F(DialogoPresa, ShowsThePlayedCardBesideTheChoicesAndWhichChoiceItIs)
{
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        EXPECT_EQ(d->CartaGiocata, 16);
        EXPECT_FALSE(d->ImageGiocata->isHidden()) << "the card being played shows in the dialog";
        VelImage attesa;
        FormConfig->VelCarte1->CartaDalNumero(16, &attesa);
        EXPECT_TRUE(d->ImageGiocata->Picture() == attesa.Picture()) << "it is the 6 of Spade";
        EXPECT_FALSE(d->ImageGiocata->Sagoma().Vuota()) << "its card lies on the dialog's felt, no margin box";
        for (int i : PostiAlternativa(2)) {
            EXPECT_FALSE(d->Image[i]->isHidden());
            EXPECT_FALSE(d->Image[i]->Sagoma().Vuota()) << "choice place " << i << " shows only its card";
            EXPECT_FALSE(d->ImageGiocata->geometry().intersects(QRect(d->Image[i]->pos(), QSize(62, 98))))
                << "the played card stands apart from choice " << i;
        }
        d->VelmoBottone1Click();
    };
    s->CartaGiocatoreDblClick(1);
    // Opened by anything else without a card, the dialog shows the choices alone.
    TFormAlternative::Automazione() = [](TFormAlternative* d) {
        EXPECT_TRUE(d->ImageGiocata->isHidden());
        d->VelmoBottone1Click();
    };
    FormAlternative->Scegli({{1, 2}, {3}});
}

TEST_F(DialogoPresa, StandsClearOfThePlayedCardTheTableTheNameAndTheTurnPicture)
{
    QRect dialogo;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        dialogo = d->geometry();
        d->VelmoBottone1Click();
    };
    s->Timer2Timer();  // the turn picture and the name show for the player's turn
    const QRect mano = Globale(s->CartaGiocatore[1]);
    const QRect nome = Globale(s->NomeGiocat);
    const QRect turno = Globale(s->Giocatore);
    std::vector<QRect> tavolo;
    for (int k = 1; k <= 5; ++k) tavolo.push_back(Globale(s->CartaTerra[k]));
    s->CartaGiocatoreDblClick(1);
    ASSERT_TRUE(dialogo.isValid());
    const std::pair<const char*, QRect> daVedere[] = {{"the card being played", mano}, {"the player's name", nome},
                                                      {"the turn picture", turno}, {"table place 1", tavolo[0]},
                                                      {"table place 5", tavolo[4]}};
    for (const auto& [cosa, r] : daVedere) EXPECT_FALSE(dialogo.intersects(r)) << "the dialog hides " << cosa;
    EXPECT_TRUE(Globale(s).contains(dialogo)) << "it stands on the table window";
}

TEST_F(DialogoPresa, ReopensWithItsButtonsAtRest)
{
    // The mouse rests on (or presses) a button when the dialog goes: the next time the dialog
    // opens, under a mouse that is elsewhere, both buttons show their normal picture.
    struct Caso {
        const char* nome;
        bool premuto;
        bool altra;
    };
    for (const Caso k : {Caso{"hovered Prendi", false, false}, Caso{"pressed Prendi", true, false},
                         Caso{"hovered Altra", false, true}}) {
        TFormAlternative::Automazione() = [&](TFormAlternative* d) {
            d->show();
            VelmoBottone* b = k.altra ? d->VelmoBottone2 : d->VelmoBottone1;
            QEnterEvent entra(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QCoreApplication::sendEvent(b, &entra);
            if (k.premuto) {
                QMouseEvent preme(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                  Qt::LeftButton, Qt::NoModifier);
                QCoreApplication::sendEvent(b, &preme);
            }
            ASSERT_TRUE(b->MouseDentro()) << k.nome;
            d->VelmoBottone1Click();
        };
        FormAlternative->Scegli({{1, 2}, {3}}, 16);
        EXPECT_TRUE(FormAlternative->isHidden()) << k.nome;
        TFormAlternative::Automazione() = [&](TFormAlternative* d) {
            d->show();
            for (VelmoBottone* b : {d->VelmoBottone1, d->VelmoBottone2}) {
                EXPECT_FALSE(b->MouseDentro()) << k.nome << ": " << b->objectName().toStdString() << " still lit";
                EXPECT_FALSE(b->Premendo()) << k.nome << ": " << b->objectName().toStdString() << " still held";
                EXPECT_TRUE(&b->ImmagineCorrente() == &b->Normale()) << k.nome;
            }
            // A release after reopening is no click: the press belonged to the closed dialog.
            QMouseEvent rilascia(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                 Qt::NoButton, Qt::NoModifier);
            int clic = 0;
            auto c = QObject::connect(d->VelmoBottone1, &VelmoBottone::Click, [&] { ++clic; });
            QCoreApplication::sendEvent(d->VelmoBottone1, &rilascia);
            QObject::disconnect(c);
            EXPECT_EQ(clic, 0) << k.nome;
            d->VelmoBottone1Click();
        };
        FormAlternative->Scegli({{1, 2}, {3}}, 16);
    }
}

TEST_F(DialogoPresa, TakingACaptureRepaintsTheTableUnderTheDialogBeforeAnythingFlies)
{
    // Exposed once, the table window paints into its backing store as on a screen.
    QCoreApplication::processEvents();
    RegistraPittura pittura(s->Panel1);
    QRect coperta;
    QRegion primaDelVolo;
    bool volato = false;
    TFormAlternative::Automazione() = [&](TFormAlternative* d) {
        d->show();
        coperta = d->frameGeometry();
        pittura.dipinta = QRegion();
        d->VelmoBottone1Click();
    };
    // The first pause after the choice is the played card's first flight step: by then the
    // table must have painted the dialog's place.
    ImpostaScalaTempo(1);
    ImpostaDormiente([&](unsigned) {
        if (!volato) primaDelVolo = pittura.dipinta;
        volato = true;
    });
    s->CartaGiocatoreDblClick(1);
    ImpostaDormiente({});
    ImpostaScalaTempo(0);
    ASSERT_TRUE(volato);
    const QRect sulFeltro = QRect(s->Panel1->mapFromGlobal(coperta.topLeft()), coperta.size()).intersected(s->Panel1->rect());
    ASSERT_FALSE(sulFeltro.isEmpty());
    EXPECT_TRUE((QRegion(sulFeltro) - primaDelVolo).isEmpty()) << "the table still pictures the dialog while the cards fly";
}
