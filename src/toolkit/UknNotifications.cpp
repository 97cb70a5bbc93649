#include "toolkit/UknNotifications.h"
#include "toolkit/UknQtText.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>
#include <string>

namespace qb {

void TknNotifications::Notify(std::u16string_view summary, std::u16string_view body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The body is markup to some services: a "<" of the user's text must stay a character.
    const QString text = QtText(body).toHtmlEscaped();
    call << QStringLiteral("quillbox") << 0u << QStringLiteral("appointment-soon") << QtText(summary)
         << text << QStringList() << QVariantMap() << -1;
    bus.send(call);
}

}  // namespace qb
