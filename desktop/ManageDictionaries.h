// The dialog that lists the word dictionaries and deletes them on request.
// Rows only point at the dictionaries; deletion is a request sent by signal,
// and the row goes when removeWordDictionary confirms it.
#ifndef DEXARU_DESKTOP_MANAGEDICTIONARIES_H
#define DEXARU_DESKTOP_MANAGEDICTIONARIES_H

#include "MetaTypes.h"

#include <QDialog>

#include <memory>

namespace Ui {
class ManageDictionaries;
}

class ManageDictionaries : public QDialog
{
    Q_OBJECT

public:
    explicit ManageDictionaries(QWidget* parent = nullptr);
    ~ManageDictionaries() override;

signals:
    void wordDictionaryRemoved(WordDictionary* wordDictionary);

public slots:
    void addWordDictionary(WordDictionary* wordDictionary);
    // Removes every row of that dictionary.
    void removeWordDictionary(WordDictionary* wordDictionary);

private slots:
    void deleteClicked();

private:
    std::unique_ptr<Ui::ManageDictionaries> ui;
};

#endif
