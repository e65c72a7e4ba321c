#include "CharacterDictionary.h"

#include <utility>

CharacterDictionary::CharacterDictionary() : radicalTable(nullptr)
{
}

CharacterDictionary::~CharacterDictionary() = default;

int CharacterDictionary::setFilename(std::string newFilename)
{
    filename = std::move(newFilename);
    return 0;
}

std::string CharacterDictionary::getFilename()
{
    return filename;
}

int CharacterDictionary::setRadicalTable(RadicalTable* table)
{
    radicalTable = table;
    return 0;
}
