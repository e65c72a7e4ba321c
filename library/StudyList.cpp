#include "StudyList.h"

#include "internal/SqliteHandles.h"
#include "internal/StudyExport.h"
#include "internal/StudySchema.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using sqlitehandles::Statement;
using sqlitehandles::WriteTransaction;

namespace {

// Far longer than any one change of another program takes, short enough
// to report a lock that is never let go.
const int busyTimeoutMilliseconds = 5000;

const char* const cardColumns =
    "id, word, reading, glosses, parts_of_speech, dictionary, sentence, source, added, tags,"
    " note, state, due, stability, difficulty, elapsed_days, scheduled_days, reps, lapses,"
    " learning_step, last_review";
const int scheduleColumn = 11;

// Between the items of a list kept in one column (glosses, parts of speech):
// the ASCII unit separator, which no text of a dictionary holds.
const char listSeparator = '\x1f';

std::string joined(const std::vector<std::string>& items, char separator)
{
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        text += (i ? std::string(1, separator) : std::string()) + items[i];
    }
    return text;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> items;
    if (text.empty()) {
        return items;
    }
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        items.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return items;
        }
        start = end + 1;
    }
}

// Binds the ten schedule fields from the index on.
void bindSchedule(Statement& statement, int index, const CardSchedule& s)
{
    statement.bind(index, int64_t(s.state))
        .bind(index + 1, s.due)
        .bind(index + 2, s.stability)
        .bind(index + 3, s.difficulty)
        .bind(index + 4, int64_t(s.elapsedDays))
        .bind(index + 5, int64_t(s.scheduledDays))
        .bind(index + 6, int64_t(s.reps))
        .bind(index + 7, int64_t(s.lapses))
        .bind(index + 8, int64_t(s.learningStep))
        .bind(index + 9, s.lastReview);
}

CardSchedule readSchedule(const Statement& row, int column)
{
    CardSchedule s;
    s.state = static_cast<int>(row.integer(column));
    s.due = row.integer(column + 1);
    s.stability = row.real(column + 2);
    s.difficulty = row.real(column + 3);
    s.elapsedDays = static_cast<int>(row.integer(column + 4));
    s.scheduledDays = static_cast<int>(row.integer(column + 5));
    s.reps = static_cast<int>(row.integer(column + 6));
    s.lapses = static_cast<int>(row.integer(column + 7));
    s.learningStep = static_cast<int>(row.integer(column + 8));
    s.lastReview = row.integer(column + 9);
    return s;
}

StudyCard readCard(const Statement& row)
{
    StudyCard card;
    card.id = row.integer(0);
    card.word = row.text(1);
    card.reading = row.text(2);
    card.glosses = split(row.text(3), listSeparator);
    card.partsOfSpeech = split(row.text(4), listSeparator);
    card.dictionary = row.text(5);
    card.sentence = row.text(6);
    card.source = StudyList::getSourceFromName(row.text(7));
    if (card.source < 0) {
        card.source = StudyCard::SOURCE_TYPED;
    }
    card.added = row.integer(8);
    card.tags = row.text(9);
    card.note = row.text(10);
    card.schedule = readSchedule(row, scheduleColumn);
    return card;
}

// Creates the missing folders of the path, readable by the user alone.
bool makeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return true;
}

// The first column of the first row, or the empty string; the statement is
// done with before this returns, so that it holds no lock.
std::string queryText(sqlite3* connection, const char* sql)
{
    Statement statement(connection, sql);
    return statement.ok() && statement.step() ? statement.text(0) : std::string();
}

int64_t civilToDays(int64_t year, unsigned month, unsigned day)
{
    // Days from 1970-01-01 of a proleptic Gregorian date.
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<int64_t>(dayOfEra) - 719468;
}

}  // namespace

struct StudyList::Connection
{
    sqlitehandles::Connection handle;
    sqlite3* get() const { return handle.get(); }
};

namespace {

int64_t monotonicMilliseconds()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

StudyList::StudyList() : lockTimeout(busyTimeoutMilliseconds)
{
}

void StudyList::setLockTimeout(int milliseconds)
{
    lockTimeout = milliseconds;
}

StudyList::~StudyList()
{
    close();
}

std::string StudyList::getDefaultFilename()
{
    const char* file = std::getenv("DEXARU_STUDY_FILE");
    if (file != nullptr && *file != '\0') {
        return file;
    }
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (data != nullptr && data[0] == '/') {
        folder = data;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    return folder + "/dexaru/study.sqlite";
}

int StudyList::fail(const std::string& problem)
{
    error = "'" + filename + "' " + problem;
    return -1;
}

int StudyList::failLocked()
{
    locked = true;
    return fail("is locked by another program; try again when it is done.");
}

int StudyList::failSql(const char* doing)
{
    sqlite3* db = connection ? connection->get() : nullptr;
    const int code = db != nullptr ? sqlite3_errcode(db) : SQLITE_ERROR;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
        return failLocked();
    }
    if (code == SQLITE_READONLY) {
        return fail("is read-only: cannot " + std::string(doing) + ".");
    }
    if (code == SQLITE_FULL) {
        return fail("cannot be written: the disk is full.");
    }
    return fail("could not " + std::string(doing) + ": "
                + (db != nullptr ? sqlite3_errmsg(db) : "no connection") + ".");
}

// Looks at an existing file through a read-only connection, so that nothing
// is written to a file that turns out not to be a study list.
int StudyList::checkFile(const std::string& path)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sqlitehandles::Connection check(raw);
    if (opened != SQLITE_OK) {
        return fail("cannot be opened: " + std::string(raw ? sqlite3_errmsg(raw) : "no memory")
                    + ".");
    }
    sqlite3_busy_timeout(raw, lockTimeout);
    Statement header(raw, "SELECT (SELECT application_id FROM pragma_application_id),"
                          " (SELECT user_version FROM pragma_user_version),"
                          " (SELECT count(*) FROM sqlite_schema)");
    if (!header.ok() || !header.step()) {
        const int code = sqlite3_errcode(raw);
        if (code == SQLITE_NOTADB) {
            return fail("is not a study list (not an SQLite database); it was left as it is.");
        }
        if (code == SQLITE_BUSY) {
            return failLocked();
        }
        return fail("cannot be read as a study list: " + std::string(sqlite3_errmsg(raw)) + ".");
    }
    const int64_t application = header.integer(0);
    const int64_t version = header.integer(1);
    const int64_t objects = header.integer(2);
    if (application == 0 && version == 0 && objects == 0) {
        return 0;  // An empty database: a new list.
    }
    if (application != studyschema::applicationId) {
        return fail("is an SQLite database of another program, not a study list; it was left "
                    "as it is.");
    }
    if (version > studyschema::currentVersion()) {
        return fail("was written by a newer version of Dexaru (study list version "
                    + std::to_string(version) + "; this one reads up to "
                    + std::to_string(studyschema::currentVersion()) + "); it was left as it is.");
    }
    Statement integrity(raw, "PRAGMA quick_check");
    if (!integrity.ok() || !integrity.step() || integrity.text(0) != "ok") {
        return fail("is damaged (" + std::string(integrity.ok() && integrity.lastResult() == SQLITE_ROW
                                                     ? integrity.text(0)
                                                     : sqlite3_errmsg(raw))
                    + "); it was left as it is.");
    }
    return 0;
}

// A file that another program is making, or switching to write-ahead
// logging, is locked in ways that SQLite does not wait for: the whole open
// is tried again until the lock timeout has passed.
int StudyList::open(const std::string& path, int mode)
{
    const int64_t deadline = monotonicMilliseconds() + lockTimeout;
    for (int pause = 5;; pause = std::min(pause * 2, 100)) {
        locked = false;
        if (openOnce(path, mode) == 0) {
            return 0;
        }
        if (!locked || monotonicMilliseconds() + pause > deadline) {
            return -1;
        }
        usleep(pause * 1000);
    }
}

int StudyList::openOnce(const std::string& path, int mode)
{
    close();
    filename = path;
    error.clear();
    readOnly = mode == OPEN_READ_ONLY;

    struct stat status;
    const bool exists = stat(path.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) {
        return fail("is a folder, not a study list.");
    }
    if (exists && checkFile(path) != 0) {
        return -1;
    }
    if (readOnly) {
        if (!exists) {
            return 0;  // Nothing kept yet: an empty list.
        }
        return connect(path, SQLITE_OPEN_READONLY) ? loadSettings() : -1;
    }
    if (!exists) {
        // Created here, so that it is the user's alone from the start;
        // another program may create it at the same moment.
        if (!makeFolders(path)) {
            return fail("cannot be created: " + std::string(std::strerror(errno)) + ".");
        }
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file < 0 && errno != EEXIST) {
            return fail("cannot be created: " + std::string(std::strerror(errno)) + ".");
        }
        if (file >= 0) {
            ::close(file);
        }
    } else if (access(path.c_str(), W_OK) != 0) {
        return fail("is read-only: cannot change the study list.");
    }
    return openForWriting(path);
}

bool StudyList::connect(const std::string& path, int flags)
{
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    connection.reset(new Connection{sqlitehandles::Connection(raw)});
    if (opened != SQLITE_OK) {
        failSql("open it");
        connection.reset();
        return false;
    }
    sqlite3_busy_timeout(raw, lockTimeout);
    return true;
}

int StudyList::openForWriting(const std::string& path)
{
    if (!connect(path, SQLITE_OPEN_READWRITE)) {
        return -1;
    }
    if (prepareForWriting() != 0) {
        connection.reset();
        return -1;
    }
    return loadSettings();
}

int StudyList::prepareForWriting()
{
    sqlite3* raw = connection->get();
    // WAL lets readers go on while one program writes; FULL syncs each
    // commit, so that a change reported done survives a crash.
    if (queryText(raw, "PRAGMA journal_mode = WAL") != "wal") {
        return failSql("switch it to write-ahead logging");
    }
    sqlite3_exec(raw, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);

    WriteTransaction transaction(raw);
    if (!transaction.ok()) {
        return failSql("prepare it");
    }
    // Read again inside the transaction: another program may have set the
    // file up in the meantime.
    const std::string version = queryText(raw, "PRAGMA user_version");
    const int64_t current = version.empty() ? -1 : std::atoll(version.c_str());
    if (current < 0 || current > studyschema::currentVersion()) {
        return fail("was changed by another program while it was being opened.");
    }
    if (current < studyschema::currentVersion()) {
        if (studyschema::migrate(raw, static_cast<int>(current)) != SQLITE_OK
            || !transaction.commit()) {
            return failSql("set up its tables");
        }
    }
    return 0;
}

int StudyList::loadSettings()
{
    Statement setting(connection->get(),
                      "SELECT value FROM settings WHERE name = 'desired retention'");
    if (setting.ok() && setting.step()) {
        scheduler.setDesiredRetention(setting.real(0));
    }
    return 0;
}

void StudyList::close()
{
    connection.reset();
    scheduler = FsrsScheduler();
}

bool StudyList::isOpen() const
{
    return connection != nullptr || (readOnly && !filename.empty() && error.empty());
}

const std::string& StudyList::getFilename() const
{
    return filename;
}

const std::string& StudyList::getError() const
{
    return error;
}

bool StudyList::writable()
{
    if (connection == nullptr) {
        fail(readOnly ? "was opened read-only." : "is not open.");
        return false;
    }
    if (readOnly) {
        fail("was opened read-only.");
        return false;
    }
    return true;
}

int64_t StudyList::addCard(const StudyCard& card, bool* added)
{
    error.clear();
    if (!writable()) {
        return -1;
    }
    sqlite3* db = connection->get();
    WriteTransaction transaction(db);
    if (!transaction.ok()) {
        return failSql("add a card");
    }
    const int64_t existing = findCard(card.word, card.reading);
    if (existing < 0) {
        return -1;
    }
    if (existing > 0) {
        if (added != nullptr) {
            *added = false;
        }
        return existing;
    }
    const int64_t addedAt = card.added != 0 ? card.added : static_cast<int64_t>(std::time(nullptr));
    Statement insert(db,
                     "INSERT INTO cards (word, reading, glosses, parts_of_speech, dictionary,"
                     " sentence, source, added, tags, note, state, due, stability, difficulty,"
                     " elapsed_days, scheduled_days, reps, lapses, learning_step, last_review)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!insert.ok()) {
        return failSql("add a card");
    }
    insert.bind(1, card.word)
        .bind(2, card.reading)
        .bind(3, joined(card.glosses, listSeparator))
        .bind(4, joined(card.partsOfSpeech, listSeparator))
        .bind(5, card.dictionary)
        .bind(6, card.sentence)
        .bind(7, std::string(getSourceName(card.source)))
        .bind(8, addedAt)
        .bind(9, card.tags)
        .bind(10, card.note);
    bindSchedule(insert, 11, FsrsScheduler::newCard(addedAt));
    if (!insert.run()) {
        return failSql("add a card");
    }
    const int64_t id = sqlite3_last_insert_rowid(db);
    if (!transaction.commit()) {
        return failSql("add a card");
    }
    if (added != nullptr) {
        *added = true;
    }
    return id;
}

int64_t StudyList::findCard(const std::string& word, const std::string& reading)
{
    if (connection == nullptr) {
        return 0;
    }
    Statement find(connection->get(), "SELECT id FROM cards WHERE word = ? AND reading = ?");
    if (!find.ok()) {
        return failSql("look a card up");
    }
    find.bind(1, word).bind(2, reading);
    if (find.step()) {
        return find.integer(0);
    }
    return find.lastResult() == SQLITE_DONE ? 0 : failSql("look a card up");
}

int StudyList::getCard(int64_t id, StudyCard* card)
{
    error.clear();
    if (connection == nullptr) {
        return 1;
    }
    Statement select(connection->get(),
                     (std::string("SELECT ") + cardColumns + " FROM cards WHERE id = ?").c_str());
    if (!select.ok()) {
        return failSql("read a card");
    }
    select.bind(1, id);
    if (!select.step()) {
        return select.lastResult() == SQLITE_DONE ? 1 : failSql("read a card");
    }
    if (card != nullptr) {
        *card = readCard(select);
    }
    return 0;
}

int StudyList::getCards(std::vector<StudyCard>* cards)
{
    error.clear();
    cards->clear();
    if (connection == nullptr) {
        return 0;
    }
    Statement select(connection->get(),
                     (std::string("SELECT ") + cardColumns + " FROM cards ORDER BY id").c_str());
    if (!select.ok()) {
        return failSql("read the cards");
    }
    while (select.step()) {
        cards->push_back(readCard(select));
    }
    return select.lastResult() == SQLITE_DONE ? 0 : failSql("read the cards");
}

int StudyList::getDueCards(int64_t time, std::vector<int64_t>* ids)
{
    error.clear();
    ids->clear();
    if (connection == nullptr) {
        return 0;
    }
    Statement select(connection->get(), "SELECT id FROM cards WHERE due <= ? ORDER BY due, id");
    if (!select.ok()) {
        return failSql("read the cards due");
    }
    select.bind(1, time);
    while (select.step()) {
        ids->push_back(select.integer(0));
    }
    return select.lastResult() == SQLITE_DONE ? 0 : failSql("read the cards due");
}

int64_t StudyList::getNextDueCard(int64_t time)
{
    error.clear();
    if (connection == nullptr) {
        return 0;
    }
    Statement select(connection->get(),
                     "SELECT id FROM cards WHERE due <= ? ORDER BY due, id LIMIT 1");
    if (!select.ok()) {
        return failSql("read the cards due");
    }
    select.bind(1, time);
    if (select.step()) {
        return select.integer(0);
    }
    return select.lastResult() == SQLITE_DONE ? 0 : failSql("read the cards due");
}

int StudyList::countDueCards(int64_t time)
{
    error.clear();
    if (connection == nullptr) {
        return 0;
    }
    Statement count(connection->get(), "SELECT count(*) FROM cards WHERE due <= ?");
    if (!count.ok()) {
        return failSql("count the cards due");
    }
    count.bind(1, time);
    return count.step() ? static_cast<int>(count.integer(0)) : failSql("count the cards due");
}

int StudyList::gradeCard(int64_t id, int rating, int64_t time, CardSchedule* after)
{
    error.clear();
    if (!writable()) {
        return -1;
    }
    sqlite3* db = connection->get();
    WriteTransaction transaction(db);
    if (!transaction.ok()) {
        return failSql("record the review");
    }
    StudyCard card;
    const int found = getCard(id, &card);
    if (found != 0) {
        return found;
    }
    CardSchedule next;
    if (scheduler.review(card.schedule, rating, time, &next) != 0) {
        if (rating < FsrsScheduler::RATING_AGAIN || rating > FsrsScheduler::RATING_EASY) {
            return fail("cannot record a rating of " + std::to_string(rating) + ".");
        }
        return fail("cannot record a review at " + formatTime(time)
                    + ", on a day before the card's last review at "
                    + formatTime(card.schedule.lastReview) + ".");
    }
    Statement update(db,
                     "UPDATE cards SET state = ?, due = ?, stability = ?, difficulty = ?,"
                     " elapsed_days = ?, scheduled_days = ?, reps = ?, lapses = ?,"
                     " learning_step = ?, last_review = ? WHERE id = ?");
    Statement log(db,
                  "INSERT INTO reviews VALUES (NULL, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                  " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!update.ok() || !log.ok()) {
        return failSql("record the review");
    }
    bindSchedule(update, 1, next);
    update.bind(11, id);
    log.bind(1, id).bind(2, time).bind(3, int64_t(rating));
    bindSchedule(log, 4, card.schedule);
    bindSchedule(log, 14, next);
    if (!update.run() || !log.run() || !transaction.commit()) {
        return failSql("record the review");
    }
    if (after != nullptr) {
        *after = next;
    }
    return 0;
}

int StudyList::removeCard(int64_t id)
{
    error.clear();
    if (!writable()) {
        return -1;
    }
    sqlite3* db = connection->get();
    WriteTransaction transaction(db);
    if (!transaction.ok()) {
        return failSql("remove the card");
    }
    Statement removeReviews(db, "DELETE FROM reviews WHERE card = ?");
    Statement removeCard(db, "DELETE FROM cards WHERE id = ?");
    if (!removeReviews.ok() || !removeCard.ok()) {
        return failSql("remove the card");
    }
    removeReviews.bind(1, id);
    removeCard.bind(1, id);
    if (!removeReviews.run() || !removeCard.run()) {
        return failSql("remove the card");
    }
    if (sqlite3_changes(db) == 0) {
        return 1;
    }
    return transaction.commit() ? 0 : failSql("remove the card");
}

int StudyList::getReviews(int64_t id, std::vector<StudyReview>* reviews)
{
    error.clear();
    reviews->clear();
    if (connection == nullptr) {
        return 0;
    }
    Statement select(connection->get(),
                     "SELECT time, rating, state_before, due_before, stability_before,"
                     " difficulty_before, elapsed_days_before, scheduled_days_before, reps_before,"
                     " lapses_before, learning_step_before, last_review_before, state_after,"
                     " due_after, stability_after, difficulty_after, elapsed_days_after,"
                     " scheduled_days_after, reps_after, lapses_after, learning_step_after,"
                     " last_review_after FROM reviews WHERE card = ? ORDER BY time, id");
    if (!select.ok()) {
        return failSql("read the reviews");
    }
    select.bind(1, id);
    while (select.step()) {
        StudyReview review;
        review.time = select.integer(0);
        review.rating = static_cast<int>(select.integer(1));
        review.before = readSchedule(select, 2);
        review.after = readSchedule(select, 12);
        reviews->push_back(review);
    }
    return select.lastResult() == SQLITE_DONE ? 0 : failSql("read the reviews");
}

int StudyList::setDesiredRetention(double retention)
{
    error.clear();
    FsrsScheduler changed = scheduler;
    if (changed.setDesiredRetention(retention) != 0) {
        error = "A desired retention is more than 0 and at most 1.";
        return -1;
    }
    if (!writable()) {
        return -1;
    }
    Statement store(connection->get(),
                    "INSERT OR REPLACE INTO settings VALUES ('desired retention', ?)");
    if (!store.ok() || !store.bind(1, retention).run()) {
        return failSql("keep the desired retention");
    }
    scheduler = changed;
    return 0;
}

double StudyList::getDesiredRetention() const
{
    return scheduler.getDesiredRetention();
}

const FsrsScheduler& StudyList::getScheduler() const
{
    return scheduler;
}

int StudyList::exportCards(int format, std::string* text)
{
    std::vector<StudyCard> cards;
    if (getCards(&cards) != 0) {
        return -1;
    }
    if (format == EXPORT_CSV) {
        *text = studyexport::toCsv(cards);
    } else if (format == EXPORT_ANKI) {
        *text = studyexport::toAnki(cards);
    } else {
        error = "Unknown export format " + std::to_string(format) + ".";
        return -1;
    }
    return 0;
}

std::string StudyList::formatTime(int64_t time)
{
    const time_t seconds = static_cast<time_t>(time);
    struct tm parts;
    if (gmtime_r(&seconds, &parts) == nullptr) {
        return std::string();
    }
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

int StudyList::parseTime(const std::string& text, int64_t* time)
{
    // Exactly YYYY-MM-DDTHH:MM:SSZ.
    static const char pattern[] = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != sizeof pattern - 1) {
        return -1;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) {
            return -1;
        }
    }
    auto number = [&](size_t at, size_t length) { return std::atoi(text.substr(at, length).c_str()); };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    static const int monthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (month < 1 || month > 12 || day < 1 || day > monthDays[month - 1]
        || (month == 2 && day == 29 && !leap) || hour > 23 || minute > 59 || second > 59) {
        return -1;
    }
    *time = civilToDays(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return 0;
}

const char* StudyList::getSourceName(int source)
{
    switch (source) {
    case StudyCard::SOURCE_READ_TEXT:
        return "read";
    case StudyCard::SOURCE_COPIED_TEXT:
        return "copied";
    default:
        return "typed";
    }
}

int StudyList::getSourceFromName(const std::string& name)
{
    static const char* const names[] = {"typed", "read", "copied"};
    for (int source = 0; source < 3; ++source) {
        if (name == names[source]) {
            return source;
        }
    }
    return -1;
}

const char* StudyList::getStateName(int state)
{
    static const char* const names[] = {"new", "learning", "review", "relearning"};
    return state >= 0 && state < 4 ? names[state] : "unknown";
}

std::string StudyList::getFirstMeaning(const StudyCard& card)
{
    if (card.glosses.empty()) {
        return std::string();
    }
    std::string gloss = card.glosses[0];
    // Leading "(...)" groups are tags and sense numbers, unless nothing
    // else follows them.
    size_t start = 0;
    while (start < gloss.size() && gloss[start] == '(') {
        const size_t close = gloss.find(')', start);
        if (close == std::string::npos) {
            break;
        }
        size_t next = close + 1;
        while (next < gloss.size() && gloss[next] == ' ') {
            ++next;
        }
        if (next >= gloss.size()) {
            break;
        }
        start = next;
    }
    return gloss.substr(start);
}

std::string StudyList::formatInterval(int64_t seconds)
{
    if (seconds < 60) {
        return seconds <= 0 ? "now" : std::to_string(seconds) + "s";
    }
    const int64_t minutes = seconds / 60;
    if (minutes < 60) {
        return std::to_string(minutes) + "m";
    }
    if (minutes < 1440) {
        return std::to_string(minutes / 60) + "h";
    }
    const double days = seconds / 86400.0;
    char text[32];
    if (days < 30) {
        std::snprintf(text, sizeof text, "%.0fd", std::floor(days + 0.5));
    } else if (days < 365) {
        std::snprintf(text, sizeof text, "%.1fmo", days / 30);
    } else {
        std::snprintf(text, sizeof text, "%.1fy", days / 365);
    }
    return text;
}
