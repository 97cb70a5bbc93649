#include "shell/ui/UMainForm.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLayout>
#include <QMimeData>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <chrono>

#include "features/UClipHandler.h"
#include "features/ULinkOpener.h"
#include "features/UProcessShell.h"
#include "foundation/UknFunctions.h"
#include "model/UPageSuper.h"
#include "shell/UEdgeDock.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UPluginManager.h"
#include "shell/UknHotKeyCenter.h"
#include "shell/ui/UAboutBox.h"
#include "shell/ui/UEdgeDockWindow.h"
#include "shell/ui/UMainFormTray.h"
#include "shell/ui/UMenuManager.h"
#include "storage/UBackupHandler.h"
#include "storage/UIOHandler.h"
#include "storage/ULogInHandler.h"
#include "storage/USaveManager.h"
#include "toolkit/UknClipboard.h"
#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknTrackingTip.h"
#include "toolkit/UknTrayIcon.h"
#include "views/ui/UPageDrag.h"
#include "views/ui/UWorkSpacePanel.h"

// The guide lives in a static library: its resources register only when asked to.
static void InitHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace qb {

namespace {

constexpr int32_t kDataSavedText = 25628;
constexpr int kTipWidth = 400;

}  // namespace

TMainForm::TMainForm(bool minimizeArgument) : FMinimizeArgument(minimizeArgument) {
    setObjectName(QStringLiteral("MainForm"));
    const TMemoryManager& memory = MemoryManager();
    move(memory.WinPosX, memory.WinPosY);
    resize(memory.WinPosWidth, memory.WinPosHeight);
    setAcceptDrops(true);
    FClipboardWatch = std::make_unique<TknClipboardWatch>([](std::u16string text) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        ClipWatcher().OnClipboardChanged(
            text, static_cast<uint64_t>(
                      std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
    });
    FBackupHandler = std::make_unique<TBackupHandler>();
    FBackupHandler->OnError = [this](const std::u16string& message) { ShowPrompt(this, message); };
    FMenuManager = std::make_unique<TMenuManager>(this);
    FWorkspace = new TWorkSpacePanel(this);
    setCentralWidget(FWorkspace);
    FSpModeWindow = std::make_unique<TSpecialModeWindow>(*this);
    FSpModeManager = std::make_unique<TSpModeManager>(*FSpModeWindow);
    FSpModeWindow->SetManager(FSpModeManager.get());
    FTip = std::make_unique<TknTrackingTip>(kTipWidth);
    FDesktopInput = std::make_unique<TknDesktopInput>();
    FShell = std::make_unique<TProcessShell>();
    FTray = std::make_unique<TMainFormTray>(*this);
    FPluginManager = std::make_unique<TPluginManager>();
    FPluginManager->Create(FTray->Services(*FDesktopInput, *FShell));
    FTray->CreateNoteHandler(*FDesktopInput);
    FIOHandler = std::make_unique<TIOHandler>();

    OptionManager().AddObserver(this);
    CommandCenter().AddExecutor(this);
    EventCenter().AddObserver(this);
    SizeCenter().AddObserver(this);
    MemoryManager().AddObserver(this);
    CommandCenter().SetEnabled(kSaveCommand, false);
    PageCenter().AddObserver(this);
    qApp->installEventFilter(this);
    FInitialized = true;
    CommandCenter().CheckCommands();
    TrimWorkingSet();
}

TMainForm::~TMainForm() {
    OnDestroy();
}

void TMainForm::OnDestroy() {
    if (FDestroyed) return;
    FDestroyed = true;
    qApp->removeEventFilter(this);
    FTip.reset();
    FIOHandler.reset();
    FTray->DestroyNoteHandler();
    FPluginManager.reset();
    FTray.reset();
    if (SaveManager().Active()) SaveCenter().Save();
    MemoryManager().SaveMemory();
    if (TknHotKeyCenter* hotkeys = ExistingHotKeyCenter()) hotkeys->RemoveOwner(this);
    if (TSizeManager* sizes = ExistingSizeCenter()) sizes->RemoveObserver(this);
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
    if (TMemoryManager* memory = ExistingMemoryManager()) memory->RemoveObserver(this);
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknCommandCenter* commands = ExistingCommandCenter()) commands->RemoveExecutor(this);
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
    delete FWorkspace;
    FWorkspace = nullptr;
    FMenuManager.reset();
    FSpModeWindow->SetManager(nullptr);
    FSpModeManager.reset();
    FSpModeWindow.reset();
    FBackupHandler.reset();
    FClipboardWatch.reset();
    QCoreApplication::quit();
}

// --- status ---

void TMainForm::SysCommand(TSysCommand command) {
    switch (command) {
        case TSysCommand::scClose:
            if (FCloseMinimize && !FExiting) {
                MinimizeToTray();
                hide();
            } else {
                TknWindow::SysCommand(command);
            }
            break;
        case TSysCommand::scMinimize:
            MinimizeToTray();
            break;
        default:
            TknWindow::SysCommand(command);
            BringToForeground();
            break;
    }
}

void TMainForm::MinimizeToTray() {
    if (!FMinimizeToTray) {
        TknWindow::SysCommand(TSysCommand::scMinimize);
        return;
    }
    // Straight into the tray, hidden without being iconified first: a window that was never
    // shown does not flash up, and an iconify request the window manager handles after the
    // hide would leave the window iconic when it is shown again, so that the first click on
    // the tray icon only met it there.
    hide();
}

void TMainForm::StatusChanged(int status) {
    if (!FDestroyed) HandleWindowStatus(static_cast<TWindowStatus>(status), FInitialized);
}

void TMainForm::ShowRequested() {
    if (isVisible()) {
        SetStatus(static_cast<int>(RestoredStatus(MemoryManager().WinStatus)));
    } else {
        CommandCenter().ExecuteCommand(kRestoreCommand);
    }
}

void TMainForm::ShowOrMinimize() {
    if (Status() != wsMinimized) {
        SetStatus(wsMinimized);
        return;
    }
    if (isHidden() && !LogInHandler().LogIn()) return;
    SetStatus(static_cast<int>(RestoredStatus(MemoryManager().WinStatus)));
}

// --- window events ---

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (Status() != wsMinimized) SizeCenter().SetSize(width(), height());
    SaveMemory();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // Escape anywhere in this window, before any control sees it; menus and dialogs keep it.
    if (event->type() != QEvent::KeyPress) return TknWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !widget ||
        widget->window() != this || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget() || widget->property("qbKeepsEscape").toBool())
        return false;
    if (FEscMinimize)
        SetStatus(wsMinimized);
    else
        CommandCenter().ExecuteCommand(kEscapeCommand);
    return true;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

// Files dropped outside the workspace (on the toolbar, say) go where the workspace puts them.
void TMainForm::dropEvent(QDropEvent* event) {
    const std::vector<std::u16string> files = DroppedFiles(event->mimeData());
    if (files.empty() || !FWorkspace) return;
    event->acceptProposedAction();
    const Qt::KeyboardModifiers keys = event->modifiers();
    QTimer::singleShot(0, this, [this, files, keys] {
        if (FWorkspace) FWorkspace->DropFiles(files, keys);
    });
}

void TMainForm::TrayMouseMove() {
    if (TPasteHandler* paste = FPluginManager ? FPluginManager->PasteHandler() : nullptr)
        paste->RememberForeground();
}

void TMainForm::TrayMenuClosed() {
    if (TPasteHandler* paste = FPluginManager ? FPluginManager->PasteHandler() : nullptr)
        paste->MenuClosed();
}

// --- listeners ---

// A rename of the active page (in place, in its property box, or by quillbox-cli through this
// program) shows at once.
void TMainForm::PageEvent(uint8_t event, int32_t pageId, int32_t) {
    const TPageSuper* active = PageCenter().ActivePage();
    if (event == pePageActivated || (event == pePageChanged && active && active->Id() == pageId))
        RefreshTitle();
}

void TMainForm::OnHotkey(uint32_t id, uint16_t) {
    if (id != kShowHideHotKeyId) return;
    if (Status() != wsMinimized && !IsForeground())
        BringToForeground();
    else
        CommandCenter().ExecuteCommand(kRestoreCommand);
}

void TMainForm::EventNotify(int32_t event, int32_t, int32_t) {
    if (event == kEventTrayClick && !FSpModeManager->TrayClickTaken())
        CommandCenter().ExecuteCommand(kRestoreCommand);
    else if (event == kEventTitleChanged)
        RefreshTitle();
}

void TMainForm::AdjustAppearance() {
    if (QLayout* l = layout()) l->invalidate();
}

void TMainForm::OptionChanged() {
    const TOptions& o = OptionManager().Options();
    FMinimizeToTray = o.MinimizeToTray;
    FCloseMinimize = o.CloseMinimize;
    FTransparency = o.Transparency;
    FEscMinimize = o.EscMinimize;
    FCaptionPageName = o.CaptionPageName;
    ApplyTransparency();
    if (PageCenter().ActivePage()) RefreshTitle();
    HotKeyCenter().AddHotKey(this, kShowHideHotKeyId, o.CallWinHotKey);
}

void TMainForm::SaveMemory() {
    if (!FInitialized || !FWorkspace) return;
    TMemoryManager& memory = MemoryManager();
    memory.ShowTree = FWorkspace->TreeShown();
    memory.Transparent = FTransparent && FTransparency > 0;
    // A maximized window keeps the rectangle it will be restored to.
    if (Status() != wsNormal) return;
    memory.WinPosX = pos().x();
    memory.WinPosY = pos().y();
    memory.WinPosWidth = width();
    memory.WinPosHeight = height();
}

void TMainForm::RestoreMemory() {
    const TMemoryManager& memory = MemoryManager();
    if (memory.ShowTree)
        ExecuteCommand(kShowTreeCommand);
    else
        FWorkspace->ShowTree(false);
    if (memory.Transparent) ExecuteCommand(kTransparentCommand);
    const bool minimized =
        StartsMinimized(OptionManager().StartMinimize, FMinimizeArgument, memory.SpecialMode);
    SetStatus(minimized ? wsMinimized : static_cast<int>(RestoredStatus(memory.WinStatus)));
}

void TMainForm::RefreshTitle() {
    const TPageSuper* page = PageCenter().ActivePage();
    const std::u16string title = MainWindowTitle(page ? &page->Name() : nullptr, FCaptionPageName);
    SetText(title);
    if (FMenuManager) FMenuManager->TrayIcon().SetTip(title);
}

void TMainForm::ApplyTransparency() {
    const int32_t level = FTransparent ? FTransparency : 0;
    SetAlpha(TransparencyAlpha(level));
}

// --- commands ---

void TMainForm::ExecuteCommand(int32_t id) {
    switch (id) {
        case kSaveCommand:
            SaveCenter().Save();
            ShowTip(LangText(kDataSavedText));
            break;
        case kExitCommand:
            // Once the event that asked for it is over: a menu still open over the window
            // must not see the window go while it finishes its own work.
            FExiting = true;
            QTimer::singleShot(0, this, [this] { CloseWindow(); });
            break;
        case kShowTreeCommand:
            SwitchTree();
            break;
        case kTransparentCommand:
            FTransparent = !FTransparent;
            ApplyTransparency();
            CommandCenter().SetChecked(kTransparentCommand, FTransparent);
            break;
        case kOptionsCommand:
            OpenOptions();
            break;
        case kHelpCommand:
            OpenHelp({});
            break;
        case kHomePageCommand:
        case kForumCommand:
        case kDonateCommand:
            OpenHelp(QStringLiteral("about"));
            break;
        case kAboutCommand:
            ShowAbout();
            break;
        case kRestoreCommand:
            ShowOrMinimize();
            break;
        default:
            break;
    }
}

void TMainForm::SwitchTree() {
    const bool show = !FWorkspace->TreeShown();
    CommandCenter().SetChecked(kShowTreeCommand, show);
    const QSize before = FWorkspace->PageArea()->size();
    FWorkspace->ShowTree(show);
    FWorkspace->layout()->activate();
    if (!isVisible() || isMaximized()) return;
    // The page area keeps its size: the window grows or shrinks by the tree.
    resize(size() + (before - FWorkspace->PageArea()->size()));
}

void TMainForm::OpenOptions() {
    if (Status() == wsMinimized && !LogInHandler().LogIn()) return;
    FSpModeManager->HookMessage(smSuspend);
    OptionManager().SetOptions(this);
    FSpModeManager->HookMessage(smResume);
}

namespace {

// The bundled guide's files (its pages and their style sheet) written into the folder, each
// only when it differs, so that the browser is given files of this version.
void WriteHelpFiles(const QString& folder) {
    static const bool registered = (InitHelpResources(), true);
    (void)registered;
    const QDir bundled(QStringLiteral(":/help"));
    for (const QString& name : bundled.entryList(QDir::Files)) {
        QFile source(bundled.filePath(name));
        if (!source.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = source.readAll();
        QFile current(folder + name);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == text) continue;
        current.close();
        QSaveFile out(folder + name);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(text);
            out.commit();
        }
    }
}

}  // namespace

void TMainForm::OpenHelp(const QString& anchor) {
    // The guide ships inside the program, one page per interface language where it has one,
    // and is written beside the notebook for the browser.
    const QString folder = QString::fromStdU16String(ProgramSubFolder(u"help/", true));
    WriteHelpFiles(folder);
    const QString language = QString::fromStdU16String(LangManager().Language());
    const QString page = language + QStringLiteral(".html");
    const bool ownPage = !language.isEmpty() && QFile::exists(QStringLiteral(":/help/") + page);
    const QString path = folder + (ownPage ? page : QStringLiteral("index.html"));
    QUrl url = QUrl::fromLocalFile(path);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    if (QFile::exists(path) && QDesktopServices::openUrl(url)) return;
    ShowPrompt(this, ShellErrorText(seNoAssoc) + u" " + path.toStdU16String());
}

void TMainForm::ShowAbout() {
    FSpModeManager->HookMessage(smSuspend);
    ShowAboutBox(this);
    FSpModeManager->HookMessage(smResume);
}

void TMainForm::ShowTip(const std::u16string& text) {
    FTip->ShowAtCursor(text);
}

}  // namespace qb
