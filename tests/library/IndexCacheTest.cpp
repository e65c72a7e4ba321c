// The EDICT index cache: an index read back from it equals a parsed one, and
// every way a cache can stop describing its file makes the load parse again,
// quietly, and replace the cache. Each test uses a cache folder of its own.
#include "TestFiles.h"

#include "Edict.h"
#include "internal/Checksum.h"
#include "internal/IndexCache.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using testfiles::TempDir;

// Sets an environment variable (null: unsets it) for one scope.
class EnvironmentScope
{
public:
    EnvironmentScope(const char* name, const char* value) : name(name)
    {
        const char* old = std::getenv(name);
        hadValue = old != nullptr;
        previous = hadValue ? old : "";
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvironmentScope() { hadValue ? setenv(name, previous.c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    bool hadValue;
    std::string previous;
};

// Caching on, with a cache folder that goes away with the scope.
class CacheScope
{
public:
    CacheScope() : home("XDG_CACHE_HOME", folder.path.c_str()), on("DEXARU_INDEX_CACHE", "1") {}
    std::string cacheFolder() const { return folder.path + "/dexaru"; }

    TempDir folder;

private:
    EnvironmentScope home;
    EnvironmentScope on;
};

// A multi-megabyte EDICT in EUC-JP: words of kanji, readings in hiragana,
// kana-only and half-width words, JIS X 0212 kanji (decoded the slow way),
// a comment line, blank and space-led lines, an over-long line, "[" after
// the first "/", and a last line without LF.
std::string generatedEdict(size_t lines, unsigned seed)
{
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) { return static_cast<char>(low + random() % (high - low + 1)); };
    std::string text = "\xA1\xA9\xA1\xA9\xA1\xA9 /EDICT test file/\n";
    for (size_t line = 0; line < lines; ++line) {
        const int kind = static_cast<int>(random() % 20);
        std::string word;
        for (int i = 1 + random() % 4; i > 0; --i) {
            word += kind == 0 ? std::string("\x8E") + pick(0xB1, 0xDD)
                    : kind == 1 ? std::string("\x8F\xB0") + pick(0xA1, 0xFE)
                                : std::string(1, pick(0xB0, 0xCE)) + pick(0xA1, 0xFE);
        }
        std::string reading;
        for (int i = 2 + random() % 5; i > 0; --i) {
            reading += std::string("\xA4") + pick(0xA2, 0xF3);
        }
        if (kind == 2) {
            text += reading + " /(n) kana only " + std::to_string(line) + "/(P)/\n";
        } else if (kind == 3) {
            text += word + " /(n) gloss [not a reading]/\n";
        } else if (kind == 4 && line % 7 == 0) {
            text += line % 2 != 0 ? "\n" : " [\xA4\xA2] /space first/\n";
        } else if (kind == 5 && line % 101 == 0) {
            text += word + " [" + reading + "] /" + std::string(1500, 'x') + "/\n";
        } else {
            text += word + " [" + reading + "] /(n,vs) meaning " + std::to_string(line) + "/\n";
        }
    }
    return text + "\xC7\xAD [\xA4\xCD\xA4\xB3] /(n) cat/";
}

using Record = std::tuple<long, std::wstring, std::wstring, bool>;

struct LoadResult
{
    std::vector<Record> records;
    std::string messages;
    int status;
};

LoadResult loadIndex(const std::string& path)
{
    LoadResult result;
    testing::internal::CaptureStderr();
    {
        Edict edict;
        edict.setFilename(path);
        result.status = edict.load();
        for (int i = 0; i < edict.indexEntriesSize; ++i) {
            const IndexEntry& entry = edict.indexEntries[i];
            result.records.emplace_back(entry.fileLocation, entry.word != nullptr ? entry.word : L"",
                                        entry.kana != nullptr ? entry.kana : L"",
                                        entry.kana != nullptr);
        }
    }
    result.messages = testing::internal::GetCapturedStderr();
    result.messages.erase(result.messages.rfind("~Edict"));
    return result;
}

LoadResult parsedIndex(const std::string& path)
{
    EnvironmentScope off("DEXARU_INDEX_CACHE", "0");
    return loadIndex(path);
}

// The messages without the cache's own traces (level 7).
std::string withoutCacheTraces(const std::string& messages)
{
    std::istringstream lines(messages);
    std::string line;
    std::string kept;
    while (std::getline(lines, line)) {
        if (line.find("index cache") == std::string::npos) {
            kept += line + "\n";
        }
    }
    return kept;
}

std::unique_ptr<CachedIndex> validCache(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY);
    IndexCache cache(path, descriptor, "euc-jp>WCHAR_T");
    testing::internal::CaptureStderr();
    std::unique_ptr<CachedIndex> index = cache.load();
    testing::internal::GetCapturedStderr();
    close(descriptor);
    return index;
}

void setModified(const std::string& path, time_t seconds, long nanoseconds = 0)
{
    const struct timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

struct stat statusOf(const std::string& path)
{
    struct stat status;
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// A header field changed, with the checksum made to fit again, so that only
// the field itself can make the cache invalid.
template <typename Field>
std::function<void(std::string&)> patchHeader(size_t offset, Field value)
{
    return [offset, value](std::string& cache) {
        std::memcpy(&cache[offset], &value, sizeof value);
        const uint64_t sum = IndexCache::checksumOf(cache.data(), cache.size());
        std::memcpy(&cache[offsetof(IndexCacheHeader, checksum)], &sum, sizeof sum);
    };
}

class IndexCacheTest : public testing::Test
{
protected:
    void SetUp() override
    {
        path = files.write("edict", generatedEdict(60000, 7));
        ASSERT_GT(statusOf(path).st_size, 2 << 20);
        old = time(nullptr) - 3600;
        setModified(path, old, 123456789);
    }

    std::string cacheFile() const
    {
        const int descriptor = open(path.c_str(), O_RDONLY);
        IndexCache cache(path, descriptor, "euc-jp>WCHAR_T");
        close(descriptor);
        return cache.cacheFile();
    }

    TempDir files;
    std::string path;
    time_t old = 0;
};

TEST_F(IndexCacheTest, CachedIndexEqualsParsedIndexRecordForRecord)
{
    std::vector<std::string> dictionaries = {path};
    const std::string real = DEXARU_RUNTIME_DIR "/dictionaries/edict/edict";
    if (access(real.c_str(), R_OK) == 0) {
        dictionaries.push_back(real);
    }
    for (const std::string& dictionary : dictionaries) {
        CacheScope scope;
        const LoadResult parsed = parsedIndex(dictionary);
        ASSERT_EQ(parsed.status, 0);
        const LoadResult writing = loadIndex(dictionary);
        ASSERT_NE(validCache(dictionary), nullptr) << dictionary;
        const LoadResult cached = loadIndex(dictionary);
        EXPECT_GT(parsed.records.size(), 30000u);
        EXPECT_EQ(cached.records, parsed.records) << dictionary;
        EXPECT_EQ(writing.records, parsed.records) << dictionary;
        EXPECT_EQ(cached.messages, parsed.messages) << dictionary;
        EXPECT_EQ(writing.messages, parsed.messages) << dictionary;
        EXPECT_EQ(cached.status, 0);
    }
}

TEST_F(IndexCacheTest, LoadTakesTheIndexFromTheCache)
{
    CacheScope scope;
    const LoadResult parsed = parsedIndex(path);
    // A cache that differs from the file, made valid: the load must show it.
    std::vector<IndexEntry> records;
    for (const Record& record : parsed.records) {
        records.push_back({const_cast<wchar_t*>(std::get<1>(record).c_str()),
                           std::get<3>(record) ? const_cast<wchar_t*>(std::get<2>(record).c_str())
                                               : nullptr,
                           std::get<0>(record)});
    }
    wchar_t doctored[] = L"DOCTORED";
    records[5].word = doctored;
    const int descriptor = open(path.c_str(), O_RDONLY);
    const IndexCache cache(path, descriptor, "euc-jp>WCHAR_T");
    const int lines = static_cast<int>(records.size()) + 10;
    ASSERT_TRUE(cache.store(records.data(), static_cast<int>(records.size()), lines));
    close(descriptor);

    const LoadResult cached = loadIndex(path);
    ASSERT_EQ(cached.records.size(), parsed.records.size());
    EXPECT_EQ(std::get<1>(cached.records[5]), L"DOCTORED");
    EXPECT_NE(cached.messages.find("load: Lines in file: " + std::to_string(lines) + "."),
              std::string::npos);
}

TEST_F(IndexCacheTest, EveryStaleOrDamagedCacheIsIgnoredAndReplaced)
{
    using Change = std::function<void(std::string& cache)>;
    struct Case
    {
        const char* name;
        std::function<void(const std::string& file)> changeFile;  // may be null
        Change changeCache;                                       // may be null
    };
    const size_t records = sizeof(IndexCacheHeader);
    const Case cases[] = {
        {"touched", [&](const std::string& file) { setModified(file, old + 1, 123456789); }, nullptr},
        {"touched within the same second",
         [&](const std::string& file) { setModified(file, old, 123456790); }, nullptr},
        {"replaced by a copy",
         [&](const std::string& file) {
             const std::string copy = file + ".new";
             writeFile(copy, readFile(file));
             ASSERT_EQ(rename(copy.c_str(), file.c_str()), 0);
             setModified(file, old, 123456789);
         },
         nullptr},
        {"edited, same size, modification time put back",
         [&](const std::string& file) {
             std::string bytes = readFile(file);
             bytes.replace(bytes.rfind("\xA4\xB3]"), 2, "\xA4\xB4");  // ねこ becomes ねご
             writeFile(file, bytes);
             setModified(file, old, 123456789);
         },
         nullptr},
        {"grown",
         [&](const std::string& file) {
             writeFile(file, readFile(file) + "\n\xB8\xA4 [\xA4\xA4\xA4\xCC] /(n) dog/\n");
             setModified(file, old, 123456789);
         },
         nullptr},
        {"cache emptied", nullptr, [](std::string& cache) { cache.clear(); }},
        {"cache cut in the header", nullptr, [](std::string& cache) { cache.resize(40); }},
        {"cache truncated", nullptr, [](std::string& cache) { cache.resize(cache.size() / 2); }},
        {"cache one byte short", nullptr, [](std::string& cache) { cache.pop_back(); }},
        {"cache one byte long", nullptr, [](std::string& cache) { cache.push_back('\0'); }},
        {"magic corrupted", nullptr, [](std::string& cache) { cache[0] ^= 0x20; }},
        {"record corrupted", nullptr, [=](std::string& cache) { cache[records + 1000] ^= 1; }},
        {"string corrupted", nullptr, [](std::string& cache) { cache[cache.size() / 2] ^= 0x40; }},
        {"last byte corrupted", nullptr, [](std::string& cache) { cache.back() ^= 1; }},
        {"checksum corrupted", nullptr,
         [](std::string& cache) { cache[offsetof(IndexCacheHeader, checksum)] ^= 1; }},
        {"the format that cut lines after 1023 bytes", nullptr,
         patchHeader(offsetof(IndexCacheHeader, formatVersion), uint32_t(1))},
        {"other format version", nullptr,
         patchHeader(offsetof(IndexCacheHeader, formatVersion), uint32_t(3))},
        {"other wchar_t size", nullptr,
         patchHeader(offsetof(IndexCacheHeader, wideCharacterSize), uint32_t(2))},
        {"other byte order", nullptr,
         patchHeader(offsetof(IndexCacheHeader, byteOrderMark), uint64_t(0x0807060504030201ULL))},
        {"other device", nullptr,
         patchHeader(offsetof(IndexCacheHeader, device), uint64_t(statusOf(path).st_dev + 1))},
        {"other inode", nullptr,
         patchHeader(offsetof(IndexCacheHeader, inode), uint64_t(statusOf(path).st_ino + 1))},
        {"created within 2 s of the file's change", nullptr,
         patchHeader(offsetof(IndexCacheHeader, createdNs),
                     int64_t(old) * 1000000000LL + 123456789 + 1999999999LL)},
        {"other conversion", nullptr,
         [](std::string& cache) {
             std::memcpy(&cache[offsetof(IndexCacheHeader, conversion)], "utf-8", 5);
             patchHeader(0, cache[0])(cache);
         }},
        {"more lines than the file has bytes", nullptr,
         [](std::string& cache) {
             uint64_t fileSize = 0;
             std::memcpy(&fileSize, &cache[offsetof(IndexCacheHeader, fileSize)], sizeof fileSize);
             patchHeader(offsetof(IndexCacheHeader, lineCount), int32_t(fileSize + 1))(cache);
         }},
        {"more records than lines", nullptr,
         patchHeader(offsetof(IndexCacheHeader, lineCount), int32_t(10))},
        {"string offset out of bounds", nullptr,
         patchHeader(records + offsetof(IndexCacheRecord, word), uint32_t(0xFFFFFFF0u))},
        {"file offset out of bounds", nullptr,
         patchHeader(records + offsetof(IndexCacheRecord, fileLocation), int64_t(1) << 40)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        setModified(path, old, 123456789);
        CacheScope scope;
        loadIndex(path);
        ASSERT_NE(validCache(path), nullptr);
        if (test.changeFile) {
            test.changeFile(path);
        }
        if (test.changeCache) {
            std::string cache = readFile(cacheFile());
            test.changeCache(cache);
            writeFile(cacheFile(), cache);
        }
        EXPECT_EQ(validCache(path), nullptr);
        const LoadResult parsed = parsedIndex(path);
        const LoadResult loaded = loadIndex(path);
        EXPECT_EQ(loaded.records, parsed.records);
        EXPECT_EQ(withoutCacheTraces(loaded.messages), parsed.messages);
        EXPECT_NE(validCache(path), nullptr) << "not replaced";
        EXPECT_EQ(loadIndex(path).records, parsed.records);
    }
}

TEST_F(IndexCacheTest, FileRewrittenWithinItsTimestampIsNeverServedStale)
{
    CacheScope scope;
    // A coarse timestamp: the file keeps its second through both writes.
    const time_t second = time(nullptr);
    setModified(path, second);
    const LoadResult before = loadIndex(path);
    std::string bytes = readFile(path);
    bytes.replace(bytes.rfind("\xC7\xAD ["), 2, "\xB8\xA4");
    writeFile(path, bytes);
    setModified(path, second);
    const LoadResult after = loadIndex(path);
    EXPECT_EQ(after.records, parsedIndex(path).records);
    EXPECT_NE(after.records.back(), before.records.back());
    EXPECT_EQ(validCache(path), nullptr);
    EXPECT_FALSE(testfiles::exists(cacheFile()));
}

// What another user could plant, or bad luck leave, in the cache folder:
// the load never blocks, logs why at level 7, and parses as usual; an unsafe
// folder is neither read nor written.
TEST_F(IndexCacheTest, PlantedFilesAndUnsafeFoldersAreRefusedWithoutBlocking)
{
    struct Case
    {
        const char* name;
        std::function<bool(const std::string& folder, const std::string& cache)> plant;
        const char* message;
        bool replaced;  // a good cache is written after the load
    };
    const Case cases[] = {
        {"a FIFO at the cache path",
         [](const std::string&, const std::string& cache) {
             return unlink(cache.c_str()) == 0 && mkfifo(cache.c_str(), 0600) == 0;
         },
         "not a cache file of this user", true},
        {"a folder writable by others",
         [](const std::string& folder, const std::string&) {
             return chmod(folder.c_str(), 0777) == 0;
         },
         "the cache folder is writable by others", false},
        {"a folder writable by its group",
         [](const std::string& folder, const std::string&) {
             return chmod(folder.c_str(), 0770) == 0;
         },
         "the cache folder is writable by others", false},
        {"a folder of another user",
         [](const std::string& folder, const std::string&) {
             return geteuid() == 0 && chown(folder.c_str(), 4242, 4242) == 0;
         },
         "the cache folder is not this user's own", false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        CacheScope scope;
        const LoadResult parsed = parsedIndex(path);
        loadIndex(path);
        ASSERT_NE(validCache(path), nullptr);
        if (!test.plant(scope.cacheFolder(), cacheFile())) {
            std::printf("skipped: %s (needs root)\n", test.name);
            continue;
        }
        const struct stat before = statusOf(cacheFile());
        // Should the load block on a FIFO, a writer opened after 10 s frees it.
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool blocked = false;
        std::thread watchdog([&] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!done.wait_for(lock, std::chrono::seconds(10), [&] { return finished; })) {
                blocked = true;
                close(open(cacheFile().c_str(), O_WRONLY | O_NONBLOCK));
            }
        });
        const LoadResult loaded = loadIndex(path);
        {
            std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        done.notify_one();
        watchdog.join();
        EXPECT_FALSE(blocked);
        EXPECT_EQ(loaded.records, parsed.records);
        EXPECT_NE(loaded.messages.find(std::string("Ignoring the index cache '") + cacheFile()
                                       + "': " + test.message + "."),
                  std::string::npos) << loaded.messages;
        EXPECT_EQ(withoutCacheTraces(loaded.messages), parsed.messages);
        if (test.replaced) {
            EXPECT_NE(validCache(path), nullptr);
        } else {
            EXPECT_EQ(statusOf(cacheFile()).st_mtim.tv_nsec, before.st_mtim.tv_nsec) << "written";
            EXPECT_EQ(statusOf(cacheFile()).st_ino, before.st_ino) << "written";
        }
    }
}

// A store killed before its rename leaves a temporary file where the file
// system has no unnamed ones; the next load or store removes those that no
// running store holds (a store locks its file), and nothing else.
TEST_F(IndexCacheTest, LoadingAndStoringRemoveAbandonedTemporaryFilesOnly)
{
    // The cache's name is known only while caching is on, whatever the
    // environment the suite was started in.
    const std::string name = [this] {
        CacheScope scope;
        return cacheFile().substr(cacheFile().rfind('/') + 1);
    }();
    const time_t now = time(nullptr);
    struct File
    {
        std::string name;
        time_t modified;
        bool heldByAStore;
        bool kept;
    };
    const File files[] = {
        {name + ".Ab3xY9", now - 3600, false, false},
        {"0123456789abcdef.index.zzzzzz", now - 700, false, false},
        {name + ".Kl4mN0", now - 10, false, false},  // its store was killed
        {name + ".Qw7eR2", now - 10, true, true},  // a store is writing it now
        {name + ".Zx8cV1", now - 700, true, false},  // held far longer than any store takes
        {name + ".Fr3sh1", now, false, false},  // its store was killed a moment ago
        {name + ".short", now - 3600, false, true},
        {"notes.index.Ab3xY9", now - 3600, false, true},
        {"0123456789ABCDEF.index.Ab3xY9", now - 3600, false, true},
        {"other", now - 3600, false, true},
    };
    for (const bool byLoading : {true, false}) {
        SCOPED_TRACE(byLoading ? "a load" : "a store");
        CacheScope scope;
        ASSERT_EQ(mkdir(scope.cacheFolder().c_str(), 0700), 0);
        std::vector<std::unique_ptr<int, void (*)(int*)>> locks;
        for (const File& file : files) {
            const std::string full = scope.cacheFolder() + "/" + file.name;
            writeFile(full, "partial");
            setModified(full, file.modified);
            if (file.heldByAStore) {
                locks.emplace_back(new int(open(full.c_str(), O_RDONLY)), [](int* descriptor) {
                    close(*descriptor);
                    delete descriptor;
                });
                ASSERT_EQ(flock(*locks.back(), LOCK_EX | LOCK_NB), 0);
            }
        }
        if (byLoading) {
            EXPECT_EQ(validCache(path), nullptr);  // no cache yet: only the clean-up ran
        } else {
            loadIndex(path);
            ASSERT_NE(validCache(path), nullptr);
        }
        for (const File& file : files) {
            EXPECT_EQ(testfiles::exists(scope.cacheFolder() + "/" + file.name), file.kept)
                << file.name;
        }
    }
}

// A store killed while it writes (here by the file size limit) leaves no
// file where the file system has unnamed ones, and elsewhere a temporary
// file that the next start removes; the cache is whole or absent, never a part.
TEST_F(IndexCacheTest, AStoreKilledWhileWritingLeavesNothingBehind)
{
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed temporary file" : "named temporary file");
        CacheScope scope;
        IndexCache::setUnnamedTemporaries(unnamed);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            const struct rlimit limit = {64 << 10, 64 << 10};
            setrlimit(RLIMIT_FSIZE, &limit);
            Edict edict;
            edict.setFilename(path);
            edict.load();
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        IndexCache::setUnnamedTemporaries(true);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;

        std::vector<std::string> left;
        for (const auto& item : std::filesystem::directory_iterator(scope.cacheFolder()))
            left.push_back(item.path().string());
        EXPECT_FALSE(testfiles::exists(cacheFile()));
        ASSERT_EQ(left.size(), unnamed ? 0u : 1u);
        if (!unnamed) {
            EXPECT_EQ(validCache(path), nullptr);
            EXPECT_FALSE(testfiles::exists(left[0]));
        }
        EXPECT_EQ(loadIndex(path).records, parsedIndex(path).records);
        EXPECT_NE(validCache(path), nullptr);
    }
}

TEST_F(IndexCacheTest, NothingIsCachedWhenCachingCannotOrMustNotHappen)
{
    const std::string small = files.write("small", generatedEdict(3000, 3));
    setModified(small, old);
    ASSERT_LT(statusOf(small).st_size, 256 << 10);
    const std::string notAFolder = files.write("not-a-folder", "x");
    struct Case
    {
        const char* name;
        std::string dictionary;
        const char* cacheHome;  // null: unset
        const char* home;
        const char* setting;
    };
    const Case cases[] = {
        {"cache turned off", path, "", "/root", "0"},
        {"file under 256 kB", small, "", "/root", "1"},
        {"folder cannot be made", path, "/proc/no-such-folder", "/root", "1"},
        {"cache home is a file", path, notAFolder.c_str(), "/root", "1"},
        {"no cache home and no HOME", path, nullptr, nullptr, "1"},
        {"relative cache home and HOME", path, "relative", "relative", "1"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TempDir folder;
        const std::string cacheHome =
            test.cacheHome == nullptr ? "" : *test.cacheHome == '\0' ? folder.path : test.cacheHome;
        EnvironmentScope home("HOME", test.home);
        EnvironmentScope cache("XDG_CACHE_HOME", test.cacheHome != nullptr ? cacheHome.c_str() : nullptr);
        EnvironmentScope setting("DEXARU_INDEX_CACHE", test.setting);
        const LoadResult parsed = parsedIndex(test.dictionary);
        const LoadResult loaded = loadIndex(test.dictionary);
        EXPECT_EQ(loaded.status, 0);
        EXPECT_EQ(loaded.records, parsed.records);
        EXPECT_EQ(withoutCacheTraces(loaded.messages), parsed.messages);
        EXPECT_FALSE(std::filesystem::exists(folder.path + "/dexaru"));
        EXPECT_TRUE(std::filesystem::is_regular_file(notAFolder));
    }
}

TEST(ChecksumTest, VectorAndPlainPathsAgreeAndEverySingleChangeIsSeen)
{
    std::mt19937 random(11);
    std::string bytes(5000, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    for (size_t size : {0u, 1u, 7u, 63u, 64u, 65u, 1023u, 1024u, 1025u, 4999u}) {
        const uint64_t sum = checksum::of(bytes.data(), size);
        EXPECT_EQ(sum, checksum::ofPlain(bytes.data(), size)) << size;
        for (size_t position = 0; position < size; position += 1 + size / 13) {
            std::string changed = bytes;
            changed[position] ^= static_cast<char>(1 << (position % 8));
            EXPECT_NE(checksum::of(changed.data(), size), sum) << size << " " << position;
        }
    }
}

}  // namespace
