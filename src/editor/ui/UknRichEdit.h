#pragma once

// The editor's text control on a Qt plain-text widget. The widget itself never edits: it is
// kept read-only for Qt and shows the caret and the selection, while every change goes through
// the shared control base (undo, read-only, protected text, the key hook), so this control
// behaves exactly like the in-memory one the text logic is tested with.
//
// Highlight markers (U+001C to U+001F, U+007F) stay in the document as ordinary characters with
// a format that takes no width and draws nothing; the caret steps over them.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCharFormat>

#include <functional>
#include <vector>

#include "editor/UEditControlBase.h"
#include "views/UClientSuper.h"

namespace qb {

class TknRichEdit;

// Something painted over the text after the control has drawn it: line numbers, the current
// line band, highlight blocks, find marks. Registered with its control for its lifetime.
class TknRichEditDecorator {
  public:
    explicit TknRichEditDecorator(TknRichEdit& edit);
    virtual ~TknRichEditDecorator();
    TknRichEditDecorator(const TknRichEditDecorator&) = delete;
    TknRichEditDecorator& operator=(const TknRichEditDecorator&) = delete;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool on);
    // Paints on the control's viewport (painter already set up for it).
    virtual void AfterPaint(QPainter& painter) = 0;
    // The selection, the text or the control's size changed.
    virtual void ControlNotify() {}
    virtual void EnabledChanged() {}

  protected:
    TknRichEdit& FEdit;

  private:
    bool FEnabled = false;
};

// The clipboard format that carries a copied text with its highlight markers.
inline constexpr char RawTextMime[] = "application/x-quillbox-text";

class TknRichEdit : public QPlainTextEdit, public TEditControlBase, public IClientControl {
  public:
    explicit TknRichEdit(QWidget* parent = nullptr);
    ~TknRichEdit() override;

    // --- IEditControl ---
    std::u16string GetText() const override;
    void SetText(std::u16string_view text) override;
    int TextLength() const override;
    std::u16string TextRange(int start, int end) const override;

    TEditSel GetSel() const override;
    void SetSel(int start, int length) override;
    std::u16string SelText() const override;

    int LineCount() const override;
    int LineFromChar(int pos) const override;
    int LineIndex(int line) const override;
    std::u16string LineText(int line) const override;
    TEditSel ParagraphFromChar(int pos) const override;

    int FirstVisibleLine() const override;
    void ScrollLines(int lines) override;
    int ScrollOffset() const override;
    void SetScrollOffset(int pixels) override;
    int CharFromPoint(TEditPoint p) const override;
    TEditPoint PointFromChar(int pos) const override;
    TEditRect FormatRect() const override;

    bool CanPaste() const override;
    bool WordWrap() const override;
    void SetWordWrap(bool on) override;

    // --- IClientControl ---
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override { return hasFocus(); }
    void FocusControl() override { setFocus(Qt::OtherFocusReason); }

    // --- appearance ---
    // One tab stop every `dialogUnits` (a quarter of the font's average character width each).
    void SetTabStop(int dialogUnits);
    void SetMargins(int pixels);
    void SetColors(const QColor& text, const QColor& background);
    // The font of the options; zooming (Ctrl+wheel) changes the shown size until ResetZoom.
    void SetEditorFont(const QFont& font);
    void ResetZoom();
    // Off: every wheel step scrolls three lines. On: Qt's own smooth scrolling.
    void SetSmoothScroll(bool on) { FSmoothScroll = on; }
    // The left edge of the text area within the widget, for the line-number gutter.
    void SetGutterWidth(int pixels);
    int LineHeight() const;

    // --- hooks for the client: each returns true when it handled the event ---
    std::function<bool(QContextMenuEvent*)> OnContextMenu;
    std::function<bool(QWheelEvent*)> OnWheel;
    std::function<bool(QMouseEvent*)> OnMiddleButton;
    std::function<void()> OnSelectionChanged;
    // A link was clicked: double clicks always, single left clicks with Ctrl or while
    // one-click links are on.
    std::function<void(std::u16string)> OnLink;
    void SetOneClickLinks(bool on) { FOneClickLinks = on; }

    // For the decorators, on the viewport: a character's rectangle, a block's box, and the
    // first block shown.
    QRect CharRect(int pos) const;
    QRectF BlockBox(const QTextBlock& block) const;
    QTextBlock FirstVisibleBlock() const { return firstVisibleBlock(); }

  protected:
    void Apply(int start, int count, std::u16string_view text) override;
    void PutOnClipboard(std::u16string_view text) override;
    std::u16string ClipboardText() const override;

    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Tab is a key of the text (indenting lines), never a move to the next control.
    bool focusNextPrevChild(bool /*next*/) override { return false; }

  private:
    friend class TknRichEditDecorator;
    QTextCursor RangeCursor(int start, int end) const;
    void InsertRuns(QTextCursor& cursor, std::u16string_view text);
    bool HandleEditKey(QKeyEvent* e);
    void StepOverMarkers(int key);
    void NotifyDecorators();
    // The link under a point of the viewport; empty when there is none.
    std::u16string LinkAtPoint(const QPoint& p) const;
    void PaintLinks(QPainter& painter);

    QTextCharFormat FMarkerFormat;
    std::vector<TknRichEditDecorator*> FDecorators;
    QFont FBaseFont;
    bool FSmoothScroll = false;
    bool FOneClickLinks = false;
    int FMargins = 2;
    int FGutter = 0;
};

}  // namespace qb
