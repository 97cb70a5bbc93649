// quillbox-cli: the headless tool for scripting and checking a notebook's data files.
// Usage: quillbox-cli [--home DIR] COMMAND [ARGS...]; UTF-8 on its side. Exit codes: 0 success,
// 1 failure (message on stderr), 2 usage error.

#include <iostream>
#include <memory>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/USysPageManager.h"
#include "shell/UknClasses.h"
#include "shell/UProgramServices.h"

namespace qb::cli {

const TCliCommand* TCliRegistry::Find(const std::string& name) const {
    for (const auto& c : FCommands)
        if (c.Name == name) return &c;
    return nullptr;
}

namespace {

std::unique_ptr<TSysPageManager> gSysPages;

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
    OpenProgramData([](const std::u16string& m) { throw TknError(u"Data check failed: " + m); });
}

void OpenNotebook() {
    // Built once, as the workspace builds it: the first start creates the system pages.
    if (gSysPages) return;
    CheckNotebook();
    gSysPages = std::make_unique<TSysPageManager>();
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

int Run(int argc, char** argv) {
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
    TCliContext ctx{{}, std::cin, std::cout, std::cerr};
    for (int k = i + 1; k < argc; ++k) ctx.Args.push_back(FromUtf8(argv[k]));
    try {
        return command->Run(ctx);
    } catch (const TUsageError& e) {
        std::cerr << "quillbox-cli " << command->Name << ": " << e.what() << "\n"
                  << "Usage: quillbox-cli " << command->Name << " " << command->Usage << "\n";
        return 2;
    } catch (const TknError& e) {
        std::cerr << "quillbox-cli " << command->Name << ": " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "quillbox-cli " << command->Name << ": " << e.what() << "\n";
        return 1;
    }
}

}  // namespace
}  // namespace qb::cli

int main(int argc, char** argv) { return qb::cli::Run(argc, argv); }
