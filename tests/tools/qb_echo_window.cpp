// A tiny X program for the end-to-end tests: a text field whose text is written to a file on
// every change (so a test sees what was typed or pasted into it), optionally the owner of the
// PRIMARY selection or of the clipboard, optionally a program whose Ctrl+C copies a text it
// never puts in PRIMARY (as a terminal's does), and optionally a stand-in for the desktop
// notification service that writes each notification it is sent to a file.
// Usage: qb_echo_window OUTFILE [--primary TEXT] [--clipboard TEXT] [--copy TEXT]
//                       [--notifications FILE]

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QStringList>
#include <QTimer>
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

// Ctrl+C puts the text on the clipboard a little later, as a busy program would.
class TCopyFilter : public QObject {
  public:
    explicit TCopyFilter(QString text) : FText(std::move(text)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool copy =
            (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
        if (!copy) return QObject::eventFilter(watched, event);
        if (event->type() == QEvent::KeyPress)
            QTimer::singleShot(30, [text = FText] { QGuiApplication::clipboard()->setText(text); });
        event->accept();
        return true;
    }

  private:
    QString FText;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr,
                     "usage: qb_echo_window OUTFILE [--primary TEXT] [--clipboard TEXT] "
                     "[--copy TEXT] [--notifications FILE]\n");
        return 2;
    }
    const QString out = args[1];
    QPlainTextEdit edit;
    edit.setWindowTitle(QStringLiteral("qb echo"));
    edit.resize(360, 160);
    QObject::connect(&edit, &QPlainTextEdit::textChanged,
                     [&] { WriteFile(out, edit.toPlainText().toUtf8(), false); });
    std::unique_ptr<TNotifications> notifications;
    std::unique_ptr<TCopyFilter> copy;
    for (int i = 2; i + 1 < args.size(); i += 2) {
        if (args[i] == QStringLiteral("--primary")) {
            QGuiApplication::clipboard()->setText(args[i + 1], QClipboard::Selection);
        } else if (args[i] == QStringLiteral("--clipboard")) {
            QGuiApplication::clipboard()->setText(args[i + 1]);
        } else if (args[i] == QStringLiteral("--copy")) {
            copy = std::make_unique<TCopyFilter>(args[i + 1]);
            edit.installEventFilter(copy.get());
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
