#include "scores/PunteggiMaiuscole.h"

namespace {

// Length of the valid UTF-8 character starting at s[i] and its code point; 0 when the bytes
// there are no valid character.
int Decodifica(const std::string& s, std::size_t i, char32_t& c)
{
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char u = b(i);
    int n = 0;
    if (u < 0x80) {
        c = u;
        return 1;
    }
    if (u >= 0xC2 && u <= 0xDF) n = 2, c = u & 0x1F;
    else if (u >= 0xE0 && u <= 0xEF) n = 3, c = u & 0x0F;
    else if (u >= 0xF0 && u <= 0xF4) n = 4, c = u & 0x07;
    else return 0;
    if (i + n > s.size()) return 0;
    for (int k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are no characters.
    if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

void Codifica(char32_t c, std::string& out)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

char32_t MaiuscolaUnicode(char32_t c)
{
    // The alphabets names are written in: Latin (with its accented letters), Greek, Cyrillic.
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;  // à..þ, not ÷
    if (c == 0xFF) return 0x178;                                  // ÿ
    if (c >= 0x100 && c <= 0x17F) {
        // Latin Extended-A: pairs, upper case first, with three runs the other way round.
        if (c == 0x131) return U'I';  // dotless ı
        if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
        return (c % 2 == 1) ? c - 1 : c;
    }
    if (c >= 0x180 && c <= 0x24F) {
        // Latin Extended-B: the pairs of the letters used in modern European languages.
        if ((c >= 0x1CD && c <= 0x1DC) && c % 2 == 0) return c - 1;  // ǎ ǐ ǒ ǔ ǖ ǘ ǚ ǜ
        if ((c >= 0x1DE && c <= 0x1EF) && c % 2 == 1) return c - 1;
        if ((c >= 0x1F8 && c <= 0x21F) && c % 2 == 1) return c - 1;  // ǹ ... ș ț ...
        if ((c >= 0x222 && c <= 0x233) && c % 2 == 1) return c - 1;
        return c;
    }
    // Greek.
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3C2) return 0x3A3;  // final sigma
    if (c >= 0x3B1 && c <= 0x3CB) return c - 0x20;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    // Cyrillic.
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F)) && c % 2 == 1)
        return c - 1;
    if (c >= 0x4C1 && c <= 0x4CE && c % 2 == 0) return c - 1;
    if (c == 0x4CF) return 0x4C0;
    // Latin Extended Additional (Vietnamese and Welsh letters): pairs.
    if (c >= 0x1E00 && c <= 0x1EFF && c % 2 == 1 && !(c >= 0x1E96 && c <= 0x1E9F)) return c - 1;
    return c;
}

std::string MaiuscoleUtf8(const std::string& testo)
{
    std::string out;
    out.reserve(testo.size());
    for (std::size_t i = 0; i < testo.size();) {
        char32_t c = 0;
        const int n = Decodifica(testo, i, c);
        if (n == 0) {
            out += testo[i++];  // not UTF-8: the byte as it is
            continue;
        }
        Codifica(MaiuscolaUnicode(c), out);
        i += static_cast<std::size_t>(n);
    }
    return out;
}
