#include "toolkit/UknScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace qb {

namespace {

QRect WorkArea() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

int32_t TknScreen::ScreenWidth() {
    return WorkArea().width();
}

int32_t TknScreen::ScreenHeight() {
    return WorkArea().height();
}

}  // namespace qb
