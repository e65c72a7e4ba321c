#include "ManageDictionaries.h"

#include "ui_ManageDictionaries.h"

#include "Log.h"

#include <QTableWidgetItem>

#include <vector>

namespace {

WordDictionary* dictionaryOf(const QTableWidgetItem* item)
{
    return item != nullptr ? item->data(Qt::UserRole).value<WordDictionary*>() : nullptr;
}

}  // namespace

ManageDictionaries::ManageDictionaries(QWidget* parent)
    : QDialog(parent), ui(new Ui::ManageDictionaries)
{
    ui->setupUi(this);
    connect(ui->deleteButton, &QPushButton::clicked, this, &ManageDictionaries::deleteClicked);
}

ManageDictionaries::~ManageDictionaries() = default;

void ManageDictionaries::addWordDictionary(WordDictionary* wordDictionary)
{
    const std::string name = wordDictionary->getName();
    Log::write(7, "Got a new dictionary: %s", name.c_str());
    const int row = ui->tableWidget->rowCount();
    ui->tableWidget->insertRow(row);
    Log::write(7, "Row count: %d", row);
    auto* item = new QTableWidgetItem(QString::fromUtf8(name.c_str()));
    item->setData(Qt::UserRole, QVariant::fromValue(wordDictionary));
    ui->tableWidget->setItem(row, 0, item);
}

void ManageDictionaries::removeWordDictionary(WordDictionary* wordDictionary)
{
    for (int row = 0; row < ui->tableWidget->rowCount();) {
        if (dictionaryOf(ui->tableWidget->item(row, 0)) == wordDictionary) {
            ui->tableWidget->removeRow(row);
        } else {
            ++row;
        }
    }
}

void ManageDictionaries::deleteClicked()
{
    // Each request may come back as removeWordDictionary and delete rows,
    // so the dictionaries are gathered before the first one is sent.
    std::vector<WordDictionary*> selected;
    for (const QTableWidgetItem* item : ui->tableWidget->selectedItems()) {
        if (item->column() == 0) {
            selected.push_back(dictionaryOf(item));
        }
    }
    for (WordDictionary* dictionary : selected) {
        emit wordDictionaryRemoved(dictionary);
    }
}
