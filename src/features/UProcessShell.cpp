#include "features/UProcessShell.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

// What the started processes report back through the pipe before it closes.
enum TReportKind : char { rkFolder = 'C', rkExec = 'E', rkExit = 'X' };
struct TReport {
    char Kind;
    int Value;
};

void Report(int fd, TReportKind kind, int value) {
    TReport report{kind, value};
    ssize_t ignored = ::write(fd, &report, sizeof report);
    (void)ignored;
}

bool HasScheme(std::u16string_view target) {
    size_t colon = target.find(u':');
    if (colon == std::u16string_view::npos || colon < 2) return false;  // "C:" is no scheme
    for (size_t i = 0; i < colon; ++i) {
        char16_t c = target[i];
        bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        bool other = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
        if (!letter && !(i > 0 && other)) return false;
    }
    return true;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// Runs in the grandchild: never returns.
[[noreturn]] void Exec(const std::vector<char*>& argv, const std::string& folder, int fd) {
    int null = ::open("/dev/null", O_RDONLY);
    if (null >= 0) ::dup2(null, STDIN_FILENO);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        Report(fd, rkFolder, errno);
        ::_exit(127);
    }
    ::execv(argv[0], argv.data());
    Report(fd, rkExec, errno);
    ::_exit(127);
}

// Runs in the child: starts the grandchild in a session of its own, so that it outlives the
// program and leaves no zombie; waits up to `wait` ms for it when asked.
[[noreturn]] void Launch(const std::vector<char*>& argv, const std::string& folder, int fd,
                         uint32_t wait) {
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild == 0) Exec(argv, folder, fd);
    if (grandchild < 0) {
        Report(fd, rkExec, errno);
        ::_exit(127);
    }
    for (uint32_t waited = 0; waited < wait; waited += 10) {
        int status = 0;
        if (::waitpid(grandchild, &status, WNOHANG) == grandchild) {
            Report(fd, rkExit, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
            break;
        }
        ::usleep(10000);
    }
    ::_exit(0);
}

int ExecResult(int error, bool opener) {
    switch (error) {
        case ENOENT:
            return opener ? seNoAssoc : seFileNotFound;
        case ENOTDIR:
            return sePathNotFound;
        case EACCES:
        case EPERM:
            return seAccessDenied;
        case ENOEXEC:
            return seBadFormat;
        case ETXTBSY:
            return seShareViolation;
        default:
            return seUnknown;
    }
}

// xdg-open: 2 file not found, 3 no program for it, 4 the program failed.
int OpenerResult(int status) {
    switch (status) {
        case 0:
            return kShellOk;
        case 2:
            return seFileNotFound;
        case 3:
        case 4:
            return seNoAssoc;
        default:
            return seUnknown;
    }
}

// `opener`: the program is xdg-open, given `wait` ms to report; else a program of the user's.
int Run(std::vector<std::string> args, const std::string& folder, bool opener, uint32_t wait) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) return seUnknown;
    pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        Launch(argv, folder, pipe[1], opener ? wait : 0);
    }
    ::close(pipe[1]);
    TReport report{0, 0};
    ssize_t got = 0;
    while (child > 0 && (got = ::read(pipe[0], &report, sizeof report)) < 0 && errno == EINTR) {
    }
    ::close(pipe[0]);
    if (child < 0) return seUnknown;
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    if (got != static_cast<ssize_t>(sizeof report)) return kShellOk;  // started
    switch (report.Kind) {
        case rkFolder:
            return report.Value == EACCES ? seAccessDenied : sePathNotFound;
        case rkExit:
            return OpenerResult(report.Value);
        default:
            return ExecResult(report.Value, opener);
    }
}

}  // namespace

std::u16string FindProgram(const std::u16string& program) {
    if (program.find(u'/') != std::u16string::npos)
        return IsExecutableFile(ToUtf8(program)) ? program : std::u16string();
    const char* path = std::getenv("PATH");
    std::u16string found;
    SplitText(FromUtf8(path ? path : ""), u":", [&](std::u16string_view folder) {
        std::u16string candidate = std::u16string(folder) + u"/" + program;
        if (found.empty() && !folder.empty() && IsExecutableFile(ToUtf8(candidate)))
            found = candidate;
    });
    return found;
}

std::vector<std::string> SplitParameters(std::u16string_view parameters) {
    std::vector<std::string> args;
    std::u16string current;
    bool inQuotes = false, inArg = false;
    for (size_t i = 0; i < parameters.size(); ++i) {
        char16_t c = parameters[i];
        if (c == u'\\' && inQuotes && i + 1 < parameters.size() && parameters[i + 1] == u'"') {
            current.push_back(u'"');
            ++i;
        } else if (c == u'"') {
            inQuotes = !inQuotes;
            inArg = true;
        } else if ((c == u' ' || c == u'\t') && !inQuotes) {
            if (inArg) args.push_back(ToUtf8(current));
            current.clear();
            inArg = false;
        } else {
            current.push_back(c);
            inArg = true;
        }
    }
    if (inArg) args.push_back(ToUtf8(current));
    return args;
}

int TProcessShell::Open(const std::u16string& target, const std::u16string& parameters,
                        const std::u16string& folder) {
    if (target.empty()) return seFileNotFound;
    std::string path = ToUtf8(target);
    std::string dir = ToUtf8(folder);
    auto runProgram = [&](const std::u16string& program) {
        std::vector<std::string> args{ToUtf8(program)};
        for (std::string& a : SplitParameters(parameters)) args.push_back(std::move(a));
        return Run(std::move(args), dir, false, 0);
    };
    bool scheme = HasScheme(target);
    if (!scheme && IsExecutableFile(path)) return runProgram(target);
    if (scheme || Exists(path)) {
        std::u16string opener = FindProgram(u"xdg-open");
        if (opener.empty()) return seNoAssoc;
        return Run({ToUtf8(opener), path}, dir, true, OpenerWait);
    }
    // A bare name may be a program on the PATH, as the shell's own look-up would find it.
    if (path.find('/') == std::string::npos) {
        std::u16string program = FindProgram(target);
        return program.empty() ? seFileNotFound : runProgram(program);
    }
    return Exists(path.substr(0, path.rfind('/') + 1)) ? seFileNotFound : sePathNotFound;
}

void TProcessShell::Pause(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace qb
