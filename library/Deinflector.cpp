#include "Deinflector.h"

#include "Log.h"
#include "WordEntry.h"
#include "internal/FileReading.h"
#include "internal/Utf8.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

namespace {

using internal::fromUtf8;

const char* const EMPTY_ENDING = "-";
const char* const NO_REASON = "-";
const char PREFIX_MARK = '^';

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

// One candidate of a walk, with the classes rules may still see (the text
// as typed shows them every class but the inner stems).
struct Step
{
    Deinflector::Candidate candidate;
    uint64_t walkClasses;
    int depth;
};

}  // namespace

Deinflector::Deinflector() : endingIndex(1), innerClasses(0), formOnlyClasses(0), loaded(false)
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

void Deinflector::clear()
{
    rules.clear();
    classBits.clear();
    endingIndex.assign(1, EndingNode());
    prefixRules.clear();
    innerClasses = 0;
    formOnlyClasses = 0;
    loaded = false;
}

int Deinflector::loadFromFile(const std::string& filename)
{
    clear();
    fileReading::File file(fileReading::openForReading(filename, "rb"));
    if (!file) {
        Log::write(3, "%s: Couldn't open the deinflection rules '%s'.", "loadFromFile",
                   filename.c_str());
        return -1;
    }
    // A file beyond the limits is no rule file a person wrote: refused whole,
    // so that no walk over it can take unbounded time or memory.
    std::stringstream lines(fileReading::readToEnd(file.get()));
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const std::string refusal = line.size() > static_cast<std::size_t>(MAX_LINE_BYTES)
                                        ? "it is longer than " + std::to_string(MAX_LINE_BYTES)
                                              + " bytes"
                                        : readLine(trim(line), lineNumber);
        if (!refusal.empty()) {
            Log::write(3, "%s: Refused the deinflection rules '%s': line %d: %s.", "loadFromFile",
                       filename.c_str(), lineNumber, refusal.c_str());
            clear();
            return -1;
        }
    }
    for (std::size_t i = 0; i < rules.size(); ++i) {
        indexRule(i);
    }
    loaded = true;
    Log::write(7, "%s: Read %d deinflection rules over %d word classes.", "loadFromFile",
               static_cast<int>(rules.size()), static_cast<int>(classBits.size()));
    return 0;
}

// A rule line: inflected ending, dictionary ending ("-" for none), the
// result's classes, the rewritten form's classes, and the reason. "forms:"
// and "stems:" lines name the classes that are no dictionary word's.
std::string Deinflector::readLine(const std::string& line, int lineNumber)
{
    if (line.empty() || line[0] == '#') {
        return std::string();
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
        return std::string();
    }
    fields >> dictionary >> resultClasses >> formClasses;
    std::string reason;
    std::getline(fields, reason);
    reason = trim(reason);
    if (formClasses.empty() || reason.empty()) {
        Log::write(4, "%s: Line %d of the deinflection rules has fewer than five fields.",
                   "loadFromFile", lineNumber);
        return std::string();
    }
    if (rules.size() >= static_cast<std::size_t>(MAX_RULES)) {
        return "more than " + std::to_string(MAX_RULES) + " rules";
    }
    Rule rule;
    rule.prefix = inflected.size() > 1 && inflected[0] == PREFIX_MARK;
    if (rule.prefix) {
        inflected.erase(0, 1);
    }
    rule.inflected = inflected == EMPTY_ENDING ? std::wstring() : fromUtf8(inflected);
    rule.dictionary = dictionary == EMPTY_ENDING ? std::wstring() : fromUtf8(dictionary);
    if (rule.inflected.size() > static_cast<std::size_t>(MAX_ENDING_LENGTH)
        || rule.dictionary.size() > static_cast<std::size_t>(MAX_ENDING_LENGTH)) {
        return "an ending is longer than " + std::to_string(MAX_ENDING_LENGTH) + " characters";
    }
    rule.resultClasses = parseClasses(resultClasses, lineNumber);
    rule.formClasses = parseClasses(formClasses, lineNumber);
    rule.reasonOnlyWhenTyped = reason.size() > 2 && reason.front() == '(' && reason.back() == ')';
    rule.reason = reason == NO_REASON        ? std::string()
                  : rule.reasonOnlyWhenTyped ? reason.substr(1, reason.size() - 2)
                                             : reason;
    rules.push_back(rule);
    return std::string();
}

void Deinflector::indexRule(std::size_t position)
{
    if (rules[position].prefix) {
        prefixRules.push_back(position);
        return;
    }
    std::size_t node = 0;
    const std::wstring& ending = rules[position].inflected;
    for (auto character = ending.rbegin(); character != ending.rend(); ++character) {
        auto found = endingIndex[node].next.find(*character);
        if (found == endingIndex[node].next.end()) {
            endingIndex.push_back(EndingNode());
            found = endingIndex[node].next.emplace(*character, endingIndex.size() - 1).first;
        }
        node = found->second;
    }
    endingIndex[node].rules.push_back(position);
}

// The rules without an ending first, then the others in the order of the
// file, as a walk has always tried them; the prefix rules last.
void Deinflector::findRulesMatching(const std::wstring& text, std::vector<std::size_t>& found) const
{
    found.assign(endingIndex[0].rules.begin(), endingIndex[0].rules.end());
    const std::size_t withoutEnding = found.size();
    std::size_t node = 0;
    for (auto character = text.rbegin(); character != text.rend(); ++character) {
        const auto next = endingIndex[node].next.find(*character);
        if (next == endingIndex[node].next.end()) {
            break;
        }
        node = next->second;
        found.insert(found.end(), endingIndex[node].rules.begin(), endingIndex[node].rules.end());
    }
    std::sort(found.begin() + withoutEnding, found.end());
    for (std::size_t position : prefixRules) {
        const std::wstring& prefix = rules[position].inflected;
        if (text.compare(0, prefix.size(), prefix) == 0) {
            found.push_back(position);
        }
    }
}

std::vector<Deinflector::Candidate> Deinflector::deinflect(const std::wstring& text) const
{
    std::vector<Step> walk;
    walk.push_back(Step{Candidate{text, {}, ALL_CLASSES, 0}, ALL_CLASSES & ~innerClasses, 0});
    std::set<std::pair<std::wstring, uint64_t>> seen;
    seen.insert(std::make_pair(text, ALL_CLASSES));
    int rulesTried = 0;
    bool stopped = false;
    std::vector<std::size_t> matching;

    // Breadth first: walk grows behind the index, so candidates come out by
    // number of steps. Only rules whose ending matches are tried, and no
    // more than MAX_RULES_TRIED of them: the work stays bounded whatever
    // the rule file holds.
    for (std::size_t index = 0; index < walk.size() && !stopped; ++index) {
        if (walk[index].depth >= MAX_STEPS || walk[index].candidate.text.empty()) {
            continue;
        }
        findRulesMatching(walk[index].candidate.text, matching);
        for (std::size_t position : matching) {
            if (++rulesTried > MAX_RULES_TRIED) {
                Log::write(4, "%s: Stopped after trying %d rules on '%S'.", "deinflect",
                           MAX_RULES_TRIED, text.c_str());
                stopped = true;
                break;
            }
            const Rule& rule = rules[position];
            const Step& from = walk[index];
            if (!(rule.formClasses & from.walkClasses)) {
                continue;
            }
            const std::wstring& word = from.candidate.text;
            std::wstring result =
                rule.prefix ? rule.dictionary + word.substr(rule.inflected.size())
                            : word.substr(0, word.size() - rule.inflected.size()) + rule.dictionary;
            if (result.empty() || seen.count(std::make_pair(result, rule.resultClasses)) != 0) {
                continue;
            }
            if (walk.size() >= static_cast<std::size_t>(MAX_CANDIDATES)) {
                Log::write(4, "%s: Stopped at %d candidates of '%S'.", "deinflect", MAX_CANDIDATES,
                           text.c_str());
                stopped = true;
                break;
            }
            seen.insert(std::make_pair(result, rule.resultClasses));
            Step next{Candidate{result, from.candidate.reasons, rule.resultClasses, from.depth + 1},
                      rule.resultClasses, from.depth + 1};
            const bool typed = from.depth == 0;
            if (!rule.reason.empty() && (typed || !rule.reasonOnlyWhenTyped)) {
                next.candidate.reasons.insert(next.candidate.reasons.begin(), rule.reason);
            }
            walk.push_back(std::move(next));
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
