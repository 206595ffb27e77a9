#include "core/Traccia.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>

namespace {

struct FileTraccia {
    std::mutex m;
    bool letto = false;  // CARTOVIA_TRACE has been read (or a file set)
    std::optional<std::string> percorso;
    std::ofstream out;
};

FileTraccia& traccia()
{
    static FileTraccia t;
    return t;
}

void leggiAmbiente(FileTraccia& t)
{
    if (t.letto) return;
    t.letto = true;
    if (const char* p = std::getenv("CARTOVIA_TRACE"); p && *p) t.percorso = p;
}

}  // namespace

bool TracciaAttiva()
{
    FileTraccia& t = traccia();
    std::lock_guard<std::mutex> l(t.m);
    leggiAmbiente(t);
    return t.percorso.has_value();
}

void ScriviTraccia(const std::string& riga)
{
    FileTraccia& t = traccia();
    std::lock_guard<std::mutex> l(t.m);
    leggiAmbiente(t);
    if (!t.percorso) return;
    if (!t.out.is_open()) {
        t.out.open(*t.percorso, std::ios::out | std::ios::app);
        if (!t.out) {
            std::fprintf(stderr, "cartovia: cannot append to the trace file %s; no trace is written\n",
                         t.percorso->c_str());
            t.percorso.reset();
            return;
        }
    }
    t.out << riga << '\n';
    t.out.flush();
}

void ImpostaFileTraccia(std::optional<std::string> percorso)
{
    FileTraccia& t = traccia();
    std::lock_guard<std::mutex> l(t.m);
    if (t.out.is_open()) t.out.close();
    t.out.clear();
    t.letto = true;
    t.percorso = std::move(percorso);
}
