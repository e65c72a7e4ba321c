/// @file
/// @class StudyList
/// The learner's study list: the words kept from lookups, each with the
/// sentence it was met in and its review schedule, in an SQLite file that
/// several programs may use at once. Every change is one transaction: once a
/// call that changes the list has returned 0 (or an id), the change is on
/// disk. A file that is not a study list, or one written by a newer version,
/// is refused and never written. Failures return -1 and leave a message that
/// names the file in getError().
#ifndef DEXARU_STUDYLIST_H
#define DEXARU_STUDYLIST_H

#include "FsrsScheduler.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

/// One word kept for study.
struct StudyCard
{
    /// Where the word was met.
    enum Source {
        SOURCE_TYPED = 0,  ///< typed into a search
        SOURCE_READ_TEXT = 1,  ///< in a text read in the Read panel
        SOURCE_COPIED_TEXT = 2  ///< in text copied in another program
    };

    /// The card's number in the list; 0 for a card not added yet.
    int64_t id = 0;
    /// The headword, UTF-8, as the dictionary has it.
    std::string word;
    /// The reading in kana, UTF-8.
    std::string reading;
    /// The meanings of the dictionary line, in its order.
    std::vector<std::string> glosses;
    /// The part-of-speech abbreviations recognised in them, each once.
    std::vector<std::string> partsOfSpeech;
    /// The name of the dictionary the entry came from.
    std::string dictionary;
    /// The sentence (or the text typed) the word was met in.
    std::string sentence;
    /// One of Source.
    int source = SOURCE_TYPED;
    /// Seconds since the epoch.
    int64_t added = 0;
    /// Words separated by spaces.
    std::string tags;
    /// The learner's own note.
    std::string note;
    /// Where the card stands in its reviews.
    CardSchedule schedule;
};

/// One review of a card, as the review log keeps it.
struct StudyReview
{
    /// When the card was reviewed, in seconds since the epoch.
    int64_t time = 0;
    /// One of FsrsScheduler::Rating.
    int rating = 0;
    /// The schedule before the review.
    CardSchedule before;
    /// The schedule the review gave.
    CardSchedule after;
};

class StudyList
{
public:
    /// How open() opens the file.
    enum OpenMode {
        OPEN_READ_ONLY = 0,  ///< reads only; a missing file is an empty list
        OPEN_READ_WRITE = 1  ///< creates a missing file, updates an old one
    };
    /// The formats of exportCards().
    enum ExportFormat {
        EXPORT_CSV = 0,  ///< RFC 4180, a header row
        EXPORT_ANKI = 1  ///< Anki's text import
    };

    StudyList();
    /// Closes the file.
    ~StudyList();
    StudyList(const StudyList&) = delete;
    StudyList& operator=(const StudyList&) = delete;

    /// $DEXARU_STUDY_FILE when set, else study.sqlite in the dexaru folder of
    /// $XDG_DATA_HOME (by default ~/.local/share).
    static std::string getDefaultFilename();

    /// Opens the file. Read and write creates a missing file (and its
    /// folders, readable by the user alone) and brings an older one up to
    /// date; read only takes a missing file for an empty list. Returns 0, or
    /// -1 for a file that cannot be used as a study list.
    int open(const std::string& filename, int mode = OPEN_READ_WRITE);
    /// Closes the file; the list is empty until the next open().
    void close();
    /// True after a successful open() (read-only of a missing file included).
    bool isOpen() const;
    /// The file last given to open().
    const std::string& getFilename() const;
    /// How long a change waits for another program's lock before it fails
    /// (5 seconds unless set); for the connection open() makes next.
    void setLockTimeout(int milliseconds);
    /// What went wrong last, naming the file; empty after a success.
    const std::string& getError() const;

    /// Adds the card (its id and schedule are ignored: a new card is due when
    /// added; an added time of 0 stands for now). A card with the same word and reading is kept as it is and its
    /// id returned; *added tells which happened. Returns the id, or -1.
    int64_t addCard(const StudyCard& card, bool* added = nullptr);
    /// The id of the card with the word and reading, 0 when there is none, -1
    /// on failure.
    int64_t findCard(const std::string& word, const std::string& reading);
    /// Returns 0, 1 when there is no such card, or -1.
    int getCard(int64_t id, StudyCard* card);
    /// Every card, in the order they were added. Returns 0 or -1.
    int getCards(std::vector<StudyCard>* cards);
    /// The ids of the cards due at the time, earliest due first.
    int getDueCards(int64_t time, std::vector<int64_t>* ids);
    /// The card due first at the time: its id, 0 when none is due, or -1.
    int64_t getNextDueCard(int64_t time);
    /// How many cards are due at the time, or -1.
    int countDueCards(int64_t time);
    /// Records a review with the rating (FsrsScheduler::Rating) at the time
    /// and gives the new schedule. Returns 0, 1 for an unknown card, or -1 (a
    /// rating out of range, a time on a day before the card's last review).
    int gradeCard(int64_t id, int rating, int64_t time, CardSchedule* after = nullptr);
    /// Removes the card and its reviews. Returns 0, 1 for an unknown card, or -1.
    int removeCard(int64_t id);
    /// The card's reviews, oldest first. Returns 0 or -1.
    int getReviews(int64_t id, std::vector<StudyReview>* reviews);

    /// The scheduler's desired retention, kept in the file. Returns 0 or -1.
    int setDesiredRetention(double retention);
    /// The desired retention of the list's scheduler (0.9 unless set).
    double getDesiredRetention() const;
    /// The scheduler with the list's settings, to preview a review.
    const FsrsScheduler& getScheduler() const;

    /// Every card as CSV (RFC 4180, header row) or as a file for Anki's text
    /// import. Returns 0 or -1.
    int exportCards(int format, std::string* text);

    /// The time as "2026-12-08T10:00:00Z".
    static std::string formatTime(int64_t time);
    /// Reads a time in that form (ISO 8601, UTC, to the second). Returns 0,
    /// or -1 for anything else.
    static int parseTime(const std::string& text, int64_t* time);
    /// "typed", "read" or "copied".
    static const char* getSourceName(int source);
    /// The source of a name of getSourceName; -1 for an unknown name.
    static int getSourceFromName(const std::string& name);
    /// "new", "learning", "review", "relearning".
    static const char* getStateName(int state);
    /// The first gloss without the tags the dictionary line opens it with:
    /// "cat (esp. the domestic cat)" of "(n) (1) cat (esp. the domestic cat)".
    static std::string getFirstMeaning(const StudyCard& card);
    /// A span of time as flashcard programs show it: "10m", "6h", "3d",
    /// "1.5mo", "2.1y" ("now" for none).
    static std::string formatInterval(int64_t seconds);

private:
    struct Connection;

    int fail(const std::string& problem);
    int failLocked();
    int openOnce(const std::string& filename, int mode);
    int failSql(const char* doing);
    int checkFile(const std::string& filename);
    // Opens the connection, waiting for other programs' locks; on failure
    // keeps the error and leaves no connection.
    bool connect(const std::string& filename, int flags);
    int openForWriting(const std::string& filename);
    // Write-ahead logging and the tables brought up to date, in a write
    // transaction rolled back, on failure, before the connection is closed.
    int prepareForWriting();
    int loadSettings();
    bool writable();

    std::unique_ptr<Connection> connection;
    std::string filename;
    std::string error;
    FsrsScheduler scheduler;
    bool readOnly = false;
    bool locked = false;  // the last failure was another program's lock
    int lockTimeout;
};

#endif
