// The study list's tables and how a file of an older version is brought up
// to date. The version is the file's PRAGMA user_version; the application
// id marks the file as a study list. Every change of the tables is one more
// step in StudySchema.cpp, never an edit of an old one.
#ifndef DEXARU_INTERNAL_STUDYSCHEMA_H
#define DEXARU_INTERNAL_STUDYSCHEMA_H

#include <sqlite3.h>

namespace studyschema {

// "DxSt": the PRAGMA application_id of a study list.
constexpr int applicationId = 0x44785374;

// The version this program writes; files of a newer one are refused.
int currentVersion();

// Applies the steps after fromVersion, sets the version and the application
// id. Runs inside the caller's write transaction; returns the SQLite result.
int migrate(sqlite3* connection, int fromVersion);

}  // namespace studyschema

#endif
