#include "RadicalTable.h"

RadicalTable::RadicalTable()
    : internalEncoding("WCHAR_T"), encoding("EUC-JP")
{
}

RadicalTable::~RadicalTable()
{
    for (RadicalEntry* entry : radicalList)
        delete entry;
}

int RadicalTable::addFilename(std::string filename)
{
    filenames.push_back(filename);
    return 0;
}

RadicalTable::StringList RadicalTable::getFilenames()
{
    return filenames;
}

int RadicalTable::load()
{
    return 0;
}

int RadicalTable::addInformationFromFile(std::string)
{
    return -1;
}

RadicalEntry* RadicalTable::getRadical(wchar_t)
{
    return nullptr;
}

std::wstring RadicalTable::getRadicals()
{
    return std::wstring();
}

std::wstring RadicalTable::getRadicalsForKanji(wchar_t)
{
    return std::wstring();
}

std::set<wchar_t> RadicalTable::getKanjiFromRadicals(std::wstring)
{
    return std::set<wchar_t>();
}
