#include "ResultRoom.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QEvent>
#include <QHeaderView>
#include <QScrollArea>
#include <QSplitter>

#include <algorithm>

ResultRoom::ResultRoom(Ui::MainWindow* ui)
    : QObject(ui->settingsSplitter),
      splitter(ui->settingsSplitter),
      options(new QScrollArea),
      optionsWidget(ui->settingsAreaWidget),
      results(ui->wordResults),
      wantedOptionsHeight(0)
{
    options->setObjectName(QStringLiteral("settingsScrollArea"));
    options->setFrameShape(QFrame::NoFrame);
    options->setWidgetResizable(true);
    options->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int at = splitter->indexOf(ui->settingsAreaWidget);
    const bool shown = !ui->settingsAreaWidget->isHidden();
    splitter->replaceWidget(at, options);
    options->setWidget(ui->settingsAreaWidget);
    ui->settingsAreaWidget->setVisible(shown);
    options->setVisible(shown);
    // Hiding the options from the View menu hides their area too.
    connect(ui->actionSearch_settings, &QAction::toggled, options, &QWidget::setVisible);
    splitter->setCollapsible(splitter->indexOf(options), false);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    connect(splitter, &QSplitter::splitterMoved, this,
            [this] { wantedOptionsHeight = options->height(); });
    splitter->installEventFilter(this);
    ui->settingsAreaWidget->installEventFilter(this);
}

bool ResultRoom::eventFilter(QObject* watched, QEvent* event)
{
    // The options' height is known once they are polished and laid out,
    // which happens after the first resizes.
    if (watched == optionsWidget
        && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)) {
        share();
        return false;
    }
    if (watched != splitter || event->type() != QEvent::Resize) {
        return false;
    }
    // The splitter lays its widgets out first; the share corrects that.
    static_cast<QObject*>(splitter)->event(event);
    share();
    return true;
}

void ResultRoom::share()
{
    if (options->isHidden() || splitter->count() < 2) {
        return;
    }
    const int total = splitter->height() - splitter->handleWidth();
    if (total <= 0) {
        return;
    }
    // The height at which the options need no scroll bar at this width.
    const QWidget* content = options->widget();
    int natural = 0;
    if (content != nullptr) {
        natural = content->sizeHint().expandedTo(content->minimumSizeHint()).height();
        if (content->hasHeightForWidth()) {
            natural = std::max(natural, content->heightForWidth(options->width()));
        }
    }
    const int wanted = wantedOptionsHeight > 0 ? wantedOptionsHeight : natural;
    // What the results need: the rows the user made room for, else the
    // header and a few rows of words, for which the options give way down
    // to a strip.
    const int rows = results->horizontalHeader()->height()
                     + USABLE_ROWS * results->verticalHeader()->defaultSectionSize()
                     + 2 * results->frameWidth();
    const int needed = wantedOptionsHeight > 0 ? std::min(LEAST_RESULTS_HEIGHT, total)
                                               : std::min(rows, total - LEAST_OPTIONS_HEIGHT);
    const int shown = std::max(0, std::min(wanted, total - needed));
    splitter->setSizes({shown, total - shown});
}
