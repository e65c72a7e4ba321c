#include "Settings.h"

#include "ui_Settings.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QSignalBlocker>

Settings::Settings(QWidget* parent) : QDialog(parent), ui(new Ui::Settings)
{
    ui->setupUi(this);
}

Settings::~Settings() = default;

void Settings::showEvent(QShowEvent* event)
{
    if (ui->buttonBox->standardButtons() == QDialogButtonBox::NoButton)
        ui->buttonBox->setStandardButtons(QDialogButtonBox::Ok);
    QDialog::showEvent(event);
}

void Settings::setup()
{
    // radicalFontSize reaches on_radicalFontSize_valueChanged by its name
    // already; connecting it here too would report every change twice.
    connect(ui->characterFontSize, &QSpinBox::valueChanged, this, &Settings::setCharacterFontSize);
    connect(ui->wordFontSize, &QSpinBox::valueChanged, this, &Settings::setWordFontSize);
    connect(ui->generalFontSize, &QSpinBox::valueChanged, this, &Settings::setGeneralFontSize);

    characterColor = QColor(0, 0, 255);
    setCharacterFont(characterFont);
    wordColor = QColor(0, 0, 0);
    setWordFont(wordFont);
    generalColor = QColor(0, 0, 0);
    setGeneralFont(generalFont);
    loadFromFonts();
    // Each font's name is shown in its own colour from the start.
    paintName(ui->characterFontName, characterColor);
    paintName(ui->wordFontName, wordColor);
    paintName(ui->generalFontName, generalColor);
}

void Settings::loadFromFonts()
{
    ui->radicalFontSize->setValue(radicalFont.pointSize());
}

void Settings::showFont(QFont& field, const QFont& font, QLabel* name, QSpinBox* size)
{
    field = font;
    name->setText(font.family());
    {
        // The box only shows the size: a size it cannot hold (a pixel-sized
        // font, one beyond its range) must not come back into the font.
        const QSignalBlocker quiet(this);
        const QSignalBlocker quietBox(size);
        size->setValue(font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize());
    }
    emit settingsChanged();
}

void Settings::showFontSize(QFont& field, int size, QSpinBox* box)
{
    field.setPointSize(size);
    {
        const QSignalBlocker quiet(box);
        box->setValue(size);
    }
    emit settingsChanged();
}

void Settings::showColor(QColor& field, const QColor& color, QLabel* name)
{
    field = color;
    paintName(name, color);
    emit settingsChanged();
}

void Settings::paintName(QLabel* name, const QColor& color)
{
    QPalette palette = name->palette();
    palette.setBrush(QPalette::WindowText, color);
    palette.setBrush(QPalette::Window, QColor(255, 255, 255));
    name->setPalette(palette);
    name->setAutoFillBackground(true);
}

void Settings::setCharacterFont(QFont font)
{
    showFont(characterFont, font, ui->characterFontName, ui->characterFontSize);
}

void Settings::setCharacterFontSize(int size)
{
    showFontSize(characterFont, size, ui->characterFontSize);
}

void Settings::setCharacterFontColor(QColor color)
{
    showColor(characterColor, color, ui->characterFontName);
}

void Settings::setWordFont(QFont font)
{
    showFont(wordFont, font, ui->wordFontName, ui->wordFontSize);
}

void Settings::setWordFontSize(int size)
{
    showFontSize(wordFont, size, ui->wordFontSize);
}

void Settings::setWordFontColor(QColor color)
{
    showColor(wordColor, color, ui->wordFontName);
}

void Settings::setGeneralFont(QFont font)
{
    showFont(generalFont, font, ui->generalFontName, ui->generalFontSize);
}

void Settings::setGeneralFontSize(int size)
{
    showFontSize(generalFont, size, ui->generalFontSize);
}

void Settings::setGeneralFontColor(QColor color)
{
    showColor(generalColor, color, ui->generalFontName);
}

void Settings::on_radicalFontSize_valueChanged(int size)
{
    radicalFont.setPointSize(size);
    emit settingsChanged();
}

// Both choosers are shared by three rows: each opening points the chooser's
// answer at the row it was opened for. They are made when first opened,
// which spares every start-up their making.
void Settings::chooseFont(const QFont& current, void (Settings::*apply)(QFont))
{
    if (!fontDialog) {
        fontDialog = std::make_unique<QFontDialog>();
    }
    disconnect(fontChoice);
    fontChoice = connect(fontDialog.get(), &QFontDialog::fontSelected, this, apply);
    fontDialog->setCurrentFont(current);
    fontDialog->show();
}

void Settings::chooseColor(const QColor& current, void (Settings::*apply)(QColor))
{
    if (!colorDialog) {
        colorDialog = std::make_unique<QColorDialog>();
    }
    disconnect(colorChoice);
    colorChoice = connect(colorDialog.get(), &QColorDialog::colorSelected, this, apply);
    // The chooser starts from the colour it is to change.
    if (current.isValid()) {
        colorDialog->setCurrentColor(current);
    }
    colorDialog->show();
}

void Settings::on_characterFontColor_clicked()
{
    chooseColor(characterColor, &Settings::setCharacterFontColor);
}

void Settings::on_characterFontButton_clicked()
{
    chooseFont(characterFont, &Settings::setCharacterFont);
}

void Settings::on_wordFontColor_clicked()
{
    chooseColor(wordColor, &Settings::setWordFontColor);
}

void Settings::on_wordFontButton_clicked()
{
    chooseFont(wordFont, &Settings::setWordFont);
}

void Settings::on_generalFontColor_clicked()
{
    chooseColor(generalColor, &Settings::setGeneralFontColor);
}

void Settings::on_generalFontButton_clicked()
{
    chooseFont(generalFont, &Settings::setGeneralFont);
}
