#include "views/ui/UBlogView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "toolkit/UknFonts.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

constexpr int kMargin = 5;    // inside an entry, left and right
constexpr int kSpacing = 8;   // between entries
constexpr int kTitlePad = 2;  // above and below the title text
constexpr int kWrapFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

// The abstract's CR LF line breaks as the text layout takes them.
QString AbstractOf(const TBlogEntry& entry) { return QtText(entry.Abstract).remove(u'\r'); }

// The height of a text wrapped to the width. A line that fits is not laid out: with ten
// thousand entries, laying out each one is what showing the view would wait for.
int WrappedHeight(const QFontMetrics& metrics, const QString& text, int width) {
    if (text.isEmpty()) return 0;
    int height = 0;
    for (const QString& line : text.split(u'\n')) {
        const bool fits = !line.contains(u'\t') &&
                          (line.size() * metrics.maxWidth() <= width ||
                           metrics.horizontalAdvance(line) <= width);
        height += fits ? metrics.lineSpacing()
                       : metrics.boundingRect(0, 0, width, 1 << 20, kWrapFlags, line).height();
    }
    return height;
}

}  // namespace

// --- TItemEdit ---

TItemEdit::TItemEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("ItemEdit"));
    setProperty("qbKeepsEscape", true);  // Escape ends the editing, not the window
    hide();
}

void TItemEdit::Start(int index, const QRect& rect, const QString& text) {
    FIndex = index;
    setGeometry(rect);
    setText(text);
    selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
}

void TItemEdit::Finish(bool accepted) {
    if (FIndex < 0) return;
    const int index = FIndex;
    FIndex = -1;
    hide();
    emit Done(index, text(), accepted);
}

void TItemEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return Finish(true);
    if (event->key() == Qt::Key_Escape) return Finish(false);
    QLineEdit::keyPressEvent(event);
}

void TItemEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Finish(true);
}

// --- TBlogView ---

TBlogView::TBlogView(QWidget* parent) : QAbstractScrollArea(parent), FEdit(new TItemEdit(viewport())) {
    setObjectName(QStringLiteral("AbstractView"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(FEdit, &TItemEdit::Done, this, [this](int index, const QString& text, bool accepted) {
        if (accepted && FClient) FClient->Rename(index, text.toStdU16String());
        setFocus(Qt::OtherFocusReason);
    });
}

TBlogView::~TBlogView() = default;

bool TBlogView::ControlHasFocus() const { return hasFocus() || FEdit->hasFocus(); }

void TBlogView::ApplyFonts(const TFontSettings& abstract, const TFontSettings& title,
                           const TFontSettings& selectedTitle) {
    auto look = [](const TFontSettings& f) {
        return TLook{QtFont(f), QtColour(f.FontColor), QtColour(f.BGColor)};
    };
    FAbstract = look(abstract);
    FTitle = look(title);
    FSelectedTitle = look(selectedTitle);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, FAbstract.Back);
    viewport()->setPalette(p);
    viewport()->setAutoFillBackground(true);
    Layout();
}

int TBlogView::TitleHeight() const {
    const int height = std::max(QFontMetrics(FTitle.Font).height(),
                                QFontMetrics(FSelectedTitle.Font).height());
    return height + 2 * kTitlePad;
}

void TBlogView::Layout() {
    FTops.clear();
    const auto& entries = FClient ? FClient->Entries() : std::vector<TBlogEntry>();
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    const QFontMetrics metrics(FAbstract.Font);
    const int title = TitleHeight();
    int top = 0;
    FTops.reserve(entries.size() + 1);
    for (const TBlogEntry& entry : entries) {
        FTops.push_back(top);
        top += title + WrappedHeight(metrics, AbstractOf(entry), width) + kSpacing;
    }
    FTops.push_back(top);
    verticalScrollBar()->setRange(0, std::max(0, top - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(title);
    viewport()->update();
}

void TBlogView::EntriesChanged() {
    FEdit->hide();
    Layout();
}

void TBlogView::SelectionChanged() { viewport()->update(); }

QRect TBlogView::EntryRect(int index) const {
    if (index < 0 || index + 1 >= static_cast<int>(FTops.size())) return {};
    const int top = FTops[index] - verticalScrollBar()->value();
    return QRect(0, top, viewport()->width(), FTops[index + 1] - FTops[index] - kSpacing);
}

int TBlogView::EntryAt(const QPoint& point) const {
    const int y = point.y() + verticalScrollBar()->value();
    auto after = std::upper_bound(FTops.begin(), FTops.end(), y);
    if (after == FTops.begin() || after == FTops.end()) return -1;
    const int index = static_cast<int>(after - FTops.begin()) - 1;
    return EntryRect(index).contains(point) ? index : -1;
}

void TBlogView::ScrollToEntry(int index) {
    const QRect rect = EntryRect(index);
    if (rect.isNull()) return;
    QScrollBar* bar = verticalScrollBar();
    if (rect.top() < 0)
        bar->setValue(bar->value() + rect.top());
    else if (rect.bottom() > viewport()->height())
        bar->setValue(bar->value() + std::min(rect.top(), rect.bottom() - viewport()->height()));
}

void TBlogView::paintEvent(QPaintEvent* event) {
    if (!FClient) return;
    QPainter painter(viewport());
    const auto& entries = FClient->Entries();
    const int title = TitleHeight();
    // The first entry whose place, with the gap below it, reaches into the area: a gap at
    // the top must not start the painting at the first entry of all.
    const auto after = std::upper_bound(FTops.begin(), FTops.end(),
                                        event->rect().top() + verticalScrollBar()->value());
    const int first = std::max(0, static_cast<int>(after - FTops.begin()) - 1);
    for (int i = first; i < static_cast<int>(entries.size()); ++i) {
        const QRect rect = EntryRect(i);
        if (rect.top() > event->rect().bottom()) break;
        const TBlogEntry& entry = entries[i];
        const TLook& look = entry.Selected ? FSelectedTitle : FTitle;
        const QRect line(rect.left(), rect.top(), rect.width(), title);
        painter.fillRect(line, look.Back);
        painter.setFont(look.Font);
        painter.setPen(look.Text);
        const QRect text = line.adjusted(kMargin, 0, -kMargin, 0);
        const QString time = QtText(entry.Time);
        const int timeWidth = QFontMetrics(look.Font).horizontalAdvance(time) + kMargin;
        const QString heading = QFontMetrics(look.Font).elidedText(
            QtText(BlogTitleLine(i, entry.Title)), Qt::ElideRight, text.width() - timeWidth);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, heading);
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, time);
        painter.setFont(FAbstract.Font);
        painter.setPen(FAbstract.Text);
        painter.drawText(QRect(rect.left() + kMargin, rect.top() + title, rect.width() - 2 * kMargin,
                               rect.height() - title),
                         kWrapFlags, AbstractOf(entry));
    }
}

void TBlogView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Layout();
}

void TBlogView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!FClient) return;
    const int index = EntryAt(event->position().toPoint());
    // A right-click keeps a selection it falls into, so the menu acts on all of it.
    if (event->button() == Qt::RightButton && index >= 0 && FClient->Entries()[index].Selected)
        return;
    FClient->Click(index, event->modifiers() & Qt::ControlModifier);
}

void TBlogView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!FClient || event->button() != Qt::LeftButton) return;
    FClient->DoubleClick(FClient->ItemPage(EntryAt(event->position().toPoint())));
}

void TBlogView::contextMenuEvent(QContextMenuEvent* event) {
    if (FClient) FClient->ContextMenu(EntryAt(event->pos()) >= 0);
}

void TBlogView::EditTitle(int index) {
    const QRect rect = EntryRect(index);
    if (!FClient || rect.isNull()) return;
    ScrollToEntry(index);
    FEdit->Start(index, EntryRect(index).adjusted(0, 0, 0, TitleHeight() - EntryRect(index).height()),
                 QtText(FClient->Entries()[index].Title));
}

bool TBlogView::event(QEvent* event) {
    // F2 edits the entry's title, not the page's name.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void TBlogView::keyPressEvent(QKeyEvent* event) {
    if (!FClient) return QAbstractScrollArea::keyPressEvent(event);
    const int page = std::max(1, viewport()->height() / std::max(1, TitleHeight() * 3));
    switch (event->key()) {
        case Qt::Key_Up: return FClient->MoveSelection(-1);
        case Qt::Key_Down: return FClient->MoveSelection(1);
        case Qt::Key_PageUp: return FClient->MoveSelection(-page);
        case Qt::Key_PageDown: return FClient->MoveSelection(page);
        case Qt::Key_Home: return FClient->MoveSelection(-FClient->Current());
        case Qt::Key_End:
            return FClient->MoveSelection(static_cast<int>(FClient->Entries().size()));
        case Qt::Key_F2: return EditTitle(FClient->Current());
        case Qt::Key_Return:
        case Qt::Key_Enter: return FClient->DoubleClick(FClient->ItemPage(FClient->Current()));
        case Qt::Key_Delete: return FClient->DeleteKey();
        default: QAbstractScrollArea::keyPressEvent(event);
    }
}

std::unique_ptr<TClientSuper> NewBlogClient(QWidget* pageArea) {
    auto* view = new TBlogView(pageArea);
    return std::make_unique<TBlogClient>(*view);
}

}  // namespace qb
