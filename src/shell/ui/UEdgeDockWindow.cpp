#include "shell/ui/UEdgeDockWindow.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include "toolkit/UknWindow.h"

namespace qb {

TSpecialModeWindow::TSpecialModeWindow(TknWindow& window) : FWindow(window) {
    // Every menu counts, the tray menu too: the platform treats them all as the window's.
    qApp->installEventFilter(this);
    FWindow.installEventFilter(this);
}

TSpecialModeWindow::~TSpecialModeWindow() {
    qApp->removeEventFilter(this);
}

bool TSpecialModeWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == &FWindow) {
        if (type == QEvent::Move || type == QEvent::Resize) Hook(smMoved);
    } else if ((type == QEvent::Show || type == QEvent::Hide) && qobject_cast<QMenu*>(watched)) {
        const int before = FOpenMenus;
        FOpenMenus = std::max(0, FOpenMenus + (type == QEvent::Show ? 1 : -1));
        if (before == 0 && FOpenMenus > 0) Hook(smEnterMenuLoop);
        if (before > 0 && FOpenMenus == 0) Hook(smExitMenuLoop);
    }
    return false;
}

void TSpecialModeWindow::Hook(TSpecialModeMessage message) {
    if (FManager) FManager->HookMessage(message);
}

TWindowRect TSpecialModeWindow::WindowRect() {
    const QRect r = FWindow.frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

int32_t TSpecialModeWindow::ScreenWidth() {
    return FWindow.screen()->geometry().width();
}

int32_t TSpecialModeWindow::ScreenHeight() {
    return FWindow.screen()->geometry().height();
}

bool TSpecialModeWindow::CursorInWindow() {
    return FWindow.frameGeometry().contains(QCursor::pos());
}

bool TSpecialModeWindow::Minimized() {
    return FWindow.isMinimized() || FWindow.isHidden();
}

void TSpecialModeWindow::MoveWindow(TWindowPos pos) {
    FWindow.move(pos.Left, pos.Top);
}

void TSpecialModeWindow::ResizeWindow(int32_t width, int32_t height) {
    const QSize frame = FWindow.frameGeometry().size() - FWindow.size();
    FWindow.resize(width - frame.width(), height - frame.height());
}

void TSpecialModeWindow::Pause(uint32_t milliseconds) {
    // The moves so far reach the display server before the pause.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(milliseconds);
}

void TSpecialModeWindow::SendSlideKey() {
    // WORKAROUND: on Windows a synthetic key lifts the foreground lock before the window comes
    // forward; X11 window managers have no such lock, so nothing is sent.
}

void TSpecialModeWindow::Redraw() {
    FWindow.update();
}

void TSpecialModeWindow::SetTopmost(bool topmost) {
    FWindow.SetStayOnTop(topmost);
}

void TSpecialModeWindow::SetToolWindow(bool toolWindow) {
    // The tool type shares bits with the plain window type: the type is replaced as a whole.
    const Qt::WindowFlags flags = FWindow.windowFlags();
    const Qt::WindowFlags wanted =
        (flags & ~Qt::WindowType_Mask) | (toolWindow ? Qt::Tool : Qt::Window);
    if (flags == wanted) return;
    // WORKAROUND: Qt hides a window whose flags change; it is shown again where it was.
    const bool visible = FWindow.isVisible();
    const QRect frame = FWindow.geometry();
    FWindow.setWindowFlags(wanted);
    if (!visible) return;
    FWindow.setGeometry(frame);
    FWindow.show();
    // The user switched the mode in this window: the new native window takes the keyboard
    // (without a window manager nothing would hand it over, and keys would miss the menus).
    FWindow.BringToForeground();
}

void TSpecialModeWindow::BringForward() {
    FWindow.raise();
    FWindow.activateWindow();
}

void TSpecialModeWindow::SaveFocus() {
    FFocus = QApplication::focusWidget();
}

void TSpecialModeWindow::RestoreFocus() {
    if (FFocus) FFocus->setFocus();
}

}  // namespace qb
