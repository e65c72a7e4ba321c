// The long-vowel spellings of a kana word typed without them, as romaji in
// English text writes Japanese words ("tokyo" for とうきょう, "ramen" for
// ラーメン): after a kana that ends in o, う or お; in u, う; in e, い or
// え; in a, あ; in i, い; in katakana, ー (a hiragana text also gets its
// katakana spellings). Spellings with fewer long vowels come first; their
// number is capped, since every kana may take one. Internal to the library.
#ifndef DEXARU_INTERNAL_LONGVOWELS_H
#define DEXARU_INTERNAL_LONGVOWELS_H

#include <cstddef>
#include <string>
#include <vector>

namespace internal {

// At most this many spellings; at most three long vowels added.
constexpr std::size_t MAX_LONG_VOWEL_SPELLINGS = 48;
constexpr std::size_t MAX_LONG_VOWELS_ADDED = 3;

// The spellings of a text of kana only (no wildcards, no kanji), fewest
// long vowels first, each once; nothing for any other text.
std::vector<std::wstring> longVowelSpellings(const std::wstring& kana,
                                             std::size_t cap = MAX_LONG_VOWEL_SPELLINGS);

}  // namespace internal

#endif
