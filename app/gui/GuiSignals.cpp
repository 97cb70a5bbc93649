#include "GuiSignals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>

namespace qb::gui {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int gWriteFd = -1;

// Only async-signal-safe work here: one byte to the event loop.
void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(gWriteFd, &byte, 1);
}

}  // namespace

TQuitSignals::TQuitSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, FFds) != 0) return;
    gWriteFd = FFds[0];
    FNotifier = std::make_unique<QSocketNotifier>(FFds[1], QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] {
        char byte = 0;
        [[maybe_unused]] ssize_t n = ::read(FFds[1], &byte, 1);
        if (OnQuit)
            OnQuit();
        else
            QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : kSignals) sigaction(s, &action, nullptr);
}

TQuitSignals::~TQuitSignals() {
    for (int s : kSignals) signal(s, SIG_DFL);
    FNotifier.reset();
    gWriteFd = -1;
    for (int fd : FFds)
        if (fd >= 0) ::close(fd);
}

}  // namespace qb::gui
