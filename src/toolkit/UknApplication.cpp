#include "toolkit/UknApplication.h"

#include <exception>

namespace qb {

namespace {
int gDiscarded = 0;
}

bool DeliverDiscardingErrors(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::exception&) {
        ++gDiscarded;
        return false;
    }
}

TknApplication::TknApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TknApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverDiscardingErrors([&] { return QApplication::notify(receiver, event); });
}

int TknApplication::DiscardedErrors() {
    return gDiscarded;
}

}  // namespace qb
