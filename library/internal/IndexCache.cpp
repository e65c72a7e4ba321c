#include "IndexCache.h"

#include "Checksum.h"
#include "../Log.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char MAGIC[8] = {'D', 'X', 'R', 'I', 'N', 'D', 'E', 'X'};
// 2: lines read whole (version 1 indexed over-long lines from their first
// 1023 bytes) and the inode-change time recorded.
const uint32_t FORMAT_VERSION = 2;
const uint64_t BYTE_ORDER_MARK = 0x0102030405060708ULL;
// A file changed this close to the cache's creation may have been changed
// again within its timestamp's granularity, unseen.
const int64_t RACY_MARGIN_NS = 2000000000LL;
const size_t HUGE_PAGE = size_t(2) << 20;

static_assert(sizeof(IndexCacheHeader) % 8 == 0, "records follow the header aligned");
static_assert(sizeof(IndexCacheRecord) == 16, "no padding in stored records");

int64_t nanoseconds(const struct timespec& time)
{
    return static_cast<int64_t>(time.tv_sec) * 1000000000LL + time.tv_nsec;
}

int64_t now()
{
    struct timespec time;
    clock_gettime(CLOCK_REALTIME, &time);
    return nanoseconds(time);
}

bool cachingTurnedOff()
{
    const char* setting = std::getenv("DEXARU_INDEX_CACHE");
    return setting != nullptr && std::strcmp(setting, "0") == 0;
}

// An absolute path from the environment, or empty.
std::string absoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

uint64_t pathHash(const std::string& path)
{
    uint64_t hash = 0xCBF29CE484222325ULL;  // 64-bit FNV-1a
    for (unsigned char byte : path) {
        hash = (hash ^ byte) * 0x100000001B3ULL;
    }
    return hash;
}

std::string canonicalPath(const std::string& path)
{
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

// Memory for `bytes`, on whole huge pages when large: far fewer page faults
// than page by page, which on some virtual machines cost more than the copy.
void* allocateLarge(size_t bytes)
{
    if (bytes < HUGE_PAGE) {
        return std::malloc(bytes > 0 ? bytes : 1);
    }
    const size_t rounded = (bytes + HUGE_PAGE - 1) & ~(HUGE_PAGE - 1);
    void* memory = std::aligned_alloc(HUGE_PAGE, rounded);
    if (memory != nullptr) {
        madvise(memory, rounded, MADV_HUGEPAGE);
    }
    return memory;
}

bool readAll(int descriptor, char* bytes, size_t size, size_t offset)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t got = pread(descriptor, bytes + done, size - done,
                                  static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

class Descriptor
{
public:
    explicit Descriptor(int value) : value(value) { }
    ~Descriptor()
    {
        if (value >= 0) {
            close(value);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return value; }
    // Hands the descriptor over, to be closed by the caller.
    int release()
    {
        const int released = value;
        value = -1;
        return released;
    }

private:
    int value;
};

bool writeAll(int descriptor, const char* bytes, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(descriptor, bytes, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool makeFolder(const std::string& path)
{
    return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// Reads `size` bytes at `offset` and adds them to the checksum piece by
// piece, each while it is still in the processor's cache.
bool readAndSum(int descriptor, char* bytes, size_t size, size_t offset, checksum::Stream* sum)
{
    const size_t piece = 1024 * checksum::Stream::BLOCK;
    for (size_t done = 0; done < size; done += piece) {
        const size_t length = std::min(piece, size - done);
        if (!readAll(descriptor, bytes + done, length, offset + done)) {
            return false;
        }
        sum->add(bytes + done, length);
    }
    return true;
}

// The stored records fill whole checksum blocks, zero-padded, so that they
// and the strings can be summed apart.
size_t recordSectionSize(int records)
{
    const size_t bytes = size_t(records) * sizeof(IndexCacheRecord);
    const size_t block = checksum::Stream::BLOCK;
    return (bytes + block - 1) / block * block;
}

// The header's checksum field: of the header up to that field, then of the
// body.
uint64_t combinedChecksum(const IndexCacheHeader& header, uint64_t body)
{
    const uint64_t head = checksum::of(&header, offsetof(IndexCacheHeader, checksum));
    return (head * 0x9E3779B97F4A7C15ULL) ^ body;
}

// Writes a cache file's body through one small buffer, summing it on the way.
class BodyWriter
{
public:
    explicit BodyWriter(int descriptor) : descriptor(descriptor), buffer(new char[BUFFER_SIZE]) { }

    void append(const void* data, size_t size)
    {
        const char* bytes = static_cast<const char*>(data);
        while (size > 0) {
            const size_t taken = std::min(size, BUFFER_SIZE - used);
            std::memcpy(buffer.get() + used, bytes, taken);
            used += taken;
            bytes += taken;
            size -= taken;
            if (used == BUFFER_SIZE) {
                flush();
            }
        }
    }

    // Writes what is left; true when every write succeeded.
    bool finish()
    {
        flush();
        return written;
    }

    uint64_t checksum() const { return sum.value(); }

private:
    static constexpr size_t BUFFER_SIZE = 256 * checksum::Stream::BLOCK;

    void flush()
    {
        sum.add(buffer.get(), used);
        written = written && writeAll(descriptor, buffer.get(), used);
        used = 0;
    }

    int descriptor;
    std::unique_ptr<char[]> buffer;
    size_t used = 0;
    checksum::Stream sum;
    bool written = true;
};

void trace(const char* what, const std::string& file, const char* why)
{
    Log::write(7, "%s: %s '%s': %s.", "load", what, file.c_str(), why);
}

}  // namespace

void CachedIndex::FreeDeleter::operator()(void* memory) const
{
    std::free(memory);
}

IndexCache::IndexCache(const std::string& path, int descriptor, const std::string& conversion,
                       size_t minimumFileSize)
    : createdNs(now()), conversion(conversion)
{
    struct stat status;
    // Records are expanded in place, which needs index records at least as
    // large as stored ones (as on every 64-bit system).
    if (cachingTurnedOff() || sizeof(IndexEntry) < sizeof(IndexCacheRecord)
        || conversion.size() >= sizeof(IndexCacheHeader::conversion)
        || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)
        || static_cast<uint64_t>(status.st_size) < minimumFileSize) {
        return;
    }
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
    identity.size = static_cast<uint64_t>(status.st_size);
    identity.modifiedNs = nanoseconds(status.st_mtim);
    identity.changedNs = nanoseconds(status.st_ctim);

    const std::string cacheFolder = folder();
    const std::string absolute = canonicalPath(path);
    if (cacheFolder.empty() || absolute.empty()) {
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "/%016llx.index",
                  static_cast<unsigned long long>(pathHash(absolute)));
    location = cacheFolder + name;
}

std::string IndexCache::folder()
{
    std::string base = absoluteVariable("XDG_CACHE_HOME");
    if (base.empty()) {
        const std::string home = absoluteVariable("HOME");
        if (home.empty()) {
            return std::string();
        }
        base = home + "/.cache";
    }
    return base + "/dexaru";
}

uint64_t IndexCache::checksumOf(const char* cacheFile, size_t size)
{
    if (size < sizeof(IndexCacheHeader)) {
        return checksum::of(cacheFile, size);
    }
    const uint64_t body = checksum::of(cacheFile + sizeof(IndexCacheHeader),
                                       size - sizeof(IndexCacheHeader));
    IndexCacheHeader header;
    std::memcpy(&header, cacheFile, sizeof header);
    return combinedChecksum(header, body);
}

std::unique_ptr<CachedIndex> IndexCache::load() const
{
    if (!usable()) {
        return nullptr;
    }
    if (const char* problem = folderProblem()) {
        trace("Ignoring the index cache", location, problem);
        return nullptr;
    }
    removeStaleTemporaries();
    // Never blocks, whatever lies at the path (a FIFO, a device).
    Descriptor cache(
        open(location.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    struct stat status;
    if (cache.get() < 0 || fstat(cache.get(), &status) != 0) {
        return nullptr;  // no cache yet
    }
    const size_t size = static_cast<size_t>(status.st_size);
    if (!S_ISREG(status.st_mode) || status.st_uid != geteuid()) {
        trace("Ignoring the index cache", location, "not a cache file of this user");
        return nullptr;
    }
    IndexCacheHeader header;
    if (size < sizeof header
        || !readAll(cache.get(), reinterpret_cast<char*>(&header), sizeof header, 0)) {
        trace("Ignoring the index cache", location, "wrong size");
        return nullptr;
    }
    const char* problem = headerProblem(header, size);
    std::unique_ptr<CachedIndex> index;
    if (problem == nullptr) {
        index = readRecordsAndStrings(cache.get(), header, &problem);
    }
    if (problem != nullptr) {
        trace("Ignoring the index cache", location, problem);
        return nullptr;
    }
    return index;
}

// Reads the records and strings into one block whose front becomes the
// index records, expanded in place: one allocation, on huge pages, and no
// mapping of the file, which would take a page fault for every 4 kB.
std::unique_ptr<CachedIndex> IndexCache::readRecordsAndStrings(int descriptor,
                                                               const IndexCacheHeader& header,
                                                               const char** problem) const
{
    const size_t storedBytes = recordSectionSize(header.recordCount);
    const size_t stringBytes = size_t(header.stringCharacters) * sizeof(wchar_t);
    const size_t capacity = size_t(header.lineCount) + 1;
    const size_t recordArea = std::max(capacity * sizeof(IndexEntry), storedBytes);
    std::unique_ptr<CachedIndex> index(new CachedIndex());
    index->block.reset(static_cast<char*>(allocateLarge(recordArea + stringBytes)));
    char* block = index->block.get();
    checksum::Stream body;
    if (block == nullptr
        || !readAndSum(descriptor, block, storedBytes, sizeof(IndexCacheHeader), &body)
        || !readAndSum(descriptor, block + recordArea, stringBytes,
                       sizeof(IndexCacheHeader) + storedBytes, &body)) {
        *problem = "could not be read";
        return nullptr;
    }
    if (combinedChecksum(header, body.value()) != header.checksum) {
        *problem = "checksum mismatch";
        return nullptr;
    }
    if (!expandRecords(header, block, reinterpret_cast<wchar_t*>(block + recordArea))) {
        *problem = "records out of bounds";
        return nullptr;
    }
    index->recordCount = header.recordCount;
    index->lines = header.lineCount;
    return index;
}

// Why a cache file with this header cannot serve, or null.
const char* IndexCache::headerProblem(const IndexCacheHeader& header, size_t cacheSize) const
{
    if (std::memcmp(header.magic, MAGIC, sizeof MAGIC) != 0) {
        return "not an index cache";
    }
    if (header.formatVersion != FORMAT_VERSION) {
        return "other format version";
    }
    if (header.wideCharacterSize != sizeof(wchar_t) || header.byteOrderMark != BYTE_ORDER_MARK) {
        return "written by another kind of machine";
    }
    if (header.device != identity.device || header.inode != identity.inode
        || header.fileSize != identity.size || header.modifiedNs != identity.modifiedNs
        || header.changedNs != identity.changedNs) {
        return "the dictionary file has changed";
    }
    if (header.modifiedNs + RACY_MARGIN_NS >= header.createdNs) {
        return "written too soon after the dictionary file changed";
    }
    if (std::memchr(header.conversion, '\0', sizeof header.conversion) == nullptr
        || conversion != header.conversion) {
        return "other conversion";
    }
    // Every count within what the dictionary file can hold: a line takes at
    // least its LF, a string at most one character per byte of its field
    // plus its NUL. So no cache can ask for more memory than its file could.
    if (header.lineCount < 0 || header.lineCount == INT_MAX
        || uint64_t(header.lineCount) > header.fileSize || header.recordCount < 0
        || header.recordCount > header.lineCount + 1
        || header.stringCharacters > IndexCacheRecord::NO_STRING
        || header.stringCharacters > header.fileSize + 2 * uint64_t(header.recordCount)) {
        return "bad counts";
    }
    const uint64_t expected = sizeof(IndexCacheHeader) + recordSectionSize(header.recordCount)
                              + header.stringCharacters * sizeof(wchar_t);
    if (expected != cacheSize) {
        return "wrong size";
    }
    return nullptr;
}

// Turns the stored records at the front of `block` into index records
// pointing into `strings`, in place and from the back (an index record is
// larger than a stored one), checking every offset: a cache is never
// trusted to stay in bounds. The spare records after them are zeroed.
bool IndexCache::expandRecords(const IndexCacheHeader& header, char* block, wchar_t* strings) const
{
    const uint64_t characters = header.stringCharacters;
    if (header.recordCount > 0 && (characters == 0 || strings[characters - 1] != 0)) {
        return false;  // every string must end inside the area
    }
    IndexEntry* records = reinterpret_cast<IndexEntry*>(block);
    int64_t next = static_cast<int64_t>(header.fileSize);
    for (int i = header.recordCount - 1; i >= 0; --i) {
        IndexCacheRecord record;
        std::memcpy(&record, block + size_t(i) * sizeof record, sizeof record);
        if (record.word >= characters
            || (record.kana != IndexCacheRecord::NO_STRING && record.kana >= characters)
            || record.fileLocation < 0 || record.fileLocation >= next) {
            return false;
        }
        next = record.fileLocation;
        IndexEntry& entry = records[i];
        entry.word = strings + record.word;
        entry.kana = record.kana != IndexCacheRecord::NO_STRING ? strings + record.kana : nullptr;
        entry.fileLocation = static_cast<long>(record.fileLocation);
    }
    const size_t capacity = size_t(header.lineCount) + 1;
    std::memset(static_cast<void*>(records + header.recordCount), 0,
                (capacity - size_t(header.recordCount)) * sizeof(IndexEntry));
    return true;
}

// Why the cache folder must not be used, or null: another user could plant
// or swap files in a folder that is not this user's own or that others may
// write to.
const char* IndexCache::folderProblem() const
{
    const std::string cacheFolder = location.substr(0, location.rfind('/'));
    struct stat status;
    if (stat(cacheFolder.c_str(), &status) != 0) {
        return nullptr;  // none yet: the load finds no cache, a store makes it
    }
    if (!S_ISDIR(status.st_mode)) {
        return "the cache folder is not a folder";
    }
    if (status.st_uid != geteuid()) {
        return "the cache folder is not this user's own";
    }
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return "the cache folder is writable by others";
    }
    return nullptr;
}

namespace {

// Is `name` one that mkostemp gave a temporary cache file:
// "<16 hex digits>.index.<6 letters or digits>"?
bool isTemporaryName(const char* name)
{
    const size_t hexDigits = 16;
    const char middle[] = ".index.";
    const size_t suffix = 6;
    if (std::strlen(name) != hexDigits + sizeof middle - 1 + suffix
        || std::strncmp(name + hexDigits, middle, sizeof middle - 1) != 0) {
        return false;
    }
    for (size_t i = 0; i < hexDigits; ++i) {
        if (std::strchr("0123456789abcdef", name[i]) == nullptr) {
            return false;
        }
    }
    for (const char* letter = name + hexDigits + sizeof middle - 1; *letter != '\0'; ++letter) {
        if (!std::isalnum(static_cast<unsigned char>(*letter))) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Removes the temporary files of stores that were killed before their
// rename. A store holds a lock on its file while it writes it, so a file
// that nobody holds belongs to a store that is gone; one that is held is
// still removed once older than any store could take. (A file taken in the
// instant between its making and its locking only makes that store fail.)
void IndexCache::removeStaleTemporaries() const
{
    const std::string cacheFolder = location.substr(0, location.rfind('/'));
    std::unique_ptr<DIR, int (*)(DIR*)> folder(opendir(cacheFolder.c_str()), &closedir);
    if (!folder) {
        return;
    }
    const int64_t staleBefore = now() - int64_t(STALE_TEMPORARY_SECONDS) * 1000000000LL;
    while (const struct dirent* item = readdir(folder.get())) {
        if (!isTemporaryName(item->d_name)) {
            continue;
        }
        // Never blocks, whatever lies at the path.
        Descriptor file(openat(dirfd(folder.get()), item->d_name,
                               O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
        struct stat status;
        if (file.get() < 0 || fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
            || status.st_uid != geteuid()) {
            continue;
        }
        if (flock(file.get(), LOCK_EX | LOCK_NB) == 0
            || nanoseconds(status.st_mtim) < staleBefore) {
            trace("Removing a stale temporary file of the index cache", item->d_name,
                  "left by an interrupted store");
            unlinkat(dirfd(folder.get()), item->d_name, 0);
        }
    }
}

namespace {

bool unnamedTemporariesAllowed = true;

// The path through which the kernel links an unnamed file into a folder.
std::string procPath(int descriptor)
{
    return "/proc/self/fd/" + std::to_string(descriptor);
}

}  // namespace

void IndexCache::setUnnamedTemporaries(bool allowed)
{
    unnamedTemporariesAllowed = allowed;
}

bool IndexCache::store(const IndexEntry* records, int size, int lineCount) const
{
    if (!usable() || identity.modifiedNs + RACY_MARGIN_NS >= createdNs || size < 0
        || lineCount < 0) {
        return false;
    }
    const std::string cacheFolder = location.substr(0, location.rfind('/'));
    const std::string parent = cacheFolder.substr(0, cacheFolder.rfind('/'));
    if (!makeFolder(parent) || !makeFolder(cacheFolder)) {
        trace("Could not write the index cache", location, std::strerror(errno));
        return false;
    }
    if (const char* problem = folderProblem()) {
        trace("Could not write the index cache", location, problem);
        return false;
    }
    removeStaleTemporaries();
    const Stored stored = storeUnnamed(records, size, lineCount);
    if (stored != Stored::UNSUPPORTED) {
        return stored == Stored::YES;
    }
    return storeNamed(records, size, lineCount);
}

// Written whole into an unnamed file of the cache folder, which a kill at
// any moment takes away with its writer, then given the cache's name: a
// reader finds the old cache, none, or the new one, never a part. With two
// stores at once, the later link finds the name taken and gives way.
IndexCache::Stored IndexCache::storeUnnamed(const IndexEntry* records, int size,
                                            int lineCount) const
{
    if (!unnamedTemporariesAllowed) {
        return Stored::UNSUPPORTED;
    }
    const std::string cacheFolder = location.substr(0, location.rfind('/'));
    Descriptor output(open(cacheFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (output.get() < 0 || access(procPath(output.get()).c_str(), F_OK) != 0) {
        return Stored::UNSUPPORTED;  // a file system, or a system, without them
    }
    if (!writeImage(output.get(), records, size, lineCount)) {
        trace("Could not write the index cache", location, "write failed");
        return Stored::NO;
    }
    unlink(location.c_str());
    if (linkat(AT_FDCWD, procPath(output.get()).c_str(), AT_FDCWD, location.c_str(),
               AT_SYMLINK_FOLLOW)
        != 0) {
        trace("Could not write the index cache", location, std::strerror(errno));
        return Stored::NO;
    }
    return close(output.release()) == 0 ? Stored::YES : Stored::NO;
}

// Written whole under a temporary name, then renamed over the cache. A kill
// before the rename leaves the temporary file, which the next load or store
// removes.
bool IndexCache::storeNamed(const IndexEntry* records, int size, int lineCount) const
{
    std::string temporary = location + ".XXXXXX";
    Descriptor output(mkostemp(&temporary[0], O_CLOEXEC));
    if (output.get() < 0) {
        trace("Could not write the index cache", location, std::strerror(errno));
        return false;
    }
    // The lock belongs to the open file, which a duplicate keeps open past
    // the close that reports the last write errors, until the rename.
    flock(output.get(), LOCK_EX | LOCK_NB);
    const Descriptor lock(dup(output.get()));
    bool written = writeImage(output.get(), records, size, lineCount);
    written = close(output.release()) == 0 && written;
    if (!written || rename(temporary.c_str(), location.c_str()) != 0) {
        trace("Could not write the index cache", location, "write failed");
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool IndexCache::writeImage(int descriptor, const IndexEntry* records, int size,
                            int lineCount) const
{
    IndexCacheHeader header;
    std::memset(&header, 0, sizeof header);
    if (!writeAll(descriptor, reinterpret_cast<const char*>(&header), sizeof header)) {
        return false;  // the real header goes in last
    }
    BodyWriter body(descriptor);
    // Strings that lie one after the other in memory, as a parse leaves
    // them, are measured once and copied as one run rather than one by one.
    std::vector<std::pair<const wchar_t*, const wchar_t*>> runs;
    uint64_t characters = 0;
    auto place = [&](const wchar_t* text) {
        const uint64_t start = characters;
        const size_t length = std::wcslen(text) + 1;
        if (runs.empty() || runs.back().second != text) {
            runs.emplace_back(text, text);
        }
        runs.back().second += length;
        characters += length;
        return static_cast<uint32_t>(start);
    };
    for (int i = 0; i < size; ++i) {
        if (records[i].word == nullptr) {
            return false;  // never produced by a load
        }
        IndexCacheRecord stored;
        stored.fileLocation = records[i].fileLocation;
        stored.word = place(records[i].word);
        stored.kana = records[i].kana != nullptr ? place(records[i].kana)
                                                 : IndexCacheRecord::NO_STRING;
        if (characters >= IndexCacheRecord::NO_STRING) {
            return false;
        }
        body.append(&stored, sizeof stored);
    }
    const std::vector<char> padding(recordSectionSize(size)
                                    - size_t(size) * sizeof(IndexCacheRecord));
    body.append(padding.data(), padding.size());
    for (const auto& run : runs) {
        body.append(run.first, size_t(run.second - run.first) * sizeof(wchar_t));
    }
    if (!body.finish()) {
        return false;
    }
    std::memcpy(header.magic, MAGIC, sizeof MAGIC);
    header.formatVersion = FORMAT_VERSION;
    header.wideCharacterSize = sizeof(wchar_t);
    header.byteOrderMark = BYTE_ORDER_MARK;
    header.device = identity.device;
    header.inode = identity.inode;
    header.fileSize = identity.size;
    header.modifiedNs = identity.modifiedNs;
    header.changedNs = identity.changedNs;
    header.createdNs = createdNs;
    std::memcpy(header.conversion, conversion.c_str(), conversion.size() + 1);
    header.lineCount = lineCount;
    header.recordCount = size;
    header.stringCharacters = characters;
    header.checksum = combinedChecksum(header, body.checksum());
    return pwrite(descriptor, &header, sizeof header, 0) == static_cast<ssize_t>(sizeof header);
}
