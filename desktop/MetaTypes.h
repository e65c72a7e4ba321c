// The library types that signals and QVariants of the desktop program carry.
// Declaring them here lets queued connections and QVariant hold them; call
// registerMetaTypes() once, before the first connection that carries them.
#ifndef DEXARU_DESKTOP_METATYPES_H
#define DEXARU_DESKTOP_METATYPES_H

#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "RadicalTable.h"
#include "WordDictionary.h"
#include "WordEntry.h"
#include "WordResult.h"

#include <QMetaType>

#include <set>
#include <string>

Q_DECLARE_METATYPE(WordDictionary*)
Q_DECLARE_METATYPE(WordEntry*)
Q_DECLARE_METATYPE(CharacterEntry*)
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::set<wchar_t>)
Q_DECLARE_METATYPE(WordDictionary::SearchOptions)
Q_DECLARE_METATYPE(RadicalTable*)
Q_DECLARE_METATYPE(WordResult*)
Q_DECLARE_METATYPE(CharacterResult*)

// Registers every type above under its spelled name; calling it again is harmless.
void registerMetaTypes();

#endif
