// The study list on disk: cards and their review log kept whole, files that
// are no study list refused and left as they were, writers killed in the
// middle and writers at the same time, and the two export formats.
#include "StudyList.h"

#include "TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string readBytes(const std::string& file)
{
    std::ifstream stream(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

StudyCard makeCard(const std::string& word, const std::string& reading, int64_t added = 1000000)
{
    StudyCard card;
    card.word = word;
    card.reading = reading;
    card.glosses = {"(n) cat", "(P)"};
    card.partsOfSpeech = {"n"};
    card.dictionary = "The usual edict";
    card.sentence = "猫が好きです。";
    card.added = added;
    return card;
}

// Runs SQL on a file outside the study list, to build foreign files.
void runSql(const std::string& file, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    char* message = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, &message)) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

std::string integrity(const std::string& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::string result = "cannot check";
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW) {
        result = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

// Another program: opens the file, runs the SQL and keeps its connection,
// with the lock or the uncommitted change the SQL left, until it is killed.
// Returns its process id once the SQL has run, or -1.
pid_t startProgramHolding(const std::string& file, const char* sql)
{
    int pipes[2];
    if (pipe(pipes) != 0) {
        return -1;
    }
    const pid_t child = fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
        const char ready = 1;
        if (write(pipes[1], &ready, 1) != 1) {
            _exit(5);
        }
        pause();
        _exit(0);
    }
    char ready = 0;
    const bool holding = child > 0 && read(pipes[0], &ready, 1) == 1;
    close(pipes[0]);
    close(pipes[1]);
    return holding ? child : -1;
}

void killProgram(pid_t child)
{
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

TEST(StudyListTest, KeepsEveryFieldOfACardAndOneCardPerWord)
{
    testfiles::TempDir folder;
    const std::string file = folder.path + "/new/deeper/study.sqlite";
    StudyList list;
    ASSERT_EQ(0, list.open(file)) << list.getError();

    StudyCard full = makeCard("食べる", "たべる", 1765188000);
    full.glosses = {"(v1,vt) to eat", "to live on (e.g. a salary)", "comma, \"quote\""};
    full.partsOfSpeech = {"v1", "vt"};
    full.sentence = "猫が魚を食べた。\nNew line\tand tab";
    full.source = StudyCard::SOURCE_READ_TEXT;
    full.tags = "food verbs";
    full.note = "ichidan";
    StudyCard bare = makeCard("ねこ", "ねこ");
    bare.glosses.clear();
    bare.partsOfSpeech.clear();
    bare.sentence.clear();
    bare.source = StudyCard::SOURCE_COPIED_TEXT;
    const StudyCard cards[] = {full, bare, makeCard("猫", "ねこ"), makeCard("猫", "びょう")};

    std::vector<int64_t> ids;
    for (const StudyCard& card : cards) {
        bool added = false;
        ids.push_back(list.addCard(card, &added));
        EXPECT_GT(ids.back(), 0) << card.word << list.getError();
        EXPECT_TRUE(added) << card.word;
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        // The same word and reading again: nothing added, the same id.
        bool added = true;
        EXPECT_EQ(ids[i], list.addCard(cards[i], &added)) << cards[i].word;
        EXPECT_FALSE(added) << cards[i].word;
    }
    list.close();

    // Read back by a fresh connection, as the next program run would.
    StudyList reader;
    ASSERT_EQ(0, reader.open(file, StudyList::OPEN_READ_ONLY)) << reader.getError();
    std::vector<StudyCard> kept;
    ASSERT_EQ(0, reader.getCards(&kept));
    ASSERT_EQ(4u, kept.size());
    for (size_t i = 0; i < kept.size(); ++i) {
        const StudyCard& in = cards[i];
        const StudyCard& out = kept[i];
        EXPECT_EQ(ids[i], out.id);
        EXPECT_EQ(in.word, out.word);
        EXPECT_EQ(in.reading, out.reading);
        EXPECT_EQ(in.glosses, out.glosses);
        EXPECT_EQ(in.partsOfSpeech, out.partsOfSpeech);
        EXPECT_EQ(in.dictionary, out.dictionary);
        EXPECT_EQ(in.sentence, out.sentence);
        EXPECT_EQ(in.source, out.source);
        EXPECT_EQ(in.added, out.added);
        EXPECT_EQ(in.tags, out.tags);
        EXPECT_EQ(in.note, out.note);
        EXPECT_EQ(CardSchedule::STATE_NEW, out.schedule.state);
        EXPECT_EQ(in.added, out.schedule.due) << "a new card is due when it is added";
    }
    EXPECT_EQ(ids[2], reader.findCard("猫", "ねこ"));
    EXPECT_EQ(0, reader.findCard("猫", "ネコ"));
    EXPECT_EQ(-1, reader.addCard(makeCard("犬", "いぬ"))) << "a read-only list takes no change";
    EXPECT_NE(std::string::npos, reader.getError().find(file));

    // The folders made for it and the file are the user's alone.
    struct stat status;
    ASSERT_EQ(0, stat((folder.path + "/new/deeper").c_str(), &status));
    EXPECT_EQ(0700u, status.st_mode & 0777);
    ASSERT_EQ(0, stat(file.c_str(), &status));
    EXPECT_EQ(0600u, status.st_mode & 0777);
    EXPECT_EQ("ok", integrity(file));
}

TEST(StudyListTest, GradesAreLoggedWithTheScheduleBeforeAndAfter)
{
    testfiles::TempDir folder;
    StudyList list;
    ASSERT_EQ(0, list.open(folder.path + "/study.sqlite")) << list.getError();
    const int64_t start = 1765188000;  // 2025-12-08T10:00:00Z
    const int64_t cat = list.addCard(makeCard("猫", "ねこ", start));
    const int64_t dog = list.addCard(makeCard("犬", "いぬ", start + 10));
    const int64_t bird = list.addCard(makeCard("鳥", "とり", start + 5));

    // Due at the time they were added, earliest first.
    std::vector<int64_t> due;
    ASSERT_EQ(0, list.getDueCards(start + 60, &due));
    EXPECT_EQ((std::vector<int64_t>{cat, bird, dog}), due);
    EXPECT_EQ(2, list.countDueCards(start + 5));
    EXPECT_EQ(cat, list.getNextDueCard(start + 60));
    EXPECT_EQ(0, list.getNextDueCard(start - 1));

    const FsrsScheduler& scheduler = list.getScheduler();
    const struct {
        int rating;
        int64_t at;
    } reviews[] = {{FsrsScheduler::RATING_GOOD, start + 60},
                   {FsrsScheduler::RATING_GOOD, start + 700},
                   {FsrsScheduler::RATING_AGAIN, start + 5 * 86400},
                   {FsrsScheduler::RATING_EASY, start + 5 * 86400 + 600}};
    CardSchedule expected = FsrsScheduler::newCard(start);
    for (const auto& review : reviews) {
        CardSchedule after;
        ASSERT_EQ(0, list.gradeCard(cat, review.rating, review.at, &after)) << list.getError();
        ASSERT_EQ(0, scheduler.review(expected, review.rating, review.at, &expected));
        EXPECT_EQ(expected.due, after.due);
    }
    std::vector<StudyReview> log;
    ASSERT_EQ(0, list.getReviews(cat, &log));
    ASSERT_EQ(4u, log.size());
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(reviews[i].at, log[i].time);
        EXPECT_EQ(reviews[i].rating, log[i].rating);
        EXPECT_EQ(int(i), log[i].before.reps);
        EXPECT_EQ(int(i + 1), log[i].after.reps);
        if (i > 0) {
            EXPECT_EQ(log[i - 1].after.due, log[i].before.due);
        }
    }
    StudyCard stored;
    ASSERT_EQ(0, list.getCard(cat, &stored));
    EXPECT_EQ(expected.due, stored.schedule.due);
    EXPECT_EQ(1, stored.schedule.lapses);

    // What cannot be a review changes nothing.
    const struct {
        const char* what;
        int64_t id;
        int rating;
        int64_t at;
        int result;
    } refused[] = {{"unknown card", 999, 3, start + 9 * 86400, 1},
                   {"rating 0", dog, 0, start + 86400, -1},
                   {"rating 5", dog, 5, start + 86400, -1},
                   {"a day before the last review", cat, 3, start + 86400, -1}};
    for (const auto& r : refused) {
        EXPECT_EQ(r.result, list.gradeCard(r.id, r.rating, r.at)) << r.what;
        if (r.result < 0) {
            EXPECT_FALSE(list.getError().empty()) << r.what;
        }
    }
    ASSERT_EQ(0, list.getReviews(cat, &log));
    EXPECT_EQ(4u, log.size());

    // Removing takes the card and its reviews.
    EXPECT_EQ(0, list.removeCard(cat));
    EXPECT_EQ(1, list.removeCard(cat));
    EXPECT_EQ(1, list.getCard(cat, &stored));
    ASSERT_EQ(0, list.getReviews(cat, &log));
    EXPECT_TRUE(log.empty());

    // The desired retention is kept in the file.
    EXPECT_EQ(0, list.setDesiredRetention(0.85));
    EXPECT_EQ(-1, list.setDesiredRetention(1.5));
    const std::string file = list.getFilename();
    list.close();
    StudyList again;
    ASSERT_EQ(0, again.open(file));
    EXPECT_DOUBLE_EQ(0.85, again.getDesiredRetention());
}

TEST(StudyListTest, TheFileComesFromTheEnvironment)
{
    const char* names[] = {"DEXARU_STUDY_FILE", "XDG_DATA_HOME", "HOME"};
    std::vector<std::pair<bool, std::string>> saved;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        saved.emplace_back(value != nullptr, value ? value : "");
    }
    const struct {
        const char* studyFile;
        const char* dataHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/my.sqlite", "/data", "/home/a", "/x/my.sqlite"},
        {"", "/data", "/home/a", "/data/dexaru/study.sqlite"},
        {nullptr, "/data", "/home/a", "/data/dexaru/study.sqlite"},
        {nullptr, nullptr, "/home/a", "/home/a/.local/share/dexaru/study.sqlite"},
        {nullptr, "relative", "/home/a", "/home/a/.local/share/dexaru/study.sqlite"},
    };
    for (const auto& c : cases) {
        const char* values[] = {c.studyFile, c.dataHome, c.home};
        for (int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
        }
        EXPECT_EQ(c.expected, StudyList::getDefaultFilename());
    }
    for (int i = 0; i < 3; ++i) {
        saved[i].first ? setenv(names[i], saved[i].second.c_str(), 1) : unsetenv(names[i]);
    }
}

TEST(StudyListTest, FilesThatAreNoStudyListAreRefusedAndLeftAsTheyWere)
{
    testfiles::TempDir folder;
    // A real study list with some cards, to damage.
    const std::string good = folder.path + "/good.sqlite";
    {
        StudyList list;
        ASSERT_EQ(0, list.open(good));
        for (int i = 0; i < 40; ++i) {
            StudyCard card = makeCard("語" + std::to_string(i), "ご", 1000 + i);
            card.sentence = std::string(800, 'a' + i % 26);
            list.addCard(card);
        }
    }
    runSql(good, "PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode = DELETE;");
    const std::string whole = readBytes(good);
    ASSERT_GT(whole.size(), 8192u);

    const std::string text = folder.write("notes.txt", "My notes about 猫\nand more\n");
    const std::string binary = folder.write("random.bin", std::string("\x7f" "ELF\x02\x01\x01", 7)
                                                              + std::string(5000, '\xA5'));
    const std::string header = folder.write("header-only.sqlite",
                                            std::string("SQLite format 3\0", 16) + std::string(84, '\xFF'));
    const std::string truncated = folder.write("truncated.sqlite", whole.substr(0, whole.size() / 2 + 100));
    const std::string other = folder.path + "/other.sqlite";
    runSql(other, "CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ('x');");
    const std::string newer = folder.path + "/newer.sqlite";
    runSql(newer, "CREATE TABLE cards (id INTEGER); PRAGMA application_id = 1148736372;"
                  " PRAGMA user_version = 99;");
    std::string corrupt = whole;
    for (size_t at = 4096; at < corrupt.size(); at += 7) {
        corrupt[at] = '\x5A';  // scribbled over every page after the first
    }
    const std::string scribbled = folder.write("scribbled.sqlite", corrupt);

    const struct {
        const char* what;
        std::string file;
        const char* says;
    } cases[] = {
        {"a text file", text, "not a study list"},
        {"a program", binary, "not a study list"},
        {"an SQLite header and nothing else", header, ""},
        {"a truncated study list", truncated, ""},
        {"another program's database", other, "another program"},
        {"a newer study list", newer, "newer version"},
        {"a scribbled study list", scribbled, ""},
        {"a folder", folder.path, "folder"},
    };
    for (const auto& c : cases) {
        for (int mode : {StudyList::OPEN_READ_WRITE, StudyList::OPEN_READ_ONLY}) {
            const std::string before = c.file == folder.path ? "" : readBytes(c.file);
            StudyList list;
            EXPECT_EQ(-1, list.open(c.file, mode)) << c.what;
            EXPECT_NE(std::string::npos, list.getError().find("'" + c.file + "'"))
                << c.what << ": " << list.getError();
            EXPECT_NE(std::string::npos, list.getError().find(c.says))
                << c.what << ": " << list.getError();
            EXPECT_EQ(-1, list.addCard(makeCard("猫", "ねこ"))) << c.what;
            if (c.file != folder.path) {
                EXPECT_EQ(before, readBytes(c.file)) << c.what << ": the file was written";
                EXPECT_FALSE(testfiles::exists(c.file + "-wal")) << c.what;
            }
        }
    }

    // A read-only study list can be read but not changed (not for root,
    // whom no mode stops).
    ASSERT_EQ(0, chmod(good.c_str(), 0444));
    StudyList list;
    if (geteuid() != 0) {
        EXPECT_EQ(-1, list.open(good, StudyList::OPEN_READ_WRITE));
        EXPECT_NE(std::string::npos, list.getError().find("read-only")) << list.getError();
        ASSERT_EQ(0, list.open(good, StudyList::OPEN_READ_ONLY)) << list.getError();
        EXPECT_EQ(40, list.countDueCards(5000));
        EXPECT_EQ(-1, list.gradeCard(1, FsrsScheduler::RATING_GOOD, 5000));
        list.close();
        EXPECT_EQ(whole, readBytes(good));
    }
}

// Adds cards named by the prefix until killed, writing the id of each card
// to the pipe once addCard has returned it.
[[noreturn]] void addUntilKilled(const std::string& file, int pipe, const std::string& prefix)
{
    StudyList list;
    if (list.open(file) != 0) {
        _exit(3);
    }
    for (int i = 0;; ++i) {
        StudyCard card = makeCard(prefix + std::to_string(i), "よみ");
        card.sentence = std::string(2000, 'x');  // pages to write, room to be killed in
        const int64_t id = list.addCard(card);
        if (id <= 0 || list.gradeCard(id, FsrsScheduler::RATING_GOOD, 2000000) != 0) {
            _exit(4);
        }
        if (write(pipe, &id, sizeof id) != sizeof id) {
            _exit(5);
        }
    }
}

TEST(StudyListTest, AWriterKilledAtAnyMomentLosesNothingItAcknowledged)
{
    testfiles::TempDir folder;
    const std::string file = folder.path + "/study.sqlite";
    std::set<int64_t> acknowledged;
    for (int round = 0; round < 12; ++round) {
        int pipes[2];
        ASSERT_EQ(0, pipe(pipes));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipes[0]);
            addUntilKilled(file, pipes[1], "r" + std::to_string(round) + "-");
        }
        close(pipes[1]);
        usleep(20000 + round * 7919 % 60000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status)) << "round " << round << ": the writer stopped by itself";
        int64_t id = 0;
        while (read(pipes[0], &id, sizeof id) == sizeof id) {
            acknowledged.insert(id);
        }
        close(pipes[0]);

        EXPECT_EQ("ok", integrity(file)) << "round " << round;
        StudyList list;
        ASSERT_EQ(0, list.open(file)) << list.getError();
        for (int64_t kept : acknowledged) {
            StudyCard card;
            ASSERT_EQ(0, list.getCard(kept, &card)) << "round " << round << ": card " << kept << " was lost";
            EXPECT_EQ(1, card.schedule.reps) << "round " << round << ": the grade of " << kept;
        }
    }
    EXPECT_GT(acknowledged.size(), 12u);
}

TEST(StudyListTest, ATransactionCutOffLeavesNoTrace)
{
    testfiles::TempDir folder;
    const std::string file = folder.path + "/study.sqlite";
    {
        StudyList list;
        ASSERT_EQ(0, list.open(file));
        ASSERT_GT(list.addCard(makeCard("猫", "ねこ")), 0);
    }
    // Half a change: written to the log, never committed.
    const pid_t child = startProgramHolding(
        file, "BEGIN IMMEDIATE; DELETE FROM cards; UPDATE cards SET word = 'x';");
    ASSERT_GT(child, 0);
    killProgram(child);

    StudyList list;
    ASSERT_EQ(0, list.open(file)) << list.getError();
    EXPECT_EQ(1, list.findCard("猫", "ねこ"));
    EXPECT_GT(list.addCard(makeCard("犬", "いぬ")), 0) << list.getError();
    EXPECT_EQ("ok", integrity(file));
}

TEST(StudyListTest, ALockNeverLetGoIsReportedAndNothingIsLost)
{
    testfiles::TempDir folder;
    const std::string file = folder.path + "/study.sqlite";
    StudyList list;
    list.setLockTimeout(200);
    ASSERT_EQ(0, list.open(file));
    const int64_t cat = list.addCard(makeCard("猫", "ねこ", 1000));
    // Another program takes the write lock and keeps it.
    const pid_t child = startProgramHolding(file, "BEGIN IMMEDIATE");
    ASSERT_GT(child, 0);
    const struct {
        const char* what;
        int64_t result;
    } changes[] = {{"add", list.addCard(makeCard("犬", "いぬ"))},
                   {"grade", list.gradeCard(cat, FsrsScheduler::RATING_GOOD, 2000)},
                   {"remove", list.removeCard(cat)}};
    for (const auto& change : changes) {
        EXPECT_EQ(-1, change.result) << change.what;
    }
    EXPECT_NE(std::string::npos, list.getError().find("'" + file + "' is locked by another program"))
        << list.getError();
    // Reading goes on beside the writer.
    EXPECT_EQ(1, list.countDueCards(5000));
    killProgram(child);
    EXPECT_GT(list.addCard(makeCard("犬", "いぬ")), 0) << list.getError();
    EXPECT_EQ(0, list.gradeCard(cat, FsrsScheduler::RATING_GOOD, 2000)) << list.getError();
    EXPECT_EQ("ok", integrity(file));
}

TEST(StudyListTest, WritersAtTheSameTimeAllSucceed)
{
    testfiles::TempDir folder;
    const std::string file = folder.path + "/fresh/study.sqlite";  // created by whoever is first
    const int writers = 4;
    const int cardsEach = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < writers; ++w) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            StudyList list;
            // A loaded machine may keep each writer waiting for the others'
            // synced commits beyond the usual timeout; none may fail for it.
            list.setLockTimeout(60000);
            if (list.open(file) != 0) {
                std::fprintf(stderr, "writer %d: %s\n", w, list.getError().c_str());
                _exit(3);
            }
            for (int i = 0; i < cardsEach; ++i) {
                const int64_t id = list.addCard(makeCard("w" + std::to_string(w) + "-" + std::to_string(i), "よみ"));
                // Every writer also adds the same word: one card for all.
                const int64_t shared = list.addCard(makeCard("共有", "きょうゆう"));
                if (id <= 0 || shared <= 0 || list.gradeCard(shared, 3, 2000000) != 0) {
                    std::fprintf(stderr, "writer %d: %s\n", w, list.getError().c_str());
                    _exit(4);
                }
            }
            _exit(0);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "writer exit status " << WEXITSTATUS(status);
    }
    StudyList list;
    ASSERT_EQ(0, list.open(file)) << list.getError();
    std::vector<StudyCard> cards;
    ASSERT_EQ(0, list.getCards(&cards));
    EXPECT_EQ(size_t(writers * cardsEach + 1), cards.size());
    std::vector<StudyReview> reviews;
    ASSERT_EQ(0, list.getReviews(list.findCard("共有", "きょうゆう"), &reviews));
    EXPECT_EQ(size_t(writers * cardsEach), reviews.size());
    EXPECT_EQ("ok", integrity(file));
}

// Splits RFC 4180 text into records of fields.
std::vector<std::vector<std::string>> parseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        std::string& field = records.back().back();
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.emplace_back(1);
            ++i;
        } else {
            field += c;
        }
    }
    if (records.back().size() == 1 && records.back()[0].empty()) {
        records.pop_back();
    }
    return records;
}

TEST(StudyListTest, ExportsEscapeWhatWouldShiftAColumn)
{
    testfiles::TempDir folder;
    StudyList list;
    ASSERT_EQ(0, list.open(folder.path + "/study.sqlite"));
    const std::string hostile[] = {
        "plain", "comma, inside", "\"quoted\"", "line\nbreak", "crlf\r\nbreak", "tab\there",
        "<b>markup</b> & more", "#separator:comma", "\"", "trailing,", "",
    };
    for (size_t i = 0; i < sizeof hostile / sizeof hostile[0]; ++i) {
        StudyCard card = makeCard(hostile[i] + std::to_string(i), "よみ" + std::to_string(i));
        card.glosses = {hostile[i], "second"};
        card.sentence = hostile[i];
        card.note = hostile[i];
        card.tags = hostile[i];
        ASSERT_GT(list.addCard(card), 0) << hostile[i];
    }
    const size_t count = sizeof hostile / sizeof hostile[0];

    std::string csv;
    ASSERT_EQ(0, list.exportCards(StudyList::EXPORT_CSV, &csv));
    const auto records = parseCsv(csv);
    ASSERT_EQ(count + 1, records.size());
    const size_t columns = records[0].size();
    EXPECT_EQ("word", records[0][0]);
    for (size_t i = 0; i < count; ++i) {
        const std::vector<std::string>& record = records[i + 1];
        ASSERT_EQ(columns, record.size()) << hostile[i];
        EXPECT_EQ(hostile[i] + std::to_string(i), record[0]);
        EXPECT_EQ(hostile[i] + "; second", record[2]);
        EXPECT_EQ(hostile[i], record[4]);
    }

    std::string anki;
    ASSERT_EQ(0, list.exportCards(StudyList::EXPORT_ANKI, &anki));
    std::istringstream lines(anki);
    std::string line;
    std::vector<std::string> headers, rows;
    while (std::getline(lines, line)) {
        (rows.empty() && line.compare(0, 1, "#") == 0 ? headers : rows).push_back(line);
    }
    EXPECT_EQ((std::vector<std::string>{"#separator:tab", "#html:true",
                                        "#columns:Word\tReading\tMeaning\tSentence\tNote\tTags",
                                        "#tags column:6"}),
              headers);
    ASSERT_EQ(count, rows.size());
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(5, std::count(rows[i].begin(), rows[i].end(), '\t')) << rows[i];
        EXPECT_EQ(std::string::npos, rows[i].find('\r')) << rows[i];
        EXPECT_NE('"', rows[i][0]) << rows[i];
        EXPECT_NE('#', rows[i][0]) << rows[i];
    }
    EXPECT_NE(std::string::npos, anki.find("&lt;b&gt;markup&lt;/b&gt; &amp; more"));
    EXPECT_NE(std::string::npos, anki.find("line<br>break"));
}

TEST(StudyListTest, TheWordIsBoldInItsSentence)
{
    // Through the Anki export, whose fourth column is the sentence.
    testfiles::TempDir folder;
    StudyList list;
    ASSERT_EQ(0, list.open(folder.path + "/study.sqlite"));
    const struct {
        const char* word;
        const char* sentence;
        const char* bold;
    } cases[] = {
        {"猫", "猫が好きです。", "<b>猫</b>が好きです。"},
        {"食べる", "魚を食べた。", "魚を<b>食べ</b>た。"},
        {"行く", "学校に行った", "学校に<b>行</b>った"},
        {"犬", "猫が好き", "猫が好き"},
        {"a<b", "x a<b y", "x <b>a&lt;b</b> y"},
        {"猫", "", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        StudyCard card = makeCard(c.word, std::to_string(n++));
        card.sentence = c.sentence;
        list.addCard(card);
    }
    std::string anki;
    ASSERT_EQ(0, list.exportCards(StudyList::EXPORT_ANKI, &anki));
    std::istringstream lines(anki);
    std::string line;
    n = 0;
    while (std::getline(lines, line)) {
        if (line[0] == '#') {
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream columns(line);
        std::string field;
        while (std::getline(columns, field, '\t')) {
            fields.push_back(field);
        }
        fields.resize(6);
        EXPECT_EQ(cases[n].bold, fields[3]) << cases[n].word;
        ++n;
    }
    EXPECT_EQ(6, n);
}

TEST(StudyListTest, TimesAreIsoUtcToTheSecond)
{
    const struct {
        const char* text;
        int64_t time;
    } good[] = {{"1970-01-01T00:00:00Z", 0},
                {"2026-12-08T10:00:00Z", 1796724000},
                {"2000-02-29T23:59:59Z", 951868799},
                {"1969-12-31T23:59:59Z", -1}};
    for (const auto& g : good) {
        int64_t time = 0;
        EXPECT_EQ(0, StudyList::parseTime(g.text, &time)) << g.text;
        EXPECT_EQ(g.time, time) << g.text;
        EXPECT_EQ(g.text, StudyList::formatTime(g.time));
    }
    const char* bad[] = {"", "now", "2026-12-08", "2026-12-08T10:00:00", "2026-12-08 10:00:00Z",
                         "2026-13-08T10:00:00Z", "2026-02-29T10:00:00Z", "2026-12-08T24:00:00Z",
                         "2026-12-08T10:60:00Z", "2026-12-32T10:00:00Z", "2026-12-08T10:00:00+01:00",
                         "2026-12-08T10:00:00.5Z", "+026-12-08T10:00:00Z", "2026-12-08t10:00:00z"};
    for (const char* text : bad) {
        int64_t time = 42;
        EXPECT_EQ(-1, StudyList::parseTime(text, &time)) << text;
        EXPECT_EQ(42, time) << text;
    }
}

}  // namespace
