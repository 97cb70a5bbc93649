#include "GuiPlatform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimerEvent>
#include <climits>

namespace qb::gui {

TQtTimers::TQtTimers() {
    SetTimerPlatform(this);
}

TQtTimers::~TQtTimers() {
    SetTimerPlatform(nullptr);
}

void TQtTimers::SetTimer(uint32_t id, uint32_t interval) {
    KillTimer(id);
    // Qt counts in int milliseconds; longer intervals (days of minutes) are cut to the longest.
    const int qtId = startTimer(static_cast<int>(std::min<uint32_t>(interval, INT_MAX)));
    if (qtId != 0) FIds[qtId] = id;
}

void TQtTimers::KillTimer(uint32_t id) {
    for (auto it = FIds.begin(); it != FIds.end(); ++it) {
        if (it->second != id) continue;
        killTimer(it->first);
        FIds.erase(it);
        return;
    }
}

void TQtTimers::timerEvent(QTimerEvent* event) {
    auto it = FIds.find(event->timerId());
    if (it == FIds.end()) return;
    if (TknTimerCenter* timers = ExistingTimerCenter()) timers->DispatchTimer(it->second);
}

TQtScreen::TQtScreen() {
    SetScreen(this);
}

TQtScreen::~TQtScreen() {
    SetScreen(nullptr);
}

int32_t TQtScreen::ScreenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().width() : 0;
}

int32_t TQtScreen::ScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 0;
}

}  // namespace qb::gui
