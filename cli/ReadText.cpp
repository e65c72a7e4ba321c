#include "ReadText.h"

#include "Log.h"
#include "Program.h"
#include "TextReader.h"
#include "TokenOutput.h"
#include "Utf8Text.h"

#include <string>

namespace dexaru2 {

namespace {

// The next line of the input without its LF; false at the end.
bool nextLine(std::FILE* input, std::string* line)
{
    line->clear();
    int character = 0;
    while ((character = std::fgetc(input)) != EOF) {
        if (character == '\n') {
            break;
        }
        line->push_back(static_cast<char>(character));
    }
    return character != EOF || !line->empty();
}

// Reads one line of text, a CR line end dropped, and prints its tokens;
// false when it is not UTF-8.
bool readLine(std::string bytes, long lineNumber, TextReader& reader, TokenOutput& output)
{
    if (!bytes.empty() && bytes.back() == '\r') {
        bytes.pop_back();
    }
    std::wstring text;
    std::size_t badOffset = 0;
    if (!decodeUtf8(bytes, &text, &badOffset)) {
        std::fprintf(stderr, "dexaru2: line %ld of the text is not UTF-8 (byte %lu is wrong); it is skipped.\n",
                     lineNumber, static_cast<unsigned long>(badOffset + 1));
        Log::write(3, "%s: Line %ld of the text to read is not UTF-8.", logFunction, lineNumber);
        output.printLine({});
        return false;
    }
    output.printLine(reader.read(text));
    return true;
}

}  // namespace

int readText(const Options& options, WordDictionaryCollection* collection,
             const Deinflector* deinflector, std::FILE* input)
{
    TextReader reader(collection, deinflector);
    TokenOutput output(options.resultsFormat, collection);
    bool allUtf8 = true;
    output.begin();
    if (options.readText == "-") {
        std::string line;
        long lineNumber = 0;
        while (nextLine(input, &line)) {
            allUtf8 = readLine(line, ++lineNumber, reader, output) && allUtf8;
        }
    } else {
        // A text given with line ends reads as those lines.
        long lineNumber = 0;
        std::size_t start = 0;
        while (start <= options.readText.size()) {
            std::size_t end = options.readText.find('\n', start);
            if (end == std::string::npos) {
                end = options.readText.size();
            }
            allUtf8 = readLine(options.readText.substr(start, end - start), ++lineNumber, reader, output)
                      && allUtf8;
            start = end + 1;
        }
    }
    output.end();
    return allUtf8 ? 0 : 3;
}

}  // namespace dexaru2
