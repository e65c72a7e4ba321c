#include "WindowKeyboard.h"

#include "CharacterHover.h"
#include "SingleLineField.h"
#include "WordHover.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QMainWindow>
#include <QShortcut>
#include <QTableWidget>

namespace {

QString windowText(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

// A table reached by the keyboard shows its first row selected, so that
// Return, the copy keys and the context menu act on the top result and the
// first Down goes to the second row, not past the first one unseen.
class SelectFirstRowOnFocus : public QObject
{
public:
    explicit SelectFirstRowOnFocus(QTableWidget* table) : QObject(table), table(table)
    {
        table->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn
            && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason
            && table->rowCount() > 0 && !table->currentIndex().isValid()
            && !table->selectionModel()->hasSelection()) {
            table->setCurrentCell(0, 0);
        }
        return false;
    }

private:
    QTableWidget* table;
};

}  // namespace

void WindowKeyboard::setUp(QMainWindow* window, Ui::MainWindow* ui)
{
    ui->actionQuit->setShortcut(QKeySequence::Quit);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F6)})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, [ui] {
            ui->searchText->setFocus(Qt::ShortcutFocusReason);
            ui->searchText->selectAll();
        });
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), window), &QShortcut::activated,
                     window, [ui] {
                         ui->searchText->cancelPending();
                         ui->wordResults->hover->hide();
                         ui->characterResults->hover->hide();
                     });
    // Tab leaves a table at once, as it leaves a list; the arrows move inside.
    for (QTableWidget* table : {static_cast<QTableWidget*>(ui->wordResults),
                                static_cast<QTableWidget*>(ui->characterResults)}) {
        table->setTabKeyNavigation(false);
        new SelectFirstRowOnFocus(table);
    }
    SingleLineField::makeSingleLine(ui->partsOfSpeechFilter);
    SingleLineField::makeSingleLine(ui->limitText);

    const QList<QWidget*> order = {
        ui->searchText,          ui->searchButton,      ui->wordResults,
        ui->characterResults,    ui->radicalList,       ui->imeButton,
        ui->allowWildcards,      ui->fuzzySearch,       ui->commonOnly,
        ui->romajiToKana,        ui->ignoreCase,        ui->searchInWord,
        ui->searchInKana,        ui->searchInMeanings,  ui->searchAsYouType, ui->showRomaji,
        ui->relevanceOrder,
        ui->allowLimit,          ui->limitText,         ui->searchByPartsOfSpeech,
        ui->partsOfSpeechFilter, ui->partsOfSpeechList, ui->checkAll,
        ui->checkVisible,        ui->dictionaryList};
    for (int at = 1; at < order.size(); ++at)
        QWidget::setTabOrder(order[at - 1], order[at]);
    ui->searchText->setAccessibleName(windowText("Search text"));
    ui->wordResults->setAccessibleName(windowText("Word results"));
    ui->characterResults->setAccessibleName(windowText("Kanji results"));
    ui->radicalList->setAccessibleName(windowText("Radicals"));
}
