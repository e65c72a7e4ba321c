// The script classes the text reader splits text by: where a run of
// spaces, a punctuation mark, a run of Latin letters or digits, or a run of
// katakana begins and ends. Full-width letters and digits count as letters
// and digits; half-width katakana as katakana.
#ifndef DEXARU_INTERNAL_CHARACTERCLASS_H
#define DEXARU_INTERNAL_CHARACTERCLASS_H

#include <cwctype>

namespace internal {

enum class CharacterClass {
    SPACE,
    PUNCTUATION,
    LATIN,
    DIGIT,
    HIRAGANA,
    KATAKANA,
    KANJI,  // ideographs and the iteration mark 々
    OTHER  // anything else a word may hold: symbols, letters of other scripts
};

inline bool isPunctuationCode(wchar_t character)
{
    if (character < 0x80) {
        return std::iswpunct(static_cast<wint_t>(character)) != 0 || character < 0x20
               || character == 0x7F;
    }
    return (character >= 0x3001 && character <= 0x3004)  // 、。〃〄
           || (character >= 0x3008 && character <= 0x3020)  // 〈〉《》「」『』【】〒〓〔〕〜 …
           || character == 0x3030 || character == 0x303D || character == 0x30FB  // 〰 〽 ・
           || (character >= 0x2000 && character <= 0x206F)  // general punctuation: …, ‥, “”
           || (character >= 0xFF01 && character <= 0xFF0F)  // ！＂＃ … ／
           || (character >= 0xFF1A && character <= 0xFF20)  // ：； … ＠
           || (character >= 0xFF3B && character <= 0xFF40)  // ［＼］＾＿｀
           || (character >= 0xFF5B && character <= 0xFF65)  // ｛｜｝～ and half-width 。「」、・
           || character == 0x00A0 || (character >= 0x00A1 && character <= 0x00BF)
           || (character >= 0x2190 && character <= 0x21FF)  // arrows
           || (character >= 0x25A0 && character <= 0x25FF);  // geometric shapes: ○●□■◇
}

inline CharacterClass classOf(wchar_t character)
{
    if (character == L' ' || character == L'\t' || character == L'\n' || character == L'\r'
        || character == L'\f' || character == L'\v' || character == 0x3000 || character == 0x00A0
        || character == 0x2028 || character == 0x2029) {
        return CharacterClass::SPACE;
    }
    if ((character >= L'0' && character <= L'9') || (character >= 0xFF10 && character <= 0xFF19)) {
        return CharacterClass::DIGIT;
    }
    if ((character >= L'A' && character <= L'Z') || (character >= L'a' && character <= L'z')
        || (character >= 0xFF21 && character <= 0xFF3A) || (character >= 0xFF41 && character <= 0xFF5A)
        || (character >= 0x00C0 && character <= 0x024F && character != 0x00D7
            && character != 0x00F7)) {
        return CharacterClass::LATIN;
    }
    if (character >= 0x3041 && character <= 0x309F && character != 0x309B && character != 0x309C) {
        return CharacterClass::HIRAGANA;  // ぁ … ゖ, the sound marks joined to kana, ゝゞゟ
    }
    if ((character >= 0x30A1 && character <= 0x30FF && character != 0x30FB)
        || (character >= 0x31F0 && character <= 0x31FF) || (character >= 0xFF66 && character <= 0xFF9F)
        || character == 0x309B || character == 0x309C) {
        return CharacterClass::KATAKANA;  // with ー, ヽヾ, small katakana and half-width ｦ … ﾟ
    }
    if ((character >= 0x4E00 && character <= 0x9FFF) || (character >= 0x3400 && character <= 0x4DBF)
        || (character >= 0xF900 && character <= 0xFAFF) || (character >= 0x20000 && character <= 0x3FFFF)
        || character == 0x3005 || character == 0x3006 || character == 0x3007) {
        return CharacterClass::KANJI;  // with 々 〆 〇
    }
    if (isPunctuationCode(character)) {
        return CharacterClass::PUNCTUATION;
    }
    return CharacterClass::OTHER;
}

// Runs of these classes are taken whole when no dictionary word begins there.
inline bool formsRuns(CharacterClass kind)
{
    return kind == CharacterClass::LATIN || kind == CharacterClass::DIGIT
           || kind == CharacterClass::KATAKANA;
}

// Classes a dictionary word may be made of (letters and digits are looked up
// as whole runs instead).
inline bool mayBeInWord(CharacterClass kind)
{
    return kind == CharacterClass::HIRAGANA || kind == CharacterClass::KATAKANA
           || kind == CharacterClass::KANJI || kind == CharacterClass::OTHER;
}

}  // namespace internal

#endif
