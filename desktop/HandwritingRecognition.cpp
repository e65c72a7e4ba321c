#include "HandwritingRecognition.h"

#include "CharacterDictionary.h"
#include "CharacterDictionaryCollection.h"

#include <QMetaObject>

#include <atomic>
#include <vector>

// Lives on the thread. Only the newest drawing handed over is recognised.
class HandwritingRecognition::Worker : public QObject
{
public:
    explicit Worker(HandwritingRecognition* owner) : owner(owner) {}

    void post(const HandwritingRecognizer::Drawing& drawing, const HandwritingRecognizer* recognizer)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            newest = drawing;
            newestRecognizer = recognizer;
            ++generation;
        }
        QMetaObject::invokeMethod(this, [this] { work(); }, Qt::QueuedConnection);
    }

private:
    void work()
    {
        HandwritingRecognizer::Drawing drawing;
        const HandwritingRecognizer* recognizer = nullptr;
        unsigned taken = 0;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (generation == done) {
                return;  // a later call already took it
            }
            drawing = newest;
            recognizer = newestRecognizer;
            taken = generation;
        }
        std::vector<wchar_t> found;
        if (recognizer) {
            recognizer->recognize(drawing, CANDIDATES, &found);
        }
        QStringList candidates;
        for (wchar_t character : found) {
            candidates << QString::fromUcs4(reinterpret_cast<const char32_t*>(&character), 1);
        }
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = taken;
            if (generation != taken) {
                return;  // the drawing changed meanwhile; its own call follows
            }
        }
        QMetaObject::invokeMethod(owner, [owner = owner, candidates] { emit owner->recognized(candidates); },
                                  Qt::QueuedConnection);
    }

    HandwritingRecognition* owner;
    std::mutex mutex;
    HandwritingRecognizer::Drawing newest;
    const HandwritingRecognizer* newestRecognizer = nullptr;
    unsigned generation = 0;
    unsigned done = 0;
};

HandwritingRecognition::HandwritingRecognition(QObject* parent) : QObject(parent), worker(new Worker(this))
{
    thread.setObjectName(QStringLiteral("handwriting"));
    worker->moveToThread(&thread);
}

HandwritingRecognition::~HandwritingRecognition()
{
    thread.quit();
    thread.wait();
    delete worker;  // its thread has ended: nothing runs it any more
}

void HandwritingRecognition::setCharacterDictionaries(CharacterDictionaryCollection* collection)
{
    characters = collection;
}

bool HandwritingRecognition::prepare()
{
    bool kanjiLoaded = false;
    if (characters) {
        for (CharacterDictionary* dictionary : characters->dictionaries) {
            kanjiLoaded = kanjiLoaded || dictionary->isLoaded;
        }
    }
    if (recognizer && recognizer->canRecognize() && (openedWithKanji || !kanjiLoaded)) {
        return true;
    }
    // A new recognizer, so that the thread never sees one being opened; the
    // old one may still be in use there until the next drawing.
    auto opened = std::make_unique<HandwritingRecognizer>(kanjiLoaded ? characters : nullptr);
    opened->open();
    if (recognizer && !opened->canRecognize()) {
        return recognizer->canRecognize();
    }
    retired.push_back(std::move(recognizer));
    recognizer = std::move(opened);
    openedWithKanji = kanjiLoaded;
    return recognizer->canRecognize();
}

QString HandwritingRecognition::error() const
{
    return recognizer ? QString::fromStdString(recognizer->getError()) : tr("the handwriting model is not open");
}

void HandwritingRecognition::recognize(const HandwritingRecognizer::Drawing& drawing)
{
    // Started at the first drawing: most runs never open the pad.
    if (!thread.isRunning()) {
        thread.start();
    }
    worker->post(drawing, recognizer && recognizer->canRecognize() ? recognizer.get() : nullptr);
}
