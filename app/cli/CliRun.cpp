// The runner of quillbox-cli's commands, in the tool and in the desktop program.

#include "CliRun.h"

#include <chrono>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/USysPageManager.h"
#include "shell/UknClasses.h"
#include "shell/UProgramServices.h"
#include "storage/UNotebookLock.h"
#include "storage/UPageStore.h"

namespace qb::cli {

const TCliCommand* TCliRegistry::Find(const std::string& name) const {
    for (const auto& c : FCommands)
        if (c.Name == name) return &c;
    return nullptr;
}

namespace {

std::unique_ptr<TSysPageManager> gSysPages;
// In the desktop program the notebook is open already: commands only batch their changes.
bool gHosted = false;
bool gBatchOpen = false;

constexpr char kToolName[] = "quillbox-cli";
constexpr char kProgramName[] = "quillbox";
// How long a writer waits for another quillbox-cli to finish with the notebook.
constexpr auto kWriterWait = std::chrono::seconds(30);
constexpr int kAcceptMs = 5000;

// The program's single objects go in a fixed order before the process ends: left to the
// destruction of statics, a manager could outlive one its destructor still calls.
class TGlobalsAtEnd {
  public:
    TGlobalsAtEnd() = default;
    ~TGlobalsAtEnd() {
        gSysPages.reset();
        ReleaseProgramGlobals();
    }
    TGlobalsAtEnd(const TGlobalsAtEnd&) = delete;
    TGlobalsAtEnd& operator=(const TGlobalsAtEnd&) = delete;
};

}  // namespace

void CheckNotebook() {
    // The desktop program that hosts a command checked its notebook when it started.
    if (gHosted || gSysPages) return;
    OpenProgramData([](const std::u16string& m) { throw TknError(u"Data check failed: " + m); });
}

void OpenNotebook() {
    if (gBatchOpen) return;
    // Built once, as the workspace builds it: the first start creates the system pages.
    if (!gHosted && !gSysPages) {
        CheckNotebook();
        gSysPages = std::make_unique<TSysPageManager>();
    }
    GetStore().BeginBatch();
    gBatchOpen = true;
}

std::string Utf8(const std::u16string& s) { return ToUtf8(s); }

void RequireArgs(const TCliContext& ctx, size_t min, size_t max) {
    if (ctx.Args.size() < min) throw TUsageError("missing arguments");
    if (ctx.Args.size() > max) throw TUsageError("too many arguments");
}

int32_t ArgToInt(const std::u16string& arg, const char* what) {
    try {
        int64_t v = StrToInt(arg);
        if (v < INT32_MIN || v > INT32_MAX) throw TknError(u"");
        return static_cast<int32_t>(v);
    } catch (const TknError&) {
        throw TUsageError(std::string(what) + " must be a whole number: " + ToUtf8(arg));
    }
}

namespace {

void PrintHelp(const TCliRegistry& registry, std::ostream& out) {
    out << "Usage: quillbox-cli [--home DIR] COMMAND [ARGS...]\n"
           "       quillbox-cli --version | --help\n\n"
           "Works on the notebook in the program folder: DIR, else $QUILLBOX_HOME, else the\n"
           "folder of the executable when it holds quillbox.ini or data/, else\n"
           "~/.local/share/quillbox.\n\nCommands:\n";
    for (const auto& c : registry.Commands()) {
        std::string head = "  " + c.Name + (c.Usage.empty() ? "" : " " + c.Usage);
        out << head;
        if (head.size() < 34) out << std::string(34 - head.size(), ' ');
        else out << "\n" << std::string(34, ' ');
        out << c.Summary << "\n";
    }
}

TCliRegistry BuildRegistry() {
    TCliRegistry registry;
    RegisterPageCommands(registry);
    RegisterTreeCommands(registry);
    RegisterOptionCommands(registry);
    RegisterEditCommands(registry);
    RegisterCalcCommands(registry);
    RegisterIoCommands(registry);
    RegisterTrayCommands(registry);
    RegisterAccelCommands(registry);
    return registry;
}

// The command's changes reach the files as one write once it has succeeded. After a failure
// the tool writes nothing (its store goes unwritten); in the desktop program the changes are
// in its pages already, and the batch ends either way.
void EndCommandBatch(bool succeeded) {
    if (!gBatchOpen) return;
    gBatchOpen = false;
    if (succeeded || gHosted) GetStore().EndBatch();
}

// Runs the command and turns its errors into exit codes. What a command printed before it
// failed is printed too, but not the output of one whose final write failed. A reading
// command has no such write to wait for: its output goes straight out, so that the tree of a
// large notebook is not held in memory first.
int Execute(const TCliCommand& command, TCliContext& ctx) {
    std::ostringstream out;
    const bool held = command.Access != caRead;
    TCliContext inner{ctx.Args, ctx.In, held ? out : ctx.Out, ctx.Err};
    auto fail = [&](const std::string& message, int code) {
        try {
            EndCommandBatch(false);
        } catch (...) {
            // the failure already reported is the one that counts
        }
        ctx.Err << kToolName << " " << command.Name << ": " << message << "\n";
        if (code == 2) ctx.Err << "Usage: " << kToolName << " " << command.Name << " "
                               << command.Usage << "\n";
        return code;
    };
    int code = 0;
    try {
        code = command.Run(inner);
    } catch (const TUsageError& e) {
        return fail(e.what(), 2);
    } catch (const std::exception& e) {
        ctx.Out << out.view();
        return fail(e.what(), 1);
    }
    try {
        EndCommandBatch(true);
    } catch (const std::exception& e) {
        return fail(e.what(), 1);
    }
    ctx.Out << out.view();
    return code;
}

// A writing command waits while another quillbox-cli has the notebook, and goes to the
// desktop program when that holds it. True: this process holds the lock now.
bool TakeNotebook(TNotebookHolder& holder) {
    TNotebookLock& lock = NotebookLock();
    const auto end = std::chrono::steady_clock::now() + kWriterWait;
    for (;;) {
        if (lock.TryAcquire(kToolName)) return true;
        holder = lock.Holder();
        if (holder.Program == kProgramName) return false;
        if (std::chrono::steady_clock::now() > end)
            throw TknError(HolderText(holder) + u"; nothing was changed");
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int Forward(const TNotebookHolder& holder, const TCliCommand& command, int argc, char** argv,
            int first, std::istream& in) {
    TRemoteRequest request;
    for (int k = first; k < argc; ++k) request.Args.emplace_back(argv[k]);
    if (command.Access == caWriteInput) {
        std::ostringstream input;
        input << in.rdbuf();
        request.Input = input.str();
    }
    TRemoteReply reply =
        SendToProgram(ProgramSocketPath(ProgramFolder()), request, holder, kAcceptMs);
    std::cout << reply.Out;
    std::cerr << reply.Err;
    return reply.Exit;
}

}  // namespace

int RunTool(int argc, char** argv) {
    TCliRegistry registry = BuildRegistry();
    int i = 1;
    std::u16string home;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--version") {
            std::cout << "quillbox-cli " << QB_VERSION << "\n";
            return 0;
        }
        if (a == "--help" || a == "-h") {
            PrintHelp(registry, std::cout);
            return 0;
        }
        if (a == "--home") {
            if (i + 1 >= argc) {
                std::cerr << "quillbox-cli: --home needs a folder\n";
                return 2;
            }
            home = FromUtf8(argv[++i]);
            continue;
        }
        break;
    }
    if (i >= argc) {
        PrintHelp(registry, std::cerr);
        return 2;
    }
    const TCliCommand* command = registry.Find(argv[i]);
    if (!command) {
        std::cerr << "quillbox-cli: unknown command '" << argv[i] << "' (see --help)\n";
        return 2;
    }
    if (!home.empty()) SetProgramFolder(home);
    TGlobalsAtEnd globals;
    if (command->Access != caRead && static_cast<size_t>(argc - i - 1) >= command->ChangeArgs) {
        TNotebookHolder holder;
        try {
            if (!TakeNotebook(holder)) return Forward(holder, *command, argc, argv, i, std::cin);
        } catch (const TknError& e) {
            std::cerr << kToolName << " " << command->Name << ": " << e.what() << "\n";
            return 1;
        }
    }
    TCliContext ctx{{}, std::cin, std::cout, std::cerr};
    for (int k = i + 1; k < argc; ++k) ctx.Args.push_back(FromUtf8(argv[k]));
    return Execute(*command, ctx);
}


TRemoteReply RunHosted(const TRemoteRequest& request) {
    static const TCliRegistry registry = BuildRegistry();
    TRemoteReply reply;
    const TCliCommand* command = request.Args.empty() ? nullptr : registry.Find(request.Args[0]);
    if (!command || command->Access == caRead) {
        reply.Err = std::string(kProgramName) + ": not a command it carries out\n";
        return reply;
    }
    std::istringstream in(request.Input);
    std::ostringstream out, err;
    TCliContext ctx{{}, in, out, err};
    for (size_t k = 1; k < request.Args.size(); ++k) ctx.Args.push_back(FromUtf8(request.Args[k]));
    gHosted = true;
    reply.Exit = Execute(*command, ctx);
    gHosted = false;
    reply.Out = out.str();
    reply.Err = err.str();
    return reply;
}

}  // namespace qb::cli
