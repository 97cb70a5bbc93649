#include "editor/ui/UknRichEditDecorators.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <unicode/uchar.h>

#include <algorithm>

#include "editor/UEditor.h"

namespace qb {

namespace {

// Beyond the last character of a line a band runs on a little, so a block ending with its
// line is seen to go on.
constexpr int LineEndOverhang = 5;

void Multiply(QPainter& painter, const QRectF& rect, const QColor& colour) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.fillRect(rect, colour);
    painter.restore();
}

std::u16string Lowered(std::u16string s) {
    for (char16_t& c : s) c = static_cast<char16_t>(u_tolower(c));
    return s;
}

class TGutter : public QWidget {
  public:
    TGutter(TknRichEdit& edit, TknRichEditLineNumber& numbers)
        : QWidget(&edit), FNumbers(numbers) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        FNumbers.PaintGutter(painter);
    }

  private:
    TknRichEditLineNumber& FNumbers;
};

}  // namespace

TVisibleRange VisibleRange(const TknRichEdit& edit) {
    const TEditRect r = edit.FormatRect();
    const int start = edit.CharFromPoint({r.Left, r.Top});
    const int end = std::min(edit.CharFromPoint({r.Right, r.Bottom}) + 1, edit.TextLength());
    return {start, std::max(start, end)};
}

void PaintSpan(QPainter& painter, TknRichEdit& edit, int start, int end, const QColor& colour,
               int bandHeight) {
    QTextDocument* doc = edit.document();
    const qreal left = edit.FormatRect().Left;
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        QTextLayout* layout = block.layout();
        if (!layout) continue;
        const QRectF box = edit.BlockBox(block);
        const int base = block.position();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const int lineStart = base + line.textStart();
            const int lineEnd = lineStart + line.textLength();
            if (lineEnd < start || lineStart > end) continue;
            const qreal x1 = start >= lineStart ? box.left() + line.cursorToX(start - base) : left;
            const qreal x2 = end <= lineEnd
                                 ? box.left() + line.cursorToX(end - base)
                                 : box.left() + line.naturalTextWidth() + LineEndOverhang;
            QRectF band(x1, box.top() + line.y(), x2 - x1, line.height());
            if (bandHeight > 0) band.setTop(band.bottom() - bandHeight);
            Multiply(painter, band, colour);
        }
    }
}

// --- TknRichEditLineNumber ---

TknRichEditLineNumber::TknRichEditLineNumber(TknRichEdit& edit)
    : TknRichEditDecorator(edit), FGutter(new TGutter(edit, *this)), FColour(198, 195, 198) {
    FGutter->hide();
}

TknRichEditLineNumber::~TknRichEditLineNumber() {
    delete FGutter;
}

void TknRichEditLineNumber::SetColour(const QColor& colour) {
    FColour = colour;
    FGutter->update();
}

int TknRichEditLineNumber::GutterWidth() const {
    int digits = 1;
    for (int n = FEdit.LineCount(); n >= 10; n /= 10) ++digits;
    return (digits + 1) * FEdit.fontMetrics().horizontalAdvance(u'9') + 4;
}

void TknRichEditLineNumber::EnabledChanged() {
    FGutter->setVisible(Enabled());
    FEdit.SetGutterWidth(Enabled() ? GutterWidth() : 0);
    PlaceGutter();
}

void TknRichEditLineNumber::PlaceGutter() {
    const QRect r = FEdit.contentsRect();
    FGutter->setGeometry(r.left(), r.top(), GutterWidth(), r.height());
}

void TknRichEditLineNumber::ControlNotify() {
    FEdit.SetGutterWidth(GutterWidth());
    PlaceGutter();
}

// The text paints first and lays out the lines it shows; the numbers follow it.
void TknRichEditLineNumber::AfterPaint(QPainter&) {
    FGutter->update();
}

void TknRichEditLineNumber::PaintGutter(QPainter& painter) {
    painter.fillRect(FGutter->rect(), FColour);
    painter.setFont(FEdit.font());
    painter.setPen(Qt::black);
    const int digit = FEdit.fontMetrics().horizontalAdvance(u'9');
    const int right = GutterWidth() - (digit / 2 + 2);
    const int height = FEdit.viewport()->height();
    for (QTextBlock block = FEdit.FirstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = FEdit.BlockBox(block);
        if (box.top() > height) break;
        QTextLayout* layout = block.layout();
        const int lines = layout ? std::max(layout->lineCount(), 1) : 1;
        for (int i = 0; i < lines; ++i) {
            const qreal top =
                box.top() + (layout && layout->lineCount() ? layout->lineAt(i).y() : 0);
            const QRectF cell(0, top, right, FEdit.LineHeight());
            painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                             QString::number(block.firstLineNumber() + i + 1));
        }
    }
}

// --- TknRichEditHighlightSelLine ---

void TknRichEditHighlightSelLine::AfterPaint(QPainter& painter) {
    const QRect caret = FEdit.cursorRect();
    const TEditRect r = FEdit.FormatRect();
    if (caret.top() < r.Top || caret.top() > r.Bottom) return;
    const QRect band(r.Left, caret.top(), r.Right - r.Left + 1, caret.height());
    Multiply(painter, band, FColour);
    FPainted = band.adjusted(0, -band.height(), 0, band.height());
}

// The control repaints only around the caret; the old band and the new line are repainted
// whole when the caret changes lines.
void TknRichEditHighlightSelLine::ControlNotify() {
    const QRect caret = FEdit.cursorRect();
    if (!FPainted.isNull() && caret.top() == FPainted.top() + FPainted.height() / 3) return;
    if (!FPainted.isNull()) FEdit.viewport()->update(FPainted);
    FEdit.viewport()->update(QRect(0, caret.top(), FEdit.viewport()->width(), caret.height()));
}

// --- TknRichEditHighLightTextBlock ---

void TknRichEditHighLightTextBlock::SetStyle(size_t index, const THLStyle& style) {
    if (index >= FStyles.size())
        FStyles.push_back(style);
    else
        FStyles[index] = style;
    FEdit.viewport()->update();
}

const THLStyle* TknRichEditHighLightTextBlock::StyleOf(char16_t close) const {
    for (const THLStyle& s : FStyles)
        if (s.Close == close) return &s;
    return nullptr;
}

// Inner blocks close first, so they are painted first and the outer block over them.
void TknRichEditHighLightTextBlock::AfterPaint(QPainter& painter) {
    const TVisibleRange visible = VisibleRange(FEdit);
    const std::u16string text = FEdit.TextRange(visible.Start, visible.End);
    std::vector<int> open;
    for (size_t i = 0; i < text.size(); ++i) {
        const int at = visible.Start + static_cast<int>(i);
        if (text[i] == HLOpen) {
            open.push_back(at);
        } else if (const THLStyle* style = StyleOf(text[i]); style && !open.empty()) {
            PaintSpan(painter, FEdit, open.back(), at, style->Colour, style->BandHeight);
            open.pop_back();
        }
    }
}

// --- TknRichEditHighlightText ---

TknRichEditHighlightText::TknRichEditHighlightText(TknRichEdit& edit,
                                                   std::function<TMatchMarks()> marks)
    : TknRichEditDecorator(edit), FMarks(std::move(marks)) {}

void TknRichEditHighlightText::SetColour(const QColor& colour, int bandHeight) {
    FColour = colour;
    FBandHeight = bandHeight;
    FEdit.viewport()->update();
}

void TknRichEditHighlightText::AfterPaint(QPainter& painter) {
    TMatchMarks marks = FMarks();
    if (marks.Text.empty()) return;
    const TVisibleRange visible = VisibleRange(FEdit);
    std::u16string text = FEdit.TextRange(visible.Start, visible.End);
    if (!marks.MatchCase) {
        text = Lowered(std::move(text));
        marks.Text = Lowered(std::move(marks.Text));
    }
    const int n = static_cast<int>(marks.Text.size());
    for (size_t at = text.find(marks.Text); at != std::u16string::npos;
         at = text.find(marks.Text, at + n)) {
        const int start = visible.Start + static_cast<int>(at);
        PaintSpan(painter, FEdit, start, start + n, FColour, FBandHeight);
    }
}

}  // namespace qb
