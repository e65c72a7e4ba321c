// Searches while the user types: once the search box has been quiet for
// 150 ms, searchDue carries its text, without the romaji the input method
// still shows pending (selected), and, where the window turns romaji into
// kana, without the letters at the end that do not spell kana yet. A final
// "n" is the exception: once typing rests it is searched as ん ("hon" finds
// 本), pending or not. The same text is not searched twice in a row, nor an
// empty one. Each keystroke restarts the wait, so searches never
// queue up behind each other: the one that runs is for the newest text.
#ifndef DEXARU_DESKTOP_SEARCHASYOUTYPE_H
#define DEXARU_DESKTOP_SEARCHASYOUTYPE_H

#include <QObject>
#include <QString>
#include <QTimer>

class SearchBox;

class SearchAsYouType : public QObject
{
    Q_OBJECT

public:
    static const int QUIET_MS = 150;

    // Watches the box, which must outlive this object. Off at first.
    explicit SearchAsYouType(SearchBox* box, QObject* parent = nullptr);

    bool isOn() const;
    // The box's text as a search sees it while typing: all of it, less the
    // pending romaji; a pending "n" counts as ん.
    static QString typedText(const SearchBox* box);
    // The text less the letters at its end that are not kana yet ("hanab"
    // gives "hana", but "hon" stays whole for ほん); a text with no kana
    // before them stays whole.
    static QString withoutUnfinishedRomaji(const QString& text);

signals:
    void searchDue(QString text);

public slots:
    void setOn(bool on);
    // Whether searches turn romaji into kana, so that unfinished romaji waits.
    void setConvertsRomaji(bool converts);
    // A search of this text has just run another way (Return, the Search
    // button, the history): the wait is dropped, and the text counts as
    // searched.
    void searched(const QString& text);
    // Searches now if the typed text is new; what the timer does after the wait.
    void searchNow();

private slots:
    void boxChanged();

private:
    SearchBox* box;
    bool on;
    bool convertsRomaji;
    QString lastSearched;
    QTimer quiet;
};

#endif
