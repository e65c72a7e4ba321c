#include "StudyWindow.h"

#include "ui_StudyWindow.h"

#include <QDateTime>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidgetItem>

#include <set>

namespace {

QString utf8(const std::string& text)
{
    return QString::fromStdString(text);
}

// A due time sorts by its seconds, whatever its text.
class DueItem : public QTableWidgetItem
{
public:
    DueItem(const QString& text, int64_t due) : QTableWidgetItem(text) { setData(Qt::UserRole, qlonglong(due)); }
    bool operator<(const QTableWidgetItem& other) const override
    {
        return data(Qt::UserRole).toLongLong() < other.data(Qt::UserRole).toLongLong();
    }
};

QString dueText(int64_t due, int64_t now)
{
    if (due <= now)
        return StudyWindow::tr("now");
    return QDateTime::fromSecsSinceEpoch(due).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

// The sentence with the word, or the start of it an inflection keeps, in bold.
QString sentenceHtml(const QString& sentence, const QString& word)
{
    for (int length = word.size(); length > 0 && length >= word.size() - 2; --length) {
        const int at = sentence.indexOf(word.left(length));
        if (at >= 0) {
            return sentence.left(at).toHtmlEscaped() + QStringLiteral("<b>")
                   + sentence.mid(at, length).toHtmlEscaped() + QStringLiteral("</b>")
                   + sentence.mid(at + length).toHtmlEscaped();
        }
    }
    return sentence.toHtmlEscaped();
}

const char* const gradeNames[] = {QT_TRANSLATE_NOOP("StudyWindow", "Again"),
                                  QT_TRANSLATE_NOOP("StudyWindow", "Hard"),
                                  QT_TRANSLATE_NOOP("StudyWindow", "Good"),
                                  QT_TRANSLATE_NOOP("StudyWindow", "Easy")};

}  // namespace

StudyWindow::StudyWindow(StudyList* studyList, QWidget* parent)
    : QWidget(parent, Qt::Window),
      clock([] { return static_cast<int64_t>(QDateTime::currentSecsSinceEpoch()); }),
      ui(new Ui::StudyWindow),
      studyList(studyList)
{
    ui->setupUi(this);
    QHeaderView* header = ui->studyTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    ui->studyTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ui->studyTable->setColumnWidth(0, 120);
    ui->studyTable->setColumnWidth(1, 140);
    ui->studyTable->setColumnWidth(3, 130);

    QFont big = ui->studyWord->font();
    big.setPointSizeF(big.pointSizeF() * 3);
    ui->studyWord->setFont(big);
    QFont answer = ui->studyAnswer->font();
    answer.setPointSizeF(answer.pointSizeF() * 1.3);
    ui->studyAnswer->setFont(answer);

    // The review's keys go to the window, whichever button was clicked
    // last: Space shows the answer, 1 to 4 grade, Escape goes back.
    setFocusPolicy(Qt::StrongFocus);
    ui->studyShowAnswer->setFocusPolicy(Qt::NoFocus);
    QPushButton* grades[] = {ui->studyAgain, ui->studyHard, ui->studyGood, ui->studyEasy};
    for (int rating = FsrsScheduler::RATING_AGAIN; rating <= FsrsScheduler::RATING_EASY; ++rating) {
        QPushButton* button = grades[rating - 1];
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(2 * fontMetrics().height() + 12);
        connect(button, &QPushButton::clicked, this, [this, rating] { grade(rating); });
    }
    ui->studyRetention->setValue(int(studyList->getDesiredRetention() * 100 + 0.5));
    connect(ui->studyRetention, qOverload<int>(&QSpinBox::valueChanged), this, [this](int percent) {
        if (this->studyList->setDesiredRetention(percent / 100.0) != 0)
            failed(tr("The desired retention could not be kept."));
    });
    // The cards due first until the user sorts otherwise.
    header->setSortIndicator(3, Qt::AscendingOrder);
    refresh();
}

StudyWindow::~StudyWindow()
{
    delete ui;
}

void StudyWindow::failed(const QString& what)
{
    QMessageBox::warning(this, tr("Study list"),
                         what + QStringLiteral("\n\n") + utf8(studyList->getError()));
}

void StudyWindow::refresh()
{
    std::vector<StudyCard> cards;
    if (studyList->getCards(&cards) != 0)
        failed(tr("The study list could not be read."));
    fillTable(cards);
    updateTitle();
}

void StudyWindow::fillTable(const std::vector<StudyCard>& cards)
{
    QTableWidget* table = ui->studyTable;
    const int sortColumn = table->horizontalHeader()->sortIndicatorSection();
    const Qt::SortOrder order = sortColumn >= 0 && sortColumn < 4
                                    ? table->horizontalHeader()->sortIndicatorOrder()
                                    : Qt::AscendingOrder;
    table->setUpdatesEnabled(false);
    table->setSortingEnabled(false);
    table->clearContents();
    table->setRowCount(static_cast<int>(cards.size()));
    const int64_t now = clock();
    for (int row = 0; row < static_cast<int>(cards.size()); ++row) {
        const StudyCard& card = cards[row];
        auto* word = new QTableWidgetItem(utf8(card.word));
        word->setData(Qt::UserRole, qlonglong(card.id));
        table->setItem(row, 0, word);
        table->setItem(row, 1, new QTableWidgetItem(utf8(card.reading)));
        table->setItem(row, 2, new QTableWidgetItem(utf8(StudyList::getFirstMeaning(card))));
        table->setItem(row, 3, new DueItem(dueText(card.schedule.due, now), card.schedule.due));
    }
    table->setSortingEnabled(true);
    table->sortItems(sortColumn >= 0 && sortColumn < 4 ? sortColumn : 3, order);
    table->setUpdatesEnabled(true);
    // Spelt out: "%n card(s)" reads so wherever no translation is loaded.
    const int rows = table->rowCount();
    ui->studyCount->setText(rows == 1 ? tr("1 card") : tr("%1 cards").arg(rows));
}

void StudyWindow::updateTitle()
{
    const int due = studyList->countDueCards(clock());
    setWindowTitle(tr("Study (%1 due)").arg(due < 0 ? 0 : due));
    ui->studyReview->setEnabled(due > 0);
}

void StudyWindow::on_studyRemove_clicked()
{
    std::set<int> rows;
    for (const QModelIndex& index : ui->studyTable->selectionModel()->selectedRows())
        rows.insert(index.row());
    if (rows.empty())
        return;
    QStringList words;
    for (int row : rows)
        words << ui->studyTable->item(row, 0)->text();
    const QString question =
        rows.size() == 1
            ? tr("Remove %1 and its reviews from the study list?").arg(words.first())
            : tr("Remove these %1 cards and their reviews from the study list?\n%2")
                  .arg(rows.size())
                  .arg(words.mid(0, 10).join(QStringLiteral(", "))
                       + (words.size() > 10 ? QStringLiteral(", …") : QString()));
    if (QMessageBox::question(this, tr("Remove from the study list"), question,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    for (int row : rows) {
        const int64_t id = ui->studyTable->item(row, 0)->data(Qt::UserRole).toLongLong();
        if (studyList->removeCard(id) < 0) {
            failed(tr("The card could not be removed."));
            break;
        }
    }
    refresh();
    emit studyListChanged();
}

void StudyWindow::on_studyExport_clicked()
{
    const QString csv = tr("CSV (*.csv)");
    const QString anki = tr("Anki text import (*.txt)");
    QString chosen = csv;
    QString file = QFileDialog::getSaveFileName(this, tr("Export the study list"),
                                                QStringLiteral("study.csv"),
                                                csv + QStringLiteral(";;") + anki, &chosen);
    if (file.isEmpty())
        return;
    const bool forAnki = chosen == anki;
    if (!file.contains(QLatin1Char('.')))
        file += forAnki ? QStringLiteral(".txt") : QStringLiteral(".csv");
    exportTo(file, forAnki ? StudyList::EXPORT_ANKI : StudyList::EXPORT_CSV);
}

int StudyWindow::exportTo(const QString& file, int format)
{
    std::string text;
    if (studyList->exportCards(format, &text) != 0) {
        failed(tr("The study list could not be read."));
        return -1;
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(text.data(), qint64(text.size())) != qint64(text.size()) || !out.flush()) {
        QMessageBox::warning(this, tr("Export the study list"),
                             tr("Could not write %1: %2").arg(file, out.errorString()));
        return -1;
    }
    return 0;
}

void StudyWindow::on_studyReview_clicked()
{
    startReview();
}

void StudyWindow::startReview()
{
    reviewedCount = 0;
    ui->studyPages->setCurrentWidget(ui->reviewPage);
    showNextCard();
}

void StudyWindow::showNextCard()
{
    const int64_t now = clock();
    const int64_t id = studyList->getNextDueCard(now);
    reviewedCard = StudyCard();
    if (id < 0 || (id > 0 && studyList->getCard(id, &reviewedCard) != 0)) {
        reviewedCard = StudyCard();
        failed(tr("The next card could not be read."));
    }
    updateTitle();
    const int due = studyList->countDueCards(now);
    ui->studyProgress->setText(due > 0 ? tr("%1 reviewed, %2 due").arg(reviewedCount).arg(due)
                                       : tr("%1 reviewed").arg(reviewedCount));
    ui->studyAnswer->clear();
    showGrades(false);
    if (reviewedCard.id == 0) {
        ui->studyWord->setText(reviewedCount > 0 ? tr("No more cards are due.")
                                                 : tr("No cards are due."));
        ui->studyShowAnswer->setEnabled(false);
        ui->studyBackToList->setFocus();
        return;
    }
    ui->studyWord->setText(utf8(reviewedCard.word));
    ui->studyShowAnswer->setEnabled(true);
    setFocus();
}

void StudyWindow::on_studyShowAnswer_clicked()
{
    showAnswer();
}

void StudyWindow::showAnswer()
{
    if (reviewedCard.id == 0)
        return;
    QString html = QStringLiteral("<p style=\"font-size:large\">") + utf8(reviewedCard.reading).toHtmlEscaped()
                   + QStringLiteral("</p>");
    // One line a gloss; the glosses number their senses themselves.
    QStringList meanings;
    for (const std::string& gloss : reviewedCard.glosses)
        meanings << utf8(gloss).toHtmlEscaped();
    if (!meanings.isEmpty())
        html += QStringLiteral("<p>") + meanings.join(QStringLiteral("<br>")) + QStringLiteral("</p>");
    if (!reviewedCard.sentence.empty() && reviewedCard.sentence != reviewedCard.word)
        html += QStringLiteral("<p>")
                + sentenceHtml(utf8(reviewedCard.sentence), utf8(reviewedCard.word))
                + QStringLiteral("</p>");
    ui->studyAnswer->setText(html);
    ui->studyShowAnswer->setEnabled(false);
    showGrades(true);
}

// The grade buttons, each with the interval it would give now.
void StudyWindow::showGrades(bool shown)
{
    QPushButton* grades[] = {ui->studyAgain, ui->studyHard, ui->studyGood, ui->studyEasy};
    const int64_t now = clock();
    for (int rating = FsrsScheduler::RATING_AGAIN; rating <= FsrsScheduler::RATING_EASY; ++rating) {
        QPushButton* button = grades[rating - 1];
        QString interval;
        CardSchedule after;
        if (shown && studyList->getScheduler().review(reviewedCard.schedule, rating, now, &after) == 0)
            interval = utf8(StudyList::formatInterval(after.due - now));
        button->setText(tr(gradeNames[rating - 1]) + QStringLiteral("\n") + interval);
        button->setEnabled(shown);
    }
}

void StudyWindow::grade(int rating)
{
    if (reviewedCard.id == 0 || !ui->studyAgain->isEnabled())
        return;
    if (studyList->gradeCard(reviewedCard.id, rating, clock()) != 0) {
        failed(tr("The review could not be recorded."));
        return;
    }
    ++reviewedCount;
    emit studyListChanged();
    showNextCard();
}

void StudyWindow::keyPressEvent(QKeyEvent* event)
{
    if (ui->studyPages->currentWidget() == ui->reviewPage && event->modifiers() == Qt::NoModifier) {
        const int key = event->key();
        if (key == Qt::Key_Space) {
            showAnswer();
            return;
        }
        if (key >= Qt::Key_1 && key <= Qt::Key_4) {
            grade(key - Qt::Key_0);
            return;
        }
        if (key == Qt::Key_Escape) {
            on_studyBackToList_clicked();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

void StudyWindow::on_studyBackToList_clicked()
{
    ui->studyPages->setCurrentWidget(ui->listPage);
    refresh();
}
