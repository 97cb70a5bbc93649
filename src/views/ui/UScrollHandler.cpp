#include "views/ui/UScrollHandler.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QWheelEvent>

#include "shell/UOptionManager.h"

namespace qb {

namespace {

QWidget* ViewportOf(QWidget* control) {
    auto* area = qobject_cast<QAbstractScrollArea*>(control);
    return area ? area->viewport() : nullptr;
}

}  // namespace

void TScrollHandler::Hook(QWidget* control) {
    if (!control) return;
    control->installEventFilter(this);
    if (QWidget* viewport = ViewportOf(control)) viewport->installEventFilter(this);
}

void TScrollHandler::Unhook(QWidget* control) {
    if (!control) return;
    control->removeEventFilter(this);
    if (QWidget* viewport = ViewportOf(control)) viewport->removeEventFilter(this);
}

bool TScrollHandler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !FMainWindow || !OptionManager().ExternalScroll)
        return QObject::eventFilter(watched, event);
    auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint global = wheel->globalPosition().toPoint();
    if (FMainWindow->frameGeometry().contains(global)) return false;
    // WORKAROUND: X11 gives the wheel to the window under the pointer, so this happens only
    // while the program holds the pointer; another program's window cannot be sent the turn,
    // only a window of this program can.
    QWidget* target = QApplication::widgetAt(global);
    if (target && target->window() != FMainWindow->window()) {
        QWheelEvent moved(target->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                          wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                          wheel->modifiers(), wheel->phase(), wheel->inverted());
        QApplication::sendEvent(target, &moved);
    }
    return true;
}

}  // namespace qb
