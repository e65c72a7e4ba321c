#include "internal/Arena.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

namespace internal {

namespace {

constexpr std::size_t HUGE_PAGE = 2 << 20;
constexpr std::size_t MIN_STRING_BLOCK = 1 << 12;
constexpr std::size_t MAX_STRING_BLOCK = 1 << 20;

}  // namespace

LargeBlock::LargeBlock(std::size_t bytes)
{
    if (bytes >= HUGE_PAGE) {
        const std::size_t rounded = (bytes + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
        memory = static_cast<char*>(std::aligned_alloc(HUGE_PAGE, rounded));
        if (memory != nullptr) {
            madvise(memory, rounded, MADV_HUGEPAGE);
        }
    } else {
        memory = static_cast<char*>(std::malloc(bytes > 0 ? bytes : 1));
    }
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
}

LargeBlock::~LargeBlock()
{
    std::free(memory);
}

StringPool::StringPool(std::size_t sizeHint)
{
    const std::size_t wanted = sizeHint / 2;
    blockSize = wanted < MIN_STRING_BLOCK   ? MIN_STRING_BLOCK
                : wanted > MAX_STRING_BLOCK ? MAX_STRING_BLOCK
                                            : wanted;
}

void StringPool::startBlock(std::size_t atLeast)
{
    const std::size_t size = atLeast > blockSize ? atLeast : blockSize;
    std::unique_ptr<LargeBlock> block(new LargeBlock(size * sizeof(wchar_t)));
    blocks.push_back(std::move(block));
    characters = reinterpret_cast<wchar_t*>(blocks.back()->data());
    capacity = size;
    used = 0;
}

}  // namespace internal
