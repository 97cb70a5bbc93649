#pragma once

// SIGTERM, SIGINT and SIGHUP (a logout, kill, Ctrl+C in a terminal) end the program the way
// Exit does, so that the notebook is saved and the remembered state written.

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace qb::gui {

class TQuitSignals {
  public:
    TQuitSignals();
    ~TQuitSignals();  // the default handlers come back
    TQuitSignals(const TQuitSignals&) = delete;
    TQuitSignals& operator=(const TQuitSignals&) = delete;

    // What a signal does once the event loop runs; without it the loop ends.
    std::function<void()> OnQuit;

  private:
    std::unique_ptr<QSocketNotifier> FNotifier;
    int FFds[2] = {-1, -1};
};

}  // namespace qb::gui
