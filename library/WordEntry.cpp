#include "WordEntry.h"

WordEntry::WordEntry() : dictionaryIndex(0), meanings(nullptr), meaningsSize(0), isCommon(false)
{
}

WordEntry::~WordEntry()
{
    delete[] meanings;
    for (EntryInfo* item : info) {
        delete item;
    }
}
