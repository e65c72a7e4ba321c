#include "DarkPalette.h"

#include "Settings.h"

#include <QAbstractButton>
#include <QPalette>

void DarkPalette::adapt(const QWidget* window, QAbstractButton* imeButton, Settings* settings)
{
    if (window->palette().color(QPalette::Window).lightness() >= 128)
        return;
    QPalette buttonColours = imeButton->palette();
    buttonColours.setColor(QPalette::ButtonText, Qt::black);
    imeButton->setPalette(buttonColours);
    settings->setCharacterFontColor(QColor(120, 150, 255));
}
