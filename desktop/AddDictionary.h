// The dialog that names a new EDICT word dictionary and picks its file.
// Accepting it hands a new Edict to whoever receives loadedDictionary, which
// then owns it.
#ifndef DEXARU_DESKTOP_ADDDICTIONARY_H
#define DEXARU_DESKTOP_ADDDICTIONARY_H

#include "MetaTypes.h"

#include <QDialog>

#include <memory>

namespace Ui {
class AddDictionary;
}

class AddDictionary : public QDialog
{
    Q_OBJECT

public:
    explicit AddDictionary(QWidget* parent = nullptr);
    ~AddDictionary() override;

signals:
    void loadedDictionary(WordDictionary* dictionary);

public slots:
    // Emits the new dictionary as typed, unchecked, and closes the dialog;
    // the fields keep their text.
    void accept() override;

private slots:
    void on_browse_clicked();

private:
    std::unique_ptr<Ui::AddDictionary> ui;
};

#endif
