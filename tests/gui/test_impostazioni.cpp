// A damaged settings file: what can be read is kept, a copy of the file stays beside it, and
// the readable values are written back.
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "app/TFormConfig.h"
#include "core/ScritturaSicura.h"
#include "tests/gui/FinestreDiProva.h"

namespace {

QByteArray LeggiFile(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ScriviFile(const std::string& percorso, const QByteArray& byte)
{
    QFile f(QString::fromStdString(percorso));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(byte);
}

const QByteArray Valide = "[VelmoSoft]\n"
                          "Scopa\\Configurazione\\Nome=Mario Rossi\n"
                          "Scopa\\Configurazione\\Mazzo=5\n"
                          "Scopa\\Configurazione\\Retro=4\n";

using ImpostazioniDanneggiate = FinestreDiProva;

}  // namespace

TEST_F(ImpostazioniDanneggiate, AFormatErrorNeverDiscardsTheValuesThatCanBeRead)
{
    struct Caso {
        const char* cosa;
        QByteArray file;
        const char* nome;
        const char* mazzo;
        const char* retro;
    };
    const Caso casi[] = {
        {"a section header without its bracket", Valide + "[Data\nServer=http://127.0.0.1\n", "Mario Rossi", "5", "4"},
        {"a truncated last line", Valide.left(Valide.size() - 3), "Mario Rossi", "5", nullptr},
        {"binary junk before a value", "[VelmoSoft]\nScopa\\Configurazione\\Nome=Mario Rossi\n" +
                                           QByteArray("\x00\x01\xff\xfe=\x80\n[Da\xffta", 13) +
                                           "\nScopa\\Configurazione\\Mazzo=5\nScopa\\Configurazione\\Retro=4\n",
         "Mario Rossi", "5", "4"},
        {"keys without a section or a name", "=7\nRetro\n" + Valide, "Mario Rossi", "5", "4"},
        {"a header written the registry's way", "[VelmoSoft\\Scopa\\Configurazione]\nNome=\"Mario Rossi\"\n"
                                                "Mazzo=5\r\nRetro=4\r[Data\n",
         "Mario Rossi", "5", "4"},
    };
    for (const Caso& k : casi) {
        SCOPED_TRACE(k.cosa);
        const QString file = QString::fromStdString(impostazioni_);
        QFile::remove(file);
        QFile::remove(file + ".damaged");
        ScriviFile(impostazioni_, k.file);

        CaricaConfigurazione();
        EXPECT_EQ(NomeGiocatore, k.nome);
        EXPECT_EQ(Mazzo, k.mazzo ? *k.mazzo - '0' : MazzoPredefinito);
        EXPECT_EQ(Retro, k.retro ? *k.retro - '0' : RetroPredefinito);
        EXPECT_EQ(LeggiFile(file + ".damaged"), k.file) << "the damaged file is kept beside it";

        // The file now reads cleanly with the readable values, before and after a save (read
        // from a copy: Qt parses a file only once per process).
        for (int passo = 0; passo < 2; ++passo) {
            const QString controllo = file + ".controllo" + QString::number(passo);
            ASSERT_TRUE(QFile::copy(file, controllo));
            QSettings s(controllo, QSettings::IniFormat);
            s.beginGroup("VelmoSoft/Scopa/Configurazione");
            EXPECT_EQ(s.value("Nome").toString(), "Mario Rossi") << LeggiFile(file).toStdString();
            EXPECT_EQ(s.value("Mazzo").toString(), k.mazzo ? k.mazzo : "");
            s.allKeys();
            EXPECT_EQ(s.status(), QSettings::NoError) << LeggiFile(file).toStdString();
            QFile::remove(controllo);
            SalvaConfigurazione();
        }
        EXPECT_EQ(LeggiFile(file + ".damaged"), k.file) << "a save never touches the copy";
    }
}

TEST_F(ImpostazioniDanneggiate, AnEarlierCopyIsNeverOverwritten)
{
    const QString file = QString::fromStdString(impostazioni_);
    ScriviFile(impostazioni_ + ".damaged", "la prima copia");
    ScriviFile(impostazioni_, Valide + "[Data\n");
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore, "Mario Rossi");
    EXPECT_EQ(LeggiFile(file + ".damaged"), "la prima copia");
    EXPECT_EQ(LeggiFile(file + ".damaged.2"), Valide + "[Data\n");

    // Without room for a copy the values still load, but the damaged file is not written over.
    for (int n = 2; n <= MassimoCopieDanneggiate; ++n) ScriviFile(impostazioni_ + ".damaged." + std::to_string(n), "x");
    const QByteArray danneggiato = Valide + "Scopa\\Configurazione\\Suoni=0\n[Data\n";
    ScriviFile(impostazioni_, danneggiato);
    NomeGiocatore = NomeGiocatorePredefinito;
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore, "Mario Rossi");
    EXPECT_EQ(Mazzo, 5);
    SalvaConfigurazione();
    EXPECT_EQ(LeggiFile(file).toStdString(), danneggiato.toStdString());
}

TEST_F(ImpostazioniDanneggiate, ALinkToASettingsFileKeptElsewhereIsHonoured)
{
    QTemporaryDir altrove;
    const QString vero = altrove.filePath("Cartovia.ini");
    ScriviFile(vero.toStdString(), Valide + "[Data\n");
    QFile::remove(QString::fromStdString(impostazioni_));
    ASSERT_TRUE(QFile::link(vero, QString::fromStdString(impostazioni_)));
    CaricaConfigurazione();
    EXPECT_EQ(NomeGiocatore, "Mario Rossi");
    SalvaConfigurazione();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(impostazioni_)).isSymLink()) << "the link stays a link";
    EXPECT_TRUE(LeggiFile(vero).contains("Nome=Mario Rossi")) << "the values are saved into the linked file";
    EXPECT_FALSE(LeggiFile(vero).contains("[Data\n"));
}
