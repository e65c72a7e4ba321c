// Keeps the index of a large EDICT file on disk between runs, one cache file
// per dictionary file in ${XDG_CACHE_HOME:-$HOME/.cache}/dexaru/, so that a
// load reads it back instead of decoding every line again. A cache serves
// only while it provably describes the file as it is now (same file, size,
// modification and inode-change times); anything else is ignored and
// rewritten. A cache folder that is not the user's own or that others may
// write to is not used at all, and nothing in it is opened in a way that
// could block. DEXARU_INDEX_CACHE=0 turns caching off. Nothing here logs
// above level 7: on any failure the caller simply parses.
// Internal to the library; not installed.
#ifndef DEXARU_INTERNAL_INDEXCACHE_H
#define DEXARU_INTERNAL_INDEXCACHE_H

#include "../Edict.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>

// The layout of a cache file: this header, then `recordCount`
// IndexCacheRecord zero-padded to a whole number of checksum blocks, then
// `stringCharacters` wide characters (every string NUL-terminated), all in
// the writing machine's byte order.
struct IndexCacheHeader
{
    char magic[8];
    uint32_t formatVersion;
    uint32_t wideCharacterSize;
    uint64_t byteOrderMark;
    uint64_t device;
    uint64_t inode;
    uint64_t fileSize;
    int64_t modifiedNs;
    int64_t changedNs;  // the inode-change time, which no user can set back
    int64_t createdNs;
    char conversion[32];  // the encodings the strings were converted between
    int32_t lineCount;
    int32_t recordCount;
    uint64_t stringCharacters;
    // Of the header up to here, then of everything after the header.
    uint64_t checksum;
};

struct IndexCacheRecord
{
    int64_t fileLocation;
    uint32_t word;  // offset in the strings, in characters
    uint32_t kana;  // likewise, or NO_STRING
    static constexpr uint32_t NO_STRING = 0xFFFFFFFFu;
};

// An index read back from a cache file. The records' strings point into
// memory this object owns: keep it alive while the records are in use.
class CachedIndex
{
public:
    ~CachedIndex() = default;

    // lineCount() + 1 records, the first size() filled, the rest zero.
    IndexEntry* records() const { return reinterpret_cast<IndexEntry*>(block.get()); }
    int size() const { return recordCount; }
    // The dictionary file's newline-terminated lines, as a parse counts them.
    int lineCount() const { return lines; }

    CachedIndex(const CachedIndex&) = delete;
    CachedIndex& operator=(const CachedIndex&) = delete;

private:
    friend class IndexCache;

    struct FreeDeleter
    {
        void operator()(void* memory) const;
    };

    CachedIndex() = default;

    // The records, then the strings they point to.
    std::unique_ptr<char, FreeDeleter> block;
    int recordCount = 0;
    int lines = 0;
};

class IndexCache
{
public:
    // Smaller dictionary files are parsed every time: their parse costs
    // about what reading a cache back does. compdic (800 kB) is above it.
    static constexpr size_t DEFAULT_MINIMUM_FILE_SIZE = size_t(256) << 10;
    // A temporary cache file older than this belongs to no running store.
    static constexpr int STALE_TEMPORARY_SECONDS = 600;

    // The cache of the dictionary file `path`, open as `descriptor`, whose
    // index was converted as `conversion` describes (it keys the cache too).
    // Unusable (every call a no-op) when caching is off, the file is small
    // or not regular, or no cache folder is known.
    IndexCache(const std::string& path, int descriptor, const std::string& conversion,
               size_t minimumFileSize = DEFAULT_MINIMUM_FILE_SIZE);

    bool usable() const { return !location.empty(); }
    // The cache file's path; empty when unusable.
    const std::string& cacheFile() const { return location; }

    // A valid cached index of the file, or null.
    std::unique_ptr<CachedIndex> load() const;
    // Writes `size` records (of a `lineCount`-line file) for the next load,
    // atomically; false when nothing was written. A file changed less than
    // two seconds before this object was made is never cached, since a
    // rewrite within the timestamp granularity could go unnoticed. The file
    // is written unnamed where the file system allows it, so that a store
    // killed halfway leaves nothing behind; elsewhere under a temporary
    // name. Temporary files that interrupted stores left behind are removed
    // here and by load().
    bool store(const IndexEntry* records, int size, int lineCount) const;
    // Unnamed temporary files are used where the file system has them
    // (the default); off, every store takes the named way.
    static void setUnnamedTemporaries(bool allowed);

    // The cache folder the environment names, or empty.
    static std::string folder();
    // The checksum a cache file of `size` bytes must carry in its header.
    static uint64_t checksumOf(const char* cacheFile, size_t size);

    // What a cache file records of its dictionary file.
    struct FileIdentity
    {
        uint64_t device = 0;
        uint64_t inode = 0;
        uint64_t size = 0;
        int64_t modifiedNs = 0;
        int64_t changedNs = 0;
    };

private:
    const char* headerProblem(const IndexCacheHeader& header, size_t cacheSize) const;
    const char* folderProblem() const;
    enum class Stored
    {
        YES,
        NO,
        UNSUPPORTED  // no unnamed temporary file here: take the named way
    };

    void removeStaleTemporaries() const;
    Stored storeUnnamed(const IndexEntry* records, int size, int lineCount) const;
    bool storeNamed(const IndexEntry* records, int size, int lineCount) const;
    std::unique_ptr<CachedIndex> readRecordsAndStrings(int descriptor,
                                                       const IndexCacheHeader& header,
                                                       const char** problem) const;
    bool expandRecords(const IndexCacheHeader& header, char* block, wchar_t* strings) const;
    bool writeImage(int descriptor, const IndexEntry* records, int size, int lineCount) const;

    FileIdentity identity;
    int64_t createdNs = 0;  // taken before the dictionary file is read
    std::string conversion;
    std::string location;
};

#endif
