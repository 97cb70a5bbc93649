#include "shell/ui/UCommandLine.h"

#include <QCommandLineParser>

namespace qb {

namespace {

struct TQtOption {
    const char* Name;
    const char* Value;  // nullptr: a switch
    const char* Description;
};

// The options QGuiApplication, QApplication and the xcb platform take from the command line.
constexpr TQtOption kQtOptions[] = {
    {"platform", "NAME[:OPTIONS]", "the platform plug-in (xcb, offscreen, ...)"},
    {"platformpluginpath", "PATH", "where platform plug-ins are looked for"},
    {"platformtheme", "THEME", "the platform theme"},
    {"plugin", "PLUGIN", "an extra plug-in to load"},
    {"qwindowgeometry", "GEOMETRY", "the first window's geometry"},
    {"qwindowicon", "ICON", "the windows' default icon"},
    {"qwindowtitle", "TITLE", "the first window's title"},
    {"session", "SESSION", "restore the session"},
    {"display", "HOST:SCREEN", "the X display"},
    {"geometry", "GEOMETRY", "the first window's geometry (X11)"},
    {"style", "STYLE", "the widget style (fusion, ...)"},
    {"stylesheet", "FILE", "a style sheet file"},
    {"qmljsdebugger", "PORT", "the QML debugger"},
    {"dialogs", "xp|none", "the dialogs' kind"},
    {"fontengine", "ENGINE", "the font engine"},
    {"reverse", nullptr, "lay the interface out from right to left"},
    {"widgetcount", nullptr, "report the widgets left at exit"},
    {"nograb", nullptr, "never grab the mouse or keyboard (X11 debugging)"},
    {"dograb", nullptr, "grab even under a debugger (X11)"},
    {"sync", nullptr, "run X11 synchronously (debugging)"},
};

const char kProgramHelp[] =
    "Usage: quillbox [--home DIR] [-m] [QT OPTIONS]\n"
    "       quillbox --version | --help\n\n"
    "Opens the notebook in the program folder: DIR, else $QUILLBOX_HOME, else the folder of\n"
    "the executable when it holds quillbox.ini or data/, else ~/.local/share/quillbox.\n"
    "A second start on the same notebook brings its window forward.\n\n"
    "Options:\n"
    "  --home DIR           the notebook's program folder\n"
    "  -m                   start in the tray\n"
    "  --version            print the version\n"
    "  -h, --help           print this text\n\n"
    "Qt options (one dash; -NAME VALUE or -NAME=VALUE):\n";

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's options are words after one dash ("-platform"); "--home" is taken as well.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption help(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    parser.addOption(home);
    parser.addOption(version);
    parser.addOption(help);
    for (const TQtOption& o : kQtOptions)
        parser.addOption(o.Value ? QCommandLineOption(QString::fromLatin1(o.Name), {},
                                                      QString::fromLatin1(o.Value))
                                 : QCommandLineOption(QString::fromLatin1(o.Name)));
    // "-m" in either case, as it was always compared.
    const QCommandLineOption minimized(QStringList{QStringLiteral("m"), QStringLiteral("M")});
    parser.addOption(minimized);

    TCommandLine result;
    if (!parser.parse(arguments)) {
        result.Error = parser.errorText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.Error =
            QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return result;
    }
    result.Home = parser.value(home);
    result.Minimized = parser.isSet(minimized);
    result.Version = parser.isSet(version);
    result.Help = parser.isSet(help);
    return result;
}

QString CommandLineHelp() {
    QString text = QString::fromLatin1(kProgramHelp);
    for (const TQtOption& o : kQtOptions) {
        QString head = QStringLiteral("  -") + QString::fromLatin1(o.Name);
        if (o.Value) head += u' ' + QString::fromLatin1(o.Value);
        text += head.leftJustified(30) + u' ' + QString::fromLatin1(o.Description) + u'\n';
    }
    return text;
}

}  // namespace qb
