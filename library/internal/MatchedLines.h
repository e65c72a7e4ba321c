// The lines a pass over an EDICT file found, each with its index record and
// the bytes a line read would give (NUL-terminated), so that their entries
// are parsed without reading the file again. The holder owns the bytes.
#ifndef DEXARU_INTERNAL_MATCHEDLINES_H
#define DEXARU_INTERNAL_MATCHEDLINES_H

#include <climits>
#include <cstddef>
#include <string>
#include <vector>

namespace internal {

class MatchedLines
{
public:
    // Lines must be added in record order.
    void add(int record, const char* bytes, std::size_t size)
    {
        records.push_back(record);
        starts.push_back(text.size());
        text.append(bytes, size);
        text.push_back('\0');
    }

    // The line of `record`, writable, or null when it was not found. Calls
    // must come in increasing record order.
    char* lineOf(int record)
    {
        while (next < records.size() && records[next] < record) {
            ++next;
        }
        return next < records.size() && records[next] == record ? &text[starts[next]] : nullptr;
    }

    // The first record with a line, or INT_MAX when there is none.
    int firstRecord() const { return records.empty() ? INT_MAX : records[0]; }

    // The first record after `record` with a line, or INT_MAX; calls must
    // come in increasing record order, as for lineOf.
    int recordAfter(int record)
    {
        while (next < records.size() && records[next] <= record) {
            ++next;
        }
        return next < records.size() ? records[next] : INT_MAX;
    }

private:
    std::vector<int> records;
    std::vector<std::size_t> starts;
    std::string text;
    std::size_t next = 0;
};

}  // namespace internal

#endif
