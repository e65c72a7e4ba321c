#include "LongVowels.h"

#include "Kana.h"

#include <cctype>
#include <cstring>
#include <cwchar>
#include <functional>
#include <set>

namespace internal {

namespace {

constexpr wchar_t LONG_MARK = L'ー';

bool isSmallKana(wchar_t hiragana)
{
    return std::wcschr(L"ぁぃぅぇぉゃゅょゎ", hiragana) != nullptr;
}

// The vowel a kana ends in ('a', 'i', 'u', 'e' or 'o'), or 0 for ん, っ and
// anything that is no kana.
char vowelOf(wchar_t kana)
{
    const wchar_t hiragana = static_cast<wchar_t>(Kana::toHiragana(static_cast<uint16_t>(kana)));
    if (!Kana::isHiragana(static_cast<uint16_t>(hiragana)) || hiragana == L'っ' || hiragana == L'ん') {
        return 0;
    }
    const std::wstring romaji = Kana::kanaToRomaji_Single(static_cast<uint16_t>(hiragana));
    if (romaji.empty()) {
        return 0;
    }
    const char last = static_cast<char>(std::tolower(static_cast<unsigned char>(romaji.back())));
    return std::strchr("aiueo", last) != nullptr ? last : 0;
}

// The hiragana that lengthen a vowel, in the order tried.
const wchar_t* lengtheners(char vowel)
{
    switch (vowel) {
    case 'a': return L"あ";
    case 'i': return L"い";
    case 'u': return L"う";
    case 'e': return L"いえ";
    case 'o': return L"うお";
    }
    return L"";
}

// Whether the kana lengthens the vowel before it (う after と, い after せ).
bool lengthens(wchar_t kana, char vowelBefore)
{
    const wchar_t hiragana = static_cast<wchar_t>(Kana::toHiragana(static_cast<uint16_t>(kana)));
    return kana == LONG_MARK || (vowelBefore != 0 && std::wcschr(lengtheners(vowelBefore), hiragana) != nullptr);
}

// The positions after which a long vowel may go: after a kana with a
// vowel, unless a small kana finishes its sound (き of きょ), the next kana
// already lengthens it (とう), or the kana itself lengthens the one before.
std::vector<std::size_t> openings(const std::wstring& text)
{
    std::vector<std::size_t> after;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char vowel = vowelOf(text[i]);
        if (vowel == 0 || (i > 0 && lengthens(text[i], vowelOf(text[i - 1])))) {
            continue;
        }
        if (i + 1 < text.size()) {
            const wchar_t next = static_cast<wchar_t>(Kana::toHiragana(static_cast<uint16_t>(text[i + 1])));
            if (isSmallKana(next) || lengthens(text[i + 1], vowel)) {
                continue;
            }
        }
        after.push_back(i);
    }
    return after;
}

// Collects spellings, each once, until the cap.
struct Spellings
{
    std::vector<std::wstring> list;
    std::set<std::wstring> seen;
    std::size_t cap;

    bool full() const { return list.size() >= cap; }
    void add(const std::wstring& spelling)
    {
        if (!full() && seen.insert(spelling).second) {
            list.push_back(spelling);
        }
    }
};

// Every spelling of the text with a lengthener after each chosen position
// (katakana: the long mark; hiragana: each of the vowel's lengtheners).
void addSpellings(const std::wstring& text, const std::vector<std::size_t>& chosen, bool katakana,
                  std::size_t from, std::wstring built, std::size_t copied, Spellings& out)
{
    if (out.full()) {
        return;
    }
    if (from == chosen.size()) {
        out.add(built + text.substr(copied));
        return;
    }
    const std::size_t position = chosen[from];
    const std::wstring head = built + text.substr(copied, position + 1 - copied);
    const std::wstring marks = katakana ? std::wstring(1, LONG_MARK)
                                        : std::wstring(lengtheners(vowelOf(text[position])));
    for (wchar_t mark : marks) {
        addSpellings(text, chosen, katakana, from + 1, head + mark, position + 1, out);
    }
}

// Every choice of count positions out of the openings, in order.
void forEachChoice(const std::vector<std::size_t>& open, std::size_t count, std::size_t from,
                   std::vector<std::size_t>& chosen, const std::function<void()>& visit)
{
    if (chosen.size() == count) {
        visit();
        return;
    }
    for (std::size_t i = from; i < open.size(); ++i) {
        chosen.push_back(open[i]);
        forEachChoice(open, count, i + 1, chosen, visit);
        chosen.pop_back();
    }
}

}  // namespace

std::vector<std::wstring> longVowelSpellings(const std::wstring& kana, std::size_t cap)
{
    if (kana.empty() || !Kana::isKana(kana)) {
        return {};
    }
    const bool hasKatakana = Kana::toHiragana(kana) != kana;
    const std::wstring katakana = Kana::toKatakana(kana);
    const std::vector<std::size_t> open = openings(kana);
    Spellings out{{}, {}, cap};
    for (std::size_t count = 1; count <= MAX_LONG_VOWELS_ADDED && count <= open.size(); ++count) {
        std::vector<std::size_t> chosen;
        if (!hasKatakana) {
            forEachChoice(open, count, 0, chosen, [&] { addSpellings(kana, chosen, false, 0, L"", 0, out); });
        }
        forEachChoice(open, count, 0, chosen, [&] { addSpellings(katakana, chosen, true, 0, L"", 0, out); });
    }
    return out.list;
}

}  // namespace internal
