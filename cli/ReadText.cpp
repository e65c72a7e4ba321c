#include "ReadText.h"

#include "Log.h"
#include "Program.h"
#include "TextReader.h"
#include "TokenOutput.h"
#include "Utf8Text.h"
#include "internal/CharacterClass.h"

#include <string>

namespace dexaru2 {

namespace {

// A line longer than this many bytes is read and printed in pieces, so that
// memory stays bounded whatever the line.
const std::size_t PIECE_BYTES = 64 * 1024;
// A piece is cut after its last space or punctuation mark in this many
// last characters; without one, the words of its last characters are read
// again with the next piece, so that no word crosses a cut.
const std::size_t CUT_SEARCH = 4096;
const std::size_t REREAD = 64;

// Reads the lines of a file in pieces of at most PIECE_BYTES (and up to the
// end of a UTF-8 character).
class LineInput
{
public:
    explicit LineInput(std::FILE* input) : input(input) {}

    // Adds bytes of the current line to `pending` until its LF (dropped),
    // the end of the input or PIECE_BYTES in all. True when the line ended
    // there; `*more` is false once the input is done.
    bool fill(std::string* pending, bool* more)
    {
        int character = 0;
        while (pending->size() < PIECE_BYTES && (character = std::fgetc(input)) != EOF) {
            if (character == '\n') {
                *more = true;
                return true;
            }
            pending->push_back(static_cast<char>(character));
        }
        *more = character != EOF;
        return character == EOF;
    }

    // Skips the rest of the current line.
    bool skipLine()
    {
        int character = 0;
        while ((character = std::fgetc(input)) != EOF && character != '\n') {
        }
        return character != EOF;
    }

private:
    std::FILE* input;
};

void reportNotUtf8(long lineNumber, std::size_t badOffset)
{
    std::fprintf(stderr, "dexaru2: line %ld of the text is not UTF-8 (byte %lu is wrong); it is skipped.\n",
                 lineNumber, static_cast<unsigned long>(badOffset + 1));
    Log::write(3, "%s: Line %ld of the text to read is not UTF-8.", logFunction, lineNumber);
}

// The text of the last bytes of a line, a CR line end dropped; false, the
// line reported, when they are not UTF-8. `before` bytes of the line came
// before them.
bool decodeLineEnd(std::string bytes, long lineNumber, std::size_t before, std::wstring* text)
{
    if (!bytes.empty() && bytes.back() == '\r') {
        bytes.pop_back();
    }
    std::size_t badOffset = 0;
    if (!decodeUtf8(bytes, text, &badOffset)) {
        reportNotUtf8(lineNumber, before + badOffset);
        return false;
    }
    return true;
}

// Reads one line of text, a CR line end dropped, and prints its tokens;
// false when it is not UTF-8 (then it prints an empty line of tokens).
bool readLine(const std::string& bytes, long lineNumber, TextReader& reader, TokenOutput& output)
{
    std::wstring text;
    if (!decodeLineEnd(bytes, lineNumber, 0, &text)) {
        output.printLine({});
        return false;
    }
    output.printLine(reader.read(text));
    return true;
}

// Where the bytes stop holding whole UTF-8 characters: a character cut by
// the end of the piece waits for the next one.
std::size_t wholeCharactersEnd(const std::string& bytes)
{
    std::size_t end = bytes.size();
    std::size_t back = 0;
    while (back < 4 && back < end && (static_cast<unsigned char>(bytes[end - 1 - back]) & 0xC0) == 0x80) {
        ++back;
    }
    if (back < end) {
        const unsigned char lead = static_cast<unsigned char>(bytes[end - 1 - back]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length > back + 1) {
            return end - 1 - back;  // the last character is not all there
        }
    }
    return end;
}

std::size_t utf8Length(const std::wstring& text, std::size_t end)
{
    return encodeUtf8(text.substr(0, end)).size();
}

// Reads the piece of a long line that `pending` holds, prints the tokens
// before a cut and leaves in `pending` the bytes after it, counting those
// taken in `consumed`. False when the bytes are not UTF-8.
bool readPiece(std::string* pending, long lineNumber, std::size_t* consumed, TextReader& reader,
               TokenOutput& output)
{
    const std::size_t whole = wholeCharactersEnd(*pending);
    std::wstring text;
    std::size_t badOffset = 0;
    if (!decodeUtf8(pending->substr(0, whole), &text, &badOffset)) {
        reportNotUtf8(lineNumber, *consumed + badOffset);
        return false;
    }
    // After the last space or punctuation mark near the end, when there is one.
    std::size_t cut = 0;
    for (std::size_t i = text.size(); i > 0 && text.size() - i < CUT_SEARCH; --i) {
        const internal::CharacterClass kind = internal::classOf(text[i - 1]);
        if (kind == internal::CharacterClass::SPACE || kind == internal::CharacterClass::PUNCTUATION) {
            cut = i;
            break;
        }
    }
    std::vector<TextToken> tokens;
    if (cut > 0) {
        tokens = reader.read(text.substr(0, cut));
    } else {
        // Else the words that end well before the end of the piece; those
        // after them are read again with the next piece.
        tokens = reader.read(text);
        std::size_t kept = 0;
        while (kept < tokens.size()
               && tokens[kept].start + tokens[kept].surface.size() + REREAD <= text.size()) {
            cut = tokens[kept].start + tokens[kept].surface.size();
            ++kept;
        }
        if (kept == 0) {
            kept = 1;  // a run longer than a piece (no word is) is cut
            cut = tokens.empty() ? text.size() : tokens[0].surface.size();
        }
        tokens.resize(kept);
    }
    output.printTokens(tokens);
    const std::size_t taken = utf8Length(text, cut);
    pending->erase(0, taken);
    *consumed += taken;
    return true;
}

// Reads standard input line by line, a long line in pieces. False when some
// line was not UTF-8.
bool readInput(std::FILE* file, TextReader& reader, TokenOutput& output)
{
    LineInput input(file);
    bool allUtf8 = true;
    long lineNumber = 0;
    bool more = true;
    while (more) {
        std::string pending;
        bool ended = input.fill(&pending, &more);
        if (!more && pending.empty() && ended) {
            break;  // no last line without LF
        }
        ++lineNumber;
        if (ended) {
            allUtf8 = readLine(pending, lineNumber, reader, output) && allUtf8;
            continue;
        }
        output.beginLine();
        bool utf8 = true;
        std::size_t consumed = 0;
        while (!ended) {
            if (!readPiece(&pending, lineNumber, &consumed, reader, output)) {
                utf8 = false;
                more = input.skipLine();
                break;
            }
            ended = input.fill(&pending, &more);
        }
        if (utf8) {
            std::wstring text;
            utf8 = decodeLineEnd(pending, lineNumber, consumed, &text);
            if (utf8) {
                output.printTokens(reader.read(text));
            }
        }
        output.endLine();
        allUtf8 = allUtf8 && utf8;
    }
    return allUtf8;
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
        allUtf8 = readInput(input, reader, output);
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
