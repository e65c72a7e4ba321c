// Looks a word up in one EDICT file through libdexaru:
//   lookup <edict file> <word in kana or kanji>
#include <Edict.h>
#include <WordEntry.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <edict file> <word>\n", argv[0]);
        return 1;
    }
    std::setlocale(LC_CTYPE, "C.UTF-8");
    const size_t length = std::mbstowcs(nullptr, argv[2], 0);
    if (length == static_cast<size_t>(-1)) {
        std::fprintf(stderr, "%s: not valid UTF-8: %s\n", argv[0], argv[2]);
        return 1;
    }
    std::wstring word(length, L'\0');
    std::mbstowcs(&word[0], argv[2], length);

    Edict edict;
    edict.setFilename(argv[1]);
    if (edict.load() != 0)
        return 1;
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
    std::vector<WordEntry*>* entries = edict.search(word, &options);
    for (WordEntry* entry : *entries) {
        std::printf("%ls [%ls]", entry->word.c_str(), entry->kana.c_str());
        for (int i = 0; i < entry->meaningsSize; ++i)
            std::printf(" /%s", entry->meanings[i].c_str());
        std::printf("/\n");
        delete entry;
    }
    delete entries;
    return 0;
}
