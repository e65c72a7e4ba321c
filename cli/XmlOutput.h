// The "xml" format: one element per entry, TAB-indented. Values are written
// as they are: "&", "<" and quotes inside values are not escaped.
#ifndef DEXARU2_XMLOUTPUT_H
#define DEXARU2_XMLOUTPUT_H

class CharacterEntry;
class WordEntry;

namespace dexaru2 {

// Each writes one <entry> or <kanjientry> element.
void printWordXml(const WordEntry* entry);
void printKanjiXml(const CharacterEntry* entry);

}  // namespace dexaru2

#endif
