#pragma once

// Mini-note windows: small windows that float above the others, into which the user types a
// note; closing one hands its text to the note handler, which makes a note of it. A first
// line "@title" names the note. The reports of the note handler show in a tip at the mouse.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "features/UNoteHandler.h"

class QPlainTextEdit;

namespace qb {

class TknTrackingTip;

class TNoteBox : public QWidget {
    Q_OBJECT
  public:
    using TClosed = std::function<void(TNoteBox& box)>;

    // Opens at the rectangle with the title preset as a first line "@title" (none when empty);
    // `closed` runs once, when the window closes.
    TNoteBox(std::u16string_view title, const TNoteRect& rect, TClosed closed);

    // The text with CR LF line breaks.
    std::u16string Text() const;
    TNoteRect Rect() const;
    QPlainTextEdit* Editor() const { return FEditor; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QPlainTextEdit* FEditor;
    TClosed FClosed;
};

class TNoteWindows : public INoteUi {
  public:
    TNoteWindows();
    ~TNoteWindows() override;  // closes the open windows: their texts become notes
    TNoteWindows(const TNoteWindows&) = delete;
    TNoteWindows& operator=(const TNoteWindows&) = delete;

    // The handler the closed windows go to; until it is set they go nowhere.
    void SetHandler(TNoteHandler* handler) { FHandler = handler; }

    void OpenNoteWindow(std::u16string_view title) override;
    void CloseLatestNoteWindow() override;
    void Report(std::u16string_view text) override;
    bool ChooseSnapFile(std::u16string& path) override;

    // Closes every open window, as the user would.
    void CloseAll();
    const std::vector<TNoteBox*>& Boxes() const { return FBoxes; }

  private:
    void Closed(TNoteBox& box);

    TNoteHandler* FHandler = nullptr;
    std::vector<TNoteBox*> FBoxes;  // newest last; each deletes itself once closed
    std::unique_ptr<TknTrackingTip> FTip;
};

}  // namespace qb
