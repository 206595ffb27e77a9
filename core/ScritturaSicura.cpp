#include "core/ScritturaSicura.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A fresh name beside the file: its name, a dot and six letters or digits.
constexpr std::size_t LunghezzaSuffisso = 6;
constexpr char CaratteriSuffisso[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string NomeUnico(const std::string& percorso)
{
    // Seeded again in a forked child, which would otherwise repeat its parent's names.
    static pid_t seminato = 0;
    static std::mt19937_64 gen;
    if (seminato != ::getpid()) {
        seminato = ::getpid();
        gen.seed(std::random_device{}() ^ (std::uint64_t(seminato) << 32) ^
                 std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    std::uniform_int_distribution<std::size_t> d(0, sizeof CaratteriSuffisso - 2);
    std::string n = percorso + ".";
    for (std::size_t i = 0; i < LunghezzaSuffisso; ++i) n += CaratteriSuffisso[d(gen)];
    return n;
}

std::string CartellaDi(const std::string& percorso)
{
    const fs::path dir = fs::path(percorso).parent_path();
    return dir.empty() ? std::string(".") : dir.string();
}

std::string Errore(int e) { return std::strerror(e); }

char Maiuscola(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

bool UgualiSenzaMaiuscole(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Maiuscola(a[i]) != Maiuscola(b[i])) return false;
    return true;
}

// Writes all of `n` bytes; 0 or the error number.
int ScriviTutto(int fd, const char* dati, std::size_t n)
{
    std::size_t fatto = 0;
    while (fatto < n) {
        const ssize_t w = ::write(fd, dati + fatto, n - fatto);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return w < 0 ? errno : ENOSPC;
        fatto += std::size_t(w);
    }
    return 0;
}

// What a regular file (never a link) under `percorso` holds; false when there is none.
bool LeggiFileRegolare(const std::string& percorso, std::string& byte)
{
    const int fd = ::open(percorso.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    byte.clear();
    char buf[4096];
    while (ok) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) byte.append(buf, std::size_t(n));
        else if (n == 0) break;
        else if (errno != EINTR) ok = false;
    }
    ::close(fd);
    return ok;
}

}  // namespace

FileNuovo::FileNuovo(std::string percorso) : percorso_(std::move(percorso)) {}

FileNuovo::~FileNuovo() { Abbandona(); }

bool FileNuovo::Fallisci(std::string motivo)
{
    motivo_ = std::move(motivo);
    errore_ = true;
    return false;
}

bool FileNuovo::Apri()
{
    Abbandona();
    errore_ = false;
    motivo_.clear();
    for (int tentativo = 0; fd_ < 0 && tentativo < 100; ++tentativo) {
        unico_ = NomeUnico(percorso_);
        fd_ = ::open(unico_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST && errno != EINTR) {
            const int e = errno;
            const std::string nome = std::move(unico_);
            unico_.clear();
            return Fallisci("cannot create " + nome + ": " + Errore(e));
        }
    }
    if (fd_ < 0) {
        unico_.clear();
        return Fallisci("no free name for a new copy beside " + percorso_);
    }
    return true;
}

bool FileNuovo::Scrivi(const void* dati, std::size_t n)
{
    if (fd_ < 0 || errore_) return false;
    if (const int e = ScriviTutto(fd_, static_cast<const char*>(dati), n))
        return Fallisci("cannot write " + unico_ + ": " + Errore(e));
    return true;
}

bool FileNuovo::Conferma(bool sincronizzaCartella)
{
    if (fd_ < 0) return errore_ ? false : Fallisci("no new copy of " + percorso_ + " is open");
    if (errore_) {
        Abbandona();
        return false;
    }
    int e = ::fsync(fd_) != 0 ? errno : 0;
    if (::close(fd_) != 0 && !e) e = errno;
    fd_ = -1;
    if (e) {
        const std::string m = "cannot write " + unico_ + ": " + Errore(e);
        Abbandona();
        return Fallisci(m);
    }
    if (!NomeSostituibile(percorso_)) {
        // A link is never written through nor replaced: it may be someone else's file.
        Abbandona();
        return Fallisci(percorso_ + " is not a regular file: left as it is");
    }
    if (std::rename(unico_.c_str(), percorso_.c_str()) != 0) {
        const std::string m = "cannot rename " + unico_ + " to " + percorso_ + ": " + Errore(errno);
        Abbandona();
        return Fallisci(m);
    }
    unico_.clear();
    if (sincronizzaCartella) SincronizzaCartella(CartellaDi(percorso_));
    return true;
}

void FileNuovo::Abbandona()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!unico_.empty()) {
        ::unlink(unico_.c_str());
        unico_.clear();
    }
}

bool SostituisciFile(const std::string& percorso, const std::string& byte, std::string& motivo,
                     bool sincronizzaCartella)
{
    FileNuovo f(percorso);
    if (!NomeSostituibile(percorso)) {
        motivo = percorso + " is not a regular file: left as it is";
        return false;
    }
    const bool ok = f.Apri() && f.Scrivi(byte.data(), byte.size()) && f.Conferma(sincronizzaCartella);
    if (!ok) motivo = f.Motivo();
    return ok;
}

bool NomeSostituibile(const std::string& percorso)
{
    struct stat st {};
    if (::lstat(percorso.c_str(), &st) != 0) return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

std::string ConservaCopiaDanneggiata(const std::string& percorso, const std::string& byte, std::string& motivo)
{
    for (int n = 1; n <= MassimoCopieDanneggiate; ++n) {
        const std::string copia = percorso + ".damaged" + (n > 1 ? "." + std::to_string(n) : std::string());
        const int fd = ::open(copia.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EINTR) {
                --n;
                continue;
            }
            if (errno != EEXIST) {
                motivo = "cannot create " + copia + ": " + Errore(errno);
                return {};
            }
            // An earlier copy stays as it is; one with these very bytes already keeps them.
            std::string esistente;
            if (LeggiFileRegolare(copia, esistente) && esistente == byte) return copia;
            continue;
        }
        int e = ScriviTutto(fd, byte.data(), byte.size());
        if (!e && ::fsync(fd) != 0) e = errno;
        if (::close(fd) != 0 && !e) e = errno;
        if (e) {
            ::unlink(copia.c_str());
            motivo = "cannot write " + copia + ": " + Errore(e);
            return {};
        }
        SincronizzaCartella(CartellaDi(copia));
        return copia;
    }
    motivo = "already " + std::to_string(MassimoCopieDanneggiate) + " damaged copies beside " + percorso;
    return {};
}

void EliminaCopieAbbandonate(const std::string& percorso)
{
    const std::string prefisso = fs::path(percorso).filename().string() + ".";
    std::error_code ec;
    fs::directory_iterator it(CartellaDi(percorso), ec), fine;
    for (; !ec && it != fine; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        if (n.size() != prefisso.size() + LunghezzaSuffisso ||
            !UgualiSenzaMaiuscole(n.substr(0, prefisso.size()), prefisso))
            continue;
        if (n.find_first_not_of(CaratteriSuffisso, prefisso.size()) != std::string::npos) continue;
        std::error_code e2;
        if (fs::is_regular_file(fs::symlink_status(it->path(), e2))) ::unlink(it->path().c_str());
    }
}

void SincronizzaCartella(const std::string& cartella)
{
    const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
