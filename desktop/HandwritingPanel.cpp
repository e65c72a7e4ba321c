#include "HandwritingPanel.h"

#include "HandwritingPad.h"
#include "HandwritingRecognition.h"
#include "ui_HandwritingPanel.h"

#include <QPushButton>
#include <QShortcut>

namespace {

bool isKanji(const QString& character)
{
    const char32_t code = character.toUcs4().value(0);
    return (code >= 0x4E00 && code <= 0x9FFF) || (code >= 0x3400 && code <= 0x4DBF);
}

}  // namespace

HandwritingPanel::HandwritingPanel(QWidget* parent)
    : QDockWidget(parent), ui(new Ui::HandwritingPanel), recognition(new HandwritingRecognition(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("handwritingPanel"));
    for (int i = 0; i < HandwritingRecognition::CANDIDATES; ++i) {
        buttons.push_back(makeCandidateButton(i));
    }
    // The row keeps its height while it is empty, so the pad does not jump.
    buttons[0]->setText(QStringLiteral("字"));
    ui->handwritingCandidates->setMinimumHeight(buttons[0]->sizeHint().height());
    connect(ui->handwritingUndo, &QPushButton::clicked, ui->handwritingPad, &HandwritingPad::undo);
    connect(ui->handwritingClear, &QPushButton::clicked, ui->handwritingPad, &HandwritingPad::clear);
    // Ctrl+Z anywhere in the panel, the pad included, takes a stroke back.
    auto* undoKey = new QShortcut(QKeySequence::Undo, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(undoKey, &QShortcut::activated, ui->handwritingPad, &HandwritingPad::undo);
    connect(ui->handwritingPad, &HandwritingPad::strokesChanged, this, &HandwritingPanel::strokesChanged);
    connect(recognition, &HandwritingRecognition::recognized, this, &HandwritingPanel::showCandidates);
    // The model opens as the panel first shows, not under the first stroke.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            recognition->prepare();
        }
    });
}

HandwritingPanel::~HandwritingPanel()
{
    delete ui;
}

void HandwritingPanel::setCharacterDictionaries(CharacterDictionaryCollection* collection)
{
    recognition->setCharacterDictionaries(collection);
}

HandwritingPad* HandwritingPanel::pad() const
{
    return ui->handwritingPad;
}

QStringList HandwritingPanel::candidates() const
{
    return shown;
}

QPushButton* HandwritingPanel::makeCandidateButton(int index)
{
    auto* button = new QPushButton(ui->handwritingCandidates);
    button->setObjectName(QStringLiteral("handwritingCandidate%1").arg(index));
    QFont large = button->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    button->setFont(large);
    // The buttons share the row's width: candidates never widen the panel,
    // which would move the pad under the pen.
    button->setMinimumWidth(10);
    button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    button->hide();
    connect(button, &QPushButton::clicked, this, [this, button] { emit characterChosen(button->text()); });
    connect(button, &QWidget::customContextMenuRequested, this, [this, button] {
        if (isKanji(button->text())) {
            emit kanjiSearched({static_cast<wchar_t>(button->text().toUcs4().value(0))});
        }
    });
    ui->handwritingCandidates->layout()->addWidget(button);
    return button;
}

void HandwritingPanel::strokesChanged()
{
    if (ui->handwritingPad->strokes().empty()) {
        ui->handwritingStatus->setText(tr("Draw a character in the square, stroke by stroke."));
    } else if (!recognition->prepare()) {
        ui->handwritingStatus->setText(tr("Cannot recognise handwriting: %1.").arg(recognition->error()));
    } else {
        ui->handwritingStatus->setText(tr("Click a candidate to put it into the search box; right-click a "
                                          "kanji to look it up."));
    }
    recognition->recognize(ui->handwritingPad->strokes());
}

void HandwritingPanel::showCandidates(const QStringList& candidates)
{
    shown = candidates;
    for (int i = 0; i < HandwritingRecognition::CANDIDATES; ++i) {
        QPushButton* button = buttons[i];
        button->setVisible(i < candidates.size());
        if (i < candidates.size()) {
            button->setText(candidates[i]);
            button->setToolTip(isKanji(candidates[i]) ? tr("Put %1 into the search box; right-click to look "
                                                           "the kanji up")
                                                            .arg(candidates[i])
                                                      : tr("Put %1 into the search box").arg(candidates[i]));
        }
    }
    emit candidatesShown();
}
