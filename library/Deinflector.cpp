#include "Deinflector.h"

#include "Log.h"
#include "WordEntry.h"
#include "internal/FileReading.h"

#include <set>
#include <sstream>
#include <utility>

namespace {

const char* const EMPTY_ENDING = "-";
const char* const NO_REASON = "-";

// UTF-8 to wide characters, independent of the locale; a malformed byte
// becomes U+FFFD so that it can match no rule.
std::wstring fromUtf8(const std::string& bytes)
{
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        int length = lead < 0x80         ? 1
                     : (lead >> 5) == 6  ? 2
                     : (lead >> 4) == 14 ? 3
                     : (lead >> 3) == 30 ? 4
                                         : 0;
        if (length == 0 || i + length > bytes.size()) {
            text += L'\xFFFD';
            ++i;
            continue;
        }
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            valid = valid && (next >> 6) == 2;
            code = (code << 6) | (next & 0x3F);
        }
        text += valid ? static_cast<wchar_t>(code) : L'\xFFFD';
        i += valid ? length : 1;
    }
    return text;
}

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> pieces;
    std::stringstream stream(text);
    std::string piece;
    while (std::getline(stream, piece, separator)) {
        if (!piece.empty()) {
            pieces.push_back(piece);
        }
    }
    return pieces;
}

std::string trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool endsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size()
           && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// One candidate of a walk, with the classes rules may still see (the text
// as typed shows them every class but the inner stems).
struct Step
{
    Deinflector::Candidate candidate;
    uint64_t walkClasses;
    int depth;
};

}  // namespace

Deinflector::Deinflector() : innerClasses(0), formOnlyClasses(0), loaded(false)
{
}

bool Deinflector::isLoaded() const
{
    return loaded;
}

int Deinflector::getRuleCount() const
{
    return static_cast<int>(rules.size());
}

uint64_t Deinflector::classBit(const std::string& name) const
{
    auto found = classBits.find(name);
    return found == classBits.end() ? 0 : found->second;
}

uint64_t Deinflector::parseClasses(const std::string& names, int lineNumber)
{
    uint64_t mask = 0;
    for (const std::string& name : splitAt(names, ',')) {
        auto found = classBits.find(name);
        if (found != classBits.end()) {
            mask |= found->second;
            continue;
        }
        if (classBits.size() >= 64) {
            Log::write(3, "%s: Line %d: more than 64 word classes; '%s' is left out.",
                       "loadFromFile", lineNumber, name.c_str());
            continue;
        }
        const uint64_t bit = uint64_t(1) << classBits.size();
        classBits[name] = bit;
        mask |= bit;
    }
    return mask;
}

int Deinflector::loadFromFile(const std::string& filename)
{
    rules.clear();
    classBits.clear();
    rulesByLastCharacter.clear();
    rulesWithoutEnding.clear();
    innerClasses = 0;
    formOnlyClasses = 0;
    loaded = false;
    fileReading::File file(fileReading::openForReading(filename, "rb"));
    if (!file) {
        Log::write(3, "%s: Couldn't open the deinflection rules '%s'.", "loadFromFile",
                   filename.c_str());
        return -1;
    }
    std::stringstream lines(fileReading::readToEnd(file.get()));
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        readLine(trim(line), lineNumber);
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        if (rules[i].inflected.empty()) {
            rulesWithoutEnding.push_back(i);
        } else {
            rulesByLastCharacter[rules[i].inflected.back()].push_back(i);
        }
    }
    loaded = true;
    Log::write(7, "%s: Read %d deinflection rules over %d word classes.", "loadFromFile",
               static_cast<int>(rules.size()), static_cast<int>(classBits.size()));
    return 0;
}

// A rule line: inflected ending, dictionary ending ("-" for none), the
// result's classes, the rewritten form's classes, and the reason. "forms:"
// and "stems:" lines name the classes that are no dictionary word's.
void Deinflector::readLine(const std::string& line, int lineNumber)
{
    if (line.empty() || line[0] == '#') {
        return;
    }
    std::istringstream fields(line);
    std::string inflected, dictionary, resultClasses, formClasses;
    fields >> inflected;
    if (inflected == "forms:" || inflected == "stems:") {
        std::string name;
        while (fields >> name) {
            const uint64_t bit = parseClasses(name, lineNumber);
            formOnlyClasses |= bit;
            if (inflected == "stems:") {
                innerClasses |= bit;
            }
        }
        return;
    }
    fields >> dictionary >> resultClasses >> formClasses;
    std::string reason;
    std::getline(fields, reason);
    reason = trim(reason);
    if (formClasses.empty() || reason.empty()) {
        Log::write(4, "%s: Line %d of the deinflection rules has fewer than five fields.",
                   "loadFromFile", lineNumber);
        return;
    }
    Rule rule;
    rule.inflected = inflected == EMPTY_ENDING ? std::wstring() : fromUtf8(inflected);
    rule.dictionary = dictionary == EMPTY_ENDING ? std::wstring() : fromUtf8(dictionary);
    rule.resultClasses = parseClasses(resultClasses, lineNumber);
    rule.formClasses = parseClasses(formClasses, lineNumber);
    rule.reasonOnlyWhenTyped = reason.size() > 2 && reason.front() == '(' && reason.back() == ')';
    rule.reason = reason == NO_REASON        ? std::string()
                  : rule.reasonOnlyWhenTyped ? reason.substr(1, reason.size() - 2)
                                             : reason;
    rules.push_back(rule);
}

std::vector<Deinflector::Candidate> Deinflector::deinflect(const std::wstring& text) const
{
    std::vector<Step> walk;
    walk.push_back(Step{Candidate{text, {}, ALL_CLASSES, 0}, ALL_CLASSES & ~innerClasses, 0});
    std::set<std::pair<std::wstring, uint64_t>> seen;
    seen.insert(std::make_pair(text, ALL_CLASSES));
    bool capReported = false;

    // Breadth first: walk grows behind the index, so candidates come out by
    // number of steps.
    for (std::size_t index = 0; index < walk.size(); ++index) {
        if (walk[index].depth >= MAX_STEPS || walk[index].candidate.text.empty()) {
            continue;
        }
        const auto byCharacter = rulesByLastCharacter.find(walk[index].candidate.text.back());
        for (const std::vector<std::size_t>* list :
             {&rulesWithoutEnding,
              byCharacter == rulesByLastCharacter.end() ? nullptr : &byCharacter->second}) {
            for (std::size_t k = 0; list != nullptr && k < list->size(); ++k) {
                const Rule& rule = rules[(*list)[k]];
                const Step& from = walk[index];
                if (!(rule.formClasses & from.walkClasses)
                    || !endsWith(from.candidate.text, rule.inflected)) {
                    continue;
                }
                std::wstring result = from.candidate.text.substr(0, from.candidate.text.size()
                                                                        - rule.inflected.size())
                                      + rule.dictionary;
                if (result.empty()
                    || !seen.insert(std::make_pair(result, rule.resultClasses)).second) {
                    continue;
                }
                if (walk.size() >= static_cast<std::size_t>(MAX_CANDIDATES)) {
                    if (!capReported) {
                        Log::write(4, "%s: Stopped at %d candidates of '%S'.", "deinflect",
                                   MAX_CANDIDATES, text.c_str());
                        capReported = true;
                    }
                    continue;
                }
                Step next{Candidate{result, from.candidate.reasons, rule.resultClasses,
                                    from.depth + 1},
                          rule.resultClasses, from.depth + 1};
                const bool typed = from.depth == 0;
                if (!rule.reason.empty() && (typed || !rule.reasonOnlyWhenTyped)) {
                    next.candidate.reasons.insert(next.candidate.reasons.begin(), rule.reason);
                }
                walk.push_back(std::move(next));
            }
        }
    }

    // Forms that are no dictionary word's (stems, the polite ます form) only
    // lead to others and are not worth a search.
    std::vector<Candidate> candidates;
    for (Step& step : walk) {
        if (step.depth == 0 || (step.candidate.classes & ~formOnlyClasses) != 0) {
            candidates.push_back(std::move(step.candidate));
        }
    }
    return candidates;
}

bool Deinflector::fits(const Candidate& candidate, const WordEntry& entry) const
{
    if (candidate.classes == ALL_CLASSES) {
        return true;
    }
    for (const EntryInfo* info : entry.info) {
        if (info != nullptr && (classBit(info->abbreviation) & candidate.classes) != 0) {
            return true;
        }
    }
    return false;
}
