// Compares index words and readings with a search text the way Jwcs::cmp
// (or Jwcs::xcmp for wildcard searches) decides, putting cheap necessary
// conditions first (first character, literal runs between wildcards,
// compared case-folded) so that most records never reach the full
// comparison. Inline: the search runs it for every index record.
#ifndef DEXARU_INTERNAL_TEXTMATCHER_H
#define DEXARU_INTERNAL_TEXTMATCHER_H

#include "Jwcs.h"
#include "Kana.h"
#include "internal/KanaRanges.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace internal {

// A character as the case-ignoring comparison sees it: kana as katakana,
// letters in lower case. Two characters that this comparison finds equal
// always fold to the same character.
inline wchar_t folded(wchar_t character)
{
    // Kana::isHiragana and Kana::isKatakana, on the low 16 bits as there.
    const uint16_t low = static_cast<uint16_t>(character);
    if (low >= kanaRanges::FIRST_HIRAGANA && low <= kanaRanges::LAST_HIRAGANA) {
        return static_cast<wchar_t>(low + Kana::KANA_OFFSET);
    }
    if (low >= Kana::UNICODE_KATAKANA_START && low <= Kana::UNICODE_KATAKANA_END) {
        return static_cast<wchar_t>(low);
    }
    if (character >= 0x4E00 && character <= 0x9FFF) {
        return character;  // ideographs have no case
    }
    return static_cast<wchar_t>(std::towlower(character));
}

// Compares index words or readings with the search text, the way Jwcs::cmp
// (or Jwcs::xcmp for wildcard searches) decides. Cheap necessary conditions
// go first so that most records never reach the full comparison.
class TextMatcher
{
public:
    // `text` must outlive the matcher.
    TextMatcher(const std::wstring& text, bool wildcard, JwcsCase caseStyle)
        : text(text),
          wildcard(wildcard),
          caseStyle(caseStyle),
          exactCase(!wildcard && caseStyle == CMP_CASE),
          firstCharacter(text.c_str()[0]),
          foldedFirstCharacter(folded(text.c_str()[0]))
    {
        if (wildcard) {
            collectLiteralRuns();
        }
    }

    bool matches(const wchar_t* target) const
    {
        if (exactCase) {
            // The usual search, first: one comparison rules out nearly every
            // record.
            return target[0] == firstCharacter && Jwcs::cmp(target, text.c_str(), caseStyle) == 0;
        }
        if (!wildcard) {
            if (!firstCharacterAgrees(target)) {
                return false;
            }
            return Jwcs::cmp(target, text.c_str(), caseStyle) == 0;
        }
        if (!containsLiteralRuns(target)) {
            return false;
        }
        return Jwcs::xcmp(target, text.c_str(), caseStyle) == 0;
    }

private:
    static const std::size_t FOLD_BUFFER_SIZE = 128;

    bool ignoresCase() const { return caseStyle == CMP_IGNORE_CASE; }

    bool firstCharacterAgrees(const wchar_t* target) const
    {
        if (!ignoresCase()) {
            return caseStyle != CMP_CASE || target[0] == firstCharacter;
        }
        if (target[0] == 0 || firstCharacter == 0) {
            return true;  // left to the full comparison
        }
        return target[0] == firstCharacter || folded(target[0]) == foldedFirstCharacter;
    }

    static bool isWildcard(wchar_t character)
    {
        return character == Kana::WC_QUES || character == Kana::WC_STAR;
    }

    // The stretches between wildcards must appear in any match, and the
    // first one at the start unless a wildcard leads. For case-ignoring
    // searches both sides are compared folded.
    void collectLiteralRuns()
    {
        std::wstring run;
        for (wchar_t character : text) {
            if (isWildcard(character)) {
                if (!run.empty()) {
                    literalRuns.push_back(run);
                }
                run.clear();
            } else {
                run.push_back(ignoresCase() ? folded(character) : character);
            }
        }
        if (!run.empty()) {
            literalRuns.push_back(run);
        }
        anchoredPrefix = !text.empty() && !isWildcard(text[0]);
        usable = caseStyle == CMP_CASE || caseStyle == CMP_IGNORE_CASE;
    }

    bool containsLiteralRuns(const wchar_t* target) const
    {
        if (!usable || literalRuns.empty()) {
            return true;
        }
        wchar_t foldBuffer[FOLD_BUFFER_SIZE];
        if (ignoresCase()) {
            std::size_t i = 0;
            for (; target[i] != 0; ++i) {
                if (i + 1 >= FOLD_BUFFER_SIZE) {
                    return true;  // too long to fold here: left to the full comparison
                }
                foldBuffer[i] = folded(target[i]);
            }
            foldBuffer[i] = 0;
            target = foldBuffer;
        }
        if (anchoredPrefix
            && std::wcsncmp(target, literalRuns[0].c_str(), literalRuns[0].size()) != 0) {
            return false;
        }
        for (const std::wstring& run : literalRuns) {
            if (std::wcsstr(target, run.c_str()) == nullptr) {
                return false;
            }
        }
        return true;
    }

    const std::wstring& text;
    const bool wildcard;
    const JwcsCase caseStyle;
    // The text's first character (0 when empty) and its folded form, held
    // here: every record compares with them.
    const bool exactCase;  // neither wildcards nor case folding
    const wchar_t firstCharacter;
    const wchar_t foldedFirstCharacter;
    std::vector<std::wstring> literalRuns;
    bool anchoredPrefix = false;
    bool usable = false;
};

}  // namespace internal

#endif
