#pragma once

// The program's icon in the notification area. A left click calls the click handler; a right
// click opens the popup menu at the cursor (the owner window comes forward first) and tells
// the owner when the menu has closed. When the notification area restarts, Qt adds a shown
// icon to the new one by itself.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/UknWindow.h"

namespace qb {

// The platform's tip field holds 63 characters and a terminator.
constexpr size_t kTrayTipLength = 63;
std::u16string TrayTipText(std::u16string_view tip);

class TknTrayIcon : public QObject {
    Q_OBJECT
  public:
    TknTrayIcon(TknWindow* owner, std::u16string_view tip, int32_t iconId);
    ~TknTrayIcon() override;  // removes the icon

    // True adds the icon to the notification area, false removes it.
    void Show(bool visible);
    bool Visible() const;

    void SetTip(std::u16string_view tip);
    std::u16string Tip() const { return FTip; }  // as given
    std::u16string ShownTip() const;             // as the notification area gets it
    void SetIconId(int32_t iconId);
    int32_t IconId() const { return FIconId; }
    void SetPopupMenu(QMenu* menu);  // not owned; may be null
    QMenu* PopupMenu() const;
    TknWindow* Owner() const { return FOwner; }

    std::function<void()> OnClick;

    // The mouse messages of the notification area: a left click calls OnClick (the second
    // press of a double click does not); a right click opens the popup menu when one is set.
    void OnTrayMessage(QSystemTrayIcon::ActivationReason reason);
    // Whether a notification area exists on this desktop.
    static bool TrayAvailable();

  private:
    void PopupMenuAtCursor();

    QPointer<TknWindow> FOwner;  // the window may go first
    QSystemTrayIcon FIcon;
    QPointer<QMenu> FPopupMenu;
    std::u16string FTip;
    int32_t FIconId;
};

}  // namespace qb
