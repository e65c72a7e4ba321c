// The modal "About Dexaru" dialog: the program's name, version and purpose.
// Its form holds everything; the main window creates it once and shows it.
#ifndef DEXARU_DESKTOP_ABOUT_H
#define DEXARU_DESKTOP_ABOUT_H

#include <QDialog>

#include <memory>

namespace Ui {
class About;
}

class About : public QDialog
{
    Q_OBJECT

public:
    explicit About(QWidget* parent = nullptr);
    ~About() override;

private:
    std::unique_ptr<Ui::About> ui;
};

#endif
