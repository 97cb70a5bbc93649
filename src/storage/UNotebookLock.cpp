#include "storage/UNotebookLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

constexpr char kLockName[] = "quillbox.lock";

std::unique_ptr<TNotebookLock> GLock;

std::string LockPath(const std::u16string& dataFolder) {
    return ToUtf8(NativePath(dataFolder)) + kLockName;
}

int OpenLockFile(const std::string& path) {
    MakePrivateFolders(std::filesystem::path(path).parent_path().string());
    return ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

bool SameFolder(const std::u16string& a, const std::u16string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(ToUtf8(NativePath(a)), ToUtf8(NativePath(b)), ec);
}

}  // namespace

TNotebookLock::TNotebookLock(std::u16string dataFolder)
    : FDataFolder(std::move(dataFolder)), FPath(LockPath(FDataFolder)) {}

TNotebookLock::~TNotebookLock() {
    Release();
}

bool TNotebookLock::TryAcquire(std::string_view program) {
    if (Held()) return true;
    int fd = OpenLockFile(FPath);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    const std::string line = std::to_string(::getpid()) + " " + std::string(program) + "\n";
    // The holder line is a courtesy for messages; the lock itself is the flock.
    if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, line.data(), line.size(), 0);
    FHandle = fd;
    return true;
}

void TNotebookLock::Release() {
    if (FHandle < 0) return;
    // The line goes first: a file naming a process that has let go would mislead.
    (void)!::ftruncate(FHandle, 0);
    ::close(FHandle);
    FHandle = -1;
}

TNotebookHolder TNotebookLock::Holder() const {
    TNotebookHolder holder;
    int fd = ::open(FPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return holder;
    char buffer[256];
    ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    ::close(fd);
    if (n <= 0) return holder;
    std::string line(buffer, static_cast<size_t>(n));
    if (!line.ends_with('\n')) return holder;  // still being written
    line.pop_back();
    size_t space = line.find(' ');
    if (space == std::string::npos) return holder;
    holder.Pid = std::atoi(line.substr(0, space).c_str());
    holder.Program = line.substr(space + 1);
    return holder;
}

TNotebookLock& NotebookLock() {
    if (!GLock) GLock = std::make_unique<TNotebookLock>(ProgramFolder() + u"data/");
    return *GLock;
}

void ReleaseNotebookLock() {
    GLock.reset();
}

bool RunIfNotebookFree(const std::u16string& dataFolder, const std::function<void()>& work) {
    if (GLock && GLock->Held() && SameFolder(GLock->DataFolder(), dataFolder)) {
        work();
        return true;
    }
    TNotebookLock probe(dataFolder);
    if (!probe.TryAcquire("quillbox-check")) return false;
    work();
    return true;
}

std::string ProgramSocketPath(const std::u16string& programFolder) {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::weakly_canonical(
        ToUtf8(NativePath(programFolder)), ec);
    std::string name = ec ? ToUtf8(NativePath(programFolder)) : folder.string();
    while (name.size() > 1 && name.back() == '/') name.pop_back();
    const std::string key = name + '\0' + std::to_string(::getuid());
    uint64_t hash = 14695981039346656037ull;  // FNV-1a: short, and the same in every process
    for (unsigned char c : key) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/quillbox-" + hex + ".sock";
}

std::u16string HolderText(const TNotebookHolder& holder) {
    std::u16string program = holder.Program.empty() ? u"another program" : FromUtf8(holder.Program);
    if (holder.Pid > 0) program += u" (pid " + FromUtf8(std::to_string(holder.Pid)) + u")";
    return program + u" holds the notebook";
}

}  // namespace qb
