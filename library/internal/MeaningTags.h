// The marks inside an EDICT entry's meanings: the common mark "(P)" and the
// leading part-of-speech groups such as "(n,vs)", taken out of the meaning
// text into the entry's flags and information. Internal to the library; not
// installed.
#ifndef DEXARU_INTERNAL_MEANINGTAGS_H
#define DEXARU_INTERNAL_MEANINGTAGS_H

#include <string>

class PartsOfSpeech;
class WordEntry;

namespace internal {

// Removes the first meaning that is exactly "(P)" and marks the entry common.
void takeCommonMarker(WordEntry* entry);

// Strips the leading part-of-speech groups, such as "(n,vs)", that the table
// recognises from one meaning, recording them in the entry; the scan ends at
// the first other byte. A null table recognises none.
void takePartsOfSpeech(std::string& meaning, PartsOfSpeech* table, WordEntry* entry);

}  // namespace internal

#endif
