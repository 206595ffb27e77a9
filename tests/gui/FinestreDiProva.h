#pragma once
// Test fixture: the whole window set, with settings and score files in a private folder.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdlib>

#include "app/Finestre.h"
#include "core/Casuale.h"
#include "core/Globali.h"
#include "core/Pausa.h"
#include "platform/Impostazioni.h"

class FinestreDiProva : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cartella_.isValid());
        impostazioni_ = (cartella_.path() + "/impostazioni.ini").toStdString();
        setenv("CARTOVIA_SETTINGS", impostazioni_.c_str(), 1);
        setenv("CARTOVIA_DATA_DIR", cartella_.path().toLocal8Bit().constData(), 1);
        // The advertisement page and movie go to a private folder; no download is configured.
        setenv("CARTOVIA_AD_DIR", (cartella_.path() + "/radice").toLocal8Bit().constData(), 1);
        unsetenv("CARTOVIA_UPDATE_SERVER");
        ImpostaArchivio(nullptr);
        NomeGiocatore = NomeGiocatorePredefinito;
        ImpostaScalaTempo(0);
        // Every deal a test does not seed itself follows from one run seed, started afresh
        // for each test: no test depends on chance or on the tests run before it.
        ImpostaSemeDellaCorsa(SemeDelleProve);
        CreaFinestre();
    }
    void TearDown() override
    {
        DistruggiFinestre();
        ImpostaSemeDellaCorsa(std::nullopt);
        ImpostaArchivio(nullptr);
        FonteNomeGiocatore() = [] { return NomeGiocatore; };
    }

    // Writes string values under the configuration key, as a previous run would have.
    void ScriviImpostazioni(std::initializer_list<std::pair<const char*, const char*>> valori)
    {
        auto a = CreaArchivioIni(impostazioni_);
        ASSERT_TRUE(a->Apri(true));
        for (const auto& [k, v] : valori) a->Scrivi(k, v);
        ASSERT_TRUE(a->Chiudi());
    }
    std::optional<std::string> LeggiImpostazione(const char* nome)
    {
        auto a = CreaArchivioIni(impostazioni_);
        if (!a->Apri(false)) return std::nullopt;
        auto v = a->Leggi(nome);
        a->Chiudi();
        return v;
    }

    static constexpr std::uint32_t SemeDelleProve = 20;
    QTemporaryDir cartella_;
    std::string impostazioni_;
};
