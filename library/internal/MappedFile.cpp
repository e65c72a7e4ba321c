#include "internal/MappedFile.h"

#include "internal/FileReading.h"

#include <sys/mman.h>
#include <sys/stat.h>

namespace internal {

MappedFile::MappedFile(FILE* stream)
{
    struct stat info;
    const int descriptor = fileno(stream);
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        void* mapping = mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ,
                             MAP_PRIVATE, descriptor, 0);
        if (mapping != MAP_FAILED) {
            mapped = mapping;
            bytes = static_cast<const char*>(mapping);
            byteCount = static_cast<std::size_t>(info.st_size);
            return;
        }
    }
    readAll(stream);
}

MappedFile::~MappedFile()
{
    if (mapped != nullptr) {
        munmap(mapped, byteCount);
    }
}

void MappedFile::giveBack(std::size_t end)
{
    madvise(static_cast<char*>(mapped) + released, end - released, MADV_DONTNEED);
    released = end;
}

void MappedFile::readAll(FILE* stream)
{
    if (std::fseek(stream, 0, SEEK_SET) != 0) {
        return;
    }
    std::size_t got;
    do {
        const std::size_t oldSize = copy.size();
        copy.resize(oldSize + fileReading::READ_BLOCK_SIZE);
        got = std::fread(copy.data() + oldSize, 1, fileReading::READ_BLOCK_SIZE, stream);
        copy.resize(oldSize + got);
    } while (got > 0);
    bytes = copy.data();
    byteCount = copy.size();
}

}  // namespace internal
