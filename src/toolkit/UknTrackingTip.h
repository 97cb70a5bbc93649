#pragma once

// A small tip window that shows a text at a point or at the mouse, on top of everything and
// without taking the focus. It closes on the next key or mouse button press, when Hide is
// called, or when its display time has run out.

#include <QColor>
#include <QPoint>
#include <QWidget>
#include <string>
#include <string_view>

class QLabel;
class QTimer;

namespace qb {

class TknTrackingTip : public QWidget {
    Q_OBJECT
  public:
    // maxWidth: the widest the tip grows before it wraps its lines (pixels); showDelay: how
    // long a Show waits before the tip appears (ms, 0 at once); hideDelay: how long it stays
    // (ms, 0 until hidden). The menus use 400, 500, 0: wide tips, shown when the mouse rests
    // half a second on an item, kept while the item stays selected.
    explicit TknTrackingTip(int maxWidth = 400, int showDelay = 0, int hideDelay = 0);
    ~TknTrackingTip() override;

    // Shows the text with its top left at the point (kept on the screen); a title comes first
    // in bold. A new Show replaces the text at once.
    void ShowAt(std::u16string_view text, QPoint point, std::u16string_view title = {});
    void ShowAtCursor(std::u16string_view text, std::u16string_view title = {});
    void Hide();
    bool Showing() const;  // shown, or about to be

    void SetColor(QColor background);
    std::u16string Text() const { return FText; }
    int MaxWidth() const { return FMaxWidth; }
    int ShowDelay() const { return FShowDelay; }
    int HideDelay() const { return FHideDelay; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Appear();

    int FMaxWidth;
    int FShowDelay;
    int FHideDelay;
    QLabel* FLabel;
    QTimer* FShowTimer;
    QTimer* FHideTimer;
    QPoint FPoint;
    std::u16string FText;
    bool FPending = false;
};

}  // namespace qb
