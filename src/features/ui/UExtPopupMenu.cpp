#include "features/ui/UExtPopupMenu.h"

#include <QCursor>
#include <QMenu>
#include <string>

namespace qb {

namespace {

QString Escaped(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

QString PopupMenuText(std::u16string_view caption) {
    const size_t tab = caption.find(u'\t');
    if (tab == std::u16string_view::npos) return Escaped(caption);
    const QString number = Escaped(caption.substr(0, tab));
    const QString name = Escaped(caption.substr(tab + 1));
    // ".10" starts with no digit to type: no mnemonic.
    const bool mnemonic = !number.isEmpty() && number[0] != u'.' && number[0] != u'&';
    return (mnemonic ? QStringLiteral("&") : QString()) + number + u' ' + name;
}

int32_t TExtPopupMenu::Popup(const std::vector<TPopupItem>& items, const TPopupPlace& place) {
    QMenu menu;
    menu.setObjectName(QStringLiteral("ExtPopupMenu"));
    menu.setWindowTitle(QStringLiteral("quillbox items"));  // its name on the desktop
    for (const TPopupItem& item : items)
        menu.addAction(PopupMenuText(item.Caption))->setData(item.CommandId);
    const QPoint at = place.AtCaret ? QPoint(place.X, place.Y) : QCursor::pos();
    FOpen = &menu;
    if (!menu.actions().isEmpty()) menu.setActiveAction(menu.actions().first());
    QAction* chosen = menu.exec(at);
    FOpen = nullptr;
    return chosen ? chosen->data().toInt() : 0;
}

}  // namespace qb
