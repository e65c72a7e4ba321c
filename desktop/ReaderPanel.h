// The "Read" panel: a dock with a text field and below it the text split
// into its words, each drawn with the reading of the form in the text above
// it (いきます over 行きます) and, when inflected, its dictionary form below. Clicking a word asks for a search of its
// dictionary form (wordChosen); resting the mouse on one shows the word
// pop-up with the entry and the inflections. The panel borrows the text
// reader, which must outlive it; the tokens it shows hold their entries
// themselves, so they stay valid whatever the reader does next.
#ifndef DEXARU_DESKTOP_READERPANEL_H
#define DEXARU_DESKTOP_READERPANEL_H

#include "TextToken.h"

#include <QDockWidget>
#include <QString>
#include <QTimer>

#include <vector>

class QHelpEvent;
class QShowEvent;
class ReaderWordDelegate;
class QListWidgetItem;
class TextReader;
class WordHover;

namespace Ui {
class ReaderPanel;
}

class ReaderPanel : public QDockWidget
{
    Q_OBJECT

public:
    // The text is read this long after the last key typed into the field.
    static const int TYPING_RESTS_MS = 250;

    explicit ReaderPanel(QWidget* parent = nullptr);
    ~ReaderPanel() override;
    ReaderPanel(const ReaderPanel&) = delete;
    ReaderPanel& operator=(const ReaderPanel&) = delete;

    // Borrows the reader; null shows no words.
    void setReader(TextReader* reader);
    // Puts the text into the field and shows its words at once.
    void showText(const QString& text);
    // How many words and unknown runs (not spaces nor punctuation) the
    // reader finds in a text; 0 without a reader. Shows nothing.
    int wordCount(const QString& text);
    // The tokens shown, one per item of the word list, in order.
    const std::vector<TextToken>& tokens() const;

    // The font of the words, owned by the settings dialog; null for one
    // twice the panel's own. Read again by updateFonts().
    const QFont* wordFont;

signals:
    // A word of the list was clicked: its form as the dictionary lists it.
    void wordChosen(QString dictionaryForm);

public slots:
    // Reads the field's text and shows its words.
    void readText();
    // Lays the words out again in the current wordFont.
    void updateFonts();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Shown the first time: the reader builds its tables off the window's
    // thread, so that the first text read does not wait for them.
    void showEvent(QShowEvent* event) override;

private:
    void showTokens(std::vector<TextToken> tokens);
    void chooseItem(QListWidgetItem* item);
    const TextToken* tokenOf(const QListWidgetItem* item) const;
    void answerToolTip(const QHelpEvent* event);
    void hideHover();

    Ui::ReaderPanel* ui;
    ReaderWordDelegate* delegate;  // a child of the word list
    TextReader* reader;
    std::vector<TextToken> shown;
    WordHover* hover;
    QListWidgetItem* hoverItem;
    QTimer typingRested;
    bool readerPrepared;
};

#endif
