#include "toolkit/UknWindow.h"

#include <QCloseEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknTrayIcon.h"

namespace qb {

namespace {

TSysCommand CommandOfStatus(int status) {
    switch (status) {
        case wsMinimized:
            return TSysCommand::scMinimize;
        case wsMaximized:
            return TSysCommand::scMaximize;
        default:
            return TSysCommand::scRestore;
    }
}

}  // namespace

TknWindow::TknWindow(const TknWindowParams& params, QWidget* parent) : QMainWindow(parent) {
    SetText(params.Text);
    if (params.IconId != 0) setWindowIcon(TknIcons::Icon(params.IconId));
    Qt::WindowFlags flags =
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (params.MinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (params.MaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    move(params.Left, params.Top);
    if (params.Sizable)
        resize(params.ClientWidth, params.ClientHeight);
    else
        setFixedSize(params.ClientWidth, params.ClientHeight);
}

TknWindow::~TknWindow() = default;

void TknWindow::DoSysCommand(TSysCommand command) {
    {
        // State changes meanwhile are this command's own, not the window manager's; the
        // flag is put back even when the command fails.
        struct TGuard {
            bool& Flag;
            bool Old;
            ~TGuard() { Flag = Old; }
        } guard{FInSysCommand, FInSysCommand};
        FInSysCommand = true;
        SysCommand(command);
    }
    if (FClosing) return;
    // A close that became a minimize (the main form's close box) reports it like one.
    const int status = Status();
    if (command == TSysCommand::scClose && status == FLastStatus) return;
    FLastStatus = status;
    StatusChanged(status);
}

void TknWindow::SysCommand(TSysCommand command) {
    switch (command) {
        case TSysCommand::scClose:
            CloseWindow();
            break;
        case TSysCommand::scMinimize:
            showMinimized();
            break;
        case TSysCommand::scMaximize:
            showMaximized();
            break;
        case TSysCommand::scRestore:
            showNormal();
            break;
    }
}

void TknWindow::StatusChanged(int) {}

int TknWindow::Status() const {
    if (isHidden() || isMinimized()) return wsMinimized;
    return isMaximized() ? wsMaximized : wsNormal;
}

void TknWindow::SetStatus(int status) {
    DoSysCommand(CommandOfStatus(status));
}

void TknWindow::CloseWindow() {
    if (FClosing) return;
    FClosing = true;
    OnDestroy();
    if (FTrayIcon) FTrayIcon->Show(false);
    close();
}

void TknWindow::BringToForeground() {
    if (isHidden() || isMinimized()) return;
    raise();
    activateWindow();
    // WORKAROUND: window managers with focus-stealing prevention ignore a program's own
    // activation request; one sent as from a pager (source 2) is obeyed.
    TknDesktopInput().SetForegroundWindow(static_cast<uint64_t>(winId()));
}

bool TknWindow::IsForeground() const {
    return isVisible() && isActiveWindow();
}

void TknWindow::SetTrayIcon(TknTrayIcon* icon) {
    if (icon == FTrayIcon) return;
    if (FTrayIcon) FTrayIcon->Show(false);
    FTrayIcon = icon;
    if (FTrayIcon) FTrayIcon->Show(true);
}

void TknWindow::SetStayOnTop(bool onTop) {
    if (onTop == StayOnTop()) return;
    // WORKAROUND: Qt hides a window whose flags change; it is shown again where it was.
    const bool visible = isVisible();
    const QRect frame = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (!visible) return;
    setGeometry(frame);
    show();
    BringToForeground();  // the new native window takes the keyboard, as the old one had it
}

bool TknWindow::StayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TknWindow::SetAlpha(int alpha) {
    setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

int TknWindow::Alpha() const {
    return static_cast<int>(std::lround(windowOpacity() * 255));
}

void TknWindow::SetText(std::u16string_view text) {
    setWindowTitle(QString::fromStdU16String(std::u16string(text)));
}

std::u16string TknWindow::Text() const {
    return windowTitle().toStdU16String();
}

void TknWindow::closeEvent(QCloseEvent* event) {
    if (FClosing) {
        QMainWindow::closeEvent(event);
        return;
    }
    // The close box asks; the system command decides (the main form may only minimize).
    event->ignore();
    QTimer::singleShot(0, this, [this] { DoSysCommand(TSysCommand::scClose); });
}

void TknWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || FInSysCommand || FClosing) return;
    // The window manager (or a plain show call) changed the state: the same system command
    // runs after the fact, once this event is over.
    QTimer::singleShot(0, this, [this] {
        if (FClosing) return;
        const int status = Status();
        if (status != FLastStatus) DoSysCommand(CommandOfStatus(status));
    });
}

}  // namespace qb
