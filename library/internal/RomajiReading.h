// The romaji reading of a word entry, which every search fills in after
// reading the entry back from its line.
#ifndef DEXARU_INTERNAL_ROMAJIREADING_H
#define DEXARU_INTERNAL_ROMAJIREADING_H

#include "../Kana.h"
#include "../WordEntry.h"

#include <string>

namespace internal {

// Romaji is ASCII: each wide character of it narrows to one byte.
inline void fillRomajiReading(WordEntry& entry)
{
    const std::wstring romaji = Kana::kanaStringToRomaji(entry.kana);
    entry.kanaRomaji.assign(romaji.begin(), romaji.end());
}

}  // namespace internal

#endif
