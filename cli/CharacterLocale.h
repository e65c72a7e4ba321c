// The character-type locale dexaru2 prints and reads wide text under. Tests
// and fuzz targets that decode the fuzzy rules or print wide text take it the
// same way, so that they pass wherever the program works.
#ifndef DEXARU2_CHARACTERLOCALE_H
#define DEXARU2_CHARACTERLOCALE_H

#include <clocale>

namespace dexaru2 {

// Wide output needs a UTF-8 character-type locale; "en_US.utf8" is not
// generated on every machine, so fall back to the ones that usually are.
// Returns the name of the locale now set (owned by the C library, valid
// until the next setlocale call).
inline const char* setCharacterLocale()
{
    const char* name = std::setlocale(LC_CTYPE, "en_US.utf8");
    if (name == nullptr) {
        name = std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    if (name == nullptr) {
        name = std::setlocale(LC_CTYPE, "");
    }
    return name;
}

}  // namespace dexaru2

#endif
