#include "WordDictionary.h"

#include <utility>

WordDictionary::SearchOptions::SearchOptions()
    : searchFlags(SEARCH_NONE), commonFilter(0), limit(-1), matchAllPartsOfSpeech(false)
{
}

WordDictionary::WordDictionary()
    : partsOfSpeech(nullptr), internalEncoding("WCHAR_T"), enabled(true)
{
}

WordDictionary::~WordDictionary() = default;

int WordDictionary::setFilename(std::string newFilename)
{
    filename = std::move(newFilename);
    return 0;
}

std::string WordDictionary::getFilename()
{
    return filename;
}

bool WordDictionary::isEnabled()
{
    return enabled;
}

void WordDictionary::enable()
{
    enabled = true;
}

void WordDictionary::disable()
{
    enabled = false;
}

int WordDictionary::setPartsOfSpeech(PartsOfSpeech* table)
{
    partsOfSpeech = table;
    return 0;
}

PartsOfSpeech* WordDictionary::getPartsOfSpeech()
{
    return partsOfSpeech;
}

int WordDictionary::setEncoding(std::string newEncoding)
{
    encoding = std::move(newEncoding);
    return 0;
}

std::string WordDictionary::getEncoding()
{
    return encoding;
}
