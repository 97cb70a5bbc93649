#pragma once

// One running copy per program file: the first start listens on a local socket named from the
// program's full path and the user; a later start finds it, asks it to show itself and ends.

#include <QLocalServer>
#include <QString>
#include <functional>

namespace qb::gui {

class TSingleInstance {
  public:
    explicit TSingleInstance(const QString& programPath);

    // True when this is the first copy (it now listens); false when a running copy was told to
    // show itself.
    bool Claim();
    // Called when a later start asks for the window.
    std::function<void()> OnShow;

    const QString& Name() const { return FName; }

  private:
    void Accept();

    QString FName;
    QLocalServer FServer;
};

}  // namespace qb::gui
