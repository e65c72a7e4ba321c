#include "Checksum.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define DEXARU_CHECKSUM_AVX2 1
#endif

namespace checksum {

namespace {

const size_t LANES = 8;
const size_t STRIPE = LANES * sizeof(uint64_t);
const size_t STRIPES_PER_BLOCK = 16;
const uint64_t SCRAMBLE_PRIME = 0x9E3779B1ULL;
const uint64_t FINAL_PRIME = 0x9E3779B97F4A7C15ULL;

const uint64_t KEYS[LANES] = {
    0xBE4BA423396CFEB8ULL, 0x1CAD21F72C81017CULL, 0xDB979083E96DD4DEULL, 0x1F67B3B7A4A44072ULL,
    0x78E5C0CC4EE679CBULL, 0x2172FFCC7DD05A82ULL, 0x8E2443F7744608B8ULL, 0x4C263A81E69035E0ULL,
};

void accumulatePlain(uint64_t* lanes, const unsigned char* stripe)
{
    for (size_t lane = 0; lane < LANES; ++lane) {
        uint64_t word;
        std::memcpy(&word, stripe + lane * sizeof word, sizeof word);
        const uint64_t keyed = word ^ KEYS[lane];
        lanes[lane] += (keyed & 0xFFFFFFFFULL) * (keyed >> 32);
        lanes[lane ^ 1] += word;
    }
}

void scramblePlain(uint64_t* lanes)
{
    for (size_t lane = 0; lane < LANES; ++lane) {
        lanes[lane] = ((lanes[lane] ^ (lanes[lane] >> 47)) ^ KEYS[lane]) * SCRAMBLE_PRIME;
    }
}

void initialise(uint64_t* lanes)
{
    for (size_t lane = 0; lane < LANES; ++lane) {
        lanes[lane] = KEYS[(lane + 3) % LANES];
    }
}

// The last partial stripe, zero-padded, and the size; then the lanes merged.
uint64_t finish(uint64_t* lanes, const unsigned char* tail, size_t tailSize, size_t size)
{
    unsigned char last[STRIPE] = {};
    std::memcpy(last, tail, tailSize);
    accumulatePlain(lanes, last);
    scramblePlain(lanes);
    uint64_t result = size * FINAL_PRIME;
    for (size_t lane = 0; lane < LANES; ++lane) {
        result = (result ^ lanes[lane]) * FINAL_PRIME;
        result ^= result >> 32;
    }
    return result;
}

#ifdef __SSE2__
inline __m128i multiplyLanes(__m128i value, __m128i prime)
{
    const __m128i low = _mm_mul_epu32(value, prime);
    const __m128i high = _mm_mul_epu32(_mm_srli_epi64(value, 32), prime);
    return _mm_add_epi64(low, _mm_slli_epi64(high, 32));
}
#endif

#ifdef DEXARU_CHECKSUM_AVX2
// The SSE2 loop of `addStripes`, four lanes to a register.
__attribute__((target("avx2"))) void addStripesAvx2(uint64_t* state, const unsigned char* bytes,
                                                    size_t stripes)
{
    const uint64_t* initial = state;
    __m256i lanes[2];
    __m256i keys[2];
    for (size_t half = 0; half < 2; ++half) {
        lanes[half] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(initial + 4 * half));
        keys[half] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(KEYS + 4 * half));
    }
    const __m256i prime = _mm256_set1_epi64x(static_cast<long long>(SCRAMBLE_PRIME));
    for (size_t i = 0; i < stripes; ++i) {
        const __m256i* stripe = reinterpret_cast<const __m256i*>(bytes + i * STRIPE);
        for (size_t half = 0; half < 2; ++half) {
            const __m256i words = _mm256_loadu_si256(stripe + half);
            const __m256i keyed = _mm256_xor_si256(words, keys[half]);
            const __m256i product = _mm256_mul_epu32(keyed, _mm256_shuffle_epi32(keyed, 0xB1));
            const __m256i swapped = _mm256_shuffle_epi32(words, 0x4E);
            lanes[half] = _mm256_add_epi64(lanes[half], _mm256_add_epi64(product, swapped));
        }
        if ((i + 1) % STRIPES_PER_BLOCK == 0) {
            for (size_t half = 0; half < 2; ++half) {
                const __m256i value = _mm256_xor_si256(
                    _mm256_xor_si256(lanes[half], _mm256_srli_epi64(lanes[half], 47)), keys[half]);
                const __m256i low = _mm256_mul_epu32(value, prime);
                const __m256i high = _mm256_mul_epu32(_mm256_srli_epi64(value, 32), prime);
                lanes[half] = _mm256_add_epi64(low, _mm256_slli_epi64(high, 32));
            }
        }
    }
    for (size_t half = 0; half < 2; ++half) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(state + 4 * half), lanes[half]);
    }
}

bool hasAvx2()
{
    static const bool supported = __builtin_cpu_supports("avx2");
    return supported;
}
#endif

// Adds whole stripes to the lanes, scrambling after every block; the first
// stripe starts a block.
void addStripesPlain(uint64_t* lanes, const unsigned char* bytes, size_t stripes)
{
    for (size_t i = 0; i < stripes; ++i) {
        accumulatePlain(lanes, bytes + i * STRIPE);
        if ((i + 1) % STRIPES_PER_BLOCK == 0) {
            scramblePlain(lanes);
        }
    }
}

void addStripes(uint64_t* state, const unsigned char* bytes, size_t stripes)
{
#ifdef DEXARU_CHECKSUM_AVX2
    if (hasAvx2()) {
        addStripesAvx2(state, bytes, stripes);
        return;
    }
#endif
#ifdef __SSE2__
    __m128i lanes[LANES / 2];
    __m128i keys[LANES / 2];
    for (size_t pair = 0; pair < LANES / 2; ++pair) {
        lanes[pair] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(state + 2 * pair));
        keys[pair] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(KEYS + 2 * pair));
    }
    const __m128i prime = _mm_set1_epi64x(static_cast<long long>(SCRAMBLE_PRIME));
    for (size_t i = 0; i < stripes; ++i) {
        const __m128i* stripe = reinterpret_cast<const __m128i*>(bytes + i * STRIPE);
        for (size_t pair = 0; pair < LANES / 2; ++pair) {
            const __m128i words = _mm_loadu_si128(stripe + pair);
            const __m128i keyed = _mm_xor_si128(words, keys[pair]);
            const __m128i product = _mm_mul_epu32(keyed, _mm_shuffle_epi32(keyed, 0xB1));
            const __m128i swapped = _mm_shuffle_epi32(words, 0x4E);
            lanes[pair] = _mm_add_epi64(lanes[pair], _mm_add_epi64(product, swapped));
        }
        if ((i + 1) % STRIPES_PER_BLOCK == 0) {
            for (size_t pair = 0; pair < LANES / 2; ++pair) {
                __m128i value = _mm_xor_si128(lanes[pair], _mm_srli_epi64(lanes[pair], 47));
                lanes[pair] = multiplyLanes(_mm_xor_si128(value, keys[pair]), prime);
            }
        }
    }
    for (size_t pair = 0; pair < LANES / 2; ++pair) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(state + 2 * pair), lanes[pair]);
    }
#else
    addStripesPlain(state, bytes, stripes);
#endif
}

}  // namespace

Stream::Stream()
{
    initialise(lanes);
}

void Stream::add(const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    addStripes(lanes, bytes, size / STRIPE);
    tailSize = size % STRIPE;
    std::memcpy(tail, bytes + size - tailSize, tailSize);
    total += size;
}

uint64_t Stream::value() const
{
    uint64_t copy[LANES];
    std::memcpy(copy, lanes, sizeof copy);
    return finish(copy, tail, tailSize, total);
}

uint64_t of(const void* data, size_t size)
{
    Stream stream;
    stream.add(data, size);
    return stream.value();
}

uint64_t ofPlain(const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    uint64_t lanes[LANES];
    initialise(lanes);
    addStripesPlain(lanes, bytes, size / STRIPE);
    return finish(lanes, bytes + size / STRIPE * STRIPE, size % STRIPE, size);
}

}  // namespace checksum
