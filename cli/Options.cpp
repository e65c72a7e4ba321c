#include "Options.h"

#include <cstdio>
#include <vector>

namespace dexaru2 {

namespace {

const char* const usageText =
    "Dexaru2 r410\n"
    "\n"
    "Usage:\n"
    "   dexaru2 [<option>[ ...]] <command>\n"
    "\n"
    "<command> may be:\n"
    "   list {dictionaries|parts-of-speech}\n"
    "   search <search-text>\n"
    "\n"
    "<option> may include:\n"
    "       --help               | Show this help and exit.\n"
    "(When using <command> = 'search')\n"
    "       --convert-to-kana    | Convert the search text to kana before searching.\n"
    "       --match-all-info     | All of the info filters must be matched.\n"
    "       --no-convert-to-kana | Do not convert the search text to kana before searching.\n"
    "       --no-match-all-info  | Not all of the info filters must be matched.\n"
    "   -o  --output <format>    | Change the result output format.  <format> may be 'text' or 'xml'.\n"
    "       --search-common      | Search only for common text.\n"
    "       --search-defaults    | Shortcut for --search-kana, --search-word.\n"
    "       --search-fuzzy       | Perform a fuzzy search.\n"
    "       --search-ignore-case | Ignore case (especially kana) when searching.\n"
    "       --search-info <abbr> | Add this abbreviation to the list of abbreviations to match.\n"
    "       --search-kana        | Search for the text in the kana.\n"
    "       --search-meaning     | Search for the text in the meaning(s).\n"
    "       --search-uncommon    | Search only for uncommon text.\n"
    "       --search-wildcard    | Search using the wildcards '?' and '*'.\n"
    "       --search-word        | Search for the text in the word.\n"
    "\n"
    "Examples:\n"
    "   To search for the word 'iku' ('to go'),\n"
    "      dexaru2 search 'iku'\n"
    "   To search for words with 'iku' anywhere in them,\n"
    "      dexaru2 search '*iku*'\n"
    "   To limit that search to nouns,\n"
    "      dexaru2 search '*iku*' --searach-info 'n'\n"
    "   To list the parts of speech available for searching,\n"
    "      dexaru2 list parts-of-speech\n";

const char* const readUsageText =
    "Usage:\n"
    "   dexaru2 [-o {text|xml}] read {<text>|-}\n"
    "\n"
    "Splits Japanese text into its words and prints each with its dictionary form,\n"
    "reading, the inflections that lead to it and its first gloss. With '-' each\n"
    "line of standard input is read in turn. The text output has one line per word,\n"
    "punctuation mark or run of spaces, with five TAB-separated fields (surface,\n"
    "dictionary form, reading, reasons joined by commas, first gloss), and an empty\n"
    "line after each line of text.\n"
    "\n"
    "<option> may be:\n"
    "       --help               | Show this help and exit.\n"
    "   -o  --output <format>    | Change the output format.  <format> may be 'text' or 'xml'.\n"
    "\n"
    "Examples:\n"
    "      dexaru2 read '猫が魚を食べさせられなかった。'\n"
    "      dexaru2 -o xml read - < story.txt\n";

const char* const handwritingUsageText =
    "Usage:\n"
    "   dexaru2 handwriting [-n <count>] [--model <file>] {<strokes>|-}\n"
    "\n"
    "Recognises drawn characters and prints, for each, one line with the characters\n"
    "it may be, best first, separated by spaces. With '-' each line of standard\n"
    "input is one drawn character. An empty line is printed when nothing was drawn\n"
    "or the strokes cannot be read (which is said on standard error).\n"
    "\n"
    "<strokes> are the strokes of one character in drawing order, separated by ';';\n"
    "the points of a stroke are separated by spaces; a point is 'x,y' in a square\n"
    "from 0,0 (top left) to 1000,1000 (bottom right), with decimals allowed; points\n"
    "outside are put on the edge. A line may begin with a name and a TAB, which is\n"
    "ignored.\n"
    "\n"
    "<option> may be:\n"
    "       --help               | Show this help and exit.\n"
    "   -n  <count>              | Print at most <count> candidates (10 by default).\n"
    "       --model <file>       | Use this Zinnia model instead of the installed\n"
    "                            | Japanese one of tegaki-zinnia-japanese.\n"
    "       --zinnia-only        | Print Zinnia's own answer only, for comparisons.\n"
    "\n"
    "Examples:\n"
    "   To recognise a drawn 十,\n"
    "      dexaru2 handwriting '100,480 880,420;480,100 495,910'\n"
    "   To recognise the characters of a file, three candidates each,\n"
    "      dexaru2 handwriting -n 3 - < drawings.txt\n";

// Applies the option in argv[index] (and its value, moving index past it).
// Returns 1 when the argument was an option, 0 when it is a command word and
// -1 when the usage text is due.
int applyOption(Options& options, int argc, char** argv, int& index)
{
    const std::string argument = argv[index];
    WordDictionary::SearchOptions& search = options.searchOptions;

    if (argument == "--help") {
        return -1;
    } else if (argument == "--convert-to-kana") {
        options.convertToKana = true;
    } else if (argument == "--match-all-info") {
        search.matchAllPartsOfSpeech = true;
    } else if (argument == "--no-convert-to-kana") {
        options.convertToKana = false;
    } else if (argument == "--no-match-all-info") {
        search.matchAllPartsOfSpeech = false;
    } else if (argument == "--order") {
        if (index + 1 >= argc) {
            return -1;
        }
        options.order = argv[++index];
        if (options.order != "reading" && options.order != "relevance") {
            return -1;
        }
    } else if (argument == "--output" || argument == "-o") {
        if (index + 1 >= argc) {
            return -1;
        }
        options.resultsFormat = argv[++index];
    } else if (argument == "--search-common") {
        search.commonFilter = 1;
    } else if (argument == "--search-defaults") {
        search.searchFlags |= WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    } else if (argument == "--search-fuzzy") {
        search.searchFlags |= WordDictionary::SEARCH_FUZZY;
    } else if (argument == "--search-ignore-case") {
        search.searchFlags |= WordDictionary::SEARCH_IGNORE_CASE;
    } else if (argument == "--search-info") {
        if (index + 1 >= argc) {
            return -1;
        }
        search.partsOfSpeech.push_back(argv[++index]);
    } else if (argument == "--search-kana") {
        search.searchFlags |= WordDictionary::SEARCH_KANA;
    } else if (argument == "--search-meaning") {
        search.searchFlags |= WordDictionary::SEARCH_MEANING;
    } else if (argument == "--search-uncommon") {
        search.commonFilter = 2;
    } else if (argument == "--search-wildcard") {
        search.searchFlags |= WordDictionary::SEARCH_WILDCARD;
    } else if (argument == "--search-word") {
        search.searchFlags |= WordDictionary::SEARCH_WORD;
    } else {
        return 0;
    }
    return 1;
}

// A whole, positive number of candidates, at most a thousand.
bool readCount(const std::string& text, std::size_t* count)
{
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    *count = std::stoul(text);
    return *count > 0 && *count <= 1000;
}

// The words after "handwriting": its own options and the strokes.
bool takeHandwritingWords(Options& options, const std::vector<std::string>& words)
{
    bool haveStrokes = false;
    for (std::size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "-n") {
            if (++i >= words.size() || !readCount(words[i], &options.candidateCount)) {
                return false;
            }
        } else if (words[i] == "--model") {
            if (++i >= words.size() || words[i].empty()) {
                return false;
            }
            options.handwritingModel = words[i];
        } else if (words[i] == "--zinnia-only") {
            options.plainZinnia = true;
        } else if (haveStrokes) {
            return false;
        } else {
            options.handwritingStrokes = words[i];
            haveStrokes = true;
        }
    }
    return haveStrokes;
}

// Checks the command words (the command and its one argument) and fills the
// options from them. Returns false when the usage text is due.
bool takeCommand(Options& options, const std::vector<std::string>& words)
{
    if (words.empty()) {
        return false;
    }
    options.command = words[0];
    if (options.command == "handwriting") {
        return takeHandwritingWords(options, words);
    }
    if (options.command == "read") {
        if (words.size() != 2 || words[1].empty()) {
            return false;
        }
        options.readText = words[1];
        return options.resultsFormat == "text" || options.resultsFormat == "xml";
    }
    if (options.command == "list") {
        if (words.size() != 2) {
            return false;
        }
        options.listWhat = words[1];
        return options.listWhat == "parts-of-speech" || options.listWhat == "dictionaries";
    }
    if (options.command != "search" || words.size() != 2 || words[1].empty()) {
        return false;
    }
    options.cliSearchText = words[1];
    if (options.searchOptions.searchFlags == WordDictionary::SEARCH_NONE) {
        options.searchOptions.searchFlags = WordDictionary::SEARCH_WORD
                                            | WordDictionary::SEARCH_KANA;
    }
    return true;
}

}  // namespace

bool parseArguments(int argc, char** argv, Options& options)
{
    options.searchOptions.searchFlags = WordDictionary::SEARCH_NONE;
    options.searchOptions.commonFilter = 0;
    options.searchOptions.limit = 200;
    options.searchOptions.matchAllPartsOfSpeech = false;

    std::vector<std::string> words;
    bool usageDue = false;
    for (int index = 1; index < argc; ++index) {
        const int outcome = applyOption(options, argc, argv, index);
        usageDue = usageDue || outcome < 0;
        if (outcome == 0) {
            words.push_back(argv[index]);
        }
    }
    if (usageDue) {
        // The command still picks the usage text shown.
        options.command = words.empty() ? std::string() : words[0];
        return false;
    }
    return takeCommand(options, words);
}

int printReadUsage()
{
    std::fputs(readUsageText, stdout);
    std::fflush(stdout);
    return 1;
}

int printHandwritingUsage()
{
    std::fputs(handwritingUsageText, stdout);
    std::fflush(stdout);
    return 1;
}

int printUsage()
{
    std::fputs(usageText, stdout);
    std::fflush(stdout);
    return 1;
}

}  // namespace dexaru2
