// Finds kanji by their parts: reads RADKFILE files (EUC-JP) into memory and
// answers which radicals exist, which kanji contain a set of radicals and
// which radicals a kanji contains. The table owns its RadicalEntry objects.
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
    typedef std::vector<std::string> StringList;
    typedef std::vector<RadicalEntry*> RadicalList;

    RadicalTable();
    virtual ~RadicalTable();
    RadicalTable(const RadicalTable&) = delete;
    RadicalTable& operator=(const RadicalTable&) = delete;

    int addFilename(std::string filename);
    StringList getFilenames();

    // Reads every added file in order; a file that cannot be read is skipped.
    int load() override;
    // Reads one file and merges it into the table; -1 when it cannot be opened.
    int addInformationFromFile(std::string filename);

    // The table keeps ownership of the entry; null when the radical is unknown.
    RadicalEntry* getRadical(wchar_t radical);
    std::wstring getRadicals();
    std::wstring getRadicalsForKanji(wchar_t kanji);
    // The kanji that contain every radical of the argument the table knows.
    std::set<wchar_t> getKanjiFromRadicals(std::wstring radicals);

    StringList filenames;
    RadicalList radicalList;
    std::string internalEncoding;
    std::string encoding;
};

#endif
