#include "views/ui/UWorkSpacePanel.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "toolkit/UknDialog.h"
#include "toolkit/UknKeys.h"
#include "toolkit/UknProgress.h"
#include "toolkit/UknTrackingTip.h"
#include "views/ui/UClientSlots.h"
#include "views/ui/UInputBox.h"
#include "views/ui/UPageDrag.h"
#include "views/ui/UScrollHandler.h"
#include "views/ui/UTabControl.h"
#include "views/ui/UTreeView.h"

namespace qb {

namespace {

constexpr int kTipWidth = 400;
constexpr int kTipShowsMs = 4000;

// The splitter's handle: a double-click collapses or expands the tree inside the window, a
// middle click does it with the window.
class TSplitterHandle : public QSplitterHandle {
  public:
    TSplitterHandle(Qt::Orientation orientation, QSplitter* parent,
                    const std::function<void(bool)>& action)
        : QSplitterHandle(orientation, parent), FAction(action) {}

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) FAction(true);
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::MiddleButton) {
            FAction(false);
            event->accept();
            return;
        }
        QSplitterHandle::mousePressEvent(event);
    }

  private:
    const std::function<void(bool)>& FAction;
};

class TWorkSpaceSplitter : public QSplitter {
  public:
    explicit TWorkSpaceSplitter(QWidget* parent) : QSplitter(Qt::Horizontal, parent) {}
    std::function<void(bool first)> Action;

  protected:
    QSplitterHandle* createHandle() override {
        return new TSplitterHandle(orientation(), this, Action);
    }
};

QWidget* WidgetOf(TClientSuper& client) {
    return dynamic_cast<QWidget*>(client.Control());
}

}  // namespace

// --- TKeyTracker ---

TKeyTracker::TKeyTracker() {
    qApp->installEventFilter(this);
}

TKeyTracker::~TKeyTracker() {
    qApp->removeEventFilter(this);
}

THeldKeys TKeyTracker::Held() const {
    const Qt::KeyboardModifiers keys = QGuiApplication::queryKeyboardModifiers();
    const bool alone = FDown.empty();
    return {alone && (keys & Qt::ShiftModifier), alone && (keys & Qt::ControlModifier)};
}

bool TKeyTracker::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            // A shortcut (Ctrl+N) fires while its key is down: the override comes first.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!IsModifierQtKey(key->key())) FDown.insert(key->key());
            break;
        }
        case QEvent::KeyRelease: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat()) FDown.erase(key->key());
            break;
        }
        case QEvent::ApplicationDeactivate:
            FDown.clear();  // keys let go elsewhere send us no release
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

// --- TWorkSpacePanel ---

TWorkSpacePanel::TWorkSpacePanel(QWidget* parent)
    : QWidget(parent),
      FTree(new TknTreeView(this)),
      FTabs(new TknTabControl(this)),
      FPageArea(new QWidget(this)),
      FPageLayout(new QGridLayout(FPageArea)),
      FColumn(new QWidget(this)),
      FColumnLayout(new QVBoxLayout(FColumn)),
      FSplitter(new TWorkSpaceSplitter(this)),
      FKeys(std::make_unique<TKeyTracker>()) {
    setObjectName(QStringLiteral("Workspace"));
    FPageArea->setObjectName(QStringLiteral("PageArea"));
    FPageArea->installEventFilter(this);
    FPageLayout->setContentsMargins(0, 0, 0, 0);
    FColumnLayout->setContentsMargins(0, 0, 0, 0);
    FColumnLayout->setSpacing(0);
    FColumnLayout->addWidget(FTabs);
    FColumnLayout->addWidget(FPageArea, 1);
    auto* splitter = static_cast<TWorkSpaceSplitter*>(FSplitter);
    splitter->Action = [this](bool first) {
        TTreeWidthHandler& handler = FWorkSpace->TreeWidthHandler();
        first ? handler.FirstAction() : handler.SecondAction();
    };
    FSplitter->addWidget(FTree);
    FSplitter->addWidget(FColumn);
    FSplitter->setStretchFactor(0, 0);
    FSplitter->setStretchFactor(1, 1);
    FSplitter->installEventFilter(this);
    connect(FSplitter, &QSplitter::splitterMoved, this,
            [this] { FWorkSpace->TreeWidthHandler().SplitterMoved(TreeWidth()); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FSplitter);
    FTree->hide();
    setAcceptDrops(true);

    FWorkSpace = std::make_unique<TWorkSpace>(*this);
    FScroll = std::make_unique<TScrollHandler>(*window());
    HookScrolling(true);
}

TWorkSpacePanel::~TWorkSpacePanel() {
    HookScrolling(false);
    FScroll.reset();
    FWorkSpace.reset();
}

void TWorkSpacePanel::HookScrolling(bool hook) {
    std::vector<QWidget*> controls{FTree};
    for (int kind = ckEditor; kind <= ckAbstract; ++kind)
        controls.push_back(WidgetOf(FWorkSpace->Client(kind)));
    for (QWidget* control : controls) hook ? FScroll->Hook(control) : FScroll->Unhook(control);
}

std::unique_ptr<TClientSuper> TWorkSpacePanel::CreateClient(int clientKind,
                                                            IPageDropTarget& dropTarget) {
    std::unique_ptr<TClientSuper> client = clientKind == ckEditor ? CreateEditorClient(FPageArea)
                                           : clientKind == ckList
                                               ? CreateListClient(FPageArea, dropTarget)
                                               : CreateBlogClient(FPageArea);
    // One over the other: only the shown one takes the room.
    if (QWidget* widget = WidgetOf(*client)) FPageLayout->addWidget(widget, 0, 0);
    return client;
}

ITreeControl& TWorkSpacePanel::TreeControl() {
    return *FTree;
}

ITabControl& TWorkSpacePanel::TabControl() {
    return *FTabs;
}

void TWorkSpacePanel::ApplyLayout(const TWorkSpaceLayout& layout) {
    FSplitter->insertWidget(layout.TreeOnRight ? 1 : 0, FTree);
    FSplitter->setStretchFactor(TreeIndex(), 0);
    FSplitter->setStretchFactor(1 - TreeIndex(), 1);
    FSplitter->setHandleWidth(layout.SplitterWidth);
    FTree->setVisible(layout.TreeVisible);
    FColumnLayout->removeWidget(FTabs);
    FColumnLayout->insertWidget(layout.TabsOnBottom ? 1 : 0, FTabs);
    FTabs->SetOnBottom(layout.TabsOnBottom);
    FTabs->setVisible(layout.TabsVisible);
    // Now, not when the posted layout request comes: Show Tree measures the page area next.
    FSplitter->refresh();
    FColumnLayout->activate();
}

IIOProgress* TWorkSpacePanel::ImportProgress() {
    if (!FTip) FTip = std::make_unique<TknTrackingTip>(kTipWidth, 0, kTipShowsMs);
    FImportProgress = std::make_unique<TknIOProgress>(window(), FTip.get());
    return FImportProgress.get();
}

void TWorkSpacePanel::EndImportProgress() {
    FImportProgress.reset();
}

void TWorkSpacePanel::DropFiles(const std::vector<std::u16string>& files,
                                Qt::KeyboardModifiers keys) {
    FWorkSpace->DropFiles(files, keys & Qt::ShiftModifier, keys & Qt::ControlModifier);
}

// --- ISpaceSite ---

bool TWorkSpacePanel::AskName(std::u16string_view title, std::u16string_view prompt,
                              std::u16string& name) {
    return InputQuery(window(), title, prompt, name);
}

void TWorkSpacePanel::PostCommand(int32_t id) {
    QTimer::singleShot(0, this, [id] { CommandCenter().ExecuteCommand(id); });
}

void TWorkSpacePanel::PostCheckCommands() {
    if (FCheckPosted) return;
    FCheckPosted = true;
    QTimer::singleShot(0, this, [this] {
        FCheckPosted = false;
        CommandCenter().CheckCommands();
    });
}

bool TWorkSpacePanel::Confirm(std::u16string_view question) {
    return AskOkCancel(window(), question);
}

void TWorkSpacePanel::ShowProgress(std::u16string_view text, std::u16string_view name) {
    if (!FDeleteProgress) FDeleteProgress = std::make_unique<TknIOProgress>(window());
    FDeleteProgress->Step(text, name);
}

void TWorkSpacePanel::HideProgress() {
    FDeleteProgress.reset();
}

bool TWorkSpacePanel::EscapeHeld() {
    return FDeleteProgress && FDeleteProgress->CancelRequested();
}

void TWorkSpacePanel::ShowNotice(std::u16string_view text) {
    ShowInformation(window(), text);
}

bool TWorkSpacePanel::CanShowProperties() const {
    return PropertyBoxAvailable();
}

bool TWorkSpacePanel::ShowProperties(int32_t pageId) {
    return ShowPropertyBox(window(), pageId);
}

bool TWorkSpacePanel::OpenItemBox(int itemType, int32_t itemId, int32_t parentId,
                                  int32_t insertBeforeId) {
    return ShowItemEditBox(window(), itemType, itemId, parentId, insertBeforeId);
}

// --- ITreeWidthSite ---

int TWorkSpacePanel::TreeIndex() const {
    return FSplitter->indexOf(FTree);
}

int32_t TWorkSpacePanel::TreeWidth() const {
    if (FTree->isHidden()) return 0;
    return FSplitter->sizes().value(TreeIndex());
}

void TWorkSpacePanel::SetTreeWidth(int32_t width, bool keepPageArea) {
    QList<int> sizes = FSplitter->sizes();
    if (sizes.size() != 2) return;
    const int tree = TreeIndex();
    if (!keepPageArea) sizes[1 - tree] = std::max(sizes[0] + sizes[1] - width, 0);
    sizes[tree] = width;
    FSplitter->setSizes(sizes);
    // The window changes its width later (the window manager answers in its own time): the
    // sizes are put again when the splitter has the new width.
    FPendingSizes = keepPageArea ? sizes : QList<int>();
}

void TWorkSpacePanel::ResizeWindow(int32_t leftDelta, int32_t widthDelta) {
    QWidget* frame = window();
    if (frame->isMaximized() || frame->isFullScreen()) {
        FPendingSizes.clear();
        return;
    }
    const QRect g = frame->geometry();
    frame->setGeometry(g.x() + leftDelta, g.y(), std::max(g.width() + widthDelta, 1), g.height());
}

// --- events ---

bool TWorkSpacePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FSplitter && event->type() == QEvent::Resize && !FPendingSizes.isEmpty()) {
        QTimer::singleShot(0, this, [this, sizes = FPendingSizes] { FSplitter->setSizes(sizes); });
        FPendingSizes.clear();
    } else if (watched == FPageArea && event->type() == QEvent::MouseButtonDblClick) {
        FWorkSpace->BackgroundDoubleClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TWorkSpacePanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TWorkSpacePanel::dropEvent(QDropEvent* event) {
    const std::vector<std::u16string> files = DroppedFiles(event->mimeData());
    if (files.empty()) return;
    const Qt::KeyboardModifiers keys = event->modifiers();
    event->acceptProposedAction();
    QTimer::singleShot(0, this, [this, files, keys] { DropFiles(files, keys); });
}

}  // namespace qb
