#include "About.h"

#include "ui_About.h"

About::About(QWidget* parent) : QDialog(parent), ui(new Ui::About)
{
    ui->setupUi(this);
}

About::~About() = default;
