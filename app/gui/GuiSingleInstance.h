#pragma once

// One running copy per notebook: the first start listens on a local socket named from the
// canonical program folder and the user; a later start on that folder finds it, asks it to show
// itself and ends. quillbox-cli hands its writing commands to the running copy over the same
// socket.

#include <QLocalServer>
#include <QString>
#include <functional>

#include "CliRemote.h"

namespace qb::gui {

class TSingleInstance {
  public:
    explicit TSingleInstance(const QString& socketPath);

    // True when this is the first copy (it now listens); false when a running copy was told to
    // show itself.
    bool Claim();
    // Called when a later start asks for the window.
    std::function<void()> OnShow;
    // Runs a command quillbox-cli handed over; without it the request is refused.
    std::function<cli::TRemoteReply(const cli::TRemoteRequest&)> OnCommand;

    const QString& Name() const { return FName; }

  private:
    void Accept();

    QString FName;
    QLocalServer FServer;
};

}  // namespace qb::gui
