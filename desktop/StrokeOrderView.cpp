#include "StrokeOrderView.h"

#include <QFontDatabase>
#include <QPalette>

namespace {

QString& currentFamily()
{
    static QString family = QStringLiteral("KanjiStrokeOrders");
    return family;
}

// Asked lazily, so that the start-up does not wait for the font list.
int& cachedAvailability()
{
    static int availability = -1;  // unknown
    return availability;
}

const char* const WINDOW_NAME = "strokeOrderWindow";

}  // namespace

StrokeOrderView::StrokeOrderView(int pixelSize, QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("strokeOrder"));
    QFont strokeFont(family());
    strokeFont.setPixelSize(std::max(pixelSize, int(SMALLEST_PIXELS)));
    setFont(strokeFont);
    setAlignment(Qt::AlignCenter);
    // Black strokes and grey numbers on white, whatever the palette, as the
    // font is drawn to be read.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setStyleSheet(QStringLiteral("QLabel { color: black; background-color: white; }"));
    setContentsMargins(4, 4, 4, 4);
}

bool StrokeOrderView::available()
{
    int& availability = cachedAvailability();
    if (availability < 0)
        availability = QFontDatabase::hasFamily(family()) ? 1 : 0;
    return availability == 1;
}

QString StrokeOrderView::family()
{
    return currentFamily();
}

void StrokeOrderView::setFamily(const QString& family)
{
    currentFamily() = family;
    cachedAvailability() = -1;
}

void StrokeOrderView::setKanji(const QString& kanji)
{
    setText(kanji);
    adjustSize();
}

StrokeOrderView* StrokeOrderView::showInWindow(const QString& kanji, QWidget* parent)
{
    if (!available() || kanji.isEmpty())
        return nullptr;
    auto* view = parent->findChild<StrokeOrderView*>(QLatin1String(WINDOW_NAME),
                                                      Qt::FindDirectChildrenOnly);
    if (view == nullptr) {
        view = new StrokeOrderView(2 * SMALLEST_PIXELS, parent);
        view->setObjectName(QLatin1String(WINDOW_NAME));
        view->setWindowFlags(Qt::Window);
    }
    view->setWindowTitle(tr("Stroke order: %1").arg(kanji));
    view->setKanji(kanji);
    view->show();
    view->raise();
    return view;
}
