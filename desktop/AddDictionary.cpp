#include "AddDictionary.h"

#include "ui_AddDictionary.h"

#include "Edict.h"
#include "SingleLineField.h"

#include <QFile>
#include <QFileDialog>

AddDictionary::AddDictionary(QWidget* parent) : QDialog(parent), ui(new Ui::AddDictionary)
{
    ui->setupUi(this);
    SingleLineField::makeSingleLine(ui->name);
}

AddDictionary::~AddDictionary() = default;

void AddDictionary::on_browse_clicked()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Dictionary file"), QString(),
                                                      tr("*"));
    ui->filename->setPlainText(file);
}

void AddDictionary::accept()
{
    auto* dictionary = new Edict();
    // Names are UTF-8 text throughout; file names are in the system's own encoding.
    dictionary->setName(ui->name->toPlainText().toUtf8().toStdString());
    dictionary->setFilename(QFile::encodeName(ui->filename->toPlainText()).toStdString());
    emit loadedDictionary(dictionary);
    QDialog::accept();
}
