// Recognition of drawn characters on a thread of its own, so that drawing
// never waits for it. The newest drawing wins: a result for a drawing that
// has been changed since is dropped, and drawings that pile up while one is
// recognised are skipped but for the last. The recognizer is borrowed and
// must outlive this object; it is only read on the thread, except by
// prepare(), which runs on the caller's.
#ifndef DEXARU_DESKTOP_HANDWRITINGRECOGNITION_H
#define DEXARU_DESKTOP_HANDWRITINGRECOGNITION_H

#include "HandwritingRecognizer.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <memory>
#include <vector>

class CharacterDictionaryCollection;

class HandwritingRecognition : public QObject
{
    Q_OBJECT

public:
    // How many candidates a drawing gets.
    static const int CANDIDATES = 10;

    explicit HandwritingRecognition(QObject* parent = nullptr);
    ~HandwritingRecognition() override;

    // The kanji dictionaries the candidates are checked against; borrowed.
    void setCharacterDictionaries(CharacterDictionaryCollection* collection);
    // Opens the model when it is not yet, or again once the kanji
    // dictionaries have loaded since; on this (the window's) thread, as it
    // reads the dictionaries. False with error() set when it cannot.
    bool prepare();
    QString error() const;

public slots:
    // Recognises the drawing on the thread; recognized follows.
    void recognize(const HandwritingRecognizer::Drawing& drawing);

signals:
    // The candidates of the newest drawing, best first, one character each.
    void recognized(QStringList candidates);

private:
    class Worker;
    CharacterDictionaryCollection* characters = nullptr;
    bool openedWithKanji = false;
    std::unique_ptr<HandwritingRecognizer> recognizer;
    // Recognizers replaced while the thread may still read them; freed with
    // this object (at most one more, when the kanji dictionaries load).
    std::vector<std::unique_ptr<HandwritingRecognizer>> retired;
    QThread thread;
    Worker* worker;
};

#endif
