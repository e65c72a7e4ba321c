// Names that every part of dexaru2 shares: the function its messages name
// and the iconv name of the wide form of text.
#ifndef DEXARU2_PROGRAM_H
#define DEXARU2_PROGRAM_H

namespace dexaru2 {

// Every message of the program names "main" as the reporting function.
inline constexpr const char* logFunction = "main";
inline constexpr const char* wideUnicodeEncoding = "WCHAR_T";

}  // namespace dexaru2

#endif
