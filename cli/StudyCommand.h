// "dexaru2 study": the learner's study list from the command line. Adds the
// word a search finds, lists the cards and those due, records grades, shows
// and removes cards, reviews in the terminal and exports for other programs.
#ifndef DEXARU2_STUDYCOMMAND_H
#define DEXARU2_STUDYCOMMAND_H

#include <string>

namespace dexaru2 {

// Runs the study command given by the arguments after "study". Relative
// file names are taken from startFolder, the folder the program was started
// in. Returns the exit status: 0, 1 for a failure (one line on standard
// error), 2 for a usage error.
int runStudy(int argc, char** argv, const std::string& startFolder);

// The usage text of the study command.
const char* studyUsageText();

}  // namespace dexaru2

#endif
