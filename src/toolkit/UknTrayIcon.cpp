#include "toolkit/UknTrayIcon.h"

#include <QCursor>

#include "toolkit/UknIcons.h"
#include "toolkit/UknWindow.h"

namespace qb {

std::u16string TrayTipText(std::u16string_view tip) {
    std::u16string_view shown = tip.substr(0, std::min(tip.size(), kTrayTipLength));
    // Never cut a surrogate pair in two.
    if (shown.size() == kTrayTipLength && tip.size() > kTrayTipLength && shown.back() >= 0xD800 &&
        shown.back() <= 0xDBFF)
        shown.remove_suffix(1);
    return std::u16string(shown);
}

TknTrayIcon::TknTrayIcon(TknWindow* owner, std::u16string_view tip, int32_t iconId)
    : FOwner(owner), FTip(tip), FIconId(iconId) {
    FIcon.setIcon(TknIcons::Icon(iconId));
    FIcon.setToolTip(QString::fromStdU16String(ShownTip()));
    connect(&FIcon, &QSystemTrayIcon::activated, this, &TknTrayIcon::OnTrayMessage);
}

TknTrayIcon::~TknTrayIcon() {
    FIcon.hide();
    if (FOwner && FOwner->FTrayIcon == this) FOwner->FTrayIcon = nullptr;
}

void TknTrayIcon::Show(bool visible) {
    FIcon.setVisible(visible);
}

bool TknTrayIcon::Visible() const {
    return FIcon.isVisible();
}

void TknTrayIcon::SetTip(std::u16string_view tip) {
    FTip = tip;
    FIcon.setToolTip(QString::fromStdU16String(ShownTip()));
}

std::u16string TknTrayIcon::ShownTip() const {
    return TrayTipText(FTip);
}

void TknTrayIcon::SetIconId(int32_t iconId) {
    FIconId = iconId;
    FIcon.setIcon(TknIcons::Icon(iconId));
}

void TknTrayIcon::SetPopupMenu(QMenu* menu) {
    FPopupMenu = menu;
}

QMenu* TknTrayIcon::PopupMenu() const {
    return FPopupMenu;
}

void TknTrayIcon::OnTrayMessage(QSystemTrayIcon::ActivationReason reason) {
    if (FOwner) FOwner->TrayMouseMove();
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            if (OnClick) OnClick();
            break;
        case QSystemTrayIcon::Context:
            if (FPopupMenu) PopupMenuAtCursor();
            break;
        default:  // the second press of a double click, the middle button
            break;
    }
}

void TknTrayIcon::PopupMenuAtCursor() {
    if (FOwner) FOwner->BringToForeground();
    QPointer<TknTrayIcon> self(this);
    FPopupMenu->exec(QCursor::pos());
    // The menu's command may have freed the icon or its owner meanwhile.
    if (self && FOwner) FOwner->TrayMenuClosed();
}

bool TknTrayIcon::TrayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace qb
