#pragma once

// The platform services the core needs from the desktop program: Qt timers for the timer
// center and the screen the remembered rectangles are fitted to.

#include <QObject>
#include <map>

#include "shell/UMemoryManager.h"
#include "shell/UknTimerCenter.h"

namespace qb::gui {

class TQtTimers : public QObject, public ITimerPlatform {
  public:
    TQtTimers();
    ~TQtTimers() override;  // releases the timer center first
    void SetTimer(uint32_t id, uint32_t interval) override;
    void KillTimer(uint32_t id) override;

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    std::map<int, uint32_t> FIds;  // Qt timer id -> timer center id
};

class TQtScreen : public IScreen {
  public:
    TQtScreen();
    ~TQtScreen() override;
    int32_t ScreenWidth() override;
    int32_t ScreenHeight() override;
};

}  // namespace qb::gui
