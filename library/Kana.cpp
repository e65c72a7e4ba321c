#include "Kana.h"

const uint16_t Kana::UNICODE_ENGLISH_START;
const uint16_t Kana::UNICODE_ENGLISH_END;
const uint16_t Kana::UNICODE_HIRAGANA_START;
const uint16_t Kana::UNICODE_HIRAGANA_END;
const uint16_t Kana::UNICODE_KATAKANA_START;
const uint16_t Kana::UNICODE_KATAKANA_END;
const uint16_t Kana::KANA_OFFSET;
const uint16_t Kana::WC_QUES;
const uint16_t Kana::WC_STAR;

bool Kana::isHiragana(uint16_t c) { return c >= 0x3041 && c <= 0x3096; }
bool Kana::isKatakana(uint16_t c) { return c >= 0x30A0 && c <= 0x30FF; }
bool Kana::isKana(uint16_t c) { return isHiragana(c) || isKatakana(c); }
bool Kana::isHiragana(const std::wstring&) { return false; }
bool Kana::isKatakana(const std::wstring&) { return false; }
bool Kana::isKana(const std::wstring&) { return false; }
bool Kana::isKana_WildcardsOkay(const std::wstring&) { return false; }
uint16_t Kana::toKatakana(uint16_t c) { return c; }
uint16_t Kana::toHiragana(uint16_t c) { return c; }
std::wstring Kana::toKatakana(const std::wstring& str) { return str; }
std::wstring Kana::toHiragana(const std::wstring& str) { return str; }
bool Kana::StringsAreEqual_IgnoreKana(const std::wstring& a, const std::wstring& b) { return a == b; }
std::wstring Kana::kanaToRomaji_Single(uint16_t) { return std::wstring(); }
std::wstring Kana::kanaStringToRomaji(std::wstring) { return std::wstring(); }
