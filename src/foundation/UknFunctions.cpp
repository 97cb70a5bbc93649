#include "foundation/UknFunctions.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

std::optional<std::u16string>& ProgramFolderCache() {
    static std::optional<std::u16string> folder;
    return folder;
}

std::u16string WithSlash(std::u16string folder) {
    if (folder.empty() || (folder.back() != u'/' && folder.back() != u'\\')) folder.push_back(u'/');
    return NativePath(folder);
}

bool PathExists(const std::u16string& path) {
    struct stat st {};
    return ::stat(ToUtf8(path).c_str(), &st) == 0;
}

std::u16string EnvFolder(const char* name) {
    const char* v = std::getenv(name);
    return (v && *v) ? FromUtf8(v) : std::u16string();
}

}  // namespace

std::u16string NativePath(std::u16string_view p) { return ReplaceAll(p, u"\\", u"/"); }

std::u16string ExecutablePath() {
    char buffer[4096];
    ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return FromUtf8(std::string_view(buffer, static_cast<size_t>(n)));
}

std::u16string ResolveProgramFolder(std::u16string_view executablePath) {
    std::u16string env = EnvFolder("QUILLBOX_HOME");
    if (!env.empty()) return WithSlash(env);
    std::u16string exeFolder = ExtractFilePath(executablePath);
    if (!exeFolder.empty() &&
        (PathExists(exeFolder + u"quillbox.ini") || PathExists(exeFolder + u"data")))
        return WithSlash(exeFolder);
    std::u16string data = EnvFolder("XDG_DATA_HOME");
    if (data.empty()) data = EnvFolder("HOME") + u"/.local/share";
    return WithSlash(data + u"/quillbox");
}

const std::u16string& ProgramFolder() {
    auto& folder = ProgramFolderCache();
    if (!folder) folder = ResolveProgramFolder(ExecutablePath());
    return *folder;
}

void SetProgramFolder(std::u16string_view folder) {
    auto& cache = ProgramFolderCache();
    if (folder.empty()) cache.reset();
    else cache = WithSlash(std::u16string(folder));
}

std::u16string ExtractFilePath(std::u16string_view p) {
    size_t at = p.find_last_of(u"\\/:");
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(p.substr(0, at + 1));
}

}  // namespace qb
