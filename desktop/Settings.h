// The settings dialog: fonts and colours of the result tables and the
// radical list. The views keep pointers to the public font and colour fields
// and re-read them on settingsChanged(); the dialog owns its two choosers.
#ifndef DEXARU_DESKTOP_SETTINGS_H
#define DEXARU_DESKTOP_SETTINGS_H

#include <QColor>
#include <QDialog>
#include <QFont>

#include <memory>

class QColorDialog;
class QFontDialog;
class QLabel;
class QSpinBox;

namespace Ui {
class Settings;
}

class Settings : public QDialog
{
    Q_OBJECT

public:
    explicit Settings(QWidget* parent = nullptr);
    ~Settings() override;

    // Wires the size boxes and applies the default colours and fonts;
    // called once, by the window that owns the dialog.
    void setup();
    // Shows the radical font's size, which has no setter of its own.
    void loadFromFonts();

    QFont characterFont;
    QColor characterColor;
    QFont wordFont;
    QColor wordColor;
    QFont generalFont;
    QColor generalColor;
    QFont radicalFont;

signals:
    void settingsChanged();

public slots:
    void setCharacterFont(QFont font);
    void setCharacterFontSize(int size);
    void setCharacterFontColor(QColor color);
    void setWordFont(QFont font);
    void setWordFontSize(int size);
    void setWordFontColor(QColor color);
    void setGeneralFont(QFont font);
    void setGeneralFontSize(int size);
    void setGeneralFontColor(QColor color);

private slots:
    void on_characterFontColor_clicked();
    void on_characterFontButton_clicked();
    void on_wordFontColor_clicked();
    void on_wordFontButton_clicked();
    void on_generalFontColor_clicked();
    void on_generalFontButton_clicked();
    void on_radicalFontSize_valueChanged(int size);

protected:
    // Adds the OK button when the dialog is first shown: its icon would
    // cost every start-up the loading of the icon theme.
    void showEvent(QShowEvent* event) override;

private:
    void showFont(QFont& field, const QFont& font, QLabel* name, QSpinBox* size);
    void showFontSize(QFont& field, int size, QSpinBox* box);
    void showColor(QColor& field, const QColor& color, QLabel* name);
    void paintName(QLabel* name, const QColor& color);
    void chooseFont(const QFont& current, void (Settings::*apply)(QFont));
    void chooseColor(const QColor& current, void (Settings::*apply)(QColor));

    std::unique_ptr<Ui::Settings> ui;
    std::unique_ptr<QColorDialog> colorDialog;
    std::unique_ptr<QFontDialog> fontDialog;
    // The one setter each shared chooser currently answers to.
    QMetaObject::Connection colorChoice;
    QMetaObject::Connection fontChoice;
};

#endif
