/// @file
/// @class RadicalTable
/// Finds kanji by their parts: reads RADKFILE files (EUC-JP) into memory and
/// answers which radicals exist, which kanji contain a set of radicals and
/// which radicals a kanji contains. The table owns its RadicalEntry objects.
#ifndef DEXARU_RADICALTABLE_H
#define DEXARU_RADICALTABLE_H

#include "Loadable.h"
#include "RadicalEntry.h"

#include <set>
#include <string>
#include <vector>

class RadicalTable : public Loadable
{
public:
    /// File names, in the order added.
    typedef std::vector<std::string> StringList;
    /// Radicals owned by the table.
    typedef std::vector<RadicalEntry*> RadicalList;

    /// An empty table that reads EUC-JP files.
    RadicalTable();
    /// Deletes every RadicalEntry; pointers from getRadical die with it.
    virtual ~RadicalTable();
    RadicalTable(const RadicalTable&) = delete;
    RadicalTable& operator=(const RadicalTable&) = delete;

    ///@{
    /// @brief The files load() reads, in order; adding returns 0.
    int addFilename(std::string filename);
    StringList getFilenames();
    ///@}

    /// Reads every added file in order; a file that cannot be read is
    /// skipped. Returns 0; reading a file twice changes nothing.
    int load() override;
    /// Reads one file and merges it into the table: 0, or -1 when it cannot
    /// be opened. A radical met again keeps its first stroke count.
    int addInformationFromFile(std::string filename);

    /// The table keeps ownership of the entry; null when the radical is unknown.
    RadicalEntry* getRadical(wchar_t radical);
    /// Every known radical, one character each, in the order first read.
    std::wstring getRadicals();
    /// The radicals that contain the kanji, in the same order; empty when none.
    std::wstring getRadicalsForKanji(wchar_t kanji);
    /// The kanji that contain every radical of the argument the table knows;
    /// radicals it does not know are ignored, and none known gives an empty set.
    std::set<wchar_t> getKanjiFromRadicals(std::wstring radicals);

    /// The files added, in order.
    StringList filenames;
    /// Owned entries, in the order their radicals were first read.
    RadicalList radicalList;
    ///@{
    /// @brief iconv names of the decoded form ("WCHAR_T") and of the files
    /// ("EUC-JP"); change encoding before load() to read other files.
    std::string internalEncoding;
    std::string encoding;
    ///@}
};

#endif
