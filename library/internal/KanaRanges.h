// The code points Kana counts as hiragana, shared with the inline
// case-folding of the EDICT search, which cannot afford a call per
// character. Katakana is the whole block, Kana::UNICODE_KATAKANA_START to
// Kana::UNICODE_KATAKANA_END.
#ifndef DEXARU_INTERNAL_KANARANGES_H
#define DEXARU_INTERNAL_KANARANGES_H

#include <cstdint>

namespace kanaRanges {

// ぁ … ゖ only; the sound and iteration marks of the block are not kana.
constexpr uint16_t FIRST_HIRAGANA = 0x3041;  // ぁ
constexpr uint16_t LAST_HIRAGANA = 0x3096;  // ゖ

}  // namespace kanaRanges

#endif
