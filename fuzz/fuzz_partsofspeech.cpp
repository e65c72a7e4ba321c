// Fuzzes the parts-of-speech table: the input is "partsofspeech.drx". It is
// loaded, asked for every abbreviation, and then used to read the tags of a
// small EDICT file.
#include "FuzzSupport.h"

#include "Edict.h"
#include "PartsOfSpeech.h"
#include "WordEntry.h"

namespace {

ScratchFile* tableFile;
Edict* edict;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    tableFile = new ScratchFile("pos");
    static ScratchFile dictionaryFile("edict");
    dictionaryFile.write(
        testfiles::euc("猫 [ねこ] /(n) cat/(P)/\n"
                       "勉強 [べんきょう] /(n,vs) study/(adj-na,n) (1) diligence/(P)/\n"
                       "行く [いく] /(v5k-s,vi) to go/( ) (x,) odd tags/(\t)/()/\n"
                       "ｘ /(n/(vs)(n) (\n"));
    edict = new Edict();
    edict->setFilename(dictionaryFile.path());
    edict->load();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tableFile->write(data, size);

    PartsOfSpeech table;
    table.load(tableFile->path());
    std::vector<std::string> abbreviations = table.getAbbreviations();
    if (abbreviations.size() != size_t(table.entriesSize)) {
        std::abort();
    }
    for (const std::string& abbreviation : abbreviations) {
        table.search(abbreviation);
    }
    table.search("");
    table.search("n");

    edict->setPartsOfSpeech(&table);
    for (int i = 0; i < edict->indexEntriesSize; ++i) {
        WordEntry* entry = edict->loadEntryFromEdict(edict->indexEntries[i].fileLocation);
        if (entry != nullptr) {
            for (EntryInfo* info : entry->info) {
                if (table.search(info->abbreviation).empty()) {
                    std::abort();  // only tags that the table knows are kept
                }
            }
        }
        delete entry;
    }
    edict->setPartsOfSpeech(nullptr);
    return 0;
}
