// The desktop program's non-visual core: owns the dictionary collections and
// the tables, runs the searches asked for by signal and answers by signal.
// Results it emits belong to their receivers; whatever it is handed
// (dictionaries, radical tables) it keeps and deletes with itself.
#ifndef DEXARU_DESKTOP_CORE_H
#define DEXARU_DESKTOP_CORE_H

#include "MetaTypes.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <set>
#include <string>
#include <vector>

class CharacterDictionary;
class CharacterDictionaryCollection;
class Deinflector;
class FuzzySearch;
class PartsOfSpeech;
class TextReader;
class TypedSearch;
class WordDictionaryCollection;

class Core : public QObject
{
    Q_OBJECT

public:
    explicit Core(QObject* parent = nullptr);
    ~Core() override;
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // Reads "partsofspeech.drx", "fuzzysearch.uni.dat" and "deinflection.dat"
    // from the working directory, announces each part of speech and hands
    // the first two to the word dictionaries. A missing file leaves its
    // table empty.
    void load();
    // Splits text into the words of the enabled dictionaries, inflected
    // forms included; owned by the core, for the reader panel.
    TextReader* textReader() const { return reader.get(); }

    WordDictionaryCollection* wordDictionaries;
    CharacterDictionaryCollection* characterDictionaries;
    RadicalTable* radicalTable;  // the one last added
    PartsOfSpeech* partsOfSpeech;
    FuzzySearch* fuzzySearch;
    // The deinflection engine: created empty, read by load(). Fuzzy
    // searches go through it while the relevance order is on.
    Deinflector* deinflector;

signals:
    void dictionaryAdded(WordDictionary* dictionary);
    void dictionaryRemoved(WordDictionary* dictionary);
    void partOfSpeechAdded(std::string abbreviation, std::string name);
    void radicalTableAdded(RadicalTable* radicalTable);
    // The receiver owns the result.
    void resultFound(WordResult* results);
    // The receiver owns the result.
    void characterResultFound(CharacterResult* results);
    // After resultFound: the long-vowel spellings through which the search
    // also found words (とうきょう for ときょ); empty when none did.
    void alsoSearched(QStringList spellings);

public slots:
    // Takes the dictionary and loads it when it is enabled (a disabled one
    // is loaded once enabled); a name that another dictionary already bears
    // gets a number, as in "Names (2)".
    void addWordDictionary(WordDictionary* dictionary);
    // The dictionary leaves the searches; it stays alive until the core goes,
    // since lists in the window may still point at it.
    void removeWordDictionary(WordDictionary* dictionary);
    // Names are UTF-8 as the dictionaries hold them; unknown names are
    // ignored. Enabling loads a dictionary not loaded yet.
    void enableDictionary(QString name);
    void disableDictionary(QString name);
    // Takes the dictionary and loads it.
    void addCharacterDictionary(CharacterDictionary* dictionary);
    // Takes the table, loads it and gives it to the character dictionaries.
    void addRadicalTable(RadicalTable* radicalTable);
    // The same for a table whose load() has already run.
    void addLoadedRadicalTable(RadicalTable* radicalTable);
    // Emits resultFound, alsoSearched, then characterResultFound with the
    // kanji of the words found. The text is searched as TypedSearch does,
    // with the text last given to setTypedText (once) as the typed one.
    void search(QString text, WordDictionary::SearchOptions searchOptions);
    // The text as the user typed it, for the next search of its kana.
    void setTypedText(QString typed);
    void searchForKanji(std::set<wchar_t> characterSet);
    // On: fuzzy searches take inflected words back through the deinflection
    // engine (when its file was read) in place of the fuzzy rules, and word
    // results come in relevance order. Off (at first): as specified.
    void setRelevanceOrder(bool on);

private:
    WordDictionary* dictionaryNamed(const QString& name);
    void loadEnabledDictionaries();
    void giveUniqueName(WordDictionary* dictionary);

    std::vector<std::unique_ptr<WordDictionary>> removedDictionaries;
    std::vector<std::unique_ptr<RadicalTable>> radicalTables;
    std::unique_ptr<TextReader> reader;
    std::unique_ptr<TypedSearch> typedSearch;
    QString typedText;
    bool relevanceOrder;
};

#endif
