// How the analyser's morphemes group into the words a learner looks up: an
// inflected word and the auxiliaries that stay with it, the particles that
// never join a word, the formal nouns written in kana. The text reader asks
// these of the morphemes of a sentence.
#ifndef DEXARU_INTERNAL_MORPHEMEGROUPS_H
#define DEXARU_INTERNAL_MORPHEMEGROUPS_H

#include "internal/Morphology.h"

#include <cstddef>
#include <string>
#include <vector>

namespace internal {

// Whether a morpheme stays with the inflected word before it: an auxiliary,
// a dependent verb or adjective (いる, しまう, ない), a conjunctive て, で or
// ば, or the そう of 言いたそう.
bool attachesToInflected(const Morpheme& morpheme);

// Whether a morpheme is the verb する (為る).
bool isSuru(const Morpheme& morpheme);

// Whether the morpheme at `at` begins a word that inflects: a verb, an
// adjective, an auxiliary, or a noun that する follows.
bool beginsInflected(const std::vector<Morpheme>& morphemes, std::size_t at);

// How far the inflected word beginning at `first` reaches: past its
// auxiliaries; first + 1 for any other morpheme.
std::size_t inflectedEnd(const std::vector<Morpheme>& morphemes, std::size_t first);

bool isParticleOrAuxiliary(const Morpheme& morpheme);

// Whether the morpheme may be part of a word of several morphemes: an
// adverbial particle makes words with what it follows (何か, いくらか); a
// case particle, a conjunctive one or an auxiliary never does (時に, ために,
// うちに are a noun and a particle).
bool mayJoinAWord(const Morpheme& morpheme);

// Whether `word` may be the entry of the formal noun written `kana` (こと 事,
// もの 物, ほう 方, ところ 所 …); true for kana that is no formal noun.
bool isFormalNoun(const std::wstring& kana, const std::wstring& word);

// Whether a dictionary form of formLength characters found for morphemes
// [first, end) reaches into the last inflected word among them: the stem
// of a verb that follows a noun must be part of the word (暗号化されて is
// 暗号化 with する, but 寒くなる is no form of 寒い).
bool reachesTheLastVerb(const std::vector<Morpheme>& morphemes, std::size_t first, std::size_t end,
                        std::size_t formLength);

}  // namespace internal

#endif
