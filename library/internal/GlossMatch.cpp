#include "GlossMatch.h"

#include "WordEntry.h"

#include <cctype>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace internal {

namespace {

std::string lowered(const std::string& text)
{
    std::string lower;
    lower.reserve(text.size());
    for (char character : text) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    }
    return lower;
}

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The gloss without its notes: every (…), {…} and […], nested ones too.
std::string withoutNotes(const std::string& gloss)
{
    std::string bare;
    int depth = 0;
    for (char character : gloss) {
        if (character == '(' || character == '{' || character == '[') {
            ++depth;
        } else if (character == ')' || character == '}' || character == ']') {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (depth == 0) {
            bare += character;
        }
    }
    return bare;
}

// The sense number a gloss opens, such as 2 for "(2) …", or 0.
int senseNumberOf(const std::string& gloss)
{
    for (std::size_t open = gloss.find('('); open != std::string::npos; open = gloss.find('(', open + 1)) {
        std::size_t digits = open + 1;
        while (digits < gloss.size() && std::isdigit(static_cast<unsigned char>(gloss[digits]))) {
            ++digits;
        }
        if (digits > open + 1 && digits < gloss.size() && gloss[digits] == ')') {
            return std::atoi(gloss.c_str() + open + 1);
        }
    }
    return 0;
}

// How a gloss holds the text: whole or as one of its "; " pieces.
struct Equalness
{
    bool whole = false;
    bool piece = false;
};

// Whether a gloss or piece, bare, says the text: the text itself, "to " +
// it (a verb), or "to be ", "to get " or "to become " + it (an English
// adjective that Japanese says with a verb: "tired", 疲れる "to get tired").
bool says(const std::string& bare, const std::string& text)
{
    if (bare == text) {
        return true;
    }
    for (const char* verb : {"to ", "to be ", "to get ", "to become "}) {
        const std::size_t length = std::strlen(verb);
        if (bare.size() == length + text.size() && bare.compare(0, length, verb) == 0
            && bare.compare(length, std::string::npos, text) == 0) {
            return true;
        }
    }
    return false;
}

Equalness equalness(const std::string& gloss, const std::string& text)
{
    Equalness found;
    const std::string bare = lowered(withoutNotes(gloss));
    const std::string whole = trimmed(bare);
    if (says(whole, text)) {
        found.whole = true;
        return found;
    }
    std::size_t start = 0;
    while (start <= bare.size()) {
        std::size_t end = bare.find(';', start);
        if (end == std::string::npos) {
            end = bare.size();
        }
        const std::string piece = trimmed(bare.substr(start, end - start));
        if (says(piece, text)) {
            found.piece = true;
        }
        start = end + 1;
    }
    return found;
}

}  // namespace

GlossMatch glossMatch(const WordEntry& entry, const std::string& text)
{
    GlossMatch match{NO_GLOSS_IS_TEXT, 0};
    const std::string wanted = lowered(trimmed(text));
    if (wanted.empty()) {
        return match;
    }
    int sense = 1;
    for (int m = 0; m < entry.meaningsSize; ++m) {
        const int number = senseNumberOf(entry.meanings[m]);
        sense = number > 0 ? number : sense;
        if (sense == 1) {
            ++match.firstSenseGlosses;
        }
        const Equalness equal = equalness(entry.meanings[m], wanted);
        if (!equal.whole && !equal.piece) {
            continue;
        }
        const GlossGrade grade = sense > 1 ? LATER_SENSE_HAS_TEXT
                                           : (m == 0 && equal.whole ? FIRST_GLOSS_IS_TEXT
                                                                    : FIRST_SENSE_HAS_TEXT);
        match.grade = std::min(match.grade, grade);
    }
    return match;
}

bool hasWord(const WordEntry& entry, const std::string& text)
{
    const std::string wanted = lowered(text);
    if (wanted.empty()) {
        return false;
    }
    const auto isWordCharacter = [](char character) {
        return std::isalnum(static_cast<unsigned char>(character)) != 0;
    };
    for (int m = 0; m < entry.meaningsSize; ++m) {
        const std::string gloss = lowered(entry.meanings[m]);
        for (std::size_t at = gloss.find(wanted); at != std::string::npos; at = gloss.find(wanted, at + 1)) {
            const std::size_t end = at + wanted.size();
            if ((at == 0 || !isWordCharacter(gloss[at - 1]))
                && (end == gloss.size() || !isWordCharacter(gloss[end]))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace internal
