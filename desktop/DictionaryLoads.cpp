#include "DictionaryLoads.h"

#include "BackgroundLoading.h"

#include <QListWidget>
#include <QThread>

DictionaryLoads::DictionaryLoads(QListWidget* list, QObject* parent)
    : QObject(parent), list(list)
{
    setObjectName(QStringLiteral("dictionaryLoads"));
}

DictionaryLoads::~DictionaryLoads()
{
    for (Waiting& load : waiting) {
        if (load.thread)
            load.thread->wait();
        delete load.dictionary;
    }
}

void DictionaryLoads::add(WordDictionary* dictionary)
{
    // Filled before it joins the list, so that no itemChanged fires for it.
    auto* row = new QListWidgetItem(QString::fromStdString(dictionary->getName()));
    row->setFlags(Qt::NoItemFlags);
    row->setCheckState(dictionary->isEnabled() ? Qt::Checked : Qt::Unchecked);
    row->setData(Qt::UserRole, QVariant::fromValue(dictionary));
    row->setToolTip(tr("This dictionary is being loaded."));
    list->addItem(row);

    waiting.push_back(Waiting{dictionary, nullptr, false});
    waiting.back().thread = backgroundloading::run(
        this, [dictionary] { backgroundloading::load(dictionary); },
        [this, dictionary] {
            for (Waiting& load : waiting) {
                if (load.dictionary == dictionary)
                    load.ended = true;
            }
            emit loadEnded(dictionary);
            handOnInOrder();
        });
}

bool DictionaryLoads::isWaiting(const WordDictionary* dictionary) const
{
    for (const Waiting& load : waiting) {
        if (load.dictionary == dictionary)
            return true;
    }
    return false;
}

void DictionaryLoads::handOnInOrder()
{
    while (!waiting.empty() && waiting.front().ended) {
        WordDictionary* dictionary = waiting.front().dictionary;
        waiting.pop_front();
        emit loaded(dictionary);
    }
}
