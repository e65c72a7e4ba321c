// The "handwriting" command of dexaru2: recognises drawn characters given in
// the stroke text format, the one of the command line or each line of
// standard input for "-", and prints one line of candidates for each.
#ifndef DEXARU2_HANDWRITING_H
#define DEXARU2_HANDWRITING_H

#include "Options.h"

#include <cstdio>

class CharacterDictionaryCollection;

namespace dexaru2 {

// Recognises the strokes of the options with the borrowed collection (null:
// no stroke counts, every kanji of the model kept). Returns 0; 3 when some
// line did not parse or was refused (named on standard error, printed as an
// empty line); 4 when the recognizer cannot recognise (said on standard
// error, every line printed empty).
int recognizeHandwriting(const Options& options, CharacterDictionaryCollection* characters,
                         std::FILE* input = stdin);

}  // namespace dexaru2

#endif
