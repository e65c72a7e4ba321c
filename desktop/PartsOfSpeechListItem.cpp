#include "PartsOfSpeechListItem.h"

PartsOfSpeechListItem::PartsOfSpeechListItem(const QString& abbreviation, const QString& name)
    : QListWidgetItem(name + QStringLiteral(" (") + abbreviation + QStringLiteral(")"), nullptr,
                      QListWidgetItem::UserType),
      abbreviation(abbreviation)
{
    setFlags(flags() | Qt::ItemIsUserCheckable);
    setCheckState(Qt::Unchecked);
}
