#include "shell/ui/UMainFormTray.h"

#include <QApplication>
#include <QTimer>

#include "toolkit/UknDialog.h"
#include "toolkit/UknWindow.h"

namespace qb {

TMainFormTray::TMainFormTray(TknWindow& window) : FWindow(window) {}

TMainFormTray::~TMainFormTray() {
    DestroyNoteHandler();
}

TPluginServices TMainFormTray::Services(IDesktopInput& desktop, IShell& shell) {
    TPluginServices services;
    services.Desktop = &desktop;
    services.Popup = &FPopup;
    // A paste runs once the hotkey or the menu choice that asked for it is over.
    services.Post = [](std::function<void()> call) {
        QTimer::singleShot(0, qApp, std::move(call));
    };
    services.ClipConfirm = this;
    services.Shell = &shell;
    services.Sound = &FSound;
    services.Reminders = &FReminders;
    services.MainWindow = this;
    services.Tip = &FTip;
    return services;
}

void TMainFormTray::CreateNoteHandler(IDesktopInput& desktop) {
    if (FNoteHandler) return;
    FNoteHandler = std::make_unique<TNoteHandler>(desktop, &FNoteWindows);
    FNoteWindows.SetHandler(FNoteHandler.get());
}

void TMainFormTray::DestroyNoteHandler() {
    FNoteWindows.CloseAll();
    FNoteWindows.SetHandler(nullptr);
    FNoteHandler.reset();
}

bool TMainFormTray::IsMinimized() {
    return FWindow.Status() == wsMinimized;
}

void TMainFormTray::Minimize() {
    FWindow.SetStatus(wsMinimized);
}

bool TMainFormTray::Confirm(std::u16string_view question) {
    return AskOkCancel(FWindow.isVisible() ? &FWindow : nullptr, question);
}

}  // namespace qb
