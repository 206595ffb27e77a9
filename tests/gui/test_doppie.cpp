// The 2x pictures: each 1x picture keeps its exact bytes, has a form twice its size, and a
// program drawn at 200 % paints the 2x pixels (not the 1x ones blown up).
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QWidget>

#include "components/Immagini.h"
#include "components/Scala.h"
#include "components/VelCarte.h"
#include "components/VelImage.h"
#include "resources/Risorse.h"

namespace {
// MD5 of every 1x picture as the program's layouts and tests know it.
const std::pair<const char*, const char*> Impronte[] = {
    {"bordi.bmp", "5a8793ec27b40dfb52ee289ae8377b20"},
    {"btn_altra_attivo.bmp", "b1c87770513f5481971db62a69b49538"},
    {"btn_altra_disabilitato.bmp", "012589b305ddbfdc05cf18b0443a5c42"},
    {"btn_altra_normale.bmp", "a951e7d9911b2e8d9b2cd84158d5e7f1"},
    {"btn_chiudi_attivo.bmp", "ab4091baafa22c2ddaff635a8718915c"},
    {"btn_chiudi_disabilitato.bmp", "a51b81d54c7c341afd2b8054ae6af926"},
    {"btn_chiudi_normale.bmp", "90506a71718fdbe25356ab4a24d28954"},
    {"btn_configurazione_attivo.bmp", "b28b9cee9ce2b26dfda02f82e25224cf"},
    {"btn_configurazione_disabilitato.bmp", "832e88b4163e4badbe7efe22af1570e0"},
    {"btn_configurazione_normale.bmp", "e2cda27ee803d69a9f81869cec74b8d9"},
    {"btn_nuovacarta_attivo.bmp", "ad221c959ab26b2dd3b126bedea9ab27"},
    {"btn_nuovacarta_disabilitato.bmp", "968cbe11d9ca0af226369b6b9e5e1f0d"},
    {"btn_nuovacarta_normale.bmp", "f01ac115b6d2b9fe2f7e54cac6a9386a"},
    {"btn_nuovapartita_attivo.bmp", "96b6cfdda84e992c52d69c34f053ef1d"},
    {"btn_nuovapartita_disabilitato.bmp", "5b75cd13051b4a71b76c625f329aa19d"},
    {"btn_nuovapartita_normale.bmp", "d888cc0c6592bc42f065e630e1e5caea"},
    {"btn_nuovoturno_attivo.bmp", "e1b29a74a6c79af624a08727979ff1f2"},
    {"btn_nuovoturno_disabilitato.bmp", "bbccafd3b47fcef02dc7d5bf39cf8cdb"},
    {"btn_nuovoturno_normale.bmp", "112ce47804d2173bef37d14489e9cbed"},
    {"btn_ok_attivo.bmp", "87738cffe8958a13c7f159ecd45f81fa"},
    {"btn_ok_disabilitato.bmp", "5253a65e6fdb1f0343c9326e2efdba18"},
    {"btn_ok_normale.bmp", "f0361c3a4aca1c4e7183f2e007f44825"},
    {"btn_prendi_attivo.bmp", "d833214bf022c1c7eb18bc5d7a5a679b"},
    {"btn_prendi_disabilitato.bmp", "1a36a626234206bff6e5445c6bdbb5a2"},
    {"btn_prendi_normale.bmp", "8c9216f9a129822e4cfb42d07478d352"},
    {"btn_punteggi_attivo.bmp", "0005b58cc4d9e4d4cdc9cb7c2ec83c13"},
    {"btn_punteggi_disabilitato.bmp", "6fa8b7c3fb666650ced7beff2d6e00fc"},
    {"btn_punteggi_normale.bmp", "63cd10d2b27b0d64a8f9a5c5c9fc18de"},
    {"btn_stop_attivo.bmp", "ec8526bbdd0bacafa00b50ce72978850"},
    {"btn_stop_disabilitato.bmp", "e2b3464a41130ee4870355b081b46214"},
    {"btn_stop_normale.bmp", "650d3f9f529f2e422b7179111df315dd"},
    {"chiudipubblicita_attivo.bmp", "78d0dc86707757182c1cd2b38e5fe50c"},
    {"chiudipubblicita_normale.bmp", "8fe62f887b0071179c785af5fb049305"},
    {"cifre_piccole.bmp", "c22049dae3a5bc036ca628f70a713f2f"},
    {"cifre_punteggi.bmp", "f0bcfb1136527afad82371818d70f434"},
    {"cifre_punteggi_sel.bmp", "4394be678ad892a5ba20f6b93467dad0"},
    {"fronti.bmp", "5607c2b3591257876cd9ebda285e10a7"},
    {"icona.png", "1f014091a87902435a76c4eea778d65f"},
    {"luce_rossa.bmp", "c686535bf347507b9fedaf0525ce46b4"},
    {"luce_verde.bmp", "e7998f7992a6e618655f2d015b413486"},
    {"pubblicita_locandina.bmp", "86de4f8eeaa2ac9cc430f0e191ae3a3d"},  // the poster drawn to fill its panel
    {"retro.bmp", "06f67236bf2fbdfd3c1f753f7ba75245"},
    {"sfondo_bottone.bmp", "45ea3d5c952ca3534df4d4ab258b58aa"},
    {"sfondo_config.bmp", "15a44b1e368a707be59ba9d1d1220971"},
    {"sfondo_punteggi.bmp", "a115bf0ec5c3c594970fc7c834ac4070"},
    {"sfondo_rete.bmp", "7219de5bb448c19a1600ad0e55bebfac"},
    {"sfondo_tavolo.bmp", "c7b01c7d3af5c7e1a1725ccc0afd49af"},
    {"splash_briscola_attivo.bmp", "d2d425afe60d6ead9c2d8e682607991b"},
    {"splash_briscola_normale.bmp", "a8d6d55bc12552331c85746f768068ff"},
    {"splash_chiudi_attivo.bmp", "faab2dee892743bd77a32cf1f7784bad"},
    {"splash_chiudi_normale.bmp", "7456b4e3896482c545ca31ee5a79c992"},
    {"splash_rete_attivo.bmp", "54b8db43a06b40db1967dc520e73e825"},
    {"splash_rete_normale.bmp", "2e5ea4835f883f723226de1dc7ea49b1"},
    {"splash_rubamazzo_attivo.bmp", "34675a1c43016f44230e8604c3b6076a"},
    {"splash_rubamazzo_normale.bmp", "8ea69474ed4278ceed92214be0f310ed"},
    {"splash_scopa_attivo.bmp", "b4dafaa8f2e24cf4d4a800e03fa9af6a"},
    {"splash_scopa_normale.bmp", "b3d408ab7fa51a0bb5aa90600546cb65"},
    {"splash_settemezzo_attivo.bmp", "99db19d6830c995321bf873d8185d26d"},
    {"splash_settemezzo_normale.bmp", "d8931366106dc4bab2436bd80f292a8a"},
    {"splash_sfondo.bmp", "b0eb28f00615f090e5f1168d8ec21771"},
    {"turno_computer.bmp", "b0734056eba181af11a2c9f17089e9a3"},
    {"turno_giocatore.bmp", "a472398cb1e0b367a6fe22ca1cad47e3"},
};
}  // namespace

TEST(Doppie, The1xPicturesKeepTheirExactBytes)
{
    for (const auto& [nome, md5] : Impronte) {
        QFile f(QString(":/img/") + nome);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nome;
        EXPECT_EQ(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex().toStdString(), md5) << nome;
    }
}

TEST(Doppie, EveryPictureButTheButtonBackgroundHasAFormTwiceItsSize)
{
    for (const auto& [nome, md5] : Impronte) {
        const QString n = QString(":/img/") + nome;
        const bool senza = n == Risorse::SfondoBottone || n == Risorse::Icona;
        EXPECT_EQ(QFile::exists(Scala::Nome2x(n)), !senza) << nome;
        if (senza) continue;
        const QImage uno = Immagini::Condivisa(n), due = Immagini::Doppia(n);
        ASSERT_FALSE(due.isNull()) << nome;
        EXPECT_EQ(due.size(), uno.size() * 2) << nome;
        EXPECT_EQ(due.devicePixelRatio(), 2.0) << nome << " paints at the size of its 1x form";
    }
    EXPECT_TRUE(Immagini::Doppia(Risorse::Fronti, true).format() == QImage::Format_Indexed8)
        << "the 2x face sheet stays 8-bit, as the 1x one";
}

TEST(Doppie, At200PercentACardSlotShowsThe2xCardPixelForPixel)
{
    Scala::ImpostaFattore(2.0);
    struct Ritorno { ~Ritorno() { Scala::ImpostaFattore(1.0); } } ritorno;
    {
        QWidget finestra;
        finestra.resize(200, 200);
        auto* slot = new VelImage(&finestra);
        slot->setGeometry(10, 10, 80, 120);
        VelCarte mazzo;
        mazzo.setTipo(2);
        mazzo.setDimX(80);
        mazzo.setDimY(120);
        mazzo.setDimXCarte(60);
        mazzo.setDimYCarte(94);
        mazzo.setImmaginiCarteColonne(10);
        mazzo.setImmaginiCarteRighe(4);
        mazzo.setSeleziona(false);
        mazzo.setBufferImmaginiDaRisorsa(Risorse::Fronti);
        mazzo.setBordiCartaDaRisorsa(Risorse::Bordi);
        mazzo.setMazzo(3);
        finestra.show();
        const struct { int carta; int seme, numero; } casi[] = {{1, 1, 1}, {18, 2, 8}, {40, 4, 10}};
        const QImage fronti = QImage(Scala::Nome2x(Risorse::Fronti)).convertToFormat(QImage::Format_RGB32);
        for (const auto& c : casi) {
            mazzo.CartaDalNumero(c.carta, slot);
            const QImage vista = slot->grab().toImage().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(vista.size(), QSize(160, 240)) << "two screen pixels per unit";
            // The face lies at (1, 2) in the 1x card, (2, 4) in the 2x one, from its 2x cell.
            const int riga = (c.seme - 1) + 4 * (3 - 1);
            // Wherever the card's 2x shape covers the slot fully (all but the rounded corners).
            const QImage forma = slot->MostrataDoppia();
            ASSERT_EQ(forma.size(), QSize(160, 240));
            int confrontati = 0, diversi1x = 0;
            const QImage uno = slot->Picture();
            for (int y = 0; y < 188; ++y)
                for (int x = 0; x < 120; ++x) {
                    if (qAlpha(forma.pixel(2 + x, 4 + y)) != 255) continue;
                    ++confrontati;
                    const QRgb atteso = fronti.pixel((c.numero - 1) * 120 + x, riga * 188 + y);
                    ASSERT_EQ(vista.pixel(2 + x, 4 + y), atteso) << "card " << c.carta << " at " << x << "," << y;
                    if (uno.pixel((2 + x) / 2, (4 + y) / 2) != atteso) ++diversi1x;
                }
            EXPECT_GT(confrontati, 120 * 188 * 95 / 100) << "card " << c.carta;
            EXPECT_GT(diversi1x, 120 * 188 / 10) << "card " << c.carta << " is not the 1x card blown up";
        }
        // Drawn into at 1x afterwards, the slot shows its 1x picture again.
        slot->Canvas().fill(Qt::red);
        EXPECT_TRUE(slot->Doppia().isNull());
    }
}

TEST(Doppie, At200PercentTheCounterDigitsAre2x)
{
    Scala::ImpostaFattore(2.0);
    struct Ritorno { ~Ritorno() { Scala::ImpostaFattore(1.0); } } ritorno;
    QWidget finestra;
    finestra.resize(100, 100);
    auto* slot = new VelImage(&finestra);
    slot->setGeometry(5, 5, 24, 18);
    VelCarte cifre;  // the tables' counters: old system, whole 24 x 18 pictures
    cifre.setTipo(1);
    cifre.setDimX(24);
    cifre.setDimY(18);
    cifre.setBufferImmaginiDaRisorsa(Risorse::CifrePiccole);
    finestra.show();
    const QImage foglio = QImage(Scala::Nome2x(Risorse::CifrePiccole)).convertToFormat(QImage::Format_RGB32);
    for (int d : {0, 4, 9}) {
        cifre.Carta(1, d + 1, slot);
        const QImage vista = slot->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(vista.size(), QSize(48, 36));
        EXPECT_EQ(vista, foglio.copy(d * 48, 0, 48, 36)) << "digit " << d;
    }
}

TEST(Doppie, At100PercentNoCardIs2x)
{
    ASSERT_FALSE(Scala::Sopra100());
    VelImage slot;
    VelCarte mazzo;
    mazzo.setTipo(2);
    mazzo.setDimX(80);
    mazzo.setDimY(120);
    mazzo.setDimXCarte(60);
    mazzo.setDimYCarte(94);
    mazzo.setBufferImmaginiDaRisorsa(Risorse::Fronti);
    mazzo.setBordiCartaDaRisorsa(Risorse::Bordi);
    mazzo.CartaDalNumero(5, &slot);
    EXPECT_TRUE(slot.Doppia().isNull()) << "nothing 2x is composed or decoded at 100 %";
}
