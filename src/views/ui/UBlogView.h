#pragma once

// The abstract view: the client's entries drawn one under the other, each a numbered title
// line on its background with the time at the right and the abstract wrapped below it;
// scrolled by entries' heights, selected by mouse and keys, the title edited in place (F2)
// by TItemEdit.

#include <QAbstractScrollArea>
#include <QFont>
#include <QLineEdit>
#include <memory>
#include <vector>

#include "views/UBlogClient.h"

namespace qb {

// The in-place editor of an entry's title.
class TItemEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TItemEdit(QWidget* parent);
    void Start(int index, const QRect& rect, const QString& text);

  signals:
    void Done(int index, const QString& text, bool accepted);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void Finish(bool accepted);
    int FIndex = -1;
};

class TBlogView : public QAbstractScrollArea, public IBlogControl {
    Q_OBJECT
  public:
    explicit TBlogView(QWidget* parent);
    ~TBlogView() override;

    // --- IClientControl ---
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override;
    void FocusControl() override { setFocus(Qt::OtherFocusReason); }

    // --- IBlogControl ---
    void Attach(TBlogClient* client) override { FClient = client; }
    void EntriesChanged() override;
    void SelectionChanged() override;
    void ScrollToEntry(int index) override;
    void ApplyFonts(const TFontSettings& abstract, const TFontSettings& title,
                    const TFontSettings& selectedTitle) override;

    // The entry at a point of the viewport, -1 for none.
    int EntryAt(const QPoint& point) const;
    QRect EntryRect(int index) const;  // in the viewport
    void EditTitle(int index);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct TLook {
        QFont Font;
        QColor Text;
        QColor Back;
    };
    void Layout();
    int TitleHeight() const;

    TBlogClient* FClient = nullptr;
    TLook FAbstract, FTitle, FSelectedTitle;
    std::vector<int> FTops;  // each entry's top in the whole layout, then the end
    TItemEdit* FEdit;
};

std::unique_ptr<TClientSuper> NewBlogClient(QWidget* pageArea);

}  // namespace qb
