// The names learners know the radicals by: for every radical of the
// RADKFILE, its English meaning and, where it is one of the 214 Kangxi
// radicals or a form of one, that radical's number. The RADKFILE writes some
// radicals with a kanji that stands for a form ("刈" for 刂 at the right);
// the names say which form is meant.
#ifndef DEXARU_DESKTOP_RADICALNAMES_H
#define DEXARU_DESKTOP_RADICALNAMES_H

#include <QString>

class RadicalNames
{
public:
    // The radical's meaning ("water (氵, at the left)"); empty for a
    // character that is no radical of the table.
    static QString meaning(wchar_t radical);
    // Its Kangxi number, 1 to 214; 0 for a shape that is no Kangxi radical.
    static int kangxiNumber(wchar_t radical);
    // The tool tip of a radical: its meaning, then its Kangxi number and
    // stroke count ("Kangxi radical 85, 3 strokes").
    static QString describe(wchar_t radical, int strokeCount);
};

#endif
