#include "StudyExport.h"

#include <algorithm>
#include <cstdio>

namespace studyexport {

namespace {

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string joined(const std::vector<std::string>& items, const std::string& separator)
{
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i ? separator : std::string()) + items[i];
    }
    return text;
}

// The shortest text that reads back as the same value, to eight places.
std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.8g", value);
    return text;
}

// HTML text that cannot break a tab-separated line: markup characters as
// entities, line breaks as <br>, tabs as their entity, and quotes escaped
// so that no field starts a quoted one.
std::string ankiText(const std::string& text)
{
    std::string html;
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\t': html += "&#9;"; break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            html += "<br>";
            break;
        case '\n': html += "<br>"; break;
        default: html += text[i];
        }
    }
    return html;
}

// Anki tags are words without spaces; anything that would break the line
// or the column becomes a separator.
std::string ankiTags(const std::string& tags)
{
    std::string clean;
    for (char c : tags) {
        const bool separator = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '"';
        if (separator) {
            if (!clean.empty() && clean.back() != ' ') {
                clean += ' ';
            }
        } else {
            clean += c;
        }
    }
    while (!clean.empty() && clean.back() == ' ') {
        clean.pop_back();
    }
    return clean;
}

// The length of the UTF-8 character that starts with the byte.
size_t characterLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

}  // namespace

std::string sentenceWithWordInBold(const std::string& sentence, const std::string& word)
{
    std::vector<size_t> ends;  // byte length of each character-wise start of the word
    for (size_t at = 0; at < word.size();) {
        at += characterLength(static_cast<unsigned char>(word[at]));
        ends.push_back(std::min(at, word.size()));
    }
    // The whole word, or a start of it that leaves off at most two
    // characters: the part an inflection keeps.
    const size_t shortest = ends.size() > 2 ? ends.size() - 2 : 1;
    for (size_t count = ends.size(); count >= shortest && count > 0; --count) {
        const std::string piece = word.substr(0, ends[count - 1]);
        const size_t found = sentence.find(piece);
        if (found != std::string::npos) {
            return ankiText(sentence.substr(0, found)) + "<b>" + ankiText(piece) + "</b>"
                   + ankiText(sentence.substr(found + piece.size()));
        }
    }
    return ankiText(sentence);
}

std::string toCsv(const std::vector<StudyCard>& cards)
{
    std::string text =
        "word,reading,meanings,parts of speech,sentence,source,dictionary,tags,note,added,"
        "state,due,stability,difficulty,reps,lapses,last review\r\n";
    for (const StudyCard& card : cards) {
        const CardSchedule& s = card.schedule;
        const std::string fields[] = {
            card.word,
            card.reading,
            joined(card.glosses, "; "),
            joined(card.partsOfSpeech, " "),
            card.sentence,
            StudyList::getSourceName(card.source),
            card.dictionary,
            card.tags,
            card.note,
            StudyList::formatTime(card.added),
            StudyList::getStateName(s.state),
            StudyList::formatTime(s.due),
            number(s.stability),
            number(s.difficulty),
            std::to_string(s.reps),
            std::to_string(s.lapses),
            s.reps > 0 ? StudyList::formatTime(s.lastReview) : std::string(),
        };
        for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
            text += (i ? "," : "") + csvField(fields[i]);
        }
        text += "\r\n";
    }
    return text;
}

std::string toAnki(const std::vector<StudyCard>& cards)
{
    std::string text =
        "#separator:tab\n"
        "#html:true\n"
        "#columns:Word\tReading\tMeaning\tSentence\tNote\tTags\n"
        "#tags column:6\n";
    for (const StudyCard& card : cards) {
        std::string word = ankiText(card.word);
        // A first field that starts with "#" could be taken for a header.
        if (!word.empty() && word[0] == '#') {
            word.replace(0, 1, "&#35;");
        }
        std::vector<std::string> glosses;
        for (const std::string& gloss : card.glosses) {
            glosses.push_back(ankiText(gloss));
        }
        text += word + '\t' + ankiText(card.reading) + '\t' + joined(glosses, "<br>") + '\t'
                + sentenceWithWordInBold(card.sentence, card.word) + '\t' + ankiText(card.note)
                + '\t' + ankiTags(card.tags) + '\n';
    }
    return text;
}

}  // namespace studyexport
