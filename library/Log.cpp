#include "Log.h"

#include <cstdarg>
#include <cstdio>

int Log::globalLevel = 7;

int Log::write(int level, const char* format, ...)
{
    if (level > globalLevel) {
        return 0;
    }

    va_list arguments;
    va_start(arguments, format);
    int written = std::vfprintf(stderr, format, arguments);
    va_end(arguments);

    if (written < 0) {
        return 0;
    }
    if (std::fputc('\n', stderr) != EOF) {
        ++written;
    }
    return written;
}
