#include "Kanjidic.h"

Kanjidic::Kanjidic()
    : file(nullptr)
{
}

Kanjidic::~Kanjidic()
{
    if (file != nullptr)
        fclose(file);
    for (KANJIDIC_Index_Entry* entry : indexEntries)
        delete entry;
}

int Kanjidic::load()
{
    return -1;
}

CharacterEntry* Kanjidic::getInformation(wchar_t)
{
    return nullptr;
}

std::vector<CharacterEntry*>* Kanjidic::search(std::set<wchar_t>)
{
    return new std::vector<CharacterEntry*>();
}

bool Kanjidic::loadIndexEntries()
{
    return false;
}

KANJIDIC_Index_Entry* Kanjidic::getIndexEntry(wchar_t)
{
    return nullptr;
}

bool Kanjidic::loadEntryInformation(CharacterEntry&, KANJIDIC_Index_Entry*)
{
    return false;
}
