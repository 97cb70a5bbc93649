#pragma once

// External scroll: a wheel turned over a control of the workspace while the pointer is
// outside the main window goes to the window under the pointer, and the control stays put.

#include <QObject>
#include <QPointer>

class QWidget;

namespace qb {

class TScrollHandler : public QObject {
    Q_OBJECT
  public:
    explicit TScrollHandler(QWidget& mainWindow) : FMainWindow(&mainWindow) {}
    // Watches the control's wheel messages (its viewport's too, for a scrolled view).
    void Hook(QWidget* control);
    void Unhook(QWidget* control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> FMainWindow;
};

}  // namespace qb
