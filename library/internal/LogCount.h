// How many messages the library has logged so far, written or not, so that
// a caller can tell whether a stretch of work was quiet. Internal to the
// library; not installed.
#ifndef DEXARU_INTERNAL_LOGCOUNT_H
#define DEXARU_INTERNAL_LOGCOUNT_H

namespace logCount {

unsigned long messages();

}  // namespace logCount

#endif
