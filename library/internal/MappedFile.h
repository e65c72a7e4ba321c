// The whole content of an open file for one or more sequential passes:
// mapped read-only when it is a regular file, read into memory otherwise.
// Pages already read can be given back, so that a pass over a large file
// never holds all of it in memory at once. The stream must stay open while
// the bytes are in use; its position is left anywhere.
#ifndef DEXARU_INTERNAL_MAPPEDFILE_H
#define DEXARU_INTERNAL_MAPPEDFILE_H

#include <cstddef>
#include <cstdio>
#include <vector>

namespace internal {

class MappedFile
{
public:
    explicit MappedFile(FILE* stream);
    ~MappedFile();

    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const char* data() const { return bytes; }
    std::size_t size() const { return byteCount; }

    // Gives back the mapped pages before `offset`, in steps of RELEASE_STEP;
    // reading them again maps them in again. Cheap enough to call per line.
    void release(std::size_t offset)
    {
        const std::size_t end = offset & ~(RELEASE_STEP - 1);
        if (mapped == nullptr || end <= released) {
            return;
        }
        giveBack(end);
    }

    // Starts a new pass over the content, giving back from the start again.
    void rewind() { released = 0; }

    static constexpr std::size_t RELEASE_STEP = 1 << 20;

private:
    void giveBack(std::size_t end);
    void readAll(FILE* stream);

    void* mapped = nullptr;
    std::size_t released = 0;
    std::vector<char> copy;
    const char* bytes = nullptr;
    std::size_t byteCount = 0;
};

}  // namespace internal

#endif
