// A fast 64-bit checksum for files the library writes and reads back, built
// to run at memory speed: eight 64-bit lanes each add the product of the two
// halves of a word (mixed with a key) while the neighbouring lane adds the
// word itself, so any single changed word changes the result; the lanes are
// scrambled every kilobyte so that moved blocks change it too. The SSE2 path
// and the plain one give the same value. Internal to the library.
#ifndef DEXARU_INTERNAL_CHECKSUM_H
#define DEXARU_INTERNAL_CHECKSUM_H

#include <cstddef>
#include <cstdint>

namespace checksum {

// The checksum of bytes given in pieces: every piece but the last must be a
// whole number of BLOCK bytes. The value equals `of` over all the pieces.
class Stream
{
public:
    static const size_t BLOCK = 1024;

    Stream();
    void add(const void* data, size_t size);
    uint64_t value() const;

private:
    uint64_t lanes[8];
    unsigned char tail[64];
    size_t tailSize = 0;
    size_t total = 0;
};

// The checksum of `size` bytes.
uint64_t of(const void* data, size_t size);
// The same, computed without vector instructions.
uint64_t ofPlain(const void* data, size_t size);

}  // namespace checksum

#endif
