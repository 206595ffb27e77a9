#include "core/Casuale.h"

#include <ctime>

namespace {
std::int64_t orologioReale() { return static_cast<std::int64_t>(std::time(nullptr)); }
OrologioSecondi orologio = &orologioReale;
}  // namespace

void ImpostaOrologio(OrologioSecondi f) { orologio = f ? f : &orologioReale; }
std::int64_t SecondiOrologio() { return orologio(); }

void Casuale::SemeDallOrologio()
{
    if (!fisso_) gen_.seed(static_cast<std::uint32_t>(SecondiOrologio()));
}
