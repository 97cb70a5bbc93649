#include "storage/UFolderOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <utility>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

std::string Native(const std::u16string& path) {
    return ToUtf8(NativePath(path));
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder.push_back('/');
    return folder;
}

class TFd {
  public:
    explicit TFd(int fd) : FFd(fd) {}
    ~TFd() {
        if (FFd >= 0) ::close(FFd);
    }
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    int Get() const { return FFd; }
    bool Close() { return ::close(std::exchange(FFd, -1)) == 0; }

  private:
    int FFd;
};

[[noreturn]] void WriteError() {
    throw TknError(u"File Write Error!");
}

// The kernel copies the bytes itself where it can; read and write where it cannot.
bool CopyBytes(int from, int to, off_t size, bool durable) {
    const int64_t left = size - KernelCopy(from, nullptr, to, size, durable);
    if (left == 0 && size > 0) return true;
    // Start again from the file's beginning (also for files whose size lies, as in /proc).
    if (::lseek(from, 0, SEEK_SET) < 0 || ::lseek(to, 0, SEEK_SET) < 0 || ::ftruncate(to, 0) != 0)
        return false;
    std::unique_ptr<char[]> buffer(new char[1 << 20]);
    for (;;) {
        ssize_t got = ::read(from, buffer.get(), 1 << 20);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        for (ssize_t done = 0; done < got;) {
            ssize_t put = ::write(to, buffer.get() + done, static_cast<size_t>(got - done));
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) return false;
            done += put;
        }
    }
}

}  // namespace

bool CopyFileReplacing(const std::u16string& from, const std::u16string& to, bool durable) {
    TFd source(::open(Native(from).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (source.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return false;
        throw TknError(u"File Open Error!");
    }
    if (::fstat(source.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const std::string target = Native(to);
    const size_t slash = target.rfind('/');
    std::string temp =
        target.substr(0, slash + 1) + "." + target.substr(slash + 1, 100) + ".XXXXXX";
    TFd copy(::mkostemp(temp.data(), O_CLOEXEC));
    if (copy.Get() < 0) WriteError();
    bool ok = ::fchmod(copy.Get(), st.st_mode & 0777) == 0 &&
              CopyBytes(source.Get(), copy.Get(), st.st_size, durable) &&
              (!durable || ::fsync(copy.Get()) == 0);
    ok = copy.Close() && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        WriteError();
    }
    return true;
}

void CreateFolders(const std::u16string& folder) {
    if (!MakePrivateFolders(Native(folder))) throw TknError(u"Cannot create folder: " + folder);
}

std::vector<TFolderEntry> ListFolder(const std::u16string& folder) {
    const std::string path = WithSlash(Native(folder));
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir) throw TknError(u"Cannot read folder: " + folder);
    std::vector<TFolderEntry> entries;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat own {
        }, target{};
        const std::string full = path + name;
        bool isLink = ::lstat(full.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
        bool exists = ::stat(full.c_str(), &target) == 0;
        entries.push_back({std::move(name), exists && !isLink && S_ISDIR(target.st_mode),
                           exists && S_ISREG(target.st_mode)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const TFolderEntry& a, const TFolderEntry& b) { return a.Name < b.Name; });
    return entries;
}

void SyncFolderEntries(const std::u16string& folder) {
    TFd fd(::open(Native(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0 || ::fsync(fd.Get()) != 0) WriteError();
}

void RenameIntoPlace(const std::u16string& from, const std::u16string& to) {
    std::string target = Native(to);
    while (target.size() > 1 && target.back() == '/') target.pop_back();
    std::string source = Native(from);
    while (source.size() > 1 && source.back() == '/') source.pop_back();
    if (::rename(source.c_str(), target.c_str()) != 0) {
        // A folder of that name (a backup made in the same second) gives way to the new one:
        // the two swap names in one step and the old one goes.
        struct stat st {};
        if ((errno != ENOTEMPTY && errno != EEXIST) || ::lstat(target.c_str(), &st) != 0 ||
            !S_ISDIR(st.st_mode) ||
            ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0)
            WriteError();
        RemoveFilesAndFolder(from);
    }
    SyncFolderEntries(FromUtf8(std::filesystem::path(target).parent_path().string()));
}

bool RemoveFilesAndFolder(const std::u16string& folder) {
    const std::string path = WithSlash(Native(folder));
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir) return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        struct stat st {};
        const std::string full = path + entry->d_name;
        if (::lstat(full.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(full.c_str());
    }
    dir.reset();
    return ::rmdir(path.c_str()) == 0;
}

}  // namespace qb
