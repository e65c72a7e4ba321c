#include "WordHover.h"
#include "ui_WordHover.h"

#include "EntryText.h"
#include "WordEntry.h"

#include <QStringList>

WordHover::WordHover(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), ui(new Ui::WordHover)
{
    ui->setupUi(this);
    ui->reasons->hide();
    // Dictionary text, never markup; the lists are escaped as they are made.
    for (QLabel* label : {ui->word, ui->kana, ui->reasons})
        label->setTextFormat(Qt::PlainText);
}

WordHover::~WordHover()
{
    delete ui;
}

void WordHover::setInfo(WordEntry* entry)
{
    if (entry == nullptr)
        return;
    showEntry(*entry, entry->deinflectedFrom, entry->deinflectionReasons);
}

void WordHover::showEntry(const WordEntry& entry, const std::wstring& typed,
                          const std::vector<std::string>& reasons)
{
    ui->word->setText(entrytext::wide(entry.word));
    ui->kana->setText(entrytext::reading(entry, showRomaji));
    const QString inflection = entrytext::inflection(typed, reasons);
    ui->reasons->setText(inflection);
    ui->reasons->setVisible(!inflection.isEmpty());
    QStringList tags;
    for (const EntryInfo* info : entry.info)
        tags << entrytext::dictionary(info->text);
    ui->info->setText(entrytext::bulleted(tags));
    ui->meanings->setText(entrytext::bulleted(entrytext::meanings(entry)));
    for (QLabel* label : {ui->word, ui->kana, ui->reasons, ui->info, ui->meanings})
        label->adjustSize();
    adjustSize();
}
