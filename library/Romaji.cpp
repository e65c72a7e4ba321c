#include "Romaji.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "Kana.h"

const uint16_t Romaji::UNICODE_ENGLISH_START;
const uint16_t Romaji::UNICODE_ENGLISH_END;

namespace {

const int CASE_DISTANCE = 'a' - 'A';
const uint16_t FULLWIDTH_OFFSET = 0xFEE0;
const uint16_t HIRAGANA_N = 0x3093;  // ん

uint16_t low16(wchar_t c)
{
    return static_cast<uint16_t>(c);
}

// Syllables are at most four ASCII characters, so a key packs into 32 bits;
// 0 means "not a syllable".
uint32_t packKey(const std::wstring& syllable)
{
    if (syllable.empty() || syllable.size() > 4) {
        return 0;
    }
    uint32_t key = 0;
    for (wchar_t c : syllable) {
        if (c <= 0 || c > 0x7F) {
            return 0;
        }
        key = (key << 8) | static_cast<uint32_t>(c);
    }
    return key;
}

using SyllableTable = std::vector<std::pair<uint32_t, uint16_t>>;

// The kana-to-romaji table read backwards, plus the input alternatives:
// "x" for the "l" of small kana, "n'" for ん, and the fixed katakana.
SyllableTable buildSyllableTable()
{
    SyllableTable table;
    for (uint16_t h = 0x3041; h <= 0x3096; ++h) {
        std::wstring romaji = Kana::kanaToRomaji_Single(h);
        table.emplace_back(packKey(romaji), h);
        if (romaji[0] == L'l') {
            romaji[0] = L'x';
            table.emplace_back(packKey(romaji), h);
        }
    }
    table.emplace_back(packKey(L"n'"), HIRAGANA_N);
    for (uint16_t k : {0x30F7, 0x30F8, 0x30F9, 0x30FA, 0x30FB, 0x30FC}) {  // ヷ ヸ ヹ ヺ ・ ー
        table.emplace_back(packKey(Kana::kanaToRomaji_Single(k)), k);
    }
    std::sort(table.begin(), table.end());
    return table;
}

// The kana of a lower-case syllable, or 0.
uint16_t lookUpSyllable(const std::wstring& syllable)
{
    static const SyllableTable table = buildSyllableTable();
    const uint32_t key = packKey(syllable);
    auto found = std::lower_bound(table.begin(), table.end(), std::make_pair(key, uint16_t(0)));
    return (key != 0 && found != table.end() && found->first == key) ? found->second : 0;
}

// The fixed entries are katakana already and never take the shift.
wchar_t shifted(uint16_t kana, uint16_t shift)
{
    return Kana::isHiragana(kana) ? kana + shift : kana;
}

uint16_t katakanaShift(const std::wstring& text)
{
    return Romaji::isLower(text) ? 0 : Kana::KANA_OFFSET;
}

bool isRomajiMaterial(uint16_t c)
{
    return Romaji::isRomajiLetter(c) || c == L'\'' || c == L'-';
}

// The spelling alternatives that the syllable table does not list itself.
void respell(std::wstring& temp)
{
    static const std::pair<const wchar_t*, const wchar_t*> respellings[] = {
        {L"ltsu", L"ltu"}, {L"xtsu", L"ltu"}, {L"shi", L"si"}, {L"sha", L"sya"},
        {L"shu", L"syu"},  {L"sho", L"syo"},  {L"chi", L"ti"}, {L"cha", L"tya"},
        {L"chu", L"tyu"},  {L"cho", L"tyo"},  {L"tsu", L"tu"}, {L"dzu", L"du"},
        {L"ja", L"zya"},   {L"ji", L"zi"},    {L"ju", L"zyu"}, {L"jo", L"zyo"},
    };
    for (const auto& respelling : respellings) {
        if (temp == respelling.first) {
            temp = respelling.second;
            return;
        }
    }
}

// f- and v-syllables are hu or vu followed by a small vowel; returns false
// when temp is not one of them.
bool emitLabialSyllable(const std::wstring& temp, bool katakana, std::wstring& kana)
{
    if (temp.size() != 2 || (temp[0] != L'f' && temp[0] != L'v')) {
        return false;
    }
    const wchar_t vowel = temp[1];
    const bool isF = temp[0] == L'f';
    if (isF && vowel == L'u') {
        kana += Romaji::romajiToKana(katakana ? L"HU" : L"hu");
        return true;
    }
    if (vowel != L'a' && vowel != L'i' && vowel != L'e' && vowel != L'o') {
        return false;
    }
    std::wstring smallVowel = {L'l', vowel};
    std::wstring base = isF ? L"hu" : L"vu";
    if (katakana) {
        smallVowel = Romaji::toUpper(smallVowel);
        base = Romaji::toUpper(base);
    }
    kana += Romaji::romajiToKana(base);
    kana += Romaji::romajiToKana(smallVowel);
    return true;
}

// Converts the pending letters of one syllable and appends the result;
// letters that form no syllable are passed through. A lone n is kept as a
// letter when keepLoneN is set, since the next keystroke may make it na or ni.
void completeSyllable(std::wstring& temp, bool katakana, bool keepLoneN, std::wstring& kana)
{
    respell(temp);
    if (emitLabialSyllable(temp, katakana, kana)) {
        temp.clear();
        return;
    }
    if (katakana) {
        temp = Romaji::toUpper(temp);
    }
    const std::wstring converted = Romaji::romajiToKana(temp);
    const bool loneN = temp == L"n" || temp == L"N";
    kana += (converted.empty() || (keepLoneN && loneN)) ? temp : converted;
    temp.clear();
}

void appendNonRomaji(wchar_t original, uint16_t c, std::wstring& kana)
{
    if (Kana::isKana(c)) {
        kana += original;
    } else if (c == L' ') {
        kana += L' ';
    } else if (Romaji::isRomaji(c)) {
        kana += static_cast<wchar_t>(Romaji::romajiToFullwidth(c));
    } else {
        kana += original;
    }
}

}  // namespace

bool Romaji::isVowel(uint16_t c)
{
    return c == 'a' || c == 'i' || c == 'u' || c == 'e' || c == 'o';
}

bool Romaji::isRomaji(uint16_t c)
{
    return c >= UNICODE_ENGLISH_START && c <= UNICODE_ENGLISH_END;
}

bool Romaji::isRomaji(std::wstring text)
{
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return isRomaji(low16(c)); });
}

bool Romaji::isRomajiLetter(uint16_t c)
{
    return isUpper(c) || isLower(c);
}

bool Romaji::isUpper(uint16_t c)
{
    return c >= 'A' && c <= 'Z';
}

bool Romaji::isLower(uint16_t c)
{
    return c >= 'a' && c <= 'z';
}

bool Romaji::isLower(const std::wstring& str)
{
    return std::none_of(str.begin(), str.end(), [](wchar_t c) { return isUpper(low16(c)); });
}

bool Romaji::isUpper(const std::wstring& str)
{
    return std::none_of(str.begin(), str.end(), [](wchar_t c) { return isLower(low16(c)); });
}

uint16_t Romaji::toLower(uint16_t c)
{
    return isUpper(c) ? c + CASE_DISTANCE : c;
}

uint16_t Romaji::toUpper(uint16_t c)
{
    return isLower(c) ? c - CASE_DISTANCE : c;
}

std::wstring Romaji::toLower(std::wstring str)
{
    for (wchar_t& c : str) {
        if (isUpper(low16(c))) {
            c += CASE_DISTANCE;
        }
    }
    return str;
}

std::wstring Romaji::toUpper(std::wstring str)
{
    for (wchar_t& c : str) {
        if (isLower(low16(c))) {
            c -= CASE_DISTANCE;
        }
    }
    return str;
}

uint16_t Romaji::romajiToKana_Single(std::wstring c)
{
    const uint16_t shift = katakanaShift(c);
    const uint16_t kana = lookUpSyllable(toLower(c));
    return kana == 0 ? 0 : shifted(kana, shift);
}

uint16_t Romaji::romajiToFullwidth(uint16_t c)
{
    if (c == Kana::WC_STAR || c == Kana::WC_QUES) {
        return c;
    }
    return (c >= 0x21 && c <= 0x7E) ? c + FULLWIDTH_OFFSET : 0;
}

std::wstring Romaji::romajiToKana(std::wstring text)
{
    const uint16_t shift = katakanaShift(text);
    text = toLower(text);
    std::wstring kana;
    if (text.size() == 3 && text[1] == L'y' && text[0] != L'l' && text[0] != L'x') {
        // A palatal syllable: the i-syllable and a small ya, yu or yo (kya = ki + lya).
        const uint16_t iSyllable = lookUpSyllable({text[0], L'i'});
        const uint16_t glide = lookUpSyllable({L'l', text[1], text[2]});
        if (iSyllable != 0 && glide != 0) {
            kana += shifted(iSyllable, shift);
            kana += shifted(glide, shift);
        }
        return kana;
    }
    if (const uint16_t single = lookUpSyllable(text)) {
        kana += shifted(single, shift);
    }
    return kana;
}

std::wstring Romaji::romajiStringToKana(std::wstring text, bool guessend)
{
    std::wstring kana;
    std::wstring temp;  // letters of the syllable being typed, lower case
    bool katakana = false;
    const size_t last = text.empty() ? 0 : text.size() - 1;
    for (size_t i = 0; i < text.size(); ++i) {
        uint16_t c = low16(text[i]);
        if (isUpper(c)) {
            katakana = true;
            c = toLower(c);
        }
        if (!isRomajiMaterial(c)) {
            // A lone n before a non-letter is the user's ん (kan* is かん*);
            // other pending letters wait for their vowel (k1a is １か).
            if (temp == L"n") {
                kana += romajiToKana(katakana ? L"N" : L"n");
                temp.clear();
                katakana = false;
            }
            appendNonRomaji(text[i], c, kana);
            continue;
        }
        temp += static_cast<wchar_t>(c);
        if (!isVowel(c) && temp.size() == 2) {
            if (temp[0] == temp[1]) {
                // A doubled consonant is a small tsu (kk), a doubled n is ん (nn).
                kana += romajiToKana(temp[0] == L'n' ? (katakana ? L"N" : L"n")
                                                     : (katakana ? L"LTU" : L"ltu"));
                temp.erase(0, 1);
            } else if (temp[0] == L'n' && temp[1] != L'\'' && temp[1] != L'y') {
                kana += romajiToKana(katakana ? L"N" : L"n");
                temp.erase(0, 1);
            }
        }
        if (!isVowel(c) && c != L'\'' && c != L'-' && i != last) {
            continue;
        }
        completeSyllable(temp, katakana, !guessend && i == last, kana);
        katakana = false;
    }
    // Letters still pending after a final non-letter are not lost (tak. is た．k).
    if (!temp.empty()) {
        completeSyllable(temp, katakana, false, kana);
    }
    return kana;
}
