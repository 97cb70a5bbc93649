#pragma once

// The system clipboard as plain text, and its change notification for the clip watcher.

#include <QObject>
#include <functional>
#include <string>
#include <string_view>

#include "storage/UIOHandler.h"

namespace qb {

class TknClipboard {
  public:
    // Empty when the clipboard (or, with `primary`, the X11 selection buffer) holds no text.
    static std::u16string GetText(bool primary = false);
    static void SetText(std::u16string_view text);
};

// The import/export handler's clipboard.
class TknClipboardText : public IClipboardText {
  public:
    void SetClipboardText(std::u16string_view text) override { TknClipboard::SetText(text); }
};

// Calls OnChange with the clipboard's text whenever the clipboard changes (the selection
// buffer of X11 is not watched). The watcher logic (the 100 ms rule, the ignore flag) is the
// receiver's.
class TknClipboardWatch : public QObject {
    Q_OBJECT
  public:
    explicit TknClipboardWatch(std::function<void(std::u16string text)> onChange,
                               QObject* parent = nullptr);

    // Stops and resumes the notification without losing the connection.
    void SetActive(bool active) { FActive = active; }
    bool Active() const { return FActive; }

  private:
    void Changed();

    std::function<void(std::u16string)> FOnChange;
    bool FActive = true;
};

}  // namespace qb
