// The study list written out for other programs: CSV (RFC 4180, a header
// row, CRLF line ends) and Anki's text import (tab separated, HTML fields,
// the file headers that tell Anki the columns).
#ifndef DEXARU_INTERNAL_STUDYEXPORT_H
#define DEXARU_INTERNAL_STUDYEXPORT_H

#include "StudyList.h"

#include <string>
#include <vector>

namespace studyexport {

std::string toCsv(const std::vector<StudyCard>& cards);
std::string toAnki(const std::vector<StudyCard>& cards);

// The sentence as HTML with the word in bold: the word itself, or when the
// sentence has it inflected, the longest start of it that the sentence has
// (食べ of 食べる in 食べた).
std::string sentenceWithWordInBold(const std::string& sentence, const std::string& word);

}  // namespace studyexport

#endif
