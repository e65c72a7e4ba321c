#include "WordHover.h"
#include "ui_WordHover.h"

#include "EntryText.h"
#include "WordEntry.h"

#include <QStringList>

WordHover::WordHover(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), ui(new Ui::WordHover)
{
    ui->setupUi(this);
}

WordHover::~WordHover()
{
    delete ui;
}

void WordHover::setInfo(WordEntry* entry)
{
    if (entry == nullptr)
        return;
    ui->word->setText(entrytext::wide(entry->word));
    ui->kana->setText(showRomaji ? QString::fromStdString(entry->kanaRomaji)
                                 : entrytext::wide(entry->kana));
    QStringList tags;
    for (const EntryInfo* info : entry->info)
        tags << entrytext::dictionary(info->text);
    ui->info->setText(entrytext::bulleted(tags));
    ui->meanings->setText(entrytext::bulleted(entrytext::meanings(*entry)));
    for (QLabel* label : {ui->word, ui->kana, ui->info, ui->meanings})
        label->adjustSize();
    adjustSize();
}
