#include "Romaji.h"

const uint16_t Romaji::UNICODE_ENGLISH_START;
const uint16_t Romaji::UNICODE_ENGLISH_END;

bool Romaji::isVowel(uint16_t) { return false; }
bool Romaji::isRomaji(uint16_t) { return false; }
bool Romaji::isRomaji(std::wstring) { return false; }
bool Romaji::isRomajiLetter(uint16_t) { return false; }
bool Romaji::isUpper(uint16_t) { return false; }
bool Romaji::isLower(uint16_t) { return false; }
bool Romaji::isLower(const std::wstring&) { return false; }
bool Romaji::isUpper(const std::wstring&) { return false; }
uint16_t Romaji::toLower(uint16_t c) { return c; }
uint16_t Romaji::toUpper(uint16_t c) { return c; }
std::wstring Romaji::toLower(std::wstring str) { return str; }
std::wstring Romaji::toUpper(std::wstring str) { return str; }
uint16_t Romaji::romajiToKana_Single(std::wstring) { return 0; }
uint16_t Romaji::romajiToFullwidth(uint16_t) { return 0; }
std::wstring Romaji::romajiToKana(std::wstring) { return std::wstring(); }
std::wstring Romaji::romajiStringToKana(std::wstring text, bool) { return text; }
