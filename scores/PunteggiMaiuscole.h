#pragma once
// Upper-casing of player names for the score files: every letter, not only a to z, so that
// "Nicolò" is recorded as "NICOLÒ". Names are UTF-8; a byte that is not part of a valid
// UTF-8 character is left as it is (names written in a one-byte code page stay readable and
// keep matching as they always have).
#include <string>

// The upper-case letter of code point `c` (simple one-to-one mapping), or `c` itself.
char32_t MaiuscolaUnicode(char32_t c);
// `testo` with every letter upper-cased.
std::string MaiuscoleUtf8(const std::string& testo);
