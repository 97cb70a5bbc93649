#pragma once

// The four decorators of the editor's text control: line numbers in a left gutter, a band
// behind the caret's line, the highlight styles' blocks, and the marks on every visible match
// of the find text. They only paint, and only over the visible part of the text; a colour
// multiplies what is below it, so a light background takes the colour and dark text stays dark.

#include <QColor>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "editor/ui/UknRichEdit.h"

namespace qb {

// A band from character `start` to character `end` on every display line between them;
// `bandHeight` 0 fills the line, more paints that many pixels at its bottom.
void PaintSpan(QPainter& painter, TknRichEdit& edit, int start, int end, const QColor& colour,
               int bandHeight);

class TknRichEditLineNumber : public TknRichEditDecorator {
  public:
    explicit TknRichEditLineNumber(TknRichEdit& edit);
    ~TknRichEditLineNumber() override;
    void SetColour(const QColor& colour);
    void AfterPaint(QPainter& painter) override;
    void ControlNotify() override;
    // (digits of the line count + 1) digit widths + 4 pixels.
    int GutterWidth() const;
    void PaintGutter(QPainter& painter);
    void EnabledChanged() override;

  private:
    void PlaceGutter();
    QWidget* FGutter;  // a child of the control
    QColor FColour;
};

class TknRichEditHighlightSelLine : public TknRichEditDecorator {
  public:
    using TknRichEditDecorator::TknRichEditDecorator;
    void SetColour(const QColor& colour) { FColour = colour; }
    void AfterPaint(QPainter& painter) override;
    void ControlNotify() override;

  private:
    QColor FColour;
    QRect FPainted;  // the last band, three lines high, repainted when the caret leaves it
};

struct THLStyle {
    char16_t Close = 0;
    QColor Colour;
    int BandHeight = 0;
};

class TknRichEditHighLightTextBlock : public TknRichEditDecorator {
  public:
    using TknRichEditDecorator::TknRichEditDecorator;
    // An index beyond the styles appends.
    void SetStyle(size_t index, const THLStyle& style);
    void AfterPaint(QPainter& painter) override;

  private:
    const THLStyle* StyleOf(char16_t close) const;
    std::vector<THLStyle> FStyles;
};

// What the match marks show, read from the find engine at every paint.
struct TMatchMarks {
    std::u16string Text;
    bool MatchCase = false;
};

class TknRichEditHighlightText : public TknRichEditDecorator {
  public:
    TknRichEditHighlightText(TknRichEdit& edit, std::function<TMatchMarks()> marks);
    void SetColour(const QColor& colour, int bandHeight);
    void AfterPaint(QPainter& painter) override;

  private:
    std::function<TMatchMarks()> FMarks;
    QColor FColour{100, 100, 100};
    int FBandHeight = 0;
};

// The first and the one past the last character of the visible text.
struct TVisibleRange {
    int Start = 0;
    int End = 0;
};
TVisibleRange VisibleRange(const TknRichEdit& edit);

}  // namespace qb
