/// @file
/// @class FuzzySearch
/// Suffix rules from "fuzzysearch.uni.dat" that turn one search string into
/// its variants (inflected forms back to dictionary forms). The program
/// creates and deletes the rules; the word collection only points to them.
#ifndef DEXARU_FUZZYSEARCH_H
#define DEXARU_FUZZYSEARCH_H

#include <string>
#include <vector>

/// One rule `*TAIL:*REPL1,*REPL2`: a string ending in TAIL may end in each
/// replacement instead. Only parts that begin with "*" produce variants.
struct FuzzySearch_Info
{
    /// The left side as written, leading "*" included.
    std::wstring expression;
    /// The replacements in file order, each as written.
    std::vector<std::wstring> replace;
};

class FuzzySearch
{
public:
    /// Generation stops adding variants for one input beyond this many.
    static const int MAX_VARIANTS = 256;

    /// Empty rules, which produce no variants.
    FuzzySearch();

    /// Appends the rules of a UTF-8 file (decoded through the character-type
    /// locale). True when the file could be opened, whatever it held.
    bool loadFromFile(std::string filename);
    /// The variants of input, depth first in rule order, duplicates included.
    /// A variant already met on its own path of rewriting is listed but not
    /// rewritten again, so generation ends for any rule file.
    std::vector<std::wstring> generateStrings(std::wstring input);

    /// The rules in the order loaded.
    std::vector<FuzzySearch_Info> fuzzysearchInfo;

private:
    void generateInto(const std::wstring& input, std::vector<std::wstring>& path,
                      std::vector<std::wstring>& output, bool& capReported);
};

#endif
