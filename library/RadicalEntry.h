/// @file
/// @class RadicalEntry
/// One radical of the radical table: its code point, its stroke count and
/// every kanji that contains it. Entries are owned by the RadicalTable that
/// read them; pointers to them stay valid until the table is destroyed.
#ifndef DEXARU_RADICALENTRY_H
#define DEXARU_RADICALENTRY_H

#include <cstdint>
#include <string>

class RadicalEntry
{
public:
    /// The radical's Unicode code point; 0 when the file's code did not convert.
    wchar_t radical = 0;
    /// As the first file that lists the radical gives it.
    uint8_t strokeCount = 0;
    /// One character per kanji, ascending by code point, no duplicates.
    std::wstring kanjiString;
};

#endif
