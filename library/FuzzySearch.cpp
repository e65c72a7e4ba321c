#include "FuzzySearch.h"

#include "Jwcs.h"
#include "Log.h"
#include "internal/FileReading.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

using fileReading::FileCloser;

// Rule lines are read in pieces of at most this many wide characters and
// put together whole; rules may lengthen a word by at most this much.
const int RULE_LINE_LENGTH = 1022;
// A rule line longer than this is absurd: skipped with a message.
const std::size_t MAX_RULE_CHARACTERS = fileReading::MAX_LINE_BYTES;
const wchar_t STAR = L'*';

// Wide text in the locale's multibyte form, for messages written with "%s".
// Characters the locale cannot express come out as "?".
std::string toNarrow(const std::wstring& text)
{
    std::string narrow;
    std::mbstate_t state = std::mbstate_t();
    char bytes[MB_LEN_MAX];
    for (wchar_t character : text) {
        std::size_t length = std::wcrtomb(bytes, character, &state);
        if (length == static_cast<std::size_t>(-1)) {
            narrow += '?';
            state = std::mbstate_t();
        } else {
            narrow.append(bytes, length);
        }
    }
    return narrow;
}

void stripLineEnd(std::wstring& line)
{
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) {
        line.pop_back();
    }
}

std::vector<std::wstring> splitAtCommas(const std::wstring& text)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = text.find(L',', start);
        if (comma == std::wstring::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

bool endsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size()
           && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool hasWildcard(const std::wstring& text)
{
    return text.find_first_of(L"*?") != std::wstring::npos;
}

// Where the rule's tail starts in input, or npos when the rule does not
// apply. A tail with wildcards is matched as a pattern but then looked
// for as plain text.
std::size_t tailPosition(const std::wstring& input, const std::wstring& expression)
{
    if (expression.empty() || expression[0] != STAR) {
        return std::wstring::npos;
    }
    std::wstring tail = expression.substr(1);
    if (!hasWildcard(tail)) {
        return endsWith(input, tail) ? input.size() - tail.size() : std::wstring::npos;
    }
    if (Jwcs::xcmp(input.c_str(), expression.c_str(), CMP_CASE) != 0) {
        return std::wstring::npos;
    }
    return input.rfind(tail);
}

// Reads the next line whole into `line`, its line end included; a NUL
// character ends its text. False at the end of the file.
bool readRuleLine(FILE* file, std::wstring& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    bool textEnded = false;
    bool readAny = false;
    wchar_t buffer[RULE_LINE_LENGTH + 1];
    for (;;) {
        std::fill(buffer, buffer + RULE_LINE_LENGTH + 1, L'\0');
        if (std::fgetws(buffer, RULE_LINE_LENGTH + 1, file) == nullptr) {
            return readAny;
        }
        readAny = true;
        const std::size_t textLength = std::wcslen(buffer);
        const wchar_t* lineEnd = std::wmemchr(buffer, L'\n', RULE_LINE_LENGTH);
        const std::size_t pieceLength = lineEnd != nullptr ? lineEnd - buffer + 1
                                                           : static_cast<std::size_t>(RULE_LINE_LENGTH);
        if (!textEnded) {
            if (line.size() + textLength > MAX_RULE_CHARACTERS) {
                tooLong = true;
            } else {
                line.append(buffer, textLength);
            }
            textEnded = textLength < pieceLength;
        }
        if (lineEnd != nullptr || std::feof(file)) {
            return true;
        }
    }
}

}  // namespace

FuzzySearch::FuzzySearch() = default;

bool FuzzySearch::loadFromFile(std::string filename)
{
    Log::write(7, "%s: Called with '%s'.", "loadFromFile", filename.c_str());
    std::unique_ptr<FILE, FileCloser> file(std::fopen(filename.c_str(), "r"));
    if (!file) {
        Log::write(7, "%s: ERROR: Couldn't open '%s'.", "loadFromFile", filename.c_str());
        return false;
    }

    std::wstring line;
    bool tooLong = false;
    while (!std::feof(file.get())) {
        if (!readRuleLine(file.get(), line, tooLong)) {
            // Running into the end after the last line is no failure.
            if (std::ferror(file.get()) || !std::feof(file.get())) {
                Log::write(7, "%s: fgetws returned NULL.", "loadFromFile");
            }
            break;
        }
        if (tooLong) {
            Log::write(3, "%s: Skipping a rule line of more than %zu characters.", "loadFromFile",
                       MAX_RULE_CHARACTERS);
            continue;
        }
        // A last line without a line end is a rule like any other.
        if (line.empty() || line[0] == L'#' || line[0] == 0xFEFF) {
            continue;
        }
        stripLineEnd(line);
        if (line.empty()) {
            continue;
        }
        std::size_t colon = line.find(L':');
        if (colon == std::wstring::npos || colon == 0) {
            Log::write(7, "%s: WARNING: Couldn't find a ':' on this line: %s", "loadFromFile",
                       toNarrow(line).c_str());
            continue;
        }
        FuzzySearch_Info rule;
        rule.expression = line.substr(0, colon);
        rule.replace = splitAtCommas(line.substr(colon + 1));
        fuzzysearchInfo.push_back(rule);
    }

    Log::write(7, "%s: All done.", "loadFromFile");
    return true;
}

std::vector<std::wstring> FuzzySearch::generateStrings(std::wstring input)
{
    std::vector<std::wstring> path(1, input);
    std::vector<std::wstring> output;
    bool capReported = false;
    generateInto(input, path, output, capReported);
    return output;
}

// Appends the variants of input to output, depth first. path holds input
// and the strings it was derived from: meeting one of them again would
// rewrite forever, so such a variant is listed but not expanded.
void FuzzySearch::generateInto(const std::wstring& input, std::vector<std::wstring>& path,
                               std::vector<std::wstring>& output, bool& capReported)
{
    Log::write(7, "%s: Called with '%S'.", "generateStrings", input.c_str());
    for (const FuzzySearch_Info& rule : fuzzysearchInfo) {
        std::size_t position = tailPosition(input, rule.expression);
        if (position == std::wstring::npos) {
            continue;
        }
        std::wstring head = input.substr(0, position);
        for (const std::wstring& replacement : rule.replace) {
            if (replacement.empty() || replacement[0] != STAR) {
                continue;
            }
            if (output.size() >= static_cast<std::size_t>(MAX_VARIANTS)) {
                if (!capReported) {
                    Log::write(
                        4,
                        "%s: Stopped at %d variants of '%S'; the fuzzy rules may rewrite without end.",
                        "generateStrings", MAX_VARIANTS, path.front().c_str());
                    capReported = true;
                }
                return;
            }
            std::wstring variant = head + replacement.substr(1);
            // Rules do not lengthen a word by more than one rule line; a
            // chain that does so grows without end and is cut here.
            if (variant.size() > path.front().size() + RULE_LINE_LENGTH) {
                if (!capReported) {
                    Log::write(
                        4,
                        "%s: Left out variants of '%S' longer than %zu characters; the fuzzy rules may rewrite without end.",
                        "generateStrings", path.front().c_str(),
                        path.front().size() + RULE_LINE_LENGTH);
                    capReported = true;
                }
                continue;
            }
            output.push_back(variant);
            if (std::find(path.begin(), path.end(), variant) != path.end()) {
                continue;
            }
            std::size_t firstDerived = output.size();
            path.push_back(variant);
            generateInto(variant, path, output, capReported);
            path.pop_back();
            // Traced once, by the outermost call: tracing at every level of
            // a long chain would write each variant once per ancestor.
            for (std::size_t i = firstDerived; path.size() == 1 && i < output.size(); ++i) {
                Log::write(7, "%s:    FUZZYSEARCH: Added: %s", "generateStrings",
                           toNarrow(output[i]).c_str());
            }
        }
    }
}
