#include "SearchOptionControls.h"

#include "PartsOfSpeechListItem.h"
#include "ui_MainWindow.h"

#include <QCheckBox>

#include <algorithm>
#include <utility>

namespace {

bool isChecked(const QCheckBox* box)
{
    return box->checkState() == Qt::Checked;
}

}  // namespace

SearchOptionControls::SearchOptionControls(Ui::MainWindow* form) : ui(form)
{
}

WordDictionary::SearchOptions SearchOptionControls::options() const
{
    WordDictionary::SearchOptions options;
    options.searchFlags = 0;
    options.commonFilter = 0;
    options.limit = -1;
    options.matchAllPartsOfSpeech = false;

    const std::pair<const QCheckBox*, int> flags[] = {
        {ui->searchInKana, WordDictionary::SEARCH_KANA},
        {ui->searchInWord, WordDictionary::SEARCH_WORD},
        {ui->searchInMeanings, WordDictionary::SEARCH_MEANING},
        {ui->ignoreCase, WordDictionary::SEARCH_IGNORE_CASE},
        {ui->fuzzySearch, WordDictionary::SEARCH_FUZZY},
        {ui->allowWildcards, WordDictionary::SEARCH_WILDCARD},
    };
    for (const auto& [box, flag] : flags) {
        if (isChecked(box))
            options.searchFlags |= flag;
    }
    if (isChecked(ui->commonOnly))
        options.commonFilter = 1;
    if (isChecked(ui->allowLimit)) {
        bool isNumber = false;
        const int limit = ui->limitText->toPlainText().toInt(&isNumber, 10);
        if (isNumber)
            options.limit = limit;
    }
    // The check marks, which "All" and "Visible" toggle, choose the parts of
    // speech; the list's selection is only a cursor.
    if (isChecked(ui->searchByPartsOfSpeech)) {
        for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
            QListWidgetItem* item = ui->partsOfSpeechList->item(row);
            if (item->type() == QListWidgetItem::UserType && item->checkState() == Qt::Checked)
                options.partsOfSpeech.push_back(
                    static_cast<PartsOfSpeechListItem*>(item)->abbreviation.toStdString());
        }
    }
    return options;
}

void SearchOptionControls::restore(const WordDictionary::SearchOptions& options)
{
    const std::pair<QCheckBox*, bool> boxes[] = {
        {ui->searchInKana, (options.searchFlags & WordDictionary::SEARCH_KANA) != 0},
        {ui->searchInWord, (options.searchFlags & WordDictionary::SEARCH_WORD) != 0},
        {ui->searchInMeanings, (options.searchFlags & WordDictionary::SEARCH_MEANING) != 0},
        {ui->ignoreCase, (options.searchFlags & WordDictionary::SEARCH_IGNORE_CASE) != 0},
        {ui->fuzzySearch, (options.searchFlags & WordDictionary::SEARCH_FUZZY) != 0},
        {ui->allowWildcards, (options.searchFlags & WordDictionary::SEARCH_WILDCARD) != 0},
        {ui->commonOnly, options.commonFilter == 1},
        {ui->allowLimit, options.limit >= 0},
        {ui->searchByPartsOfSpeech, !options.partsOfSpeech.empty()},
    };
    for (const auto& [box, checked] : boxes)
        box->setChecked(checked);
    if (options.limit >= 0)
        ui->limitText->setPlainText(QString::number(options.limit));
    if (options.partsOfSpeech.empty())
        return;
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
        QListWidgetItem* item = ui->partsOfSpeechList->item(row);
        if (item->type() != QListWidgetItem::UserType)
            continue;
        const std::string abbreviation =
            static_cast<PartsOfSpeechListItem*>(item)->abbreviation.toStdString();
        const bool wanted = std::find(options.partsOfSpeech.begin(), options.partsOfSpeech.end(),
                                      abbreviation)
                            != options.partsOfSpeech.end();
        item->setCheckState(wanted ? Qt::Checked : Qt::Unchecked);
    }
}

void SearchOptionControls::addPartOfSpeech(const QString& abbreviation, const QString& name)
{
    ui->partsOfSpeechList->addItem(new PartsOfSpeechListItem(abbreviation, name));
}

void SearchOptionControls::filterPartsOfSpeech()
{
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row)
        ui->partsOfSpeechList->item(row)->setHidden(true);
    const QString filter = ui->partsOfSpeechFilter->toPlainText();
    for (QListWidgetItem* item : ui->partsOfSpeechList->findItems(filter, Qt::MatchContains))
        item->setHidden(false);
}

void SearchOptionControls::enablePartsOfSpeech(bool enabled)
{
    ui->partsOfSpeechFilter->setEnabled(enabled);
    ui->partsOfSpeechList->setEnabled(enabled);
    ui->checkUncheck->setEnabled(enabled);
    ui->checkAll->setEnabled(enabled);
    ui->checkVisible->setEnabled(enabled);
}

void SearchOptionControls::toggleCheckMarks(bool visibleOnly)
{
    QList<QListWidgetItem*> rows;
    for (int row = 0; row < ui->partsOfSpeechList->count(); ++row) {
        QListWidgetItem* item = ui->partsOfSpeechList->item(row);
        if (!visibleOnly || !item->isHidden())
            rows.append(item);
    }
    if (rows.isEmpty())
        return;
    const Qt::CheckState newState = rows.first()->checkState() == Qt::Checked ? Qt::Unchecked
                                                                              : Qt::Checked;
    for (QListWidgetItem* item : rows)
        item->setCheckState(newState);
}
