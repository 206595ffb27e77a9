// Shared pieces of the duplicate matches between two players.
#include <cmath>
#include <cstdio>

#include "tools/sim/Simulatore.h"

std::map<std::string, FunzioneSim>& RegistroDuplicato()
{
    static std::map<std::string, FunzioneSim> registro;
    return registro;
}

bool NomeGiocatoreValido(const std::string& nome)
{
    return nome == "random" || nome == "normale" || nome == "esperto";
}

double StatisticheDuplicato::MediaValore() const
{
    double s = 0;
    for (double x : d_) s += x;
    return d_.empty() ? 0.0 : s / static_cast<double>(d_.size());
}

std::string StatisticheDuplicato::Media(const char* formato) const
{
    const double n = static_cast<double>(d_.size());
    const double media = MediaValore();
    double q = 0;
    for (double x : d_) q += (x - media) * (x - media);
    const double sd = n > 1 ? std::sqrt(q / (n - 1)) : 0.0;
    const double mezza = n > 0 ? 1.96 * sd / std::sqrt(n) : 0.0;
    char riga[100];
    std::snprintf(riga, sizeof riga, formato, media, mezza);
    return riga;
}

std::string StatisticheDuplicato::Tempi(const std::string& a, const std::string& b) const
{
    std::string r = "decision time per move";
    const std::string nomi[2] = {a, b};
    for (int k = 0; k < 2; ++k) {
        const Tempo& t = tempi_[k];
        char riga[200];
        std::snprintf(riga, sizeof riga, "%s %c %s mean %.3f ms, worst %.3f ms (%ld moves)", k ? ";" : ":",
                      k ? 'B' : 'A', nomi[k].c_str(), t.n ? t.somma / static_cast<double>(t.n) : 0.0, t.peggiore,
                      t.n);
        r += riga;
    }
    return r;
}
