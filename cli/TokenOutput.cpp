#include "TokenOutput.h"

#include "Encoding.h"
#include "Output.h"
#include "Utf8Text.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace dexaru2 {

namespace {

const char* kindName(TextToken::Kind kind)
{
    switch (kind) {
    case TextToken::WORD:
        return "word";
    case TextToken::PUNCTUATION:
        return "punctuation";
    case TextToken::SPACE:
        return "space";
    case TextToken::UNKNOWN:
        break;
    }
    return "unknown";
}

struct Replacement
{
    char byte;
    const char* text;
};

const Replacement tabReplacements[] = {{'\\', "\\\\"}, {'\t', "\\t"}, {'\r', "\\r"}, {'\n', "\\n"}};
const Replacement xmlReplacements[] = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}};

// The value with each byte of the table written as its replacement.
template <std::size_t count>
std::string replaced(const std::string& value, const Replacement (&table)[count])
{
    std::string result;
    for (char byte : value) {
        const Replacement* found = std::find_if(std::begin(table), std::end(table),
                                                [byte](const Replacement& r) { return r.byte == byte; });
        if (found != std::end(table)) {
            result += found->text;
        } else {
            result += byte;
        }
    }
    return result;
}


// XML 1.0 cannot hold most control characters, not even as references: a
// NUL or ESC of the text is written as its picture (U+2400 … U+241F), a CR
// as a reference so that it survives line-end normalisation, and the
// non-characters U+FFFE and U+FFFF as U+FFFD.
std::string xmlEscaped(const std::string& value)
{
    const std::string escaped = replaced(value, xmlReplacements);
    std::string result;
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(escaped[i]);
        if (byte == '\r') {
            result += "&#13;";
        } else if (byte < 0x20 && byte != '\t' && byte != '\n') {
            result += static_cast<char>(0xE2);
            result += static_cast<char>(0x90);
            result += static_cast<char>(0x80 + byte);  // U+2400 + byte
        } else if (byte == 0xEF && i + 2 < escaped.size() && escaped[i + 1] == '\xBF'
                   && (escaped[i + 2] == '\xBE' || escaped[i + 2] == '\xBF')) {
            result += "\xEF\xBF\xBD";
            i += 2;
        } else {
            result += static_cast<char>(byte);
        }
    }
    return result;
}

bool isAscii(const std::string& bytes)
{
    for (unsigned char byte : bytes) {
        if (byte >= 0x80) {
            return false;
        }
    }
    return true;
}

// Every line (or piece of a long one) goes out at once, so that a reader
// of a pipe sees it as soon as it is read.
void write(const std::string& bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

}  // namespace

std::string tabField(const std::string& value)
{
    return replaced(value, tabReplacements);
}

std::string glossInUtf8(const std::string& bytes, WordDictionaryCollection* collection,
                        int position)
{
    if (position < 0 || position >= static_cast<int>(collection->dictionaries.size())) {
        return bytes;
    }
    // Glosses keep the bytes of their dictionary file.
    const std::string encoding = collection->dictionaries[position]->getEncoding();
    char* utf8 = nullptr;
    int utf8Size = 0;
    std::string source = bytes;
    if (Encoding::convert(encoding.c_str(), &source[0], static_cast<int>(source.size()), "UTF-8",
                          &utf8, &utf8Size)
        != 0) {
        return bytes;
    }
    const std::string converted(utf8, utf8Size);
    delete[] utf8;
    return converted;
}

TokenOutput::TokenOutput(const std::string& format, WordDictionaryCollection* collection)
    : xml(format == "xml"), collection(collection)
{
}

void TokenOutput::begin()
{
    if (xml) {
        write("<read>\n");
    }
}

void TokenOutput::end()
{
    if (xml) {
        write("</read>\n");
    }
}

void TokenOutput::printLine(const std::vector<TextToken>& tokens)
{
    // Whole and at once, as a reader of a pipe wants each line.
    if (xml) {
        write("\t<line>\n" + xmlTokens(tokens) + "\t</line>\n");
    } else {
        write(textTokens(tokens) + '\n');
    }
}

void TokenOutput::beginLine()
{
    if (xml) {
        write("\t<line>\n");
    }
}

void TokenOutput::printTokens(const std::vector<TextToken>& tokens)
{
    write(xml ? xmlTokens(tokens) : textTokens(tokens));
}

void TokenOutput::endLine()
{
    write(xml ? "\t</line>\n" : "\n");
}

std::string TokenOutput::firstGloss(const TextToken& token) const
{
    if (!token.entry || token.entry->meaningsSize < 1) {
        return std::string();
    }
    std::string gloss = token.entry->meanings[0];
    // The first gloss of several carries the number of its sense: "(1) to eat".
    if (gloss.compare(0, 4, "(1) ") == 0) {
        gloss.erase(0, 4);
    }
    if (isAscii(gloss) || collection == nullptr) {
        return gloss;
    }
    return glossInUtf8(gloss, collection, token.entry->dictionaryIndex);
}

std::string TokenOutput::textTokens(const std::vector<TextToken>& tokens) const
{
    std::string out;
    for (const TextToken& token : tokens) {
        out += tabField(encodeUtf8(token.surface)) + '\t';
        out += tabField(encodeUtf8(token.dictionaryForm)) + '\t';
        out += tabField(encodeUtf8(token.reading)) + '\t';
        out += tabField(joined(token.reasons, ",")) + '\t';
        out += tabField(firstGloss(token)) + '\t';
        out += tabField(encodeUtf8(token.surfaceReading)) + '\n';
    }
    return out;
}

std::string TokenOutput::xmlTokens(const std::vector<TextToken>& tokens) const
{
    std::string out;
    for (const TextToken& token : tokens) {
        out += std::string("\t\t<token kind=\"") + kindName(token.kind) + "\">\n";
        out += "\t\t\t<surface>" + xmlEscaped(encodeUtf8(token.surface)) + "</surface>\n";
        if (token.isWord()) {
            out += "\t\t\t<dictionaryform>" + xmlEscaped(encodeUtf8(token.dictionaryForm))
                   + "</dictionaryform>\n";
            out += "\t\t\t<reading>" + xmlEscaped(encodeUtf8(token.reading)) + "</reading>\n";
            for (const std::string& reason : token.reasons) {
                out += "\t\t\t<reason>" + xmlEscaped(reason) + "</reason>\n";
            }
            out += "\t\t\t<gloss>" + xmlEscaped(firstGloss(token)) + "</gloss>\n";
            out += "\t\t\t<surfacereading>" + xmlEscaped(encodeUtf8(token.surfaceReading))
                   + "</surfacereading>\n";
        }
        out += "\t\t</token>\n";
    }
    return out;
}

}  // namespace dexaru2
