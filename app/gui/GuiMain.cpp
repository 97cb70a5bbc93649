// quillbox: the desktop program. Usage: quillbox [--home DIR] [-m] [Qt options], or
// quillbox --version | --help. Four gates come before the window: one running copy per
// notebook, the notebook lock, the data check with its upgrade, and the password when the
// options ask for one.

#include <time.h>

#include <QApplication>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include <QElapsedTimer>
#include <QThread>

#include "CliRun.h"
#include "GuiSignals.h"
#include "GuiSingleInstance.h"
#include "features/UClipHandler.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "shell/UProgramServices.h"
#include "shell/UStatusHandler.h"
#include "shell/ui/UCommandLine.h"
#include "shell/ui/ULogInDialog.h"
#include "shell/ui/UMainForm.h"
#include "shell/ui/UOptionsDialog.h"
#include "shell/ui/UOptionsDialogControls.h"
#include "storage/ULogInHandler.h"
#include "storage/UNotebookLock.h"
#include "toolkit/UknApplication.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknPlatform.h"
#include "views/ui/UIODialogs.h"
#include "views/ui/USearchDialog.h"

namespace qb::gui {

namespace {

constexpr qint64 kNotebookWaitMs = 10000;

// For the start-up benchmark and the end-to-end tests: the wall-clock time at which the main
// window was first painted, on standard error, when QUILLBOX_REPORT_SHOWN is set.
class TShownReporter : public QObject {
  public:
    explicit TShownReporter(QWidget& window) : FWindow(window) { window.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &FWindow && event->type() == QEvent::Paint) {
            timespec now{};
            clock_gettime(CLOCK_REALTIME, &now);
            std::fprintf(stderr, "quillbox: shown %lld.%06ld\n", static_cast<long long>(now.tv_sec),
                         now.tv_nsec / 1000);
            FWindow.removeEventFilter(this);
        }
        return false;
    }

  private:
    QWidget& FWindow;
};

// The program holds the notebook for its whole run. A quillbox-cli command that has it now is
// given a few seconds to finish.
bool TakeNotebook(const TMessageProc& showMessage) {
    TNotebookLock& lock = NotebookLock();
    QElapsedTimer waited;
    waited.start();
    while (!lock.TryAcquire("quillbox")) {
        if (waited.elapsed() > kNotebookWaitMs) {
            showMessage(HolderText(lock.Holder()) + u"; quillbox cannot open it now.");
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

// A command of quillbox-cli runs on the notebook the window shows: the open page's client
// hands its unsaved text over first (as a save does) and reads the page again afterwards, so
// that its next save cannot put back what the command replaced; the other pages the command
// changes tell the window through their events.
cli::TRemoteReply RunHandedCommand(const cli::TRemoteRequest& request) {
    const TPageSuper* active = PageCenter().ActivePage();
    const int32_t activeId = active ? active->Id() : kNoOwnerId;
    if (active) PageCenter().Notify(pePageDeactivated, activeId);
    cli::TRemoteReply reply = cli::RunHosted(request);
    active = PageCenter().ActivePage();
    if (active && active->Id() == activeId) PageCenter().Notify(pePageActivated, activeId);
    return reply;
}

int RunProgram(TSingleInstance& instance, TQuitSignals& quitSignals, bool minimized) {
    const auto showMessage = [](const std::u16string& message) { ShowPrompt(nullptr, message); };
    if (!TakeNotebook(showMessage) || !OpenProgramData(showMessage)) return 1;
    InstallHotKeyTexts();
    TLogInDialog logInDialog;
    LogInHandler().SetDialog(&logInDialog);
    if (!LogInHandler().LogIn()) return 1;

    TOptionsDialogHost optionsDialog;
    SetOptionsDialog(&optionsDialog);
    TSearchDialog searchDialog;
    SetSearchDialog(&searchDialog);
    int result = 0;
    {
        TMainForm form(minimized);
        TIOCommandHost importExport(form);
        instance.OnShow = [&form] { form.ShowRequested(); };
        instance.OnCommand = RunHandedCommand;
        quitSignals.OnQuit = [&form] { form.ExecuteCommand(kExitCommand); };
        std::unique_ptr<TShownReporter> reporter;
        if (qEnvironmentVariableIsSet("QUILLBOX_REPORT_SHOWN"))
            reporter = std::make_unique<TShownReporter>(form);
        result = QApplication::exec();
        instance.OnShow = {};
        instance.OnCommand = {};
        quitSignals.OnQuit = {};
    }
    SetSearchDialog(nullptr);
    SetOptionsDialog(nullptr);
    LogInHandler().SetDialog(nullptr);
    return result;
}

}  // namespace

int Main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const TCommandLine args = ParseCommandLine(arguments);
    if (args.Version) {
        std::cout << "quillbox " << QB_VERSION << "\n";
        return 0;
    }
    if (args.Help) {
        std::cout << CommandLineHelp().toStdString();
        return 0;
    }
    if (!args.Error.isEmpty()) {
        std::cerr << "quillbox: " << args.Error.toStdString() << "\n"
                  << CommandLineHelp().toStdString();
        return 2;
    }
    if (!args.Home.isEmpty()) SetProgramFolder(args.Home.toStdU16String());

    TknApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillbox"));
    // The window, the tray icon and the installed desktop entry belong together.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillbox.Quillbox"));
    QApplication::setQuitOnLastWindowClosed(false);  // the tray keeps the program alive
    TQuitSignals quitSignals;
    TSingleInstance instance(QString::fromStdString(ProgramSocketPath(ProgramFolder())));
    if (!instance.Claim()) return 0;

    TknPlatform platform;
    int result = 0;
    try {
        result = RunProgram(instance, quitSignals, args.Minimized);
    } catch (const std::exception& e) {
        std::cerr << "quillbox: " << e.what() << "\n";
        result = 1;
    }
    ReleaseClipWatcher();
    ReleaseProgramGlobals();
    return result;
}

}  // namespace qb::gui

int main(int argc, char** argv) {
    return qb::gui::Main(argc, argv);
}
