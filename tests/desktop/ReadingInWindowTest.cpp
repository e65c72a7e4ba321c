// Words as a learner meets them in text, in the assembled program: "Most
// relevant first" with the deinflection engine, the inflections named in
// the word table and its pop-up, and the Read panel wired to the searches
// and to copied text.
#include "DesktopProgram.h"
#include "Edict.h"
#include "WordEntry.h"
#include "QWordResultTable.h"
#include "ReaderPanel.h"
#include "TextReader.h"
#include "WordHover.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <clocale>

using fixtures::DesktopProgram;

namespace {

// 側 sorts before 川 by the specified order; 川 is the common one.
const QByteArray EDICT_TEXT =
    "猫 [ねこ] /(n) cat/(P)/\n"
    "が /(prt) subject marker/(P)/\n"
    "魚 [さかな] /(n) fish/(P)/\n"
    "を /(prt) object marker/(P)/\n"
    "食べる [たべる] /(v1,vt) to eat/(P)/\n"
    "飲む [のむ] /(v5m,vt) to drink/(P)/\n"
    "行く [いく] /(v5k-s,vi) to go/(P)/\n"
    "側 [かわ] /(n) side/\n"
    "川 [かわ] /(n) river/(P)/\n";

void writeFiles(const fixtures::FixtureDir& dir, bool withEngine = true)
{
    fixtures::writeDataFiles(dir);
    dir.write("edict", fixtures::euc(EDICT_TEXT));
    QFile rules(DEXARU_SOURCE_DIR "/data/deinflection.dat");
    if (withEngine && rules.open(QIODevice::ReadOnly))
        dir.write("deinflection.dat", rules.readAll());
}

// Column 0's word of each row, then (for the first row) the meaning cell's text.
QStringList words(QWordResultTable* table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << QString::fromStdWString(table->item(row, 0)->data(Qt::UserRole).value<WordEntry*>()->word);
    return rows;
}

void search(DesktopProgram& program, const QString& text)
{
    program.find<QPlainTextEdit>("searchText")->setPlainText(text);
    program.find<QPushButton>("searchButton")->click();
}

}  // namespace

class ReadingInWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }

    // Off (the form's default): the specified order, and fuzzy searches
    // through the fuzzy rules only (none here). On: the common word first,
    // inflected words found with their inflections in the row and pop-up.
    void mostRelevantFirstOrdersAndDeinflects()
    {
        fixtures::FixtureDir dir;
        writeFiles(dir);
        {
            DesktopProgram program(dir.path());
            program.addDictionary("edict");
            auto* table = program.find<QWordResultTable>("wordResults");
            auto* relevance = program.find<QCheckBox>("relevanceOrder");
            QVERIFY(relevance != nullptr);
            QCOMPARE(relevance->text(), QString("Most relevant first"));
            QVERIFY(!relevance->isChecked());
            program.find<QCheckBox>("fuzzySearch")->setChecked(true);

            const struct {
                bool relevant;
                QString text;
                QStringList words;
                QString firstMeaning;
            } cases[] = {
                {false, "kawa", {"側", "川"}, "<font color=\"#00AA00\">noun</font><br>side"},
                {false, "飲ませられなかった", {}, ""},
                {false, "ikimashita", {}, ""},
                {true, "kawa", {"川", "側"}, "<font color=\"#00AA00\">noun</font><br>river"},
                {true, "飲ませられなかった", {"飲む"},
                 "<font color=\"#808080\">&lt; 飲ませられなかった: causative, passive, negative, "
                 "past</font><br><font color=\"#00AA00\">godan verb ending in -mu | transitive "
                 "verb</font><br>to drink"},
                {true, "ikimashita", {"行く"}, ""},
                {false, "飲ませられなかった", {}, ""},
            };
            for (const auto& sample : cases) {
                relevance->setChecked(sample.relevant);
                search(program, sample.text);
                QCOMPARE(words(table), sample.words);
                if (!sample.firstMeaning.isEmpty())
                    QCOMPARE(table->item(0, 1)->text(), sample.firstMeaning);
            }

            // Capitalised as English writes it, romaji is read in lower case
            // in the relevance order; otherwise capitals give katakana.
            program.find<QCheckBox>("ignoreCase")->setChecked(false);
            const struct {
                bool relevant;
                QString text;
                QStringList words;
            } capitals[] = {
                {true, "Kawa", {"川", "側"}}, {true, "Ikimashita", {"行く"}}, {true, "KAWA", {}},
                {false, "Kawa", {}},         {false, "Ikimashita", {}},
            };
            for (const auto& sample : capitals) {
                relevance->setChecked(sample.relevant);
                search(program, sample.text);
                QCOMPARE(words(table), sample.words);
            }
            program.find<QCheckBox>("ignoreCase")->setChecked(true);

            relevance->setChecked(true);
            search(program, "いきました");
            QVERIFY(table->item(0, 1)->data(Qt::AccessibleTextRole).toString().endsWith(
                " (いきました: polite, past)"));
            const QPoint overRow = table->viewport()->mapTo(table, table->visualItemRect(table->item(0, 1)).center());
            QHelpEvent rest(QEvent::ToolTip, overRow, QPoint(10, 10));
            QApplication::sendEvent(table, &rest);
            QVERIFY(table->hover->isVisible());
            QCOMPARE(table->hover->findChild<QLabel*>("reasons")->text(), QString("< いきました: polite, past"));
            QVERIFY(program.window.close());
        }
        QSettings kept(dir.path() + "/preferences.ini", QSettings::IniFormat);
        QCOMPARE(kept.value("settings/check/relevanceOrder").toInt(), 1);
        {
            DesktopProgram again(dir.path());
            again.window.readSettings();
            QVERIFY(again.find<QCheckBox>("relevanceOrder")->isChecked());
            search(again, "飲ませられなかった");
            QCOMPARE(words(again.find<QWordResultTable>("wordResults")), QStringList{"飲む"});
        }
    }

    // Without the engine's file the relevance order still sorts, and fuzzy
    // searches stay as they were.
    void withoutTheEngineFileOnlyTheOrderChanges()
    {
        fixtures::FixtureDir dir;
        writeFiles(dir, false);
        DesktopProgram program(dir.path());
        program.addDictionary("edict");
        program.find<QCheckBox>("fuzzySearch")->setChecked(true);
        program.find<QCheckBox>("relevanceOrder")->setChecked(true);
        auto* table = program.find<QWordResultTable>("wordResults");
        search(program, "飲ませられなかった");
        QCOMPARE(table->rowCount(), 0);
        search(program, "kawa");
        QCOMPARE(words(table), (QStringList{"川", "側"}));
        auto* panel = program.window.findChild<ReaderPanel*>();
        panel->showText("猫が魚");
        QCOMPARE(panel->findChild<QListWidget*>("readerWords")->count(), 3);
    }

    // A click on a word of the panel searches its dictionary form; copied
    // text of several words goes to the panel, a single word is searched.
    void readPanelSearchesWordsAndTakesCopiedSentences()
    {
        fixtures::FixtureDir dir;
        writeFiles(dir);
        DesktopProgram program(dir.path());
        WordDictionary* edict = program.addDictionary("edict");
        program.window.resize(900, 700);
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        auto* panel = program.window.findChild<ReaderPanel*>();
        QVERIFY(panel != nullptr);
        auto* field = program.find<QPlainTextEdit>("readerText");
        auto* list = program.find<QListWidget>("readerWords");
        QVERIFY(field != nullptr && list != nullptr);
        QSignalSpy searches(&program.window, &MainWindow::search);

        // The reader builds its tables when the panel is first shown, off
        // the window's thread; never while the panel stays closed.
        QTRY_VERIFY(edict->isLoaded);
        QTest::qWait(100);
        QVERIFY(!program.core.textReader()->hasTables());
        panel->show();
        QTRY_VERIFY(program.core.textReader()->hasTables());
        panel->showText("猫が魚を食べさせられなかった。");
        QCOMPARE(list->count(), 6);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(4)).center());
        QCOMPARE(searches.count(), 1);
        QCOMPARE(searches.last().at(0).toString(), QString("食べる"));
        QCOMPARE(program.find<QPlainTextEdit>("searchText")->toPlainText(), QString("食べる"));
        QCOMPARE(words(program.find<QWordResultTable>("wordResults")), QStringList{"食べる"});

        panel->hide();
        program.find<QAction>("actionLookUpCopiedText")->setChecked(true);
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("猫を食べた");
        QCOMPARE(searches.count(), 1);
        QCOMPARE(field->toPlainText(), QString("猫を食べた"));
        QCOMPARE(list->count(), 3);
        QVERIFY(panel->isVisible());
        clipboard->setText("食べさせられなかった");
        QCOMPARE(searches.count(), 2);
        QCOMPARE(searches.last().at(0).toString(), QString("食べさせられなかった"));
        QCOMPARE(field->toPlainText(), QString("猫を食べた"));
        program.find<QAction>("actionLookUpCopiedText")->setChecked(false);

        // Switching the dictionary off and on reads the text again.
        auto* dictionaryRow = program.find<QListWidget>("dictionaryList")->item(0);
        dictionaryRow->setCheckState(Qt::Unchecked);
        QCOMPARE(panel->tokens().front().kind, TextToken::UNKNOWN);
        dictionaryRow->setCheckState(Qt::Checked);
        QCOMPARE(panel->tokens().front().kind, TextToken::WORD);
        QCOMPARE(list->count(), 3);
    }

    // With A (猫) and B (犬) loaded, removing A leaves 犬 read from B: the
    // panel reads again by itself, and the reader's entries belong to each
    // dictionary, not to its place in the list.
    void readPanelReadsOnAfterADictionaryBeforeIsRemoved()
    {
        fixtures::FixtureDir dir;
        writeFiles(dir);
        dir.write("cats", fixtures::euc("猫 [ねこ] /(n) cat/(P)/\n"));
        dir.write("dogs", fixtures::euc("犬 [いぬ] /(n) dog/(P)/\n"));
        DesktopProgram program(dir.path());
        auto* cats = new Edict;
        cats->setName("A");
        cats->setFilename("cats");
        auto* dogs = new Edict;
        dogs->setName("B");
        dogs->setFilename("dogs");
        emit program.window.wordDictionaryAdded(cats);
        emit program.window.wordDictionaryAdded(dogs);
        QTRY_VERIFY(cats->isLoaded && dogs->isLoaded);
        auto* panel = program.window.findChild<ReaderPanel*>();
        panel->show();
        const auto shown = [panel] {
            QStringList words;
            for (const TextToken& token : panel->tokens())
                words << (token.entry ? QString::fromStdString(token.entry->meanings[0]) : QString("?"));
            return words;
        };
        panel->showText("猫犬");
        QTRY_COMPARE(shown(), QStringList({"cat", "dog"}));
        emit program.window.wordDictionaryRemoved(cats);
        QTRY_COMPARE(shown(), QStringList({"?", "dog"}));
        QCOMPARE(panel->tokens().back().entry->dictionaryName, std::string("B"));
    }
};

QTEST_MAIN(ReadingInWindowTest)
#include "ReadingInWindowTest.moc"
