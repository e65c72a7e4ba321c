#include "MetaTypes.h"

void registerMetaTypes()
{
    qRegisterMetaType<WordDictionary*>("WordDictionary*");
    qRegisterMetaType<WordEntry*>("WordEntry*");
    qRegisterMetaType<CharacterEntry*>("CharacterEntry*");
    qRegisterMetaType<std::string>("std::string");
    qRegisterMetaType<std::set<wchar_t>>("std::set<wchar_t>");
    qRegisterMetaType<WordDictionary::SearchOptions>("WordDictionary::SearchOptions");
    qRegisterMetaType<RadicalTable*>("RadicalTable*");
    qRegisterMetaType<WordResult*>("WordResult*");
    qRegisterMetaType<CharacterResult*>("CharacterResult*");
}
