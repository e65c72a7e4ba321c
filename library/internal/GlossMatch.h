// How well the glosses of an entry answer an English text searched in the
// meanings: a gloss that is the text itself ("water" for 水, "to eat" for
// 食べる) beats one that merely contains it ("waterfall"). A gloss is
// compared without its notes in parentheses, braces or brackets ("(n)",
// "(1)", "(esp. cool, fresh water)"), letter case and spaces at the ends
// ignored; a gloss of several "; " pieces matches through any of them.
// Internal to the library.
#ifndef DEXARU_INTERNAL_GLOSSMATCH_H
#define DEXARU_INTERNAL_GLOSSMATCH_H

#include <string>

class WordEntry;

namespace internal {

// Best first.
enum GlossGrade
{
    FIRST_GLOSS_IS_TEXT,  // the entry's first gloss is the text
    FIRST_SENSE_HAS_TEXT,  // another gloss of the first sense, or a piece of one
    LATER_SENSE_HAS_TEXT,
    NO_GLOSS_IS_TEXT
};

struct GlossMatch
{
    GlossGrade grade;
    // The glosses of the first sense: of two words whose first gloss is
    // "to eat", the one that means only that (食べる) goes before the one
    // that also means "to drink", "to smoke" and "to take" (喫する).
    int firstSenseGlosses;
};

// The text is ASCII English as typed; "to " + the text counts too, and so
// do "to be ", "to get " and "to become " + it.
GlossMatch glossMatch(const WordEntry& entry, const std::string& text);

// Whether a gloss holds the text as a whole word (as "tone" is in "tone of
// voice", not in "stone"), letter case ignored.
bool hasWord(const WordEntry& entry, const std::string& text);

}  // namespace internal

#endif
