#include "Edict.h"

#include "Log.h"
#include "WordEntry.h"

class Edict::StringPool
{
};

Edict::Edict()
    : file(nullptr), indexEntries(nullptr), indexEntriesSize(0)
{
    encoding = "euc-jp";
}

Edict::~Edict()
{
    Log::write(7, "%s: Deleting this Edict.", "~Edict");
    if (file != nullptr) {
        std::fclose(file);
    }
    delete[] indexEntries;
}

int Edict::load()
{
    return -1;
}

std::vector<WordEntry*>* Edict::search(std::wstring, SearchOptions* options)
{
    if (options == nullptr) {
        return nullptr;
    }
    return new std::vector<WordEntry*>();
}

int Edict::setStyle(int)
{
    return 0;
}

int Edict::getEdictWordAndKana(char*, wchar_t** word, wchar_t** kana)
{
    if (word != nullptr) {
        *word = nullptr;
    }
    if (kana != nullptr) {
        *kana = nullptr;
    }
    return 0;
}

int Edict::getEdictMeanings(char*, std::string**, int*)
{
    return -1;
}

WordEntry* Edict::loadEntryFromEdict(long)
{
    return nullptr;
}

bool Edict::fuzzySearchFromEdictLine(long, std::string)
{
    return false;
}

int Edict::countLinesInFile(FILE* stream)
{
    return stream == nullptr ? -1 : 0;
}
