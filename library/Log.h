/// @file
/// @class Log
/// Diagnostics for the whole library and both programs: printf-style
/// messages, one per line, on standard error. Messages above globalLevel
/// are dropped; it starts at 7, so every message is written.
/// Levels in use: 3 errors (and the word collection's "Trying string"
/// trace), 4 warnings, 6 notices of files being opened, 7 traces.
#ifndef DEXARU_LOG_H
#define DEXARU_LOG_H

class Log
{
public:
    /// The highest level written (2 silences every message of the library).
    /// Set it before threads start: it is read without locking.
    static int globalLevel;

    /// Formats like printf (\%S for wide strings, \%C for wide characters),
    /// adds a line end, and returns the number of characters written (0 for a
    /// dropped message or an output error).
    static int write(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));
};

#endif
