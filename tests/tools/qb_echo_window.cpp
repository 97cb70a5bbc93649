// A tiny X program for the end-to-end tests: a text field whose text is written to a file on
// every change (so a test sees what was typed or pasted into it), optionally the owner of the
// PRIMARY selection, and optionally a stand-in for the desktop notification service that
// writes each notification it is sent to a file.
// Usage: qb_echo_window OUTFILE [--primary TEXT] [--notifications FILE]

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes, bool append) {
    if (append) {
        QFile file(path);
        if (file.open(QIODevice::Append)) file.write(bytes);
        return;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.commit();
    }
}

class TNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    explicit TNotifications(QString path) : FPath(std::move(path)) {}

  public slots:
    uint Notify(const QString& app, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int) {
        WriteFile(FPath, (app + u'|' + summary + u'|' + body + u'\n').toUtf8(), true);
        return ++FId;
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

  private:
    QString FPath;
    uint FId = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: qb_echo_window OUTFILE [--primary TEXT] [--notifications FILE]\n");
        return 2;
    }
    const QString out = args[1];
    QPlainTextEdit edit;
    edit.setWindowTitle(QStringLiteral("qb echo"));
    edit.resize(360, 160);
    QObject::connect(&edit, &QPlainTextEdit::textChanged,
                     [&] { WriteFile(out, edit.toPlainText().toUtf8(), false); });
    std::unique_ptr<TNotifications> notifications;
    for (int i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--primary")) {
            QGuiApplication::clipboard()->setText(args[i + 1], QClipboard::Selection);
        } else if (args[i] == QStringLiteral("--notifications")) {
            notifications = std::make_unique<TNotifications>(args[i + 1]);
            QDBusConnection bus = QDBusConnection::sessionBus();
            if (!bus.registerService(QStringLiteral("org.freedesktop.Notifications")) ||
                !bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"),
                                    notifications.get(), QDBusConnection::ExportAllSlots)) {
                std::fprintf(stderr, "qb_echo_window: no notification service on the bus\n");
                return 1;
            }
        }
    }
    edit.show();
    WriteFile(out, QByteArray(), false);
    return app.exec();
}

#include "qb_echo_window.moc"
