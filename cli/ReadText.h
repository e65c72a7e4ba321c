// The "read" command of dexaru2: splits the text of the command line, or
// each line of standard input for "-", into its words and prints them.
#ifndef DEXARU2_READTEXT_H
#define DEXARU2_READTEXT_H

#include "Options.h"

#include <cstdio>

class Deinflector;
class WordDictionaryCollection;

namespace dexaru2 {

// Reads the text of the options (or `input` line by line when it is "-")
// with the borrowed collection and deinflector (null: words only as
// written). Returns 0, or 3 when some text was not UTF-8: such a line is
// named on standard error and printed as an empty line of tokens.
int readText(const Options& options, WordDictionaryCollection* collection,
             const Deinflector* deinflector, std::FILE* input = stdin);

}  // namespace dexaru2

#endif
