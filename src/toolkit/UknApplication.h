#pragma once

// The desktop program's application object. An error that no handler caught ends the handling
// of the event it was raised in, without a word to the user, and the program goes on with the
// next event (an exception must not cross Qt's event loop, which would end the program).

#include <QApplication>
#include <functional>

namespace qb {

// Runs one event delivery; an error escaping it is discarded and the event counts as not
// handled (false).
bool DeliverDiscardingErrors(const std::function<bool()>& deliver);

class TknApplication : public QApplication {
    Q_OBJECT
  public:
    TknApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // How many errors were discarded so far.
    static int DiscardedErrors();
};

}  // namespace qb
