/// @file
/// @class EdictFileCheck
/// What the first lines of a file say about whether it is an EDICT
/// dictionary at all. Loading accepts any text file (a line with a space is
/// an entry to the index), so a file chosen by mistake, /etc/passwd say,
/// loads "successfully"; this check lets a program warn about it. It reads
/// at most the first SAMPLED_LINES lines of the file and keeps nothing open.
#ifndef DEXARU_EDICTFILECHECK_H
#define DEXARU_EDICTFILECHECK_H

#include <string>

class EdictFileCheck
{
public:
    /// Lines read at most: enough to judge a file, few enough to be quick.
    static const int SAMPLED_LINES = 1000;

    /// Reads the file's first lines; a file that cannot be opened, or is no
    /// regular file (a pipe, a device), gives a check with opened false and
    /// nothing counted.
    static EdictFileCheck ofFile(const std::string& filename);
    /// The same over text already read (for tests and callers with the bytes).
    static EdictFileCheck ofText(const std::string& text);

    /// The EDICT header line: a headword of full-width spaces and question
    /// marks ("　？？？" in EUC-JP or UTF-8), a space and "/".
    static bool isHeaderLine(const std::string& line);
    /// A well-formed entry line: WORD [READING] /gloss/.../ — a headword
    /// without spaces, an optional bracketed reading, then glosses between
    /// slashes up to the line's end (a CR before the LF allowed).
    static bool isEntryLine(const std::string& line);

    /// True when the lines read look like an EDICT dictionary: with a
    /// header line, more than half of the other non-empty lines are
    /// entries; without one, nearly all of them (nine in ten) must be, as
    /// in Debian's compdic, which has no header. An empty file passes.
    bool looksLikeEdict() const;

    bool opened = false;  ///< the file could be read
    bool header = false;  ///< its first line is the EDICT header line
    int linesRead = 0;  ///< non-empty lines read, the header line not counted
    int entryLines = 0;  ///< of those, well-formed entries
};

#endif
