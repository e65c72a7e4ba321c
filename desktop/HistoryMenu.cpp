#include "HistoryMenu.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>

#include <algorithm>

HistoryMenu::HistoryMenu(SearchHistory* history, QWidget* window)
    : QMenu(tr("Histor&y"), window), history(history), window(window)
{
    setObjectName(QStringLiteral("menuHistory"));
    backAction = addAction(tr("&Back"));
    backAction->setObjectName(QStringLiteral("actionBack"));
    backAction->setShortcut(QKeySequence::Back);
    forwardAction = addAction(tr("&Forward"));
    forwardAction->setObjectName(QStringLiteral("actionForward"));
    forwardAction->setShortcut(QKeySequence::Forward);
    addSeparator();
    entriesEnd = addSeparator();
    clearAction = addAction(tr("&Clear history"));
    clearAction->setObjectName(QStringLiteral("actionClearHistory"));
    // The window carries the shortcuts, so they work while the menu is closed.
    window->addAction(backAction);
    window->addAction(forwardAction);

    connect(backAction, &QAction::triggered, this, &HistoryMenu::goBack);
    connect(forwardAction, &QAction::triggered, this, &HistoryMenu::goForward);
    connect(clearAction, &QAction::triggered, history, &SearchHistory::clear);
    connect(history, &SearchHistory::changed, this, &HistoryMenu::rebuild);
    setToolTipsVisible(true);  // the whole text of a line cut short
    // The icons are looked up when the menu is first shown: the first look-up
    // in the icon theme would cost every start-up several milliseconds.
    connect(this, &QMenu::aboutToShow, this, [this] {
        if (backAction->icon().isNull()) {
            backAction->setIcon(QIcon::fromTheme(QStringLiteral("go-previous")));
            forwardAction->setIcon(QIcon::fromTheme(QStringLiteral("go-next")));
        }
    });
    qApp->installEventFilter(this);
    rebuild();
}

void HistoryMenu::goBack()
{
    runIfAny(history->back());
}

void HistoryMenu::goForward()
{
    runIfAny(history->forward());
}

void HistoryMenu::runIfAny(const HistoryEntry* entry)
{
    if (entry != nullptr)
        emit rerun(*entry);
}

// Newest first, the current one checked; between the separators.
void HistoryMenu::rebuild()
{
    qDeleteAll(entryActions);
    entryActions.clear();
    backAction->setEnabled(history->canGoBack());
    forwardAction->setEnabled(history->canGoForward());
    const int oldestShown = std::max(0, history->count() - SHOWN);
    for (int index = history->count() - 1; index >= oldestShown; --index) {
        const HistoryEntry& entry = history->at(index);
        auto* action = new QAction(menuText(entry.label()), this);
        // A line cut short shows the whole text searched in its tool tip,
        // as written even where it looks like markup.
        if (action->text().endsWith(QChar(0x2026)))
            action->setToolTip(QStringLiteral("<p>%1</p>").arg(entry.text.left(1000).toHtmlEscaped()));
        action->setCheckable(true);
        action->setChecked(index == history->current());
        connect(action, &QAction::triggered, this,
                [this, index] { runIfAny(history->goTo(index)); });
        insertAction(entriesEnd, action);
        entryActions << action;
    }
    entriesEnd->setVisible(!entryActions.isEmpty());
    clearAction->setEnabled(history->count() > 0);
}

QString HistoryMenu::menuText(const QString& line)
{
    QString text = line;
    for (QChar& character : text) {
        if (character.category() == QChar::Other_Control || character == QChar::LineSeparator
            || character == QChar::ParagraphSeparator)
            character = QLatin1Char(' ');
    }
    text = text.simplified();
    if (text.size() > LONGEST_LINE) {
        int kept = LONGEST_LINE - 1;
        if (text.at(kept - 1).isHighSurrogate())
            --kept;  // never half a character
        text = text.left(kept) + QChar(0x2026);
    }
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The mouse's back and forward buttons reach whatever widget is under the
// mouse, most of which take the press themselves; they are caught here first.
bool HistoryMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == window) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton) {
            goBack();
            return true;
        }
        if (button == Qt::ForwardButton) {
            goForward();
            return true;
        }
    }
    return QMenu::eventFilter(watched, event);
}
