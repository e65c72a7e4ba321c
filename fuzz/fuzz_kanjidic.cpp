// Fuzzes the KANJIDIC reader: the input is the dictionary file. It is
// loaded, every indexed kanji is looked up with getInformation (radicals
// from a small table included), and the whole set is searched at once.
#include "FuzzSupport.h"

#include "CharacterEntry.h"
#include "Kanjidic.h"
#include "RadicalTable.h"

#include <set>

namespace {

ScratchFile* dictionaryFile;
RadicalTable* radicalTable;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    dictionaryFile = new ScratchFile("kanjidic");
    static ScratchFile radicalFile("radkfile");
    radicalFile.write(
        testfiles::euc("# radicals\n$ 一 1\n亜悪一右\n$ 口 3\n右口亜\n$ 化 2\n化花\n"));
    radicalTable = new RadicalTable();
    radicalTable->addFilename(radicalFile.path());
    radicalTable->load();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    dictionaryFile->write(data, size);

    Kanjidic kanjidic;
    kanjidic.setName("fuzz");
    kanjidic.setFilename(dictionaryFile->path());
    kanjidic.setRadicalTable(radicalTable);
    if (kanjidic.load() != 0) {
        return 0;
    }

    std::set<wchar_t> indexed;
    for (KANJIDIC_Index_Entry* index : kanjidic.indexEntries) {
        indexed.insert(index->kanji);
        CharacterEntry* entry = kanjidic.getInformation(index->kanji);
        if (entry != nullptr && entry->kanji != index->kanji) {
            std::abort();  // the entry is the kanji that was asked for
        }
        delete entry;
    }
    indexed.insert(L'亜');
    std::vector<CharacterEntry*>* found = kanjidic.search(indexed);
    if (found == nullptr || found->size() > indexed.size()) {
        std::abort();
    }
    for (CharacterEntry* entry : *found) {
        delete entry;
    }
    delete found;
    return 0;
}
