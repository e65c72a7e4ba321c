#include "CharacterHover.h"
#include "ui_CharacterHover.h"

#include "CharacterEntry.h"
#include "EntryText.h"
#include "StrokeOrderView.h"

#include <utility>

CharacterHover::CharacterHover(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), strokeOrder(nullptr), ui(new Ui::CharacterHover)
{
    ui->setupUi(this);
    // Dictionary text, never markup; the lists are escaped as they are made.
    for (QLabel* label : {ui->character, ui->radicals}) {
        label->setTextFormat(Qt::PlainText);
    }
}

CharacterHover::~CharacterHover()
{
    delete ui;
}

void CharacterHover::setInfo(CharacterEntry* entry)
{
    if (entry == nullptr)
        return;
    ui->character->setText(entrytext::character(entry->kanji));
    if (strokeOrder == nullptr && StrokeOrderView::available()) {
        strokeOrder = new StrokeOrderView(StrokeOrderView::SMALLEST_PIXELS, this);
        ui->characterLayout->insertWidget(1, strokeOrder);
    }
    if (strokeOrder != nullptr)
        strokeOrder->setKanji(entrytext::character(entry->kanji));
    QString radicals;
    for (wchar_t radical : entry->radicals)
        radicals += entrytext::character(radical) + QStringLiteral("   ");
    ui->radicals->setText(radicals);
    on = entrytext::wideList(entry->on);
    kun = entrytext::wideList(entry->kun);
    meanings = entrytext::wideList(entry->meanings);
    ui->onReadings->setText(entrytext::bulleted(on));
    ui->kunReadings->setText(entrytext::bulleted(kun));
    ui->meanings->setText(entrytext::bulleted(meanings));
    for (QLabel* label :
         {ui->character, ui->radicals, ui->onReadings, ui->kunReadings, ui->meanings})
        label->adjustSize();
    adjustSize();
}

void CharacterHover::fitInto(const QSize& room)
{
    const std::pair<QLabel*, const QStringList*> lists[] = {
        {ui->meanings, &meanings}, {ui->kunReadings, &kun}, {ui->onReadings, &on}};
    for (const auto& [label, items] : lists) {
        if (height() <= room.height()) {
            return;
        }
        cutListToHeight(this, label, *items, room.height());
    }
}
