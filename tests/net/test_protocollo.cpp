// Frames, fields and the invitation code's challenge.
#include <gtest/gtest.h>

#include <QtEndian>

#include "games/briscola/RegoleBriscola.h"
#include "net/CodificaGiochi.h"
#include "net/Invito.h"
#include "net/PartitaRete.h"
#include "net/Protocollo.h"

using namespace Rete;

namespace {

QByteArray Lunghezza(quint32 n)
{
    QByteArray b(4, '\0');
    qToBigEndian(n, b.data());
    return b;
}

}  // namespace

TEST(ProtocolloRete, FramesArriveWholeHoweverTheBytesAreCut)
{
    const QByteArray a = Codifica(Ciao{QStringLiteral("Lucia"), {}});
    const QByteArray b = CodificaBattito();
    const QByteArray tutto = a + b;
    for (int passo : {1, 3, 7, static_cast<int>(tutto.size())}) {
        Raccoglitore r;
        std::vector<Messaggio> arrivati;
        for (qsizetype i = 0; i < tutto.size(); i += passo) {
            r.Aggiungi(tutto.mid(i, passo));
            Messaggio m;
            while (r.Prossimo(m) == Raccoglitore::Esito::Pronto) arrivati.push_back(m);
        }
        ASSERT_EQ(arrivati.size(), 2u) << "cut every " << passo << " bytes";
        EXPECT_EQ(arrivati[0].tipo, Tipo::Ciao);
        Ciao c;
        EXPECT_TRUE(Decodifica(arrivati[0].campi, c));
        EXPECT_EQ(c.nome, QStringLiteral("Lucia"));
        EXPECT_EQ(arrivati[1].tipo, Tipo::Battito);
        EXPECT_EQ(r.InAttesa(), 0);
    }
}

TEST(ProtocolloRete, BadFramesAreErrorsAndStayErrors)
{
    const struct { const char* caso; QByteArray byte; } casi[] = {
        {"zero length", Lunghezza(0) + QByteArray("\x01\x09", 2)},
        {"one byte body", Lunghezza(1) + QByteArray("\x01", 1)},
        {"length past the maximum", Lunghezza(MassimaLunghezza + 1) + QByteArray(8, 'x')},
        {"huge length", Lunghezza(0xffffffffu)},
        {"unknown type", Lunghezza(2) + QByteArray("\x01\x63", 2)},
        {"type zero", Lunghezza(2) + QByteArray("\x01\x00", 2)},
        {"text garbage", QByteArray("GET / HTTP/1.1\r\n\r\n")},
    };
    for (const auto& c : casi) {
        Raccoglitore r;
        r.Aggiungi(c.byte);
        Messaggio m;
        EXPECT_EQ(r.Prossimo(m), Raccoglitore::Esito::Errore) << c.caso;
        EXPECT_FALSE(r.Errore().isEmpty()) << c.caso;
        // A valid frame after the bad one is not read: the stream is out of step.
        r.Aggiungi(CodificaBattito());
        EXPECT_EQ(r.Prossimo(m), Raccoglitore::Esito::Errore) << c.caso;
    }
}

TEST(ProtocolloRete, AnotherVersionIsHandedOverForARefusal)
{
    Raccoglitore r;
    r.Aggiungi(Scrittore(Tipo::Ciao).Testo(QStringLiteral("Ugo")).Byte({}).CorniceVersione(2));
    Messaggio m;
    ASSERT_EQ(r.Prossimo(m), Raccoglitore::Esito::Pronto);
    EXPECT_EQ(m.versione, 2);
    EXPECT_TRUE(TestoVersione(2).contains(QStringLiteral("versione 2")));
    EXPECT_TRUE(TestoVersione(2).contains(QStringLiteral("versione 1")));
}

TEST(ProtocolloRete, MessagesWithBadFieldsAreRefused)
{
    auto campi = [](const QByteArray& cornice) { return cornice.mid(6); };
    Ciao ciao;
    Sfida sfida;
    Quadro quadro;
    MossaRete mossa;
    Annuncio annuncio;
    QByteArray hmac;
    const QString troppoLungo(MassimoNome + 1, QLatin1Char('a'));
    const struct { const char* caso; bool ok; } casi[] = {
        {"valid hello", Decodifica(campi(Codifica(Ciao{QStringLiteral("Né"), {}})), ciao)},
        {"empty name", !Decodifica(campi(Codifica(Ciao{QString(), {}})), ciao)},
        {"name too long", !Decodifica(campi(Codifica(Ciao{troppoLungo, {}})), ciao)},
        {"control character in name", !Decodifica(campi(Codifica(Ciao{QStringLiteral("a\nb"), {}})), ciao)},
        {"invalid UTF-8", !Decodifica(campi(Scrittore(Tipo::Ciao).Byte(QByteArray("\xff\xfe", 2)).Byte({}).Cornice()), ciao)},
        {"short token", !Decodifica(campi(Codifica(Ciao{QStringLiteral("Ugo"), QByteArray(5, 'x')})), ciao)},
        {"trailing byte", !Decodifica(campi(Codifica(Ciao{QStringLiteral("Ugo"), {}})) + 'x', ciao)},
        {"truncated", !Decodifica(campi(Codifica(Ciao{QStringLiteral("Ugo"), {}})).chopped(1), ciao)},
        {"short nonce", !Decodifica(campi(Codifica(Sfida{Gioco::Scopa, QByteArray(8, 'n'), QStringLiteral("Ugo")})), sfida)},
        {"unknown game", !Decodifica(campi(Scrittore(Tipo::Sfida).U8(4).Byte(QByteArray(32, 'n')).Testo(QStringLiteral("U")).Cornice()), sfida)},
        {"short answer", !DecodificaRisposta(campi(CodificaRisposta(QByteArray(31, 'h'))), hmac)},
        {"turn 3", !Decodifica(campi(Scrittore(Tipo::Stato).U32(1).U8(1).U8(3).U16(1).U16(0).U16(0).U8(0).Byte({}).Cornice()), quadro)},
        {"result 4", !Decodifica(campi(Scrittore(Tipo::Stato).U32(1).U8(1).U8(1).U16(1).U16(0).U16(0).U8(4).Byte({}).Cornice()), quadro)},
        {"move too long", !Decodifica(campi(Codifica(MossaRete{1, QByteArray(17, '\1')})), mossa)},
        {"port 0", !Decodifica(campi(Codifica(Annuncio{Gioco::Scopa, 0, QStringLiteral("Ugo")})), annuncio)},
    };
    for (const auto& c : casi) EXPECT_TRUE(c.ok) << c.caso;
}

// Every view of both seats over a whole seeded game reads back exactly as it was written,
// and each names no card the seat must not see.
TEST(CodificaGiochiRete, ViewsOfWholeGamesRoundTripAndHideTheOtherHand)
{
    for (Gioco g : {Gioco::Scopa, Gioco::Briscola, Gioco::Rubamazzo}) {
        auto p = CreaPartitaRete(g);
        p->Inizia(20261209u);
        CasualeRapido caso(5);
        int mosse = 0;
        while (p->Turno() != 0 && mosse < 2000) {
            for (int lato = 1; lato <= 2; ++lato) {
                const QByteArray b = p->Vista(lato);
                std::set<int> viste;
                if (g == Gioco::Scopa) {
                    VistaScopa v;
                    ASSERT_TRUE(DecodificaVista(b, v)) << NomeGioco(g).toStdString();
                    EXPECT_EQ(CodificaVista(v), b);
                    viste = CarteDellaVista(v);
                } else if (g == Gioco::Briscola) {
                    VistaBriscola v;
                    ASSERT_TRUE(DecodificaVista(b, v)) << NomeGioco(g).toStdString();
                    EXPECT_EQ(CodificaVista(v), b);
                    viste = CarteDellaVista(v);
                } else {
                    VistaRubamazzo v;
                    ASSERT_TRUE(DecodificaVista(b, v)) << NomeGioco(g).toStdString();
                    EXPECT_EQ(CodificaVista(v), b);
                    viste = CarteDellaVista(v);
                }
                for (int c : p->CarteNascoste(lato))
                    ASSERT_FALSE(viste.count(c)) << NomeGioco(g).toStdString() << ": seat " << lato << " sees card " << c;
            }
            // Any move the rules take: try slots and captures until one is applied.
            const int lato = p->Turno();
            bool fatta = false;
            for (int tentativo = 0; tentativo < 200 && !fatta; ++tentativo) {
                QByteArray m;
                const int slot = 1 + caso.Modulo(3);
                if (g == Gioco::Scopa) {
                    MossaScopa ms;
                    ms.Slot = slot;
                    VistaScopa v;
                    DecodificaVista(p->Vista(lato), v);
                    const auto legali = MosseLegaliScopa(v);
                    if (!legali.empty()) ms = legali[caso.Modulo(static_cast<int>(legali.size()))];
                    m = CodificaMossa(ms);
                } else if (g == Gioco::Briscola) {
                    m = CodificaMossa(MossaBriscola{slot});
                } else {
                    m = CodificaMossa(MossaRubamazzo{slot, caso.Modulo(2) == 1});
                }
                fatta = p->Applica(lato, m) == PartitaRete::Applicata;
            }
            ASSERT_TRUE(fatta) << NomeGioco(g).toStdString() << ": no move applied";
            ++mosse;
        }
        EXPECT_NE(p->Esito(), 0) << NomeGioco(g).toStdString() << " did not end";
    }
}

TEST(CodificaGiochiRete, BadViewsAndMovesAreRefused)
{
    VistaScopa vs;
    vs.Lato = 2;
    vs.Mano[1] = 5;
    vs.Tavolo[1] = 7;
    const QByteArray buona = CodificaVista(vs);
    ASSERT_TRUE(DecodificaVista(buona, vs));

    VistaScopa doppia = vs;
    doppia.Tavolo[2] = 5;  // the card in hand also on the table
    VistaScopa carta41 = vs;
    carta41.Mano[2] = 41;
    VistaBriscola vb;
    vb.CartaBriscola = 0;
    VistaRubamazzo vr;
    vr.Lato = 2;
    vr.Cima = 9;  // a top card that is in no pile
    VistaRubamazzo manoInPila;
    manoInPila.Mano[1] = 4;
    manoInPila.NellePile[4] = true;

    MossaScopa m;
    const struct { const char* caso; QByteArray byte; int gioco; bool vista; } casi[] = {
        {"scopa: a card in two places", CodificaVista(doppia), 1, true},
        {"scopa: card 41", CodificaVista(carta41), 1, true},
        {"scopa: trailing byte", buona + '\0', 1, true},
        {"scopa: empty", QByteArray(), 1, true},
        {"briscola: no trump card", CodificaVista(vb), 2, true},
        {"rubamazzo: top card in no pile", CodificaVista(vr), 3, true},
        {"rubamazzo: hand card in a pile", CodificaVista(manoInPila), 3, true},
        {"scopa move: slot 0", QByteArray("\x00\x00", 2), 1, false},
        {"scopa move: slot 4", QByteArray("\x04\x00", 2), 1, false},
        {"scopa move: six places", QByteArray("\x01\x06\x01\x02\x03\x04\x05\x06", 8), 1, false},
        {"scopa move: places not increasing", QByteArray("\x01\x02\x03\x02", 4), 1, false},
        {"scopa move: place 40", QByteArray("\x01\x01\x28", 3), 1, false},
        {"scopa move: count past the bytes", QByteArray("\x01\x02\x03", 3), 1, false},
        {"briscola move: slot 9", QByteArray("\x09", 1), 2, false},
        {"briscola move: two bytes", QByteArray("\x01\x01", 2), 2, false},
        {"rubamazzo move: steal flag 2", QByteArray("\x01\x02", 2), 3, false},
    };
    for (const auto& c : casi) {
        bool ok = true;
        if (c.vista) {
            VistaScopa a;
            VistaBriscola b;
            VistaRubamazzo r;
            ok = c.gioco == 1 ? DecodificaVista(c.byte, a) : c.gioco == 2 ? DecodificaVista(c.byte, b) : DecodificaVista(c.byte, r);
        } else {
            MossaBriscola b;
            MossaRubamazzo r;
            ok = c.gioco == 1 ? DecodificaMossa(c.byte, m) : c.gioco == 2 ? DecodificaMossa(c.byte, b) : DecodificaMossa(c.byte, r);
        }
        EXPECT_FALSE(ok) << c.caso;
    }
    MossaScopa presa;
    presa.Slot = 2;
    presa.NumeroPosti = 2;
    presa.Posti[0] = 3;
    presa.Posti[1] = 9;
    ASSERT_TRUE(DecodificaMossa(CodificaMossa(presa), m));
    EXPECT_EQ(m, presa);
}

TEST(InvitoRete, TheCodeIsProvedNeverSent)
{
    for (int i = 0; i < 50; ++i) EXPECT_TRUE(CodiceValido(NuovoCodice()));
    for (const char* c : {"12345", "1234567", "12a456", "", "١٢٣٤٥٦"}) EXPECT_FALSE(CodiceValido(QString::fromUtf8(c))) << c;

    const QByteArray nonce = ByteCasuali(LunghezzaNonce);
    const QByteArray risposta = RispostaSfida(QStringLiteral("123456"), nonce, QStringLiteral("Ugo"));
    EXPECT_EQ(risposta.size(), 32);
    EXPECT_FALSE(risposta.contains("123456"));
    // Bound to the nonce, the code and the name.
    EXPECT_NE(risposta, RispostaSfida(QStringLiteral("123456"), ByteCasuali(LunghezzaNonce), QStringLiteral("Ugo")));
    EXPECT_NE(risposta, RispostaSfida(QStringLiteral("123457"), nonce, QStringLiteral("Ugo")));
    EXPECT_NE(risposta, RispostaSfida(QStringLiteral("123456"), nonce, QStringLiteral("Ugo2")));
    EXPECT_NE(ByteCasuali(LunghezzaNonce), nonce);
}

TEST(InvitoRete, ThreeWrongAnswersCloseTheInvitationEvenToTheRightCode)
{
    Invito invito(QStringLiteral("424242"));
    const QByteArray n = ByteCasuali(LunghezzaNonce);
    const QString nome = QStringLiteral("Ugo");
    EXPECT_EQ(invito.Verifica(n, nome, RispostaSfida(QStringLiteral("424242"), n, nome)), Invito::Esito::Accettato);
    EXPECT_EQ(invito.Verifica(n, nome, RispostaSfida(QStringLiteral("000000"), n, nome)), Invito::Esito::Errato);
    EXPECT_EQ(invito.Verifica(n, nome, QByteArray(32, '\0')), Invito::Esito::Errato);
    EXPECT_FALSE(invito.Chiuso());
    EXPECT_EQ(invito.Verifica(n, nome, QByteArray()), Invito::Esito::Errato);
    EXPECT_TRUE(invito.Chiuso());
    EXPECT_EQ(invito.Verifica(n, nome, RispostaSfida(QStringLiteral("424242"), n, nome)), Invito::Esito::Chiuso);
}
