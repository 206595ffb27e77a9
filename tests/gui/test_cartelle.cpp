// Where the program looks for its own files and where it keeps the score files, for a
// binary in the build folder and in an installed layout.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/CartelleProgramma.h"

TEST(CartelleProgramma, InstalledBinaryFindsItsDataFolderBuildBinaryItsOwnFolder)
{
    QTemporaryDir radice;
    ASSERT_TRUE(radice.isValid());
    const QString bin = radice.filePath("usr/bin"), build = radice.filePath("build");
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(build));
    const QString dati = QDir::cleanPath(bin + "/" + DatiDaBinari());
    EXPECT_EQ(CartellaFileProgrammaDa(bin), bin) << "no data folder installed: the binary's own folder";
    ASSERT_TRUE(QDir().mkpath(dati));
    EXPECT_EQ(CartellaFileProgrammaDa(bin), dati) << "installed: the data folder beside bin/";
    EXPECT_TRUE(dati.endsWith("/share/cartovia")) << qPrintable(dati);

    QFile(build + "/CMakeCache.txt").open(QIODevice::WriteOnly);
    EXPECT_TRUE(CartellaDiBuild(build));
    EXPECT_FALSE(CartellaDiBuild(bin));
}
