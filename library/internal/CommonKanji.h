// Which kanji are those of everyday writing, the kanji for general use
// (jouyou kanji). A headword written with others (呑む beside 飲む) is the
// rarer spelling, so the relevance order puts it after the other. Internal
// to the library.
#ifndef DEXARU_INTERNAL_COMMONKANJI_H
#define DEXARU_INTERNAL_COMMONKANJI_H

#include <string>

namespace commonKanji {

// The number of characters of text that are kanji outside everyday writing
// (CJK ideographs only; kana and everything else count as everyday).
int rareKanjiCount(const std::wstring& text);

// The latest school year in which a kanji of text is taught (1 to 6), 7 when
// one is an everyday kanji taught later, 8 when one is outside everyday
// writing, 0 for text without kanji.
int latestSchoolYear(const std::wstring& text);

}  // namespace commonKanji

#endif
