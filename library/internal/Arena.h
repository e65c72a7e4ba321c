// Memory for an index that lives as long as its dictionary: records and
// wide strings carved out of a few large blocks, all freed together when
// the pool is destroyed. Allocation failure throws std::bad_alloc; the
// owner catches it at its load boundary.
#ifndef DEXARU_INTERNAL_ARENA_H
#define DEXARU_INTERNAL_ARENA_H

#include <cstddef>
#include <memory>
#include <vector>

namespace internal {

// One block of raw memory. Blocks of 2 MB and more start on a 2 MB boundary
// and ask for whole 2 MB pages, which makes filling and freeing a large
// index far cheaper than page by page.
class LargeBlock
{
public:
    explicit LargeBlock(std::size_t bytes);
    ~LargeBlock();

    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    char* data() const { return memory; }

private:
    char* memory = nullptr;
};

// Pointers handed out stay valid until the pool is destroyed.
class StringPool
{
public:
    // `sizeHint`: the size of the file indexed, which scales the blocks.
    explicit StringPool(std::size_t sizeHint);

    StringPool(const StringPool&) = delete;
    StringPool& operator=(const StringPool&) = delete;

    // Room for `count` records of a trivially constructible type, in a block
    // of their own; not initialised.
    template <typename Record> Record* records(std::size_t count)
    {
        std::unique_ptr<LargeBlock> block(new LargeBlock(count * sizeof(Record)));
        blocks.push_back(std::move(block));
        return reinterpret_cast<Record*>(blocks.back()->data());
    }

    // Room for `size` characters, valid until the next call.
    wchar_t* reserve(std::size_t size)
    {
        if (capacity - used < size) {
            startBlock(size);
        }
        return characters + used;
    }

    // Keeps the first `size` characters of the last reservation.
    void commit(std::size_t size) { used += size; }

private:
    void startBlock(std::size_t atLeast);

    std::vector<std::unique_ptr<LargeBlock>> blocks;
    std::size_t blockSize;
    wchar_t* characters = nullptr;
    std::size_t capacity = 0;
    std::size_t used = 0;
};

}  // namespace internal

#endif
