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
    for (QLabel* label : {ui->word, ui->kana, ui->reasons}) {
        label->setTextFormat(Qt::PlainText);
    }
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
    tags.clear();
    for (const EntryInfo* info : entry.info)
        tags << entrytext::dictionary(info->text);
    meanings = entrytext::meanings(entry);
    lines = QStringList{ui->word->text(), ui->kana->text(), inflection};
    ui->info->setText(entrytext::bulleted(tags));
    ui->meanings->setText(entrytext::bulleted(meanings));
    for (QLabel* label : {ui->word, ui->kana, ui->reasons, ui->info, ui->meanings})
        label->adjustSize();
    adjustSize();
}

void WordHover::fitInto(const QSize& room)
{
    elideToWidth(this, {ui->word, ui->kana, ui->reasons}, lines, room.width());
    // The meanings give way first, then the tags.
    if (height() > room.height() && !cutListToHeight(this, ui->meanings, meanings, room.height())) {
        cutListToHeight(this, ui->info, tags, room.height());
    }
}
