#include "WindowKeyboard.h"

#include "CharacterHover.h"
#include "SingleLineField.h"
#include "WordHover.h"
#include "ui_MainWindow.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QShortcut>

namespace {

QString windowText(const char* text)
{
    return QCoreApplication::translate("MainWindow", text);
}

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
