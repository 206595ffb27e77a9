// Shared pieces of the duplicate matches between two players.
#include <cmath>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "tools/sim/Simulatore.h"

std::map<std::string, FunzioneSim>& RegistroDuplicato()
{
    static std::map<std::string, FunzioneSim> registro;
    return registro;
}

namespace {
double MuroMs() { return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count(); }
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}
}  // namespace

CronometroDecisione::CronometroDecisione() : muro_(MuroMs()), cpu_(CpuMs()) {}

void CronometroDecisione::Fine(StatisticheDuplicato& st, int chi) const
{
    st.Decisione(chi, MuroMs() - muro_, CpuMs() - cpu_);
}

bool NomeGiocatoreValido(const std::string& nome)
{
    return nome == "random" || nome == "normale" || nome == "esperto" || nome == "esperto1";
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
        const double n = t.n ? static_cast<double>(t.n) : 1.0;
        std::snprintf(riga, sizeof riga,
                      "%s %c %s mean %.2f ms, worst %.2f ms (wall clock); mean %.2f ms, worst %.2f ms (thread CPU); "
                      "%ld moves",
                      k ? ";" : ":", k ? 'B' : 'A', nomi[k].c_str(), t.somma / n, t.peggiore, t.sommaCpu / n,
                      t.peggioreCpu, t.n);
        r += riga;
    }
    return r;
}

int GiocaDuplicato(const DescrizioneDuplicato& d, const OpzioniSim& o, std::ostream& out, StatisticheDuplicato& st,
                   const std::function<EsitoGiro(const GiroDuplicato&)>& gioca)
{
    long vinteA = 0, vinteB = 0;
    for (long smazzata = o.primaSmazzata; smazzata < o.primaSmazzata + o.partite; ++smazzata) {
        const std::uint32_t seme = o.seme * 2654435761u + static_cast<std::uint32_t>(smazzata) * 40503u;
        const int primo = smazzata % 2 ? 1 : 2;
        double differenza = 0;
        for (int giro = 0; giro < 2; ++giro) {
            const GiroDuplicato g{seme, primo, {0, giro == 0 ? 0 : 1, giro == 0 ? 1 : 0}};
            const EsitoGiro e = gioca(g);
            if (!e.errore.empty()) {
                out << d.gioco << ": deal " << smazzata << ": " << e.errore << '\n';
                return 1;
            }
            differenza += (e.a - e.b) / 2.0;
            if (e.a > e.b) ++vinteA;
            if (e.b > e.a) ++vinteB;
        }
        st.Smazzata(differenza);
        const long giocate = smazzata - o.primaSmazzata + 1;
        if (!o.silenzioso && giocate % o.ogni == 0)
            out << "after " << giocate << " deals: A - B " << d.figura << ' ' << st.Media() << "; "
                << st.Tempi(o.giocatoreA, o.giocatoreB) << '\n';
    }
    out << d.gioco << ": A " << o.giocatoreA << " vs B " << o.giocatoreB << ", " << o.partite << " duplicate deals (";
    if (o.primaSmazzata > 1) out << "deals " << o.primaSmazzata << " to " << o.primaSmazzata + o.partite - 1 << ", ";
    out << 2 * o.partite << ' ' << d.unita << "s), " << d.unita << "s won A " << vinteA << " B " << vinteB
        << ", A - B " << d.figura << ' ' << st.Media() << " (95% CI)\n";
    out << d.gioco << ": " << st.Tempi(o.giocatoreA, o.giocatoreB) << '\n';
    return 0;
}
