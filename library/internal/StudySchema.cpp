#include "StudySchema.h"

#include <string>

namespace studyschema {

namespace {

// The steps, oldest first: step n brings a file from version n to n + 1.
// A schedule is kept in the same ten columns wherever it appears.
const char* const steps[] = {
    // 1: cards with their schedule, the review log and the settings.
    "CREATE TABLE cards ("
    "  id INTEGER PRIMARY KEY,"
    "  word TEXT NOT NULL,"
    "  reading TEXT NOT NULL,"
    "  glosses TEXT NOT NULL,"
    "  parts_of_speech TEXT NOT NULL,"
    "  dictionary TEXT NOT NULL,"
    "  sentence TEXT NOT NULL,"
    "  source TEXT NOT NULL,"
    "  added INTEGER NOT NULL,"
    "  tags TEXT NOT NULL,"
    "  note TEXT NOT NULL,"
    "  state INTEGER NOT NULL, due INTEGER NOT NULL, stability REAL NOT NULL,"
    "  difficulty REAL NOT NULL, elapsed_days INTEGER NOT NULL,"
    "  scheduled_days INTEGER NOT NULL, reps INTEGER NOT NULL, lapses INTEGER NOT NULL,"
    "  learning_step INTEGER NOT NULL, last_review INTEGER NOT NULL,"
    "  UNIQUE (word, reading));"
    "CREATE INDEX cards_by_due ON cards (due, id);"
    "CREATE TABLE reviews ("
    "  id INTEGER PRIMARY KEY,"
    "  card INTEGER NOT NULL,"
    "  time INTEGER NOT NULL,"
    "  rating INTEGER NOT NULL,"
    "  state_before INTEGER NOT NULL, due_before INTEGER NOT NULL,"
    "  stability_before REAL NOT NULL, difficulty_before REAL NOT NULL,"
    "  elapsed_days_before INTEGER NOT NULL, scheduled_days_before INTEGER NOT NULL,"
    "  reps_before INTEGER NOT NULL, lapses_before INTEGER NOT NULL,"
    "  learning_step_before INTEGER NOT NULL, last_review_before INTEGER NOT NULL,"
    "  state_after INTEGER NOT NULL, due_after INTEGER NOT NULL,"
    "  stability_after REAL NOT NULL, difficulty_after REAL NOT NULL,"
    "  elapsed_days_after INTEGER NOT NULL, scheduled_days_after INTEGER NOT NULL,"
    "  reps_after INTEGER NOT NULL, lapses_after INTEGER NOT NULL,"
    "  learning_step_after INTEGER NOT NULL, last_review_after INTEGER NOT NULL);"
    "CREATE INDEX reviews_by_card ON reviews (card, time);"
    "CREATE TABLE settings (name TEXT PRIMARY KEY, value NOT NULL);",
};

}  // namespace

int currentVersion()
{
    return static_cast<int>(sizeof steps / sizeof steps[0]);
}

int migrate(sqlite3* connection, int fromVersion)
{
    for (int version = fromVersion; version < currentVersion(); ++version) {
        const int result = sqlite3_exec(connection, steps[version], nullptr, nullptr, nullptr);
        if (result != SQLITE_OK) {
            return result;
        }
    }
    const std::string stamp = "PRAGMA user_version = " + std::to_string(currentVersion())
                              + "; PRAGMA application_id = " + std::to_string(applicationId) + ";";
    return sqlite3_exec(connection, stamp.c_str(), nullptr, nullptr, nullptr);
}

}  // namespace studyschema
