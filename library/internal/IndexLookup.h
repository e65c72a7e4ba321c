// The records of an EDICT index whose headword or reading is one of several
// texts, found in one pass over the index: a search through many
// deinflection candidates reads the lines of the few that are there instead
// of scanning the index once per candidate. It compares as an exact word or
// reading search does (TextMatcher, case kept, no wildcards) and builds each
// entry as that search does. Internal to the library.
#ifndef DEXARU_INTERNAL_INDEXLOOKUP_H
#define DEXARU_INTERNAL_INDEXLOOKUP_H

#include <string>
#include <vector>

class Edict;
class WordEntry;

namespace internal {

// For each text, the positions of the records whose headword (words) or
// reading (readings; the headword for a line without one) is the text, in
// file order, each record once.
std::vector<std::vector<int>> recordsOfTexts(const Edict& edict,
                                             const std::vector<std::wstring>& texts, bool words,
                                             bool readings);

// The entries of those records, as the exact search gives them (new, the
// caller owns them); a line that cannot be read is left out.
std::vector<WordEntry*> entriesOfRecords(Edict& edict, const std::vector<int>& records);

}  // namespace internal

#endif
