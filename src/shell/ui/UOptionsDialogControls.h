#pragma once

// The option controls that Qt has no ready widget for: a hotkey editor that edits the hotkey
// word the option manager stores, a colour button, and a font row (font, text and background
// colour of one font section).

#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "shell/UOptionManager.h"

class QLabel;

namespace qb {

// The Qt key and modifiers of a hotkey word, and back; 0 / Qt::Key_unknown when the key has no
// counterpart.
int QtKeyOfHotKey(THotKey key);
Qt::KeyboardModifiers QtModifiersOfHotKey(THotKey key);
THotKey HotKeyOfQtKey(int qtKey, Qt::KeyboardModifiers modifiers);
// The hotkey as the user reads it ("Ctrl+Alt+K"); empty for none.
QString HotKeyDisplayText(THotKey key);
// Lets the pages show their hotkeys (link and template items' Hotkey column) in that form.
void InstallHotKeyTexts();

// Takes the next key pressed with its modifiers as the hotkey; Backspace or Delete alone
// clears it. Modifier keys alone change nothing.
class THotKeyEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit THotKeyEdit(QWidget* parent = nullptr);
    THotKey HotKey() const { return FHotKey; }
    void SetHotKey(THotKey key);

  signals:
    void HotKeyChanged(THotKey key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;  // Tab belongs to the editor too

  private:
    THotKey FHotKey = 0;
};

QColor QtColour(TColor colour);
QFont QtFont(const TFontSettings& settings);
TColor ColourOf(const QColor& colour);

// Shows its colour; a click opens the colour chooser.
class TColourButton : public QPushButton {
    Q_OBJECT
  public:
    explicit TColourButton(QWidget* parent = nullptr);
    TColor Colour() const { return FColour; }
    void SetColour(TColor colour);

  signals:
    void ColourChanged(TColor colour);

  private:
    void Choose();
    TColor FColour = 0;
};

// A sample of the font section's look with buttons for the font and its two colours.
class TFontRow : public QWidget {
    Q_OBJECT
  public:
    explicit TFontRow(QWidget* parent = nullptr);
    const TFontSettings& Font() const { return FFont; }
    void SetFont(const TFontSettings& font);

  private:
    void ChooseFont();
    void ShowSample();

    TFontSettings FFont;
    QLabel* FSample;
    TColourButton* FTextColour;
    TColourButton* FBackColour;
};

}  // namespace qb
