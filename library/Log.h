// Diagnostics for the whole library and both programs: printf-style
// messages, one per line, on standard error. Messages above globalLevel
// are dropped. Levels in use: 3 errors, 4 warnings, 6 notices, 7 traces.
#ifndef DEXARU_LOG_H
#define DEXARU_LOG_H

class Log
{
public:
    static int globalLevel;

    // Formats like printf ("%S" for wide strings, "%C" for wide characters),
    // adds a line end, and returns the number of characters written.
    static int write(int level, const char* format, ...)
        __attribute__((format(printf, 2, 3)));
};

#endif
