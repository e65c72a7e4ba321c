#include "QCharacterResultTable.h"

#include "CharacterEntry.h"
#include "CharacterHover.h"
#include "CharacterResult.h"
#include "EntryText.h"
#include "Log.h"
#include "MetaTypes.h"
#include "StrokeOrderView.h"
#include "ViewSupport.h"

namespace {

void logCharacterRow(const char* function, int row, const CharacterEntry& entry)
{
    Log::write(7, "%s: Row #%d: Character: %C", function, row, entry.kanji);
}

}  // namespace

QCharacterResultTable::QCharacterResultTable(QWidget* parent)
    : QTableWidget(0, 3, parent),
      characterFont(nullptr),
      characterColor(nullptr),
      generalFont(nullptr),
      result(nullptr),
      hover(nullptr),
      hoverItem(nullptr)
{
    // Made once the table is whole: adding a child already sends the table
    // an event, which must find the pop-up null rather than unset.
    hover = new CharacterHover(this);
    setHorizontalHeaderLabels({tr("Char"), tr("Meaning"), tr("Strokes")});
    viewsupport::prepareHover(hover);
}

QCharacterResultTable::~QCharacterResultTable()
{
    delete result;
}

void QCharacterResultTable::setup()
{
    viewsupport::setupColumns(this);

    using Table = QCharacterResultTable;
    setContextMenuPolicy(Qt::ActionsContextMenu);
    viewsupport::addAction(this, tr("Search for words starting with this kanji"),
                           &Table::searchForWordsStartingWithSelectedKanji);
    viewsupport::addAction(this, tr("Search for words with this kanji anywhere"),
                           &Table::searchForWordsWithSelectedKanji);
    viewsupport::addAction(this, tr("Search for words ending with this kanji"),
                           &Table::searchForWordsEndingWithSelectedKanji);
    viewsupport::addSeparator(this);
    viewsupport::addAction(this, tr("Search for similar kanji"), &Table::searchForSimilarKanji);
    viewsupport::addAction(this, tr("Select this kanji's radicals"),
                           qOverload<>(&Table::selectRadicalsForKanji));
    viewsupport::addSeparator(this);
    viewsupport::addCopyShortcut(viewsupport::addAction(
        this, tr("Copy"), &Table::copyAll, QStringLiteral(":/images/resource/copy-icon.png")));
    viewsupport::addAction(this, tr("   Copy character"), &Table::copyCharacter);
    viewsupport::addAction(this, tr("   Copy on readings"), &Table::copyOnReadings);
    viewsupport::addAction(this, tr("   Copy kun readings"), &Table::copyKunReadings);
    viewsupport::addAction(this, tr("   Copy meaning"), &Table::copyMeaning);
    viewsupport::addSeparator(this);
    viewsupport::addAction(this, tr("Clear all entries"), &Table::clearResult,
                           QStringLiteral(":/images/resource/clear.png"));
    strokeOrderActions << viewsupport::addSeparator(this)
                       << viewsupport::addAction(this, tr("Show stroke order"),
                                                 &Table::showStrokeOrder);
    for (QAction* action : strokeOrderActions)
        action->setVisible(false);
}

void QCharacterResultTable::showStrokeOrder()
{
    QString kanji;
    for (const auto& [row, entry] : viewsupport::selectedEntries<CharacterEntry>(
             this, "showStrokeOrder", viewsupport::Columns::First)) {
        logCharacterRow("showStrokeOrder", row, *entry);
        kanji += entrytext::character(entry->kanji);
    }
    StrokeOrderView::showInWindow(kanji, this);
}

void QCharacterResultTable::setResult(CharacterResult* newResult)
{
    viewsupport::startFresh(this, hover, hoverItem);
    delete result;
    result = newResult;
    clearContents();
    setRowCount(result != nullptr ? result->getEntryCount() : 0);
    if (result == nullptr)
        return;
    viewsupport::fillRows(result, rowCount(),
                          [this](int row, CharacterEntry* entry) { fillRow(row, entry); });
    updateFonts();
}

void QCharacterResultTable::fillRow(int row, CharacterEntry* entry)
{
    const QVariant pointer = QVariant::fromValue(entry);
    auto newItem = [&](const QString& text) {
        QTableWidgetItem* item = viewsupport::newEntryItem(this, pointer);
        item->setText(text);
        return item;
    };
    QTableWidgetItem* kanji = newItem(entrytext::character(entry->kanji));
    kanji->setTextAlignment(Qt::AlignHCenter);
    setItem(row, 0, kanji);
    setItem(row, 1, newItem(entrytext::joined(entry->meanings, QStringLiteral(" | "))));
    setItem(row, 2, newItem(QStringLiteral("%1").arg(entry->strokeCount, 0, 10)));
}

void QCharacterResultTable::clearResult()
{
    viewsupport::clearTable(this, result, hoverItem, hover);
}

void QCharacterResultTable::updateFonts()
{
    for (int row = 0; row < rowCount(); ++row) {
        if (QTableWidgetItem* kanji = item(row, 0)) {
            if (characterFont != nullptr)
                kanji->setFont(*characterFont);
            if (characterColor != nullptr)
                kanji->setForeground(QBrush(*characterColor, Qt::SolidPattern));
        }
        for (int column = 1; column < 3 && generalFont != nullptr; ++column) {
            if (item(row, column) != nullptr)
                item(row, column)->setFont(*generalFont);
        }
    }
    resizeRowsToContents();
    for (int column = 0; column < columnCount(); ++column)
        resizeColumnToContents(column);
}

QString QCharacterResultTable::selectedKanjiPattern(const char* function, const QString& before,
                                                    const QString& after)
{
    const auto entries = viewsupport::selectedEntries<CharacterEntry>(this, function,
                                                                      viewsupport::Columns::All);
    if (entries.empty())
        return QString();
    const auto& [row, entry] = entries.front();
    logCharacterRow(function, row, *entry);
    return before + entrytext::character(entry->kanji) + after;
}

void QCharacterResultTable::searchWordsFor(const QString& text)
{
    WordDictionary::SearchOptions options;
    options.searchFlags = WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_WILDCARD;
    options.commonFilter = 0;
    options.limit = -1;
    options.partsOfSpeech.clear();
    options.matchAllPartsOfSpeech = false;
    emit searchForWords(text, options);
}

void QCharacterResultTable::searchForWordsStartingWithSelectedKanji()
{
    const QString text = selectedKanjiPattern("searchForWordsStartingWithSelectedKanji", QString(),
                                              QStringLiteral("*"));
    Log::write(7, "%s: Searching for words starting with this kanji.",
               "searchForWordsStartingWithSelectedKanji");
    searchWordsFor(text);
}

void QCharacterResultTable::searchForWordsWithSelectedKanji()
{
    searchWordsFor(selectedKanjiPattern("searchForWordsWithSelectedKanji", QStringLiteral("*"),
                                        QStringLiteral("*")));
}

void QCharacterResultTable::searchForWordsEndingWithSelectedKanji()
{
    searchWordsFor(selectedKanjiPattern("searchForWordsEndingWithSelectedKanji",
                                        QStringLiteral("*"), QString()));
}

void QCharacterResultTable::searchForSimilarKanji()
{
    selectRadicalsForKanji(true);
}

void QCharacterResultTable::selectRadicalsForKanji(bool search)
{
    std::set<wchar_t> radicals;
    for (const auto& [row, entry] : viewsupport::selectedEntries<CharacterEntry>(
             this, "selectRadicalsForKanji", viewsupport::Columns::All)) {
        logCharacterRow("selectRadicalsForKanji", row, *entry);
        radicals.insert(entry->radicals.begin(), entry->radicals.end());
    }
    Log::write(7, "%s: Selecting the component radicals.", "selectRadicalsForKanji");
    emit radicalsSelected(radicals, search);
}

void QCharacterResultTable::selectRadicalsForKanji()
{
    selectRadicalsForKanji(false);
}

template <typename RowText>
void QCharacterResultTable::copyRows(const char* function, RowText rowText)
{
    viewsupport::copyRows<CharacterEntry>(this, function, logCharacterRow, rowText);
}

void QCharacterResultTable::copyAll()
{
    copyRows("copyAll", [](const CharacterEntry& entry) {
        return entrytext::character(entry.kanji) + QStringLiteral(" / ")
               + entrytext::joined(entry.on, QStringLiteral("; ")) + QStringLiteral(" / ")
               + entrytext::joined(entry.kun, QStringLiteral("; ")) + QStringLiteral(" : ")
               + entrytext::joined(entry.meanings, QStringLiteral("; "));
    });
}

void QCharacterResultTable::copyCharacter()
{
    copyRows("copyCharacter",
             [](const CharacterEntry& entry) { return entrytext::character(entry.kanji); });
}

void QCharacterResultTable::copyOnReadings()
{
    copyRows("copyOnReadings", [](const CharacterEntry& entry) {
        return entrytext::joined(entry.on, QStringLiteral("; "));
    });
}

void QCharacterResultTable::copyKunReadings()
{
    copyRows("copyKunReadings", [](const CharacterEntry& entry) {
        return entrytext::joined(entry.kun, QStringLiteral("; "));
    });
}

void QCharacterResultTable::copyMeaning()
{
    copyRows("copyMeaning", [](const CharacterEntry& entry) {
        return entrytext::joined(entry.meanings, QStringLiteral("; "));
    });
}

bool QCharacterResultTable::event(QEvent* event)
{
    showStrokeOrderActionsIfAvailable(event);
    if (hover != nullptr
        && viewsupport::answerHoverEvent<CharacterEntry>(
            this, event, hover, hoverItem,
            [this](CharacterEntry* entry) { hover->setInfo(entry); })) {
        return true;
    }
    return QTableWidget::event(event);
}

// The context menu opens from the viewport and the header, and from the
// table itself for the keyboard's menu key.
void QCharacterResultTable::showStrokeOrderActionsIfAvailable(const QEvent* event)
{
    if (event->type() != QEvent::ContextMenu)
        return;
    for (QAction* action : strokeOrderActions)
        action->setVisible(StrokeOrderView::available());
}

bool QCharacterResultTable::viewportEvent(QEvent* event)
{
    showStrokeOrderActionsIfAvailable(event);
    if (hover != nullptr) {
        viewsupport::answerViewportEvent(event, hover, hoverItem);
    }
    return QTableWidget::viewportEvent(event);
}
