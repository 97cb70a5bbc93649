#pragma once

// What the window benchmarks share: one application on Qt's offscreen platform, made on first
// use with the page images installed, and a drop target that takes nothing.

#include <QApplication>

#include "toolkit/UknIcons.h"
#include "views/UClientSuper.h"

namespace qb::bench {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "quillbox-bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* made = new QApplication(argc, argv);
        InstallPageImageSink();
        return made;
    }();
    return *app;
}

class TNoDrops : public IPageDropTarget {
  public:
    void DropOnPage(const TDropObject&, int32_t, int32_t) override {}
};

}  // namespace qb::bench
