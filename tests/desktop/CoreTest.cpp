// The application core: what a window sees through its signals when it loads
// the tables, adds, switches and removes dictionaries, and searches.
#include "Core.h"
#include "FixtureFiles.h"

#include "CharacterDictionaryCollection.h"
#include "Kanjidic.h"
#include "WordDictionaryCollection.h"
#include "Edict.h"

#include <QSignalSpy>
#include <QTest>

using fixtures::euc;

namespace {

const QByteArray EDICT_TEXT =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "子猫 [こねこ] /(n) kitten/\n"
    "犬 [いぬ] /(n) dog/(P)/\n"
    "ここ /(n) here/(P)/\n";

const QByteArray KANJIDIC_TEXT =
    "猫 4734 U732b S11 F1702 ビョウ ねこ {cat}\n"
    "子 3B52 U5b50 S3 F72 シ こ {child}\n"
    "犬 3824 U72ac S4 F1326 ケン いぬ {dog}\n";

// Collects what the core emits, in order, and owns the results it is given.
struct Receiver
{
    explicit Receiver(Core& core)
    {
        QObject::connect(&core, &Core::resultFound, [this](WordResult* result) {
            order += "words ";
            words.reset(result);
        });
        QObject::connect(&core, &Core::characterResultFound, [this](CharacterResult* result) {
            order += "kanji ";
            kanji.reset(result);
        });
    }

    std::vector<std::wstring> headwords()
    {
        std::vector<std::wstring> found;
        for (WordEntry* entry : words->getEntries()) {
            found.push_back(entry->word);
        }
        return found;
    }

    std::wstring characters()
    {
        std::wstring found;
        for (CharacterEntry* entry : kanji->getEntries()) {
            found += entry->kanji;
        }
        return found;
    }

    QString order;
    std::unique_ptr<WordResult> words;
    std::unique_ptr<CharacterResult> kanji;
};

WordDictionary::SearchOptions optionsFor(int flags)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = flags;
    options.limit = -1;
    return options;
}

Edict* edictIn(const fixtures::FixtureDir& dir, const std::string& name)
{
    auto* edict = new Edict();
    edict->setName(name);
    edict->setFilename(dir.write("edict", euc(EDICT_TEXT)));
    return edict;
}

} // namespace

Q_DECLARE_METATYPE(std::wstring)
Q_DECLARE_METATYPE(std::vector<std::wstring>)

class CoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { registerMetaTypes(); }

    void loadAnnouncesEachPartOfSpeechInFileOrder()
    {
        fixtures::FixtureDir dir;
        dir.write("partsofspeech.drx", "n\tnoun (common)\n# comment\nv1\tIchidan verb\nadj-i\tadjective\n");
        fixtures::WorkingDirectory inside(dir.path());
        Core core;
        QSignalSpy added(&core, &Core::partOfSpeechAdded);
        core.load();
        QCOMPARE(added.count(), 3);
        const char* expected[][2] = { { "n", "noun (common)" }, { "v1", "Ichidan verb" }, { "adj-i", "adjective" } };
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(added[row][0].value<std::string>(), std::string(expected[row][0]));
            QCOMPARE(added[row][1].value<std::string>(), std::string(expected[row][1]));
        }
        QVERIFY(core.partsOfSpeech != nullptr);
        QCOMPARE(core.wordDictionaries->partsOfSpeech, core.partsOfSpeech);
        QCOMPARE(core.wordDictionaries->fuzzySearch, core.fuzzySearch);
        QVERIFY(core.radicalTable == nullptr);
    }

    void loadWithoutTheFileAnnouncesNothing()
    {
        fixtures::FixtureDir dir;
        fixtures::WorkingDirectory inside(dir.path());
        Core core;
        QSignalSpy added(&core, &Core::partOfSpeechAdded);
        core.load();
        QCOMPARE(added.count(), 0);
    }

    void searchEmitsTheWordsThenTheirKanji_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flags");
        QTest::addColumn<std::vector<std::wstring>>("words");
        QTest::addColumn<std::wstring>("kanji");
        using Words = std::vector<std::wstring>;
        QTest::newRow("reading") << "ねこ" << int(WordDictionary::SEARCH_KANA) << Words{ L"猫" } << std::wstring(L"猫");
        QTest::newRow("wildcard") << "*ねこ" << (WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_WILDCARD)
                                  << Words{ L"猫", L"子猫" } << std::wstring(L"子猫");
        QTest::newRow("word") << "犬" << int(WordDictionary::SEARCH_WORD) << Words{ L"犬" } << std::wstring(L"犬");
        QTest::newRow("kana only") << "ここ" << int(WordDictionary::SEARCH_KANA) << Words{ L"ここ" } << std::wstring();
        QTest::newRow("nothing") << "とり" << int(WordDictionary::SEARCH_KANA) << Words{} << std::wstring();
    }

    void searchEmitsTheWordsThenTheirKanji()
    {
        QFETCH(QString, text);
        QFETCH(int, flags);
        QFETCH(std::vector<std::wstring>, words);
        QFETCH(std::wstring, kanji);
        fixtures::FixtureDir dir;
        Core core;
        core.addWordDictionary(edictIn(dir, "edict"));
        auto* kanjidic = new Kanjidic();
        kanjidic->setFilename(dir.write("kanjidic", euc(KANJIDIC_TEXT)));
        core.addCharacterDictionary(kanjidic);
        Receiver receiver(core);
        core.search(text, optionsFor(flags));
        QCOMPARE(receiver.order, QString("words kanji "));
        std::vector<std::wstring> found = receiver.headwords();
        std::sort(found.begin(), found.end());
        std::sort(words.begin(), words.end());
        QVERIFY(found == words);
        std::wstring characters = receiver.characters();
        std::sort(characters.begin(), characters.end());
        std::sort(kanji.begin(), kanji.end());
        QVERIFY(characters == kanji);
    }

    // The text as typed reaches the next search only (English in the
    // meanings beside its kana); in the relevance order a fuzzy search
    // announces the long-vowel spellings that found words, after the words
    // and before their kanji, and an empty list when none did.
    void typedTextAndLongVowelsReachTheSearch()
    {
        fixtures::FixtureDir dir;
        Core core;
        auto* edict = new Edict();
        edict->setName("edict");
        edict->setFilename(dir.write("edict", euc("子猫 [こねこ] /(n) kitten/\n東京 [とうきょう] /(n) Tokyo/(P)/\n")));
        core.addWordDictionary(edict);
        Receiver receiver(core);
        QStringList spellings{"unset"};
        QObject::connect(&core, &Core::alsoSearched, [&](const QStringList& found) {
            receiver.order += "also ";
            spellings = found;
        });
        const int forms = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA;
        const struct {
            QString typed;  // null: none given
            QString text;
            int flags;
            bool relevance;
            std::vector<std::wstring> words;
            QStringList spellings;
        } cases[] = {
            {"kitten", "きってん", forms | WordDictionary::SEARCH_MEANING, false, {L"子猫"}, {}},
            {QString(), "きってん", forms | WordDictionary::SEARCH_MEANING, false, {}, {}},
            {"kitten", "きってん", forms, false, {}, {}},
            {"tokyo", "ときょ", forms | WordDictionary::SEARCH_FUZZY, true, {L"東京"}, {"とうきょう"}},
            // The reading order tries them where the text finds nothing.
            {"tokyo", "ときょ", forms | WordDictionary::SEARCH_FUZZY, false, {L"東京"}, {"とうきょう"}},
            {"tokyo", "ときょ", forms, true, {}, {}},
        };
        for (const auto& c : cases) {
            core.setRelevanceOrder(c.relevance);
            if (!c.typed.isNull())
                core.setTypedText(c.typed);
            receiver.order.clear();
            core.search(c.text, optionsFor(c.flags));
            QCOMPARE(receiver.order, QString("words also kanji "));
            QVERIFY2(receiver.headwords() == c.words, qPrintable(c.typed + " " + c.text));
            QCOMPARE(spellings, c.spellings);
        }
    }

    void searchWithoutDictionariesGivesTwoEmptyResults()
    {
        Core core;
        Receiver receiver(core);
        core.search("ねこ", optionsFor(WordDictionary::SEARCH_KANA));
        QCOMPARE(receiver.order, QString("words kanji "));
        QCOMPARE(receiver.words->getEntryCount(), 0);
        QCOMPARE(receiver.kanji->getEntryCount(), 0);
    }

    void searchForKanjiLooksUpTheGivenCharacters()
    {
        fixtures::FixtureDir dir;
        Core core;
        auto* kanjidic = new Kanjidic();
        kanjidic->setFilename(dir.write("kanjidic", euc(KANJIDIC_TEXT)));
        core.addCharacterDictionary(kanjidic);
        auto* radicals = new RadicalTable();
        radicals->addFilename(dir.write("radkfile", euc("$ 犬 4\n猫\n犬\n$ 田 5\n猫\n")));
        QSignalSpy tableAdded(&core, &Core::radicalTableAdded);
        core.addRadicalTable(radicals);
        QCOMPARE(tableAdded.count(), 1);
        QCOMPARE(tableAdded[0][0].value<RadicalTable*>(), radicals);
        QCOMPARE(core.radicalTable, radicals);
        QVERIFY(!radicals->getRadicals().empty());

        Receiver receiver(core);
        core.searchForKanji({ L'猫', L'の', L'鳥' });
        QCOMPARE(receiver.order, QString("kanji "));
        QCOMPARE(receiver.characters(), std::wstring(L"猫"));
        QCOMPARE(receiver.kanji->getEntries()[0]->radicals, std::wstring(L"犬田"));
    }

    void dictionariesAreSwitchedByTheirJapaneseNames()
    {
        fixtures::FixtureDir dir;
        Core core;
        QSignalSpy added(&core, &Core::dictionaryAdded);
        Edict* edict = edictIn(dir, "辞書");
        core.addWordDictionary(edict);
        QCOMPARE(added.count(), 1);
        QCOMPARE(added[0][0].value<WordDictionary*>(), edict);
        QVERIFY(edict->isLoaded);

        struct Step { const char* call; const char* name; bool enabled; int found; };
        const Step steps[] = {
            { "disable", "辞書", false, 0 },
            { "disable", "辞書", false, 0 },
            { "enable", "辞典", false, 0 },
            { "enable", "辞書", true, 1 },
            { "enable", "辞書", true, 1 },
            { "disable", "じしょ", true, 1 },
        };
        Receiver receiver(core);
        for (const Step& step : steps) {
            QString name = QString::fromUtf8(step.name);
            if (qstrcmp(step.call, "enable") == 0) {
                core.enableDictionary(name);
            } else {
                core.disableDictionary(name);
            }
            QCOMPARE(edict->isEnabled(), step.enabled);
            core.search("ねこ", optionsFor(WordDictionary::SEARCH_KANA));
            QCOMPARE(receiver.words->getEntryCount(), step.found);
        }
    }

    // A disabled dictionary costs no load until it is enabled; enabled ones
    // are loaded as they come, and one whose file is missing is tried again
    // when it is enabled again.
    void aDisabledDictionaryIsLoadedOnlyOnceEnabled()
    {
        fixtures::FixtureDir dir;
        Core core;
        Edict* names = edictIn(dir, "Names");
        names->disable();
        Edict* missing = edictIn(dir, "missing");
        missing->setFilename(dir.path().toStdString() + "/no-such-file");
        missing->disable();
        core.addWordDictionary(names);
        core.addWordDictionary(missing);
        Edict* edict = edictIn(dir, "edict");
        core.addWordDictionary(edict);
        QVERIFY(edict->isLoaded && !names->isLoaded && !missing->isLoaded);

        Receiver receiver(core);
        core.enableDictionary("Names");
        QVERIFY(names->isLoaded && !missing->isLoaded);
        core.search("ねこ", optionsFor(WordDictionary::SEARCH_KANA));
        QCOMPARE(receiver.words->getEntryCount(), 2);
        core.enableDictionary("missing");
        QVERIFY(!missing->isLoaded);
        dir.write("no-such-file", euc(EDICT_TEXT));
        core.disableDictionary("missing");
        core.enableDictionary("missing");
        QVERIFY(missing->isLoaded);
    }

    void aRemovedDictionaryIsAnnouncedAndNoLongerSearched()
    {
        fixtures::FixtureDir dir;
        Core core;
        Edict* edict = edictIn(dir, "edict");
        core.addWordDictionary(edict);
        QSignalSpy removed(&core, &Core::dictionaryRemoved);
        core.removeWordDictionary(edict);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed[0][0].value<WordDictionary*>(), edict);
        QVERIFY(core.wordDictionaries->dictionaries.empty());
        Receiver receiver(core);
        core.search("ねこ", optionsFor(WordDictionary::SEARCH_KANA));
        QCOMPARE(receiver.words->getEntryCount(), 0);
        // The window may still show it until the announcement has gone round.
        QCOMPARE(edict->getName(), std::string("edict"));
    }
};

QTEST_GUILESS_MAIN(CoreTest)
#include "CoreTest.moc"
