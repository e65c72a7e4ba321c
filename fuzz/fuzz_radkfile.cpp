// Fuzzes the radical table: the input is split into two RADKFILE files
// (the first byte says where the second begins), both are loaded into one
// table, and every kind of question is asked of it.
#include "FuzzSupport.h"

#include "RadicalTable.h"

namespace {

ScratchFile* firstFile;
ScratchFile* secondFile;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    firstFile = new ScratchFile("radkfile");
    secondFile = new ScratchFile("radkfile2");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) {
        return 0;
    }
    size_t split = 1 + (size - 1) * data[0] / 256;
    firstFile->write(data + 1, size - 1);
    secondFile->write(data + split, size - split);

    RadicalTable table;
    table.addFilename(firstFile->path());
    table.addFilename(secondFile->path());
    table.addFilename("/nonexistent/radkfile");
    table.load();

    std::wstring radicals = table.getRadicals();
    if (radicals.size() > table.radicalList.size() || radicals.find(L'\0') != std::wstring::npos) {
        std::abort();
    }
    std::set<wchar_t> all = table.getKanjiFromRadicals(radicals);
    std::set<wchar_t> kanji;
    for (RadicalEntry* entry : table.radicalList) {
        if (table.getRadical(entry->radical) == nullptr) {
            std::abort();
        }
        kanji.insert(entry->kanjiString.begin(), entry->kanjiString.end());
        if (entry->radical == 0) {
            continue;  // no radical to ask for
        }
        std::set<wchar_t> one = table.getKanjiFromRadicals(std::wstring(1, entry->radical));
        for (wchar_t c : all) {
            if (one.count(c) == 0) {
                std::abort();  // the intersection lies inside every radical's kanji
            }
        }
    }
    int asked = 0;
    for (wchar_t c : kanji) {
        std::wstring of = table.getRadicalsForKanji(c);
        if (of.find(L'\0') != std::wstring::npos) {
            std::abort();  // a "$" line without a radical names none
        }
        if (++asked <= 64) {
            table.getKanjiFromRadicals(of + L"?" + of);
        }
    }
    table.getKanjiFromRadicals(L"");
    table.getRadicalsForKanji(L'\0');
    return 0;
}
