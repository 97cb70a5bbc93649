#include "views/ui/UTabControl.h"

#include <QApplication>
#include <QDrag>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

#include "toolkit/UknFonts.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknQtText.h"
#include "views/ui/UInputBox.h"
#include "views/ui/UPageDrag.h"

namespace qb {

namespace {

constexpr int kIconSize = TknIcons::kSmall;
constexpr int kIconGap = 4;
constexpr int kMaxNaturalWidth = 220;  // longer names are cut, the tip shows them whole
constexpr int kScrollButtonWidth = 18;
constexpr int kWheelStep = 120;

}  // namespace

TknTabControl::TknTabControl(QWidget* parent)
    : QWidget(parent), FScrollLeft(new QToolButton(this)), FScrollRight(new QToolButton(this)) {
    setObjectName(QStringLiteral("TabNavigator"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (QToolButton* button : {FScrollLeft, FScrollRight}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
    }
    FScrollLeft->setArrowType(Qt::LeftArrow);
    FScrollRight->setArrowType(Qt::RightArrow);
    connect(FScrollLeft, &QToolButton::clicked, this, [this] { ScrollBy(-1); });
    connect(FScrollRight, &QToolButton::clicked, this, [this] { ScrollBy(1); });
    Relayout();
}

TknTabControl::~TknTabControl() = default;

// --- the tabs ---

TknTabControl::TTab TknTabControl::MakeTab(const TTabData& info) const {
    TTab tab;
    tab.Data = info;
    Measure(tab);
    return tab;
}

// The label's width is measured once: laying out a thousand tabs must not measure them again.
void TknTabControl::Measure(TTab& tab) const {
    tab.TextWidth = fontMetrics().horizontalAdvance(QtText(tab.Data.Label));
    tab.Natural = FLayout.TabWidth > 0 ? FLayout.TabWidth
                                       : std::min(tab.TextWidth + Padding(), kMaxNaturalWidth);
}

void TknTabControl::ApplyLayout(const TTabLayout& layout) {
    FLayout = layout;
    ApplyFontSettings(*this, layout.Font, QPalette::WindowText, QPalette::Window);
    for (TTab& tab : FTabs) Measure(tab);
    Relayout();
}

void TknTabControl::SetTabs(const std::vector<TTabData>& tabs) {
    FTabs.clear();
    FTabs.reserve(tabs.size());
    for (const TTabData& info : tabs) FTabs.push_back(MakeTab(info));
    FSelected = FHover = FDropTarget = FPressed = -1;
    FFirstVisible = 0;
    Relayout();
}

void TknTabControl::InsertTab(int index, const TTabData& tab) {
    index = std::clamp(index, 0, TabCount());
    FTabs.insert(FTabs.begin() + index, MakeTab(tab));
    if (FSelected >= index) ++FSelected;
    Relayout();
}

void TknTabControl::UpdateTab(int index, const TTabData& tab) {
    if (index < 0 || index >= TabCount()) return;
    FTabs[index].Data = tab;
    Measure(FTabs[index]);
    Relayout();
}

void TknTabControl::DeleteTab(int index) {
    if (index < 0 || index >= TabCount()) return;
    FTabs.erase(FTabs.begin() + index);
    if (FSelected == index)
        FSelected = -1;
    else if (FSelected > index)
        --FSelected;
    FHover = FDropTarget = FPressed = -1;
    FFirstVisible = std::min(FFirstVisible, std::max(TabCount() - 1, 0));
    Relayout();
}

void TknTabControl::SelectTab(int index) {
    FSelected = index >= 0 && index < TabCount() ? index : -1;
    EnsureVisible(FSelected);
    update();
}

void TknTabControl::HighlightTab(int index, bool highlighted) {
    if (index < 0 || index >= TabCount() || FTabs[index].Highlighted == highlighted) return;
    FTabs[index].Highlighted = highlighted;
    update(FTabs[index].Rect);
}

bool TknTabControl::AskText(std::u16string_view title, std::u16string_view prompt,
                            std::u16string& text) {
    return InputQuery(window(), title, prompt, text);
}

void TknTabControl::SetOnBottom(bool onBottom) {
    if (onBottom == FOnBottom) return;
    FOnBottom = onBottom;
    update();
}

// --- layout ---

int TknTabControl::TabHeight() const {
    QStyleOptionTab option;
    option.initFrom(this);
    option.shape = FOnBottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
    const QSize contents(10, std::max(fontMetrics().height(), FLayout.ShowImages ? kIconSize : 0));
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &option, contents, this).height();
}

int TknTabControl::Padding() const {
    return style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, this) +
           (FLayout.ShowImages ? kIconSize + kIconGap : 0);
}

int TknTabControl::TabAreaWidth() const {
    return FScrollLeft->isVisible() ? width() - 2 * kScrollButtonWidth : width();
}

// Rows as many as the width needs, each tab in the first row with room for it.
int TknTabControl::PlaceInRows(int area, int height) {
    int x = 0, row = 0;
    for (TTab& tab : FTabs) {
        const int w = std::min(tab.Rect.width(), area);
        if (x > 0 && x + w > area) {
            ++row;
            x = 0;
        }
        tab.Rect = QRect(x, row * height, w, height);
        x += w;
    }
    return row + 1;
}

void TknTabControl::Relayout() {
    const int height = TabHeight();
    const int area = std::max(width(), 1);
    int total = 0;
    for (TTab& tab : FTabs) {
        tab.Rect.setSize(QSize(tab.Natural, height));
        total += tab.Rect.width();
    }
    FRows = 1;
    FInRows = false;
    if (FLayout.MultiLine) {
        // Rows that would take more than a third of the workspace leave no room for the page:
        // the tabs then scroll in one row.
        const int rows = PlaceInRows(area, height);
        const int room = parentWidget() ? parentWidget()->height() / 3 : rows * height;
        FInRows = rows == 1 || rows * height <= room;
        if (FInRows) {
            FRows = rows;
            FFirstVisible = 0;
        } else {
            for (TTab& tab : FTabs) tab.Rect.setSize(QSize(tab.Natural, height));
        }
    }
    const bool scrolling = !FInRows && total > area;
    FScrollLeft->setVisible(scrolling);
    FScrollRight->setVisible(scrolling);
    if (!FInRows) {
        int x = 0;  // the tabs before the first one shown lie left of the bar
        for (int i = 0; i < FFirstVisible; ++i) x -= FTabs[i].Rect.width();
        for (TTab& tab : FTabs) {
            tab.Rect.moveTo(x, 0);
            x += tab.Rect.width();
        }
    }
    for (TTab& tab : FTabs)
        tab.Elided = tab.TextWidth + Padding() > tab.Rect.width();
    if (scrolling) {
        FScrollLeft->setGeometry(width() - 2 * kScrollButtonWidth, 0, kScrollButtonWidth, height);
        FScrollRight->setGeometry(width() - kScrollButtonWidth, 0, kScrollButtonWidth, height);
        FScrollLeft->setEnabled(FFirstVisible > 0);
        int lastRight = FTabs.empty() ? 0 : FTabs.back().Rect.right();
        FScrollRight->setEnabled(lastRight >= TabAreaWidth());
    }
    const int wanted = FRows * height;
    if (minimumHeight() != wanted || maximumHeight() != wanted) setFixedHeight(wanted);
    update();
}

void TknTabControl::EnsureVisible(int index) {
    if (FInRows || index < 0 || index >= TabCount()) return;
    int first = std::min(FFirstVisible, index);
    // The nearest first tab from which the index's tab still ends inside the bar.
    const int area = TabAreaWidth();
    int width = 0;
    for (int i = index; i >= first; --i) {
        width += FTabs[i].Natural;
        if (width > area) {
            first = std::min(i + 1, index);
            break;
        }
    }
    if (first == FFirstVisible) return;
    FFirstVisible = first;
    Relayout();
}

void TknTabControl::ScrollBy(int tabs) {
    FFirstVisible = std::clamp(FFirstVisible + tabs, 0, std::max(TabCount() - 1, 0));
    Relayout();
}

QSize TknTabControl::sizeHint() const {
    return QSize(200, FRows * TabHeight());
}

QSize TknTabControl::minimumSizeHint() const {
    return QSize(2 * kScrollButtonWidth + 20, TabHeight());
}

void TknTabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
    EnsureVisible(FSelected);
}

int TknTabControl::TabAt(const QPoint& point) const {
    if (!rect().contains(point) || point.x() >= TabAreaWidth()) return -1;
    for (int i = 0; i < TabCount(); ++i)
        if (FTabs[i].Rect.contains(point)) return i;
    return -1;
}

// --- drawing ---

void TknTabControl::InitOption(QStyleOptionTab& option, int index) const {
    const TTab& tab = FTabs[index];
    option.initFrom(this);
    option.rect = tab.Rect;
    option.shape = FOnBottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
    option.text = tab.Elided ? fontMetrics().elidedText(QtText(tab.Data.Label), Qt::ElideRight,
                                                        tab.Rect.width() - Padding())
                             : QtText(tab.Data.Label);
    if (FLayout.ShowImages) {
        option.icon = PageImage(tab.Data.ImageIndex);
        option.iconSize = QSize(kIconSize, kIconSize);
    }
    const bool first = index == 0 || tab.Rect.top() != FTabs[index - 1].Rect.top();
    const bool last = index + 1 == TabCount() || tab.Rect.top() != FTabs[index + 1].Rect.top();
    option.position = first && last ? QStyleOptionTab::OnlyOneTab
                      : first       ? QStyleOptionTab::Beginning
                      : last        ? QStyleOptionTab::End
                                    : QStyleOptionTab::Middle;
    option.state &= ~(QStyle::State_Selected | QStyle::State_MouseOver | QStyle::State_HasFocus);
    if (index == FSelected) {
        option.state |= QStyle::State_Selected;
        if (hasFocus()) option.state |= QStyle::State_HasFocus;
    }
    if (index == FHover) option.state |= QStyle::State_MouseOver;
}

void TknTabControl::DrawTab(QPainter& painter, int index) const {
    QStyleOptionTab option;
    InitOption(option, index);
    style()->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, this);
    const TTab& tab = FTabs[index];
    if (tab.Highlighted) {
        QColor band = palette().color(QPalette::Highlight);
        band.setAlpha(70);
        painter.fillRect(tab.Rect.adjusted(3, 3, -3, -2), band);
    }
    if (index == FDropTarget) {
        painter.save();
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(tab.Rect.adjusted(2, 2, -2, -2));
        painter.restore();
    }
    style()->drawControl(QStyle::CE_TabBarTabLabel, &option, &painter, this);
}

void TknTabControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRect(QRect(0, 0, TabAreaWidth(), height()) & event->rect());
    QStyleOptionTabBarBase base;
    base.initFrom(this);
    base.shape = FOnBottom ? QTabBar::RoundedSouth : QTabBar::RoundedNorth;
    const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
    base.rect = FOnBottom ? QRect(0, 0, width(), overlap)
                          : QRect(0, height() - overlap, width(), overlap);
    if (FSelected >= 0) base.selectedTabRect = FTabs[FSelected].Rect;
    style()->drawPrimitive(QStyle::PE_FrameTabBarBase, &base, &painter, this);
    // The selected tab last: it overlaps its neighbours.
    for (int i = 0; i < TabCount(); ++i)
        if (i != FSelected && FTabs[i].Rect.intersects(event->rect())) DrawTab(painter, i);
    if (FSelected >= 0) DrawTab(painter, FSelected);
}

bool TknTabControl::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = TabAt(help->pos());
        if (index >= 0 && FTabs[index].Elided)
            QToolTip::showText(help->globalPos(), QtText(FTabs[index].Data.Label), this,
                               FTabs[index].Rect);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// --- mouse and keys ---

void TknTabControl::Activate(int index) {
    if (FNavigator && index >= 0 && index < TabCount()) FNavigator->TabClicked(index);
}

void TknTabControl::mousePressEvent(QMouseEvent* event) {
    const int index = TabAt(event->position().toPoint());
    FPressed = -1;
    if (!FNavigator || index < 0) return;
    switch (event->button()) {
        case Qt::LeftButton:
            FPressed = index;
            FPressPos = event->position().toPoint();
            Activate(index);
            break;
        case Qt::RightButton:
            FNavigator->TabRightClicked(index);
            break;
        case Qt::MiddleButton:
            FNavigator->TabMiddleClicked(index);
            break;
        default:
            break;
    }
    event->accept();
}

void TknTabControl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int hover = TabAt(at);
    if (hover != FHover) {
        FHover = hover;
        update();
    }
    if (FPressed < 0 || !(event->buttons() & Qt::LeftButton) ||
        (at - FPressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    FDragPageId = FTabs[FPressed].Data.PageId;
    FPressed = -1;
    auto* drag = new QDrag(this);
    drag->setMimeData(PageDragData({FDragPageId}, false).release());
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    FDragPageId = kNoOwnerId;
}

void TknTabControl::mouseReleaseEvent(QMouseEvent* event) {
    FPressed = -1;
    event->accept();
}

void TknTabControl::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = TabAt(event->position().toPoint());
    if (FNavigator && index >= 0 && event->button() == Qt::LeftButton)
        FNavigator->TabDoubleClicked(index);
    event->accept();
}

void TknTabControl::leaveEvent(QEvent* event) {
    FHover = -1;
    update();
    QWidget::leaveEvent(event);
}

void TknTabControl::wheelEvent(QWheelEvent* event) {
    FWheel += event->angleDelta().y();
    const int steps = FWheel / kWheelStep;
    FWheel %= kWheelStep;
    if (FNavigator && steps != 0) FNavigator->WheelTurned(steps);
    event->accept();
}

void TknTabControl::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() != Qt::NoModifier || TabCount() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Left:
            Activate(std::max(FSelected - 1, 0));
            break;
        case Qt::Key_Right:
            Activate(std::min(FSelected + 1, TabCount() - 1));
            break;
        case Qt::Key_Home:
            Activate(0);
            break;
        case Qt::Key_End:
            Activate(TabCount() - 1);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

// --- drops ---

void TknTabControl::dragEnterEvent(QDragEnterEvent* event) {
    if (CanDropOn(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TknTabControl::dragMoveEvent(QDragMoveEvent* event) {
    int index = TabAt(event->position().toPoint());
    if (index >= 0 && event->source() == this && FTabs[index].Data.PageId == FDragPageId)
        index = -1;  // not onto the tab it came from
    if (index != FDropTarget) {
        FDropTarget = index;
        update();
    }
    if (index < 0)
        event->ignore();
    else
        event->acceptProposedAction();
}

void TknTabControl::dragLeaveEvent(QDragLeaveEvent* event) {
    FDropTarget = -1;
    update();
    QWidget::dragLeaveEvent(event);
}

void TknTabControl::dropEvent(QDropEvent* event) {
    const int index = FDropTarget;
    FDropTarget = -1;
    update();
    if (index < 0 || index >= TabCount()) {
        event->ignore();
        return;
    }
    const TDropObject object = DropObjectOf(*event);
    const int32_t target = FTabs[index].Data.PageId;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // Once the drag is over: the move rebuilds tabs, an import shows its progress.
    QTimer::singleShot(0, this, [this, target, object] {
        for (int i = 0; i < TabCount(); ++i) {
            if (FNavigator && FTabs[i].Data.PageId == target) {
                FNavigator->DroppedOnTab(i, object);
                return;
            }
        }
    });
}

}  // namespace qb
