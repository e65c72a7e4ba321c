#include "ReaderPanel.h"
#include "ui_ReaderPanel.h"

#include "BackgroundLoading.h"
#include "EntryText.h"
#include "ReaderWordDelegate.h"
#include "TextReader.h"
#include "ViewSupport.h"
#include "WordEntry.h"
#include "WordHover.h"

#include <QHelpEvent>
#include <QListWidgetItem>

namespace {

const int TOKEN_ROLE = ReaderWordDelegate::KIND_ROLE + 1;  // int: position in the tokens

bool isCounted(const TextToken& token)
{
    return token.kind == TextToken::WORD || token.kind == TextToken::UNKNOWN;
}

}  // namespace

ReaderPanel::ReaderPanel(QWidget* parent)
    : QDockWidget(parent), wordFont(nullptr), ui(new Ui::ReaderPanel), delegate(nullptr),
      reader(nullptr), hover(nullptr), hoverItem(nullptr), readerPrepared(false)
{
    ui->setupUi(this);
    // The dock asks for the room of the field and two lines of words; the
    // user may give it more.
    ui->readerWords->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    setObjectName(QStringLiteral("readerPanel"));
    setFocusProxy(ui->readerText);
    delegate = new ReaderWordDelegate(ui->readerWords);
    ui->readerWords->setItemDelegate(delegate);
    updateFonts();
    ui->readerWords->setMouseTracking(true);
    ui->readerWords->viewport()->installEventFilter(this);
    hover = new WordHover(this);
    viewsupport::prepareHover(hover);

    typingRested.setSingleShot(true);
    typingRested.setInterval(TYPING_RESTS_MS);
    connect(&typingRested, &QTimer::timeout, this, &ReaderPanel::readText);
    connect(ui->readerText, &QPlainTextEdit::textChanged, &typingRested,
            qOverload<>(&QTimer::start));
    connect(ui->readerWords, &QListWidget::itemClicked, this, &ReaderPanel::chooseItem);
    connect(ui->readerWords, &QListWidget::itemActivated, this, &ReaderPanel::chooseItem);
}

ReaderPanel::~ReaderPanel()
{
    delete ui;
}

void ReaderPanel::setReader(TextReader* textReader)
{
    reader = textReader;
    readerPrepared = false;
}

void ReaderPanel::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (reader == nullptr || readerPrepared)
        return;
    readerPrepared = true;
    TextReader* preparing = reader;
    backgroundloading::run(this, [preparing] { preparing->prepare(); }, [] {});
}

void ReaderPanel::showText(const QString& text)
{
    ui->readerText->setPlainText(text);
    readText();
}

int ReaderPanel::wordCount(const QString& text)
{
    if (reader == nullptr)
        return 0;
    int count = 0;
    for (const TextToken& token : reader->read(text.toStdWString()))
        count += isCounted(token) ? 1 : 0;
    return count;
}

const std::vector<TextToken>& ReaderPanel::tokens() const
{
    return shown;
}

void ReaderPanel::readText()
{
    typingRested.stop();
    const std::wstring text = ui->readerText->toPlainText().toStdWString();
    showTokens(reader != nullptr ? reader->read(text) : std::vector<TextToken>());
}

void ReaderPanel::updateFonts()
{
    if (wordFont != nullptr)
        delegate->setWordFont(*wordFont);
    // Two lines of words, their readings and dictionary forms, and a margin.
    const QModelIndex none;
    QStyleOptionViewItem option;
    option.font = ui->readerWords->font();
    const int lineHeight = delegate->sizeHint(option, none).height();
    ui->readerWords->setMinimumHeight(2 * lineHeight + 2 * ui->readerWords->frameWidth() + 4);
    ui->readerWords->doItemsLayout();
}

void ReaderPanel::showTokens(std::vector<TextToken> tokens)
{
    hideHover();
    ui->readerWords->clear();
    shown = std::move(tokens);
    for (std::size_t position = 0; position < shown.size(); ++position) {
        const TextToken& token = shown[position];
        auto* item = new QListWidgetItem(entrytext::wide(token.surface));
        // The reading of the form as it stands in the text (行きます: いきます).
        item->setData(ReaderWordDelegate::READING_ROLE, entrytext::wide(token.surfaceReading));
        item->setData(ReaderWordDelegate::DICTIONARY_FORM_ROLE,
                      entrytext::wide(token.dictionaryForm));
        item->setData(ReaderWordDelegate::KIND_ROLE, int(token.kind));
        item->setData(TOKEN_ROLE, int(position));
        item->setData(Qt::AccessibleTextRole,
                      token.isWord() ? entrytext::wide(token.surface) + QLatin1Char(' ')
                                           + entrytext::wide(token.surfaceReading)
                                     : entrytext::wide(token.surface));
        // Only words can be chosen; the rest is there to be read.
        if (!token.isWord())
            item->setFlags(Qt::ItemIsEnabled);
        ui->readerWords->addItem(item);
    }
}

const TextToken* ReaderPanel::tokenOf(const QListWidgetItem* item) const
{
    if (item == nullptr)
        return nullptr;
    bool ok = false;
    const int position = item->data(TOKEN_ROLE).toInt(&ok);
    if (!ok || position < 0 || std::size_t(position) >= shown.size())
        return nullptr;
    return &shown[std::size_t(position)];
}

void ReaderPanel::chooseItem(QListWidgetItem* item)
{
    const TextToken* token = tokenOf(item);
    if (token != nullptr && token->isWord())
        emit wordChosen(entrytext::wide(token->dictionaryForm));
}

bool ReaderPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->readerWords->viewport()) {
        switch (event->type()) {
        case QEvent::Leave:
        case QEvent::Wheel: hideHover(); break;
        case QEvent::ToolTip: answerToolTip(static_cast<QHelpEvent*>(event)); return true;
        default: break;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

void ReaderPanel::answerToolTip(const QHelpEvent* event)
{
    QListWidgetItem* item = ui->readerWords->itemAt(event->pos());
    if (item == hoverItem && item != nullptr)
        return;
    hideHover();
    const TextToken* token = tokenOf(item);
    if (token == nullptr || token->entry == nullptr)
        return;
    hoverItem = item;
    hover->showEntry(*token->entry, token->surface, token->reasons);
    viewsupport::showBeside(hover, event->globalPos());
}

void ReaderPanel::hideHover()
{
    hover->hide();
    hoverItem = nullptr;
}
