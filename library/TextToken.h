/// @file
/// @class TextToken
/// One piece of a text that TextReader split: a dictionary word (possibly
/// inflected), a run no dictionary knows, a punctuation mark or a run of
/// spaces. The surfaces of a text's tokens, in order, give back the text.
/// A token shares its entry with the reader's cache: the entry stays valid
/// as long as a token holds it, also after the reader is gone.
#ifndef DEXARU_TEXTTOKEN_H
#define DEXARU_TEXTTOKEN_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class WordEntry;

class TextToken
{
public:
    /// What a token is.
    enum Kind {
        WORD,  ///< a dictionary word or an inflected form of one; entry set
        UNKNOWN,  ///< a character or run of katakana, letters or digits no dictionary knows
        PUNCTUATION,  ///< one punctuation mark or symbol
        SPACE  ///< a run of white space, line ends included
    };

    /// What the token is; WORD tokens carry an entry.
    Kind kind = UNKNOWN;
    /// Where the surface begins in the text read, in characters.
    std::size_t start = 0;
    /// The characters of the text, exactly as they stand there.
    std::wstring surface;
    /// The word as the dictionary lists it: the entry's headword, or for a
    /// word usually written in kana and written so here, that kana. Empty
    /// unless kind is WORD.
    std::wstring dictionaryForm;
    /// The entry's reading in kana (of the dictionary form); empty unless
    /// kind is WORD.
    std::wstring reading;
    /// The reading of the surface as it stands in the text: いきます for
    /// 行きます, ひと or じん for 人 as the sentence has it. Empty unless kind
    /// is WORD (and where no reading of the form is known).
    std::wstring surfaceReading;
    /// The inflections that lead from the dictionary form to the surface,
    /// from the dictionary form outwards ("causative", "passive", "past");
    /// empty for a word as the dictionary writes it.
    std::vector<std::string> reasons;
    /// The collection's entry (with its dictionary name and position set),
    /// shared and read-only; null unless kind is WORD.
    std::shared_ptr<const WordEntry> entry;

    /// True for a dictionary word.
    bool isWord() const { return kind == WORD; }
};

#endif
