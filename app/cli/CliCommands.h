#pragma once

// The command table of quillbox-cli. Each group of commands lives in its own file and adds
// itself through one Register function that CliMain.cpp calls.

#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace qb::cli {

struct TCliContext {
    std::vector<std::u16string> Args;  // the command's own arguments, UTF-16
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
};

// Raised for wrong arguments: the tool prints the message with the command's usage, exit 2.
class TUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TCliHandler = int (*)(TCliContext&);

// A command that changes the notebook (or the program folder's files) holds the notebook lock
// while it runs, or is carried out by the desktop program that holds it.
enum TCliAccess { caRead, caWrite, caWriteInput /* a change that reads standard input */ };

struct TCliCommand {
    std::string Name;
    std::string Usage;    // arguments after the name, e.g. "ID NAME"
    std::string Summary;  // one line for --help
    TCliHandler Run;
    TCliAccess Access = caRead;
    size_t ChangeArgs = 0;  // with fewer arguments a writing command only reads
};

class TCliRegistry {
public:
    void Add(TCliCommand command) { FCommands.push_back(std::move(command)); }
    const TCliCommand* Find(const std::string& name) const;
    const std::vector<TCliCommand>& Commands() const { return FCommands; }

private:
    std::vector<TCliCommand> FCommands;
};

// Runs the program's start-up sequence on the notebook of the program folder (the data check,
// then the system pages), as the desktop program does before its window exists. Every command
// that works on the notebook calls it first. The command's changes then wait in memory and
// reach the files as one write when it has succeeded.
void OpenNotebook();
// Only the data check (a half-finished save is completed, older data converted): for commands
// that work on the files without the pages, so that a large notebook is not opened for them.
void CheckNotebook();

// Helpers shared by the command files.
std::string Utf8(const std::u16string& s);
void RequireArgs(const TCliContext& ctx, size_t min, size_t max);
int32_t ArgToInt(const std::u16string& arg, const char* what);

void RegisterPageCommands(TCliRegistry& registry);
void RegisterTreeCommands(TCliRegistry& registry);
void RegisterOptionCommands(TCliRegistry& registry);
void RegisterEditCommands(TCliRegistry& registry);
void RegisterCalcCommands(TCliRegistry& registry);
void RegisterIoCommands(TCliRegistry& registry);
void RegisterTrayCommands(TCliRegistry& registry);
void RegisterAccelCommands(TCliRegistry& registry);

}  // namespace qb::cli
