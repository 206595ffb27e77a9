#pragma once
// JSON Lines of the games' play: one object per line, the same lines from the simulator
// (cartovia-sim --trace) and from the tables (CARTOVIA_TRACE=FILE), so one set of checks
// reads both.
#include <optional>
#include <sstream>
#include <string>

// Minimal JSON writer for one object per line.
class OggettoJson {
public:
    OggettoJson& campo(const std::string& k, long long v) { chiave(k); s_ << v; return *this; }
    OggettoJson& campo(const std::string& k, int v) { return campo(k, static_cast<long long>(v)); }
    OggettoJson& campo(const std::string& k, const std::string& v) { chiave(k); s_ << '"' << v << '"'; return *this; }
    OggettoJson& campo(const std::string& k, const char* v) { return campo(k, std::string(v)); }
    template <typename It>
    OggettoJson& lista(const std::string& k, It da, It a)
    {
        chiave(k);
        s_ << '[';
        for (It i = da; i != a; ++i) s_ << (i == da ? "" : ",") << *i;
        s_ << ']';
        return *this;
    }
    template <typename C>
    OggettoJson& lista(const std::string& k, const C& c) { return lista(k, std::begin(c), std::end(c)); }
    // A nested object or any ready-made JSON value.
    OggettoJson& grezzo(const std::string& k, const std::string& json) { chiave(k); s_ << json; return *this; }
    std::string str() const { return s_.str() + "}"; }

private:
    void chiave(const std::string& k) { s_ << (primo_ ? "{" : ",") << '"' << k << "\":"; primo_ = false; }
    std::ostringstream s_;
    bool primo_ = true;
};

// ---- the run's trace file ----
// The file CARTOVIA_TRACE names (read at the first use), or what ImpostaFileTraccia set.
// Lines are appended and flushed one by one, so a trace survives a crash; a file that
// cannot be opened turns the trace off with one message on stderr.
bool TracciaAttiva();
void ScriviTraccia(const std::string& riga);  // adds the newline
// Sets (or, with nullopt, turns off) the trace file; the next line opens it.
void ImpostaFileTraccia(std::optional<std::string> percorso);
