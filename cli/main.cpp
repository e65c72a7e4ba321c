// dexaru2: one lookup per run. Searches a text in the word dictionaries and
// the kanji of the words found in the character dictionary, or lists the
// word dictionaries or the parts of speech, or splits text into its words,
// or recognises drawn characters, and prints on standard output as text or XML. Data is read relative to the program's own folder.

#include "CharacterLocale.h"
#include "Lookup.h"
#include "Options.h"
#include "StudyCommand.h"

#include <climits>
#include <string>
#include <unistd.h>

namespace {

// The data files lie beside the program, so work from its folder. A program
// found through the search path (no "/" in its name) stays where it is.
void changeToProgramFolder(const char* programPath)
{
    const std::string path = programPath;
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) {
        return;
    }
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    if (chdir(folder.c_str()) != 0) {
        // Not fatal: the data may lie in the current directory instead.
    }
}

}  // namespace

int main(int argc, char** argv)
{
    dexaru2::setCharacterLocale();
    // File names the user gives are relative to where the program started.
    char startFolder[PATH_MAX] = ".";
    if (getcwd(startFolder, sizeof startFolder) == nullptr) {
        startFolder[0] = '.';
        startFolder[1] = '\0';
    }
    if (argc > 0) {
        changeToProgramFolder(argv[0]);
    }
    if (argc > 1 && std::string(argv[1]) == "study") {
        return dexaru2::runStudy(argc - 2, argv + 2, startFolder);
    }

    dexaru2::Options options;
    if (!dexaru2::parseArguments(argc, argv, options)) {
        if (options.command == "read") {
            return dexaru2::printReadUsage();
        }
        if (options.command == "handwriting") {
            return dexaru2::printHandwritingUsage();
        }
        return dexaru2::printUsage();
    }
    const std::string& model = options.handwritingModel;
    if (!model.empty() && model[0] != '/') {
        options.handwritingModel = std::string(startFolder) + "/" + model;
    }
    return dexaru2::run(options);
}
