#include "editor/ui/UknRichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>

#include "editor/UEditor.h"
#include "editor/UknRichEditClasses.h"
#include "editor/ui/UknRichEditDecorators.h"
#include "toolkit/UknKeys.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

// The document's paragraph separators become the control's CR.
std::u16string FromQt(const QString& s) {
    std::u16string out = TextOf(s);
    std::replace(out.begin(), out.end(), char16_t(QChar::ParagraphSeparator), u'\r');
    return out;
}

// Lines a wheel step scrolls.
constexpr int WheelLines = 3;

bool IsMarker(char16_t c) {
    return c == HLOpen || IsHLClose(c);
}

int ShiftState(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? ssShift : 0) | (m & Qt::ControlModifier ? ssCtrl : 0) |
           (m & Qt::AltModifier ? ssAlt : 0);
}

}  // namespace

// --- TknRichEditDecorator ---

TknRichEditDecorator::TknRichEditDecorator(TknRichEdit& edit) : FEdit(edit) {
    edit.FDecorators.push_back(this);
}

TknRichEditDecorator::~TknRichEditDecorator() {
    std::erase(FEdit.FDecorators, this);
}

void TknRichEditDecorator::SetEnabled(bool on) {
    if (on == FEnabled) return;
    FEnabled = on;
    EnabledChanged();
    FEdit.viewport()->update();
}

// --- TknRichEdit ---

TknRichEdit::TknRichEdit(QWidget* parent) : QPlainTextEdit(parent) {
    // Qt only shows and selects; the edits are this control's own.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    // A marker: a one-pixel font squeezed to nothing, drawn in no colour.
    QFont tiny = font();
    tiny.setPixelSize(1);
    tiny.setStretch(1);
    FMarkerFormat.setFont(tiny);
    FMarkerFormat.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    FMarkerFormat.setFontLetterSpacing(-QFontMetricsF(tiny).horizontalAdvance(QChar(HLOpen)));
    FMarkerFormat.setForeground(Qt::transparent);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        NotifyDecorators();
        if (OnSelectionChanged) OnSelectionChanged();
    });
    connect(this, &QPlainTextEdit::selectionChanged, this, [this] {
        if (OnSelectionChanged) OnSelectionChanged();
    });
    SetMargins(FMargins);
}

TknRichEdit::~TknRichEdit() = default;

QTextCursor TknRichEdit::RangeCursor(int start, int end) const {
    QTextCursor c(document());
    c.setPosition(std::clamp(start, 0, TextLength()));
    c.setPosition(std::clamp(end, 0, TextLength()), QTextCursor::KeepAnchor);
    return c;
}

std::u16string TknRichEdit::GetText() const {
    return ToStoredBreaks(FromQt(document()->toRawText()));
}

void TknRichEdit::SetText(std::u16string_view text) {
    std::u16string inner = ToControlBreaks(text);
    std::replace(inner.begin(), inner.end(), u'\r', u'\n');
    setPlainText(QtText(inner));
    // One edit block: the document lays out once for all the markers, not once for each.
    QTextCursor c(document());
    c.beginEditBlock();
    for (size_t i = 0; i < inner.size(); ++i) {
        if (!IsMarker(inner[i])) continue;
        c.setPosition(static_cast<int>(i));
        c.setPosition(static_cast<int>(i) + 1, QTextCursor::KeepAnchor);
        c.setCharFormat(FMarkerFormat);
    }
    c.endEditBlock();
    ForgetUndo();
    NotifyDecorators();
}

int TknRichEdit::TextLength() const {
    return document()->characterCount() - 1;
}

std::u16string TknRichEdit::TextRange(int start, int end) const {
    if (end <= start) return {};
    return FromQt(RangeCursor(start, end).selectedText());
}

TEditSel TknRichEdit::GetSel() const {
    QTextCursor c = textCursor();
    return {c.selectionStart(), c.selectionEnd() - c.selectionStart()};
}

void TknRichEdit::SetSel(int start, int length) {
    start = std::clamp(start, 0, TextLength());
    setTextCursor(RangeCursor(start, start + std::max(length, 0)));
}

std::u16string TknRichEdit::SelText() const {
    return FromQt(textCursor().selectedText());
}

void TknRichEdit::Apply(int start, int count, std::u16string_view text) {
    QTextCursor c = RangeCursor(start, start + count);
    c.beginEditBlock();
    InsertRuns(c, text);
    c.endEditBlock();
    NotifyDecorators();
}

// Text goes in with the plain format, so typing next to a marker never takes its format.
void TknRichEdit::InsertRuns(QTextCursor& cursor, std::u16string_view text) {
    if (text.empty()) {
        cursor.removeSelectedText();
        return;
    }
    const QTextCharFormat plain;
    size_t from = 0;
    while (from < text.size()) {
        const bool marker = IsMarker(text[from]);
        size_t to = from;
        while (to < text.size() && IsMarker(text[to]) == marker) ++to;
        cursor.insertText(QtText(text.substr(from, to - from)), marker ? FMarkerFormat : plain);
        from = to;
    }
}

int TknRichEdit::LineCount() const {
    return std::max(document()->lineCount(), 1);
}

int TknRichEdit::LineFromChar(int pos) const {
    QTextBlock block = document()->findBlock(std::clamp(pos, 0, TextLength()));
    int line = block.firstLineNumber();
    if (QTextLayout* layout = block.layout(); layout && layout->lineCount() > 1) {
        QTextLine l = layout->lineForTextPosition(pos - block.position());
        if (l.isValid()) line += l.lineNumber();
    }
    return line;
}

int TknRichEdit::LineIndex(int line) const {
    if (line < 0 || line >= LineCount()) return -1;
    QTextBlock block = document()->findBlockByLineNumber(line);
    if (!block.isValid()) return -1;
    int local = line - block.firstLineNumber();
    QTextLayout* layout = block.layout();
    if (local > 0 && layout && local < layout->lineCount())
        return block.position() + layout->lineAt(local).textStart();
    return block.position();
}

std::u16string TknRichEdit::LineText(int line) const {
    int start = LineIndex(line);
    if (start < 0) return {};
    int next = line + 1 < LineCount() ? LineIndex(line + 1) : TextLength();
    return TextRange(start, next);
}

TEditSel TknRichEdit::ParagraphFromChar(int pos) const {
    QTextBlock block = document()->findBlock(std::clamp(pos, 0, TextLength()));
    return {block.position(), block.length() - 1};
}

int TknRichEdit::FirstVisibleLine() const {
    return verticalScrollBar()->value();
}

void TknRichEdit::ScrollLines(int lines) {
    verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
}

int TknRichEdit::LineHeight() const {
    return std::max(QFontMetrics(document()->defaultFont()).height(), 1);
}

int TknRichEdit::ScrollOffset() const {
    return FirstVisibleLine() * LineHeight();
}

void TknRichEdit::SetScrollOffset(int pixels) {
    verticalScrollBar()->setValue(pixels / LineHeight());
}

int TknRichEdit::CharFromPoint(TEditPoint p) const {
    return cursorForPosition(QPoint(p.X, p.Y)).position();
}

QRect TknRichEdit::CharRect(int pos) const {
    pos = std::clamp(pos, 0, TextLength());
    QTextBlock block = document()->findBlock(pos);
    QRectF box = BlockBox(block);
    QTextLayout* layout = block.layout();
    const int rel = pos - block.position();
    QTextLine line = layout ? layout->lineForTextPosition(rel) : QTextLine();
    if (!line.isValid()) return QRect(box.left(), box.top(), 0, LineHeight());
    const qreal x = line.cursorToX(rel);
    const qreal next = rel < block.length() - 1 ? line.cursorToX(rel + 1) : x;
    return QRectF(box.left() + x, box.top() + line.y(), std::max<qreal>(next - x, 0), line.height())
        .toRect();
}

QRectF TknRichEdit::BlockBox(const QTextBlock& block) const {
    return blockBoundingGeometry(block).translated(contentOffset());
}

TEditPoint TknRichEdit::PointFromChar(int pos) const {
    QRect r = CharRect(pos);
    return {r.left(), r.top()};
}

TEditRect TknRichEdit::FormatRect() const {
    QRect r = viewport()->rect();
    const int m = static_cast<int>(document()->documentMargin());
    return {r.left() + m, r.top() + m, r.right() - m, r.bottom() - m};
}

bool TknRichEdit::CanPaste() const {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    return mime && (mime->hasText() || mime->hasFormat(RawTextMime));
}

// The raw text with its markers for this program, the text without them for every other.
void TknRichEdit::PutOnClipboard(std::u16string_view text) {
    std::u16string raw(text);
    std::replace(raw.begin(), raw.end(), u'\r', u'\n');
    std::u16string plain;
    std::copy_if(raw.begin(), raw.end(), std::back_inserter(plain),
                 [](char16_t c) { return !IsMarker(c); });
    auto* mime = new QMimeData;
    mime->setText(QtText(plain));
    mime->setData(RawTextMime, QtText(raw).toUtf8());
    QApplication::clipboard()->setMimeData(mime);
}

std::u16string TknRichEdit::ClipboardText() const {
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    if (!mime) return {};
    QString text =
        mime->hasFormat(RawTextMime) ? QString::fromUtf8(mime->data(RawTextMime)) : mime->text();
    return TextOf(text);
}

bool TknRichEdit::WordWrap() const {
    return lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TknRichEdit::SetWordWrap(bool on) {
    setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TknRichEdit::SetTabStop(int dialogUnits) {
    setTabStopDistance(std::max(dialogUnits, 1) * fontMetrics().averageCharWidth() / 4.0);
}

void TknRichEdit::SetMargins(int pixels) {
    FMargins = std::max(pixels, 0);
    setViewportMargins(FGutter + FMargins, 0, FMargins, 0);
}

void TknRichEdit::SetGutterWidth(int pixels) {
    if (pixels == FGutter) return;
    FGutter = pixels;
    SetMargins(FMargins);
}

void TknRichEdit::SetColors(const QColor& text, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, background);
    setPalette(p);
}

void TknRichEdit::SetEditorFont(const QFont& font) {
    FBaseFont = font;
    setFont(font);
    document()->setDefaultFont(font);
}

void TknRichEdit::ResetZoom() {
    SetEditorFont(FBaseFont);
}

// The keys that edit, and the clipboard and undo shortcuts, are this control's; every other key
// (moving, selecting) is Qt's.
bool TknRichEdit::HandleEditKey(QKeyEvent* e) {
    struct TAction {
        QKeySequence::StandardKey Key;
        void (TknRichEdit::*Run)();
    } const actions[] = {
        {QKeySequence::Undo, &TknRichEdit::Undo},   {QKeySequence::Redo, &TknRichEdit::Redo},
        {QKeySequence::Cut, &TknRichEdit::Cut},     {QKeySequence::Copy, &TknRichEdit::Copy},
        {QKeySequence::Paste, &TknRichEdit::Paste},
    };
    // Ctrl+Y is the menu's Redo key, whatever the desktop's standard is.
    const bool ctrlY = e->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    for (const TAction& a : actions) {
        if (e->matches(a.Key) || (ctrlY && a.Key == QKeySequence::Redo)) {
            (this->*a.Run)();
            return true;
        }
    }
    int qtKey = e->key() == Qt::Key_Backtab ? Qt::Key_Tab : e->key();
    if (uint8_t vk = VirtualKeyFromQtKey(qtKey, e->modifiers() & Qt::KeypadModifier)) {
        if (KeyDown(vk, ShiftState(e->modifiers()) | (e->key() == Qt::Key_Backtab ? ssShift : 0)))
            return true;
    }
    const QString text = e->text();
    const bool command =
        e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (text.isEmpty() || command || !text.at(0).isPrint()) return false;
    if (text.size() == 1)
        TypeChar(text.at(0).unicode());
    else
        ReplaceSel(FromQt(text));
    return true;
}

void TknRichEdit::keyPressEvent(QKeyEvent* e) {
    if (HandleEditKey(e)) {
        ensureCursorVisible();
        e->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
    StepOverMarkers(e->key());
}

// A marker has no width, so a caret step onto one alone would seem not to move.
void TknRichEdit::StepOverMarkers(int key) {
    if (key != Qt::Key_Left && key != Qt::Key_Right) return;
    const bool right = key == Qt::Key_Right;
    QTextCursor c = textCursor();
    const auto mode = c.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    for (int guard = 0; guard < 16; ++guard) {
        const int pos = c.position();
        const int passed = right ? pos - 1 : pos;
        if (passed < 0 || passed >= TextLength()) break;
        if (!IsMarker(TextRange(passed, passed + 1)[0])) break;
        if (!c.movePosition(right ? QTextCursor::NextCharacter : QTextCursor::PreviousCharacter,
                            mode))
            break;
    }
    setTextCursor(c);
}

void TknRichEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().isEmpty()) ReplaceSel(FromQt(e->commitString()));
    e->accept();
}

void TknRichEdit::paintEvent(QPaintEvent* e) {
    QPlainTextEdit::paintEvent(e);
    QPainter painter(viewport());
    PaintLinks(painter);
    for (TknRichEditDecorator* d : FDecorators)
        if (d->Enabled()) d->AfterPaint(painter);
}

void TknRichEdit::NotifyDecorators() {
    for (TknRichEditDecorator* d : FDecorators)
        if (d->Enabled()) d->ControlNotify();
}

void TknRichEdit::contextMenuEvent(QContextMenuEvent* e) {
    if (!OnContextMenu || !OnContextMenu(e)) QPlainTextEdit::contextMenuEvent(e);
}

void TknRichEdit::wheelEvent(QWheelEvent* e) {
    if (OnWheel && OnWheel(e)) return;
    if (FSmoothScroll || (e->modifiers() & Qt::ControlModifier)) {
        QPlainTextEdit::wheelEvent(e);
        return;
    }
    const int delta = e->angleDelta().y();
    if (delta != 0) ScrollLines(delta > 0 ? -WheelLines : WheelLines);
    e->accept();
}

void TknRichEdit::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton) {
        if (OnMiddleButton && OnMiddleButton(e)) return;
        if (e->modifiers() & Qt::ControlModifier) {
            ResetZoom();
            return;
        }
    }
    QPlainTextEdit::mousePressEvent(e);
}

std::u16string TknRichEdit::LinkAtPoint(const QPoint& p) const {
    const int pos = cursorForPosition(p).position();
    const QTextBlock block = document()->findBlock(pos);
    const std::u16string text = TextOf(block.text());
    const int offset = pos - block.position();
    // The hit is the gap nearest to the point: the character is the one after or before it.
    for (int at : {offset, offset - 1}) {
        const TEditSel link = LinkAt(text, at);
        if (link.Start >= 0) return text.substr(link.Start, link.Length);
    }
    return {};
}

// Links are underlined in the link colour, in the visible blocks only.
void TknRichEdit::PaintLinks(QPainter& painter) {
    const int height = viewport()->height();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        if (BlockBox(block).top() > height) break;
        for (const TEditSel& link : LinksIn(TextOf(block.text()))) {
            const int start = block.position() + link.Start;
            PaintSpan(painter, *this, start, start + link.Length, palette().color(QPalette::Link),
                      1);
        }
    }
}

void TknRichEdit::mouseReleaseEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseReleaseEvent(e);
    const bool click = e->button() == Qt::LeftButton && !textCursor().hasSelection();
    if (!click || !OnLink || !(FOneClickLinks || (e->modifiers() & Qt::ControlModifier))) return;
    if (std::u16string link = LinkAtPoint(e->pos()); !link.empty()) OnLink(link);
}

void TknRichEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    std::u16string link = e->button() == Qt::LeftButton ? LinkAtPoint(e->pos()) : u"";
    if (link.empty() || !OnLink) {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        return;
    }
    OnLink(link);
}

void TknRichEdit::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    NotifyDecorators();
}

}  // namespace qb
