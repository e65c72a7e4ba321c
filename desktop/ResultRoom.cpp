#include "ResultRoom.h"

#include "ui_MainWindow.h"

#include <QAction>
#include <QEvent>
#include <QScrollArea>
#include <QSplitter>

#include <algorithm>

ResultRoom::ResultRoom(Ui::MainWindow* ui)
    : QObject(ui->settingsSplitter),
      splitter(ui->settingsSplitter),
      options(new QScrollArea),
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
}

bool ResultRoom::eventFilter(QObject* watched, QEvent* event)
{
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
    const int natural = options->widget() != nullptr ? options->widget()->sizeHint().height() : 0;
    const int wanted = wantedOptionsHeight > 0 ? wantedOptionsHeight : natural;
    // Three fifths, and where that is little, a few rows more at the
    // options' cost, down to a strip of them.
    const int results = wantedOptionsHeight > 0
                            ? std::min(LEAST_RESULTS_HEIGHT, total)
                            : std::max(total * 3 / 5, std::min(total - LEAST_OPTIONS_HEIGHT,
                                                               USABLE_RESULTS_HEIGHT));
    const int shown = std::max(0, std::min(wanted, total - results));
    splitter->setSizes({shown, total - shown});
}
