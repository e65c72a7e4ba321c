#include "internal/MorphemeGroups.h"

namespace internal {

// Whether a morpheme stays with the inflected word before it: an auxiliary,
// a dependent verb or adjective (いる, しまう, ない), or a conjunctive て, で
// or ば.
bool attachesToInflected(const Morpheme& morpheme)
{
    if (morpheme.is("助動詞") || morpheme.is("動詞", "接尾") || morpheme.is("動詞", "非自立")
        || morpheme.is("形容詞", "非自立") || morpheme.is("形容詞", "接尾")
        || morpheme.is("名詞", "特殊")) {  // the そう of 言いたそう
        return true;
    }
    if (morpheme.is("助詞", "接続助詞")) {
        const std::wstring& surface = morpheme.surface;
        return surface == L"\u3066" || surface == L"\u3067" || surface == L"\u3070"
               || surface == L"\u3061\u3083" || surface == L"\u3058\u3083";  // て で ば ちゃ じゃ
    }
    return false;
}

bool isSuru(const Morpheme& morpheme)
{
    return morpheme.is("動詞")
           && (morpheme.baseForm == L"\u3059\u308b" || morpheme.baseForm == L"\u70ba\u308b");  // する, 為る
}

// Whether a morpheme begins a word that inflects: a verb, an adjective, an
// auxiliary, or a noun that する follows.
bool beginsInflected(const std::vector<Morpheme>& morphemes, std::size_t at)
{
    const Morpheme& morpheme = morphemes[at];
    if (morpheme.is("動詞") || morpheme.is("形容詞") || morpheme.is("助動詞")) {
        return true;
    }
    return morpheme.is("名詞", "サ変接続") && at + 1 < morphemes.size()
           && isSuru(morphemes[at + 1]);
}

// How far the inflected word beginning at `first` reaches: past its
// auxiliaries; first + 1 for any other morpheme.
std::size_t inflectedEnd(const std::vector<Morpheme>& morphemes, std::size_t first)
{
    std::size_t end = first + 1;
    if (!beginsInflected(morphemes, first)) {
        return end;
    }
    if (morphemes[first].is("名詞")) {
        ++end;  // する
    }
    while (end < morphemes.size() && morphemes[end].start == morphemes[end - 1].start + morphemes[end - 1].length
           && attachesToInflected(morphemes[end])) {
        ++end;
    }
    return end;
}

bool isParticleOrAuxiliary(const Morpheme& morpheme)
{
    return morpheme.is("助詞") || morpheme.is("助動詞");
}

// Whether the word is the kanji of a formal noun written in kana: こと 事,
// もの 物, ほう 方, ところ 所, とき 時, ため 為, わけ 訳, はず 筈, うち 内,
// よう 様, つもり 積もり, まま 儘, ほか 外.
bool isFormalNoun(const std::wstring& kana, const std::wstring& word)
{
    static const struct {
        const wchar_t* kana;
        const wchar_t* word;
    } nouns[] = {
        {L"\u3053\u3068", L"\u4e8b"}, {L"\u3082\u306e", L"\u7269"}, {L"\u307b\u3046", L"\u65b9"},
        {L"\u3068\u3053\u308d", L"\u6240"}, {L"\u3068\u304d", L"\u6642"}, {L"\u305f\u3081", L"\u70ba"},
        {L"\u308f\u3051", L"\u8a33"}, {L"\u306f\u305a", L"\u7b48"}, {L"\u3046\u3061", L"\u5185"},
        {L"\u3088\u3046", L"\u69d8"}, {L"\u3064\u3082\u308a", L"\u7a4d\u3082\u308a"},
        {L"\u307e\u307e", L"\u5118"}, {L"\u307b\u304b", L"\u5916"},
        {L"\u306e", L"\u306e"},  // the の that makes a noun of a verb: no 野
    };
    bool listed = false;
    for (const auto& noun : nouns) {
        if (kana == noun.kana) {
            listed = true;
            if (word == noun.word || word == kana) {
                return true;
            }
        }
    }
    return !listed;  // other nouns: any entry
}

// An adverbial particle makes words with what it follows (何か, いくらか,
// どこか); a case particle, a conjunctive one or an auxiliary never does
// (時に, ために, うちに are a noun and a particle).
bool mayJoinAWord(const Morpheme& morpheme)
{
    return !isParticleOrAuxiliary(morpheme) || morpheme.subclass.compare(0, 9, "副助詞") == 0;
}

// Whether a dictionary form found for morphemes [first, end) reaches into
// the last inflected word among them: the stem of a verb that follows a
// noun must be part of the word (暗号化されて is 暗号化 with する, but
// 寒くなる is no form of 寒い).
bool reachesTheLastVerb(const std::vector<Morpheme>& morphemes, std::size_t first, std::size_t end,
                        std::size_t formLength)
{
    std::size_t head = end - 1;
    while (head > first && attachesToInflected(morphemes[head])) {
        --head;
    }
    if (head == first) {
        return true;
    }
    if (isSuru(morphemes[head]) && morphemes[head - 1].is("名詞")) {
        return true;
    }
    return formLength > morphemes[head].start - morphemes[first].start;
}

}  // namespace internal
