#include "CharacterHover.h"
#include "ui_CharacterHover.h"

#include "CharacterEntry.h"
#include "EntryText.h"
#include "StrokeOrderView.h"

CharacterHover::CharacterHover(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint), strokeOrder(nullptr), ui(new Ui::CharacterHover)
{
    ui->setupUi(this);
    // Dictionary text, never markup; the lists are escaped as they are made.
    for (QLabel* label : {ui->character, ui->radicals})
        label->setTextFormat(Qt::PlainText);
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
    ui->onReadings->setText(entrytext::bulleted(entrytext::wideList(entry->on)));
    ui->kunReadings->setText(entrytext::bulleted(entrytext::wideList(entry->kun)));
    ui->meanings->setText(entrytext::bulleted(entrytext::wideList(entry->meanings)));
    for (QLabel* label :
         {ui->character, ui->radicals, ui->onReadings, ui->kunReadings, ui->meanings})
        label->adjustSize();
    adjustSize();
}
