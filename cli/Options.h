// What one run of dexaru2 was asked to do, read from its command line, and
// the usage text printed when the command line makes no sense.
#ifndef DEXARU2_OPTIONS_H
#define DEXARU2_OPTIONS_H

#include "WordDictionary.h"

#include <string>

namespace dexaru2 {

struct Options
{
    std::string command;
    std::string listWhat;
    std::string cliSearchText;
    // The text of the "read" command; "-" reads standard input.
    std::string readText;
    // The strokes of the "handwriting" command; "-" reads standard input.
    std::string handwritingStrokes;
    // How many candidates each drawn character gets ("-n").
    std::size_t candidateCount = 10;
    // The handwriting model ("--model"); empty for the installed one.
    std::string handwritingModel;
    // Zinnia's own answer only ("--zinnia-only"), for comparisons.
    bool plainZinnia = false;
    std::string resultsFormat = "text";
    bool convertToKana = true;
    // "reading" (the default order of the results) or "relevance" (the
    // deinflection engine for fuzzy searches, the word meant first).
    std::string order = "reading";
    // Set by parseArguments: limit 200, and word and kana searched when no
    // option names a field or a search flag.
    WordDictionary::SearchOptions searchOptions;
};

// Reads argv[1] to argv[argc - 1] into the options. Returns false when the
// usage text is due (--help, a bad command, an option without its value);
// the command is then the first word that is not an option, if any.
bool parseArguments(int argc, char** argv, Options& options);

// Prints the usage text on standard output and returns the exit status 1.
int printUsage();

// Prints the usage text of the "read" command and returns the exit status 1.
int printReadUsage();

// Prints the usage text of the "handwriting" command and returns the exit
// status 1.
int printHandwritingUsage();

}  // namespace dexaru2

#endif
