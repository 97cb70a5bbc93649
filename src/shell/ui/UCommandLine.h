#pragma once

// The desktop program's command line: its own options (--home DIR, -m, --version, --help)
// and Qt's, which are left in place for the QApplication to take. Parsed before the
// application exists, so that --help and --version need no display.

#include <QString>
#include <QStringList>

namespace qb {

struct TCommandLine {
    QString Home;
    bool Minimized = false;
    bool Version = false;
    bool Help = false;
    QString Error;  // empty when the line is sound
};

// arguments: the whole line, the program's name first.
TCommandLine ParseCommandLine(const QStringList& arguments);
// The text of --help: the program's options, then Qt's.
QString CommandLineHelp();

}  // namespace qb
