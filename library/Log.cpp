#include "Log.h"

#include "internal/LogCount.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

int Log::globalLevel = 7;

namespace {

std::atomic<unsigned long> messageCount(0);

}

unsigned long logCount::messages()
{
    return messageCount.load(std::memory_order_relaxed);
}

int Log::write(int level, const char* format, ...)
{
    messageCount.fetch_add(1, std::memory_order_relaxed);
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
