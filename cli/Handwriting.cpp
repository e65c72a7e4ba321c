#include "Handwriting.h"

#include "HandwritingRecognizer.h"
#include "Log.h"
#include "Output.h"
#include "Program.h"
#include "Utf8Text.h"

#include <string>
#include <vector>

namespace dexaru2 {

namespace {

// The next line of the input without its LF; false at the end. A line
// longer than any drawing the recognizer takes is read to its end but kept
// only in part, so that its refusal costs no memory.
bool nextLine(std::FILE* input, std::string* line, bool* cut)
{
    // Far more than MAX_POINTS points of "1000.000,1000.000 ".
    const std::size_t longest = 64 * HandwritingRecognizer::MAX_POINTS;
    line->clear();
    *cut = false;
    int character = 0;
    while ((character = std::fgetc(input)) != EOF && character != '\n') {
        if (line->size() < longest) {
            line->push_back(static_cast<char>(character));
        } else {
            *cut = true;
        }
    }
    return character != EOF || !line->empty() || *cut;
}

// Recognises one line and prints its candidates; false when it is refused.
bool recognizeLine(const std::string& line, bool cut, long lineNumber, const HandwritingRecognizer& recognizer,
                   std::size_t count)
{
    HandwritingRecognizer::Drawing drawing;
    std::string error;
    std::vector<wchar_t> candidates;
    bool understood = !cut && HandwritingRecognizer::parseStrokes(line, &drawing, &error)
                      && recognizer.recognize(drawing, count, &candidates, &error);
    if (cut) {
        error = "the line is too long";
    }
    if (!understood) {
        std::fprintf(stderr, "dexaru2: line %ld of the strokes is skipped: %s.\n", lineNumber, error.c_str());
        Log::write(3, "%s: Line %ld of the strokes is skipped: %s.", logFunction, lineNumber, error.c_str());
    }
    std::wstring joined;
    for (wchar_t candidate : candidates) {
        if (!joined.empty()) {
            joined += L' ';
        }
        joined += candidate;
    }
    printLine("%s", encodeUtf8(joined).c_str());
    return understood;
}

}  // namespace

int recognizeHandwriting(const Options& options, CharacterDictionaryCollection* characters, std::FILE* input)
{
    HandwritingRecognizer recognizer(characters);
    bool canRecognize = recognizer.open(options.handwritingModel) == 0;
    if (!canRecognize) {
        std::fprintf(stderr, "dexaru2: cannot recognise handwriting: %s.\n", recognizer.getError().c_str());
    }
    recognizer.setPlainZinnia(options.plainZinnia);

    bool allUnderstood = true;
    long lineNumber = 0;
    auto one = [&](const std::string& line, bool cut) {
        ++lineNumber;
        if (!canRecognize) {
            printLine("%s", "");
            return;
        }
        allUnderstood = recognizeLine(line, cut, lineNumber, recognizer, options.candidateCount) && allUnderstood;
    };
    if (options.handwritingStrokes == "-") {
        std::string line;
        bool cut = false;
        while (nextLine(input, &line, &cut)) {
            one(line, cut);
        }
    } else {
        // Strokes given with line ends are those lines.
        const std::string& text = options.handwritingStrokes;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            one(text.substr(start, end - start), false);
            start = end + 1;
        }
    }
    if (!canRecognize) {
        return 4;
    }
    return allUnderstood ? 0 : 3;
}

}  // namespace dexaru2
