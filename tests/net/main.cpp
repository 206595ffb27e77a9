// Entry point of the network tests: a Qt event loop without windows, no delays.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>

#include "core/Pausa.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--gtest_list_tests", 0) == 0) return RUN_ALL_TESTS();
    QCoreApplication app(argc, argv);
    ImpostaScalaTempo(0);
    return RUN_ALL_TESTS();
}
