// The Read panel over a fixture dictionary and the real deinflection rules:
// the words of a text with their readings, the search a click asks for, the
// pop-up over a word, and text typed into the field.
#include "Deinflector.h"
#include "Edict.h"
#include "FixtureFiles.h"
#include "MetaTypes.h"
#include "PartsOfSpeech.h"
#include "ReaderPanel.h"
#include "ReaderWordDelegate.h"
#include "TextReader.h"
#include "WordDictionaryCollection.h"
#include "WordHover.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <clocale>

using fixtures::euc;

namespace {

const QByteArray EDICT_TEXT =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "が /(prt) subject marker/(P)/\n"
    "魚 [さかな] /(n) fish/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n"
    "為る [する] /(vs-i) (uk) to do/(P)/\n"
    "勉強 [べんきょう] /(n,vs) study/(P)/\n"
    "人 [じん] /(suf) -ian/(P)/\n"
    "人 [ひと] /(n) person/(P)/\n"
    "日本 [にほん] /(n) Japan/(P)/\n"
    "多い [おおい] /(adj-i) many/(P)/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "来る [くる] /(vk,vi) to come/(P)/\n"
    "ます /(aux-v) polite/(P)/\n";

// The items of the list as "above/written/below", joined by "|".
QString shownItems(QListWidget* list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row) {
        const ReaderWordDelegate::Lines lines = ReaderWordDelegate::linesOf(list->model()->index(row, 0));
        items << lines.above + "/" + lines.written + "/" + lines.below;
    }
    return items.join("|");
}

QString surfaces(QListWidget* list)
{
    QString text;
    for (int row = 0; row < list->count(); ++row)
        text += list->item(row)->text();
    return text;
}

} // namespace

class ReaderPanelTest : public QObject
{
    Q_OBJECT

private:
    fixtures::FixtureDir dir;
    PartsOfSpeech partsOfSpeech;
    Deinflector deinflector;
    WordDictionaryCollection words;
    std::unique_ptr<TextReader> reader;

    QListWidget* wordList(ReaderPanel& panel) { return panel.findChild<QListWidget*>("readerWords"); }
    QPoint centreOf(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
        registerMetaTypes();
        QVERIFY(partsOfSpeech.load(DEXARU_SOURCE_DIR "/data/partsofspeech.drx") == 0);
        QVERIFY(deinflector.loadFromFile(DEXARU_SOURCE_DIR "/data/deinflection.dat") == 0);
        auto* edict = new Edict;
        edict->setName("fixture");
        edict->setFilename(dir.write("edict", euc(EDICT_TEXT)));
        words.setPartsOfSpeech(&partsOfSpeech);
        words.addDictionary(edict);
        words.load();
        QVERIFY(edict->isLoaded);
        reader = std::make_unique<TextReader>(&words, &deinflector);
    }

    // Each token one item, reading above, the dictionary form below an
    // inflected word; the items give back the text whatever it holds.
    void showsTheWordsOfATextWithTheirReadings()
    {
        const struct {
            QString text;
            QString items;
        } cases[] = {
            {"猫が魚を食べさせられなかった。",
             "ねこ/猫/|/が/|さかな/魚/|/を/|たべさせられなかった/食べさせられなかった/食べる|/。/"},
            {"勉強しました", "べんきょうしました/勉強しました/勉強"},
            {"ねこ", "/ねこ/猫"},
            {"", ""},
            {"。、！", "/。/|/、/|/！/"},
            {"猫 ABC ｶﾀｶﾅ猫\n", "ねこ/猫/|/ /|/ABC/|/ /|/ｶﾀｶﾅ/|ねこ/猫/|/ /"},
            {"猫😀が", "ねこ/猫/|/😀/|/が/"},  // beyond the 16-bit plane
            // A lone surrogate stays a token of its own, drawn as U+FFFD.
            {QString("猫") + QChar(0xD800) + "が", "ねこ/猫/|/\uFFFD/|/が/"},
        };
        ReaderPanel panel;
        panel.setReader(reader.get());
        panel.resize(600, 300);
        for (const auto& sample : cases) {
            panel.showText(sample.text);
            QCOMPARE(shownItems(wordList(panel)), sample.items);
            QCOMPARE(surfaces(wordList(panel)), QString(sample.text).replace(QChar(0xD800), QChar(0xFFFD)));
            QCOMPARE(panel.findChild<QPlainTextEdit*>("readerText")->toPlainText(), sample.text);
            QCOMPARE(int(panel.tokens().size()), wordList(panel)->count());
        }
    }

    // Above each word the reading of the form in the text: the inflected
    // form's own, and for a kanji of several readings the one the sentence
    // needs, as the analyser reads it.
    void showsTheReadingOfTheFormInTheText()
    {
        if (!reader->usesAnalyser())
            QSKIP("MeCab or its IPA dictionary is not installed");
        const struct {
            QString text;
            QString items;
        } cases[] = {
            {"行きます", "いきます/行きます/行く"},
            {"来ます", "きます/来ます/来る"},
            {"人が多い", "ひと/人/|/が/|おおい/多い/"},
            {"日本人", "にほん/日本/|じん/人/"},
            {"勉強しました", "べんきょうしました/勉強しました/勉強"},
        };
        ReaderPanel panel;
        panel.setReader(reader.get());
        for (const auto& sample : cases) {
            panel.showText(sample.text);
            QCOMPARE(shownItems(wordList(panel)), sample.items);
        }
        // Without the analyser the reading of an inflected form still is its own.
        TextReader alone(&words, &deinflector, "");
        panel.setReader(&alone);
        panel.showText("行きます");
        QCOMPARE(shownItems(wordList(panel)), QStringLiteral("いきます/行きます/行く"));
        panel.setReader(reader.get());
    }

    void countsWordsAndUnknownRunsOnly()
    {
        ReaderPanel panel;
        QCOMPARE(panel.wordCount("猫が魚"), 0);  // no reader yet
        panel.showText("猫が魚");
        QCOMPARE(wordList(panel)->count(), 0);
        panel.setReader(reader.get());
        const struct {
            QString text;
            int count;
        } cases[] = {{"猫が魚を食べる", 5}, {"食べさせられなかった", 1}, {"猫。", 1},
                     {"。 、", 0}, {"", 0}, {"ABC 猫", 2}};
        for (const auto& sample : cases)
            QCOMPARE(panel.wordCount(sample.text), sample.count);
        QCOMPARE(wordList(panel)->count(), 0);  // counting shows nothing
    }

    // A click on a word asks for its dictionary form; punctuation and
    // unknown runs ask for nothing.
    void clickingAWordAsksForItsDictionaryForm()
    {
        ReaderPanel panel;
        panel.setReader(reader.get());
        panel.resize(700, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.showText("猫がXを食べさせられなかった。");
        QSignalSpy chosen(&panel, &ReaderPanel::wordChosen);
        QListWidget* list = wordList(panel);
        for (int row : {4, 5, 2, 0}) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(list, row));
        }
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen.at(0).at(0).toString(), QStringLiteral("食べる"));
        QCOMPARE(chosen.at(1).at(0).toString(), QStringLiteral("猫"));
    }

    // The pop-up shows the entry and how the word was inflected; over a
    // run no dictionary knows, or after leaving, it hides.
    void hoverShowsTheEntryWithItsInflections()
    {
        ReaderPanel panel;
        panel.setReader(reader.get());
        panel.resize(700, 300);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.showText("猫がXを食べさせられなかった");
        QListWidget* list = wordList(panel);
        auto* hover = panel.findChild<WordHover*>();
        QVERIFY(hover != nullptr);
        auto label = [hover](const char* name) { return hover->findChild<QLabel*>(name); };
        auto rest = [list](const QPoint& position) {
            QHelpEvent event(QEvent::ToolTip, position, list->viewport()->mapToGlobal(position));
            QApplication::sendEvent(list->viewport(), &event);
        };

        rest(centreOf(list, 4));
        QVERIFY(hover->isVisible());
        QCOMPARE(label("word")->text(), QStringLiteral("食べる"));
        QCOMPARE(label("kana")->text(), QStringLiteral("たべる"));
        QCOMPARE(label("reasons")->text(),
                 QStringLiteral("< 食べさせられなかった: causative, passive, negative, past"));
        QVERIFY(label("reasons")->isVisibleTo(hover));
        QCOMPARE(label("meanings")->text(), QStringLiteral("<ul><li>to eat</li></ul>"));

        rest(centreOf(list, 0));
        QVERIFY(hover->isVisible());
        QCOMPARE(label("word")->text(), QStringLiteral("猫"));
        QVERIFY(!label("reasons")->isVisibleTo(hover));

        rest(centreOf(list, 2));  // X: no entry
        QVERIFY(!hover->isVisible());
        rest(centreOf(list, 0));
        QVERIFY(hover->isVisible());
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(list->viewport(), &leave);
        QVERIFY(!hover->isVisible());
    }

    // Typed text is read once typing rests; a new text replaces the words.
    void typedTextIsReadOnceTypingRests()
    {
        ReaderPanel panel;
        panel.setReader(reader.get());
        auto* field = panel.findChild<QPlainTextEdit*>("readerText");
        field->insertPlainText("猫");  // as an input method commits text
        field->insertPlainText("を");
        QCOMPARE(wordList(panel)->count(), 0);
        QTRY_COMPARE(surfaces(wordList(panel)), QStringLiteral("猫を"));
        QCOMPARE(wordList(panel)->count(), 2);
        field->setPlainText("魚");
        QTRY_COMPARE(shownItems(wordList(panel)), QStringLiteral("さかな/魚/"));
    }
};

QTEST_MAIN(ReaderPanelTest)
#include "ReaderPanelTest.moc"
