#include "CharacterEntry.h"

CharacterEntry::CharacterEntry() : dictionaryIndex(0), kanji(0), frequency(0), strokeCount(0)
{
}
