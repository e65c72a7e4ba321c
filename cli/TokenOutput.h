// How "dexaru2 read" prints the tokens of one line of text. Text: one line
// per token with six TAB-separated fields (surface, dictionary form, its
// reading, reasons joined by commas, first gloss, the reading of the surface
// as written; all but the surface empty for anything but a dictionary
// word), then an empty line. Inside a field a backslash, TAB, CR or LF is
// written as \\, \t, \r or \n. XML: one <line> element per line of text
// inside one <read> element, values escaped; control characters XML cannot
// hold are written as their pictures (a NUL as U+2400).
#ifndef DEXARU2_TOKENOUTPUT_H
#define DEXARU2_TOKENOUTPUT_H

#include "TextToken.h"

#include <string>
#include <vector>

class WordDictionaryCollection;

namespace dexaru2 {

// A field of a line of TAB-separated output: a backslash, TAB, CR or LF is
// written as \\, \t, \r or \n, so that nothing in it ends the field or the
// line.
std::string tabField(const std::string& value);

// The bytes of a gloss of the dictionary at the position in the collection,
// converted from that dictionary's encoding to UTF-8; the bytes as they are
// when the position or the conversion fails.
std::string glossInUtf8(const std::string& bytes, WordDictionaryCollection* collection,
                        int position);

class TokenOutput
{
public:
    // Writes to standard output in the format, "text" or "xml"; borrows the
    // collection to learn the encoding of the glosses of its dictionaries.
    TokenOutput(const std::string& format, WordDictionaryCollection* collection);

    void begin();
    // One line of text: its tokens, then its end.
    void printLine(const std::vector<TextToken>& tokens);
    // A long line goes out in pieces: beginLine, printTokens for each
    // piece, endLine.
    void beginLine();
    void printTokens(const std::vector<TextToken>& tokens);
    void endLine();
    void end();

    // The first gloss of a token's entry in UTF-8 without its sense number;
    // empty for no entry.
    std::string firstGloss(const TextToken& token) const;

private:
    std::string textTokens(const std::vector<TextToken>& tokens) const;
    std::string xmlTokens(const std::vector<TextToken>& tokens) const;

    bool xml;
    WordDictionaryCollection* collection;
};

}  // namespace dexaru2

#endif
