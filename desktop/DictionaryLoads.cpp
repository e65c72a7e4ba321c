#include "DictionaryLoads.h"

#include "BackgroundLoading.h"

#include <QListWidget>
#include <QThread>

#include <algorithm>

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

    // A disabled dictionary is loaded once enabled: it only waits its turn.
    waiting.push_back(Waiting{dictionary, nullptr, !dictionary->isEnabled()});
    if (waiting.back().ready) {
        handOnInOrder();
        return;
    }
    waiting.back().thread = backgroundloading::run(
        this, [dictionary] { backgroundloading::load(dictionary); },
        [this, dictionary] {
            const auto load = find(dictionary);
            if (load == waiting.end())
                return;  // finishAll() handed it on already
            load->ready = true;
            emit loadEnded(dictionary);
            handOnInOrder();
        });
}

void DictionaryLoads::finishAll()
{
    for (Waiting& load : waiting) {
        if (load.thread)
            load.thread->wait();
        load.ready = true;
    }
    handOnInOrder();
}

bool DictionaryLoads::isWaiting(const WordDictionary* dictionary) const
{
    return std::any_of(waiting.begin(), waiting.end(),
                       [dictionary](const Waiting& load) { return load.dictionary == dictionary; });
}

std::deque<DictionaryLoads::Waiting>::iterator DictionaryLoads::find(const WordDictionary* dictionary)
{
    return std::find_if(waiting.begin(), waiting.end(),
                        [dictionary](const Waiting& load) { return load.dictionary == dictionary; });
}

void DictionaryLoads::handOnInOrder()
{
    while (!waiting.empty() && waiting.front().ready) {
        WordDictionary* dictionary = waiting.front().dictionary;
        waiting.pop_front();
        emit loaded(dictionary);
    }
}
