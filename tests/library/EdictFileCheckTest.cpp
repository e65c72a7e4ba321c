// Telling an EDICT dictionary from another file chosen by mistake: the
// header line, the shape of an entry line, and the verdict over the first
// lines of fixture files, of the real dictionaries and of /etc/passwd.
#include "EdictFileCheck.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

using testfiles::euc;

TEST(EdictFileCheckTest, HeaderAndEntryLines)
{
    const struct {
        std::string line;
        bool header, entry;
    } lines[] = {
        {euc("　？？？ /EDICT, EDICT_SUB(P), EDICT2 Japanese-English/Created: 2021-02-03/\n"), true,
         true},
        {euc("？？？？ /EDICT/\r\n"), true, true},
        {"\xE3\x80\x80\xEF\xBC\x9F\xEF\xBC\x9F /EDICT in UTF-8/", true, true},
        {euc("猫 [ねこ] /(n) cat/(P)/"), false, true},
        {euc("ヽ /(unc) repetition mark in katakana/\n"), false, true},
        {euc("１０進演算 [じっしんえんざん] /(n) decimal arithmetic/\r\n"), false, true},
        {euc("猫 [ねこ]/(n) cat/"), false, false},
        {euc("猫 [ねこ] /(n) cat"), false, false},
        {euc("猫 [] /(n) cat/"), false, false},
        {euc("猫 [ねこ /(n) cat/"), false, false},
        {euc("猫 //"), false, false},
        {" /leading space/", false, false},
        {"root:x:0:0:root:/root:/bin/bash", false, false},
        {"systemd-network:x:998:998:systemd Network Management:/:/usr/sbin/nologin", false, false},
        {"# a comment line", false, false},
        {"", false, false},
    };
    for (const auto& line : lines) {
        EXPECT_EQ(EdictFileCheck::isHeaderLine(line.line), line.header) << line.line;
        EXPECT_EQ(EdictFileCheck::isEntryLine(line.line), line.entry) << line.line;
    }
}

TEST(EdictFileCheckTest, VerdictOverTheFirstLines)
{
    const std::string header = euc("　？？？ /EDICT/\n");
    const std::string entry = euc("猫 [ねこ] /(n) cat/(P)/\n");
    const std::string other = "root:x:0:0:root:/root:/bin/bash\n";
    const auto lines = [](const std::string& line, int times) { return testfiles::repeat(line, times); };
    const struct {
        const char* what;
        std::string text;
        bool header, looksLikeEdict;
        int read, entries;
    } files[] = {
        {"a dictionary", header + lines(entry, 20), true, true, 20, 20},
        {"no header, entries only", lines(entry, 20), false, true, 20, 20},
        {"no header, one line in ten no entry", lines(entry, 18) + lines(other, 2), false, true, 20, 18},
        {"no header, one line in five no entry", lines(entry, 16) + lines(other, 4), false, false, 20, 16},
        {"a header, then half no entries", header + lines(entry, 10) + lines(other, 10), true, false, 20, 10},
        {"a header, then most lines entries", header + lines(entry, 11) + lines(other, 9), true, true, 20, 11},
        {"a password file", lines(other, 30), false, false, 30, 0},
        {"blank lines do not count", header + "\n\n" + entry + "\r\n", true, true, 1, 1},
        {"an empty file", "", false, true, 0, 0},
        {"only the first lines are read", lines(entry, EdictFileCheck::SAMPLED_LINES) + lines(other, 50),
         false, true, EdictFileCheck::SAMPLED_LINES, EdictFileCheck::SAMPLED_LINES},
    };
    testfiles::TempDir folder;
    for (const auto& file : files) {
        for (const EdictFileCheck& check :
             {EdictFileCheck::ofText(file.text), EdictFileCheck::ofFile(folder.write("f", file.text))}) {
            EXPECT_TRUE(check.opened) << file.what;
            EXPECT_EQ(check.header, file.header) << file.what;
            EXPECT_EQ(check.looksLikeEdict(), file.looksLikeEdict) << file.what;
            EXPECT_EQ(check.linesRead, file.read) << file.what;
            EXPECT_EQ(check.entryLines, file.entries) << file.what;
        }
    }
    // Nothing to judge, and nothing waited for: a missing file, a folder, a
    // pipe without a writer.
    const std::string pipe = folder.path + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {folder.path + "/no such file", folder.path, pipe}) {
        const EdictFileCheck unread = EdictFileCheck::ofFile(path);
        EXPECT_FALSE(unread.opened) << path;
        EXPECT_FALSE(unread.looksLikeEdict()) << path;
    }
}

TEST(EdictFileCheckTest, RealDictionariesPassAndThePasswordFileDoesNot)
{
    for (const char* name : {"edict", "compdic", "enamdict"}) {
        const std::string path = std::string(DEXARU_RUNTIME_DIR "/dictionaries/edict/") + name;
        if (access(path.c_str(), R_OK) != 0) {
            std::printf("No dictionary at %s\n", path.c_str());
            continue;
        }
        const EdictFileCheck check = EdictFileCheck::ofFile(path);
        EXPECT_TRUE(check.looksLikeEdict()) << name << ": " << check.entryLines << " of " << check.linesRead;
        EXPECT_EQ(check.linesRead, EdictFileCheck::SAMPLED_LINES - (check.header ? 1 : 0)) << name;
    }
    if (access("/etc/passwd", R_OK) == 0) {
        EXPECT_FALSE(EdictFileCheck::ofFile("/etc/passwd").looksLikeEdict());
    }
}
