// One row of the main window's parts-of-speech filter: shows the full name
// and the abbreviation, and keeps the abbreviation that searches pass to the
// dictionaries. The list widget that holds the row owns it.
#ifndef DEXARU_DESKTOP_PARTSOFSPEECHLISTITEM_H
#define DEXARU_DESKTOP_PARTSOFSPEECHLISTITEM_H

#include <QListWidgetItem>
#include <QString>

class PartsOfSpeechListItem : public QListWidgetItem
{
public:
    // The row reads name + " (" + abbreviation + ")" and starts unchecked.
    PartsOfSpeechListItem(const QString& abbreviation, const QString& name);

    QString abbreviation;  // as in "partsofspeech.drx"
};

#endif
