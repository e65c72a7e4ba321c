// The "text" format: numbered, indented entries for a person to read.
#ifndef DEXARU2_TEXTOUTPUT_H
#define DEXARU2_TEXTOUTPUT_H

class CharacterEntry;
class WordEntry;

namespace dexaru2 {

// Each writes one entry, numbered from 1 in its block.
void printWordText(const WordEntry* entry, int number);
void printKanjiText(const CharacterEntry* entry, int number);

}  // namespace dexaru2

#endif
