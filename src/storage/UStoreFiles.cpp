#include "storage/UStoreFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <filesystem>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "storage/UNotebookLock.h"

namespace qb {

namespace {

[[noreturn]] void WriteError() {
    throw TknError(u"File Write Error!");
}

void RenameFile(const std::u16string& from, const std::u16string& to) {
    if (std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) != 0) WriteError();
}

bool RemoveFile(const std::u16string& path) noexcept {
    return ::unlink(ToUtf8(path).c_str()) == 0 || errno == ENOENT;
}

// Renames reach the disk only when their folder is flushed.
void SyncFolder(const std::u16string& folder) {
    int fd = ::open(ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) WriteError();
    int rc = ::fsync(fd);
    ::close(fd);
    if (rc != 0) WriteError();
}

void WriteText(const std::u16string& path, std::u16string_view text, bool marker) {
    TknTextFile file(path, fmWriteAtomic, enUTF16LE, marker);
    file.Write(text);
    file.Commit();
}

// A process killed while writing leaves the file layer's temporary files (".<name>.XXXXXX")
// behind; the data file's can be large.
void RemoveTemporaries(const std::u16string& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ToUtf8(folder), ec)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(".quillbox.idx.") || name.starts_with(".quillbox.dat."))
            std::filesystem::remove(entry.path(), ec);
    }
}

// A pending file takes the mode of the file it will replace, so that a user's chmod survives
// every save.
void KeepMode(const std::u16string& real, const std::u16string& pending) {
    struct stat st {};
    if (::stat(ToUtf8(real).c_str(), &st) == 0) ::chmod(ToUtf8(pending).c_str(), st.st_mode & 07777);
}

// Pending names carry the writer's pid, so two processes never write the same file.
std::u16string PendingName(const std::u16string& path, int pid) {
    return path + u"." + FromUtf8(std::to_string(pid)) + u".pending";
}

// The pids of the pending index files in the folder; 0 for the name without a pid.
std::vector<int> PendingPids(const std::u16string& folder) {
    std::vector<int> pids;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ToUtf8(folder), ec)) {
        std::string name = entry.path().filename().string();
        if (name.size() < 20 || !name.starts_with("quillbox.") || !name.ends_with(".pending"))
            continue;
        std::string middle = name.substr(9, name.size() - 9 - 8);  // "idx" or "dat", then the tag
        if (!middle.starts_with("idx") && !middle.starts_with("dat")) continue;
        std::string tag = middle.substr(3);
        int pid = tag.empty() ? 0 : std::atoi(tag.c_str() + 1);
        if ((tag.empty() || pid > 0) && std::find(pids.begin(), pids.end(), pid) == pids.end())
            pids.push_back(pid);
    }
    return pids;
}

}  // namespace

TStoreFiles::TStoreFiles(std::u16string folder)
    : FFolder(std::move(folder)),
      FIndexPath(FFolder + u"quillbox.idx"),
      FDataPath(FFolder + u"quillbox.dat"),
      FIndexPending(PendingName(FIndexPath, ::getpid())),
      FDataPending(PendingName(FDataPath, ::getpid())) {
    // A folder that cannot be made fails the first open with its message.
    MakePrivateFolders(ToUtf8(NativePath(FFolder)));
    // What a killed writer left; a live writer's files are left alone.
    RunIfNotebookFree(FFolder, [this] {
        RemoveTemporaries(FFolder);
        RecoverLeftovers();
    });
}

void TStoreFiles::RecoverLeftovers() {
    for (int pid : PendingPids(FFolder)) {
        const std::u16string index = pid ? PendingName(FIndexPath, pid) : FIndexPath + u".pending";
        const std::u16string data = pid ? PendingName(FDataPath, pid) : FDataPath + u".pending";
        RecoverPair(index, data);
    }
}

TIndexText::TIndexText(const std::u16string& path) {
    const int fd = ::open(ToUtf8(NativePath(path)).c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size > 2 && st.st_size % 2 == 0) {
        void* map = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ,
                           MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (map != MAP_FAILED && *static_cast<const uint8_t*>(map) != kFileMarker) {
            FMap = map;
            FMapSize = static_cast<size_t>(st.st_size);
            FText = {reinterpret_cast<const char16_t*>(static_cast<const char*>(map) + 2),
                     FMapSize / 2 - 1};
        } else if (map != MAP_FAILED) {
            ::munmap(map, static_cast<size_t>(st.st_size));
        }
    }
    if (fd >= 0) ::close(fd);
    if (FMap) return;
    FCopy = TknTextFile(path, fmRead, enUTF16LE).ReadText();  // creates a missing file
    FText = FCopy;
}

TIndexText::~TIndexText() {
    if (FMap) ::munmap(FMap, FMapSize);
}

std::unique_ptr<TIndexText> TStoreFiles::ReadIndexText() {
    Recover();
    return std::make_unique<TIndexText>(FIndexPath);
}

int64_t TStoreFiles::DataLength() {
    Recover();
    return TknTextFile(FDataPath, fmRead, enUTF16LE).TextLength();
}

TknTextFile& TStoreFiles::Reader() {
    if (!FReader) {
        Recover();
        FReader = std::make_unique<TknTextFile>(FDataPath, fmRead, enUTF16LE);
    }
    return *FReader;
}

std::u16string TStoreFiles::ReadData(int64_t pos, int64_t count) {
    std::u16string text;
    ReadDataInto(pos, count, text);
    return text;
}

void TStoreFiles::ReadDataInto(int64_t pos, int64_t count, std::u16string& text) {
    TknTextFile& file = Reader();
    const int64_t length = file.TextLength();
    const int64_t n = pos < 0 || pos >= length || count <= 0 ? 0 : std::min(count, length - pos);
    text.resize(static_cast<size_t>(n));
    if (n == 0) return;
    file.SeekChar(pos);
    const int64_t got = file.Read(text.data(), 2 * n);
    text.resize(static_cast<size_t>(got / 2 + got % 2));
    if (got % 2) text.back() = u'\uFFFD';  // half a unit at the end, as ReadText gives it
}

void TStoreFiles::WriteData(const std::vector<TDataPiece>& pieces, bool marker) {
    TknTextFile from(FDataPath, fmRead, enUTF16LE);
    const int64_t length = from.TextLength();
    TknTextFile to(FDataPending, fmWriteAtomic, enUTF16LE, marker);
    for (const TDataPiece& piece : pieces) {
        if (piece.Pos < 0) {
            to.Write(piece.Text);
            continue;
        }
        int64_t first = std::min(piece.Pos, length);
        int64_t last = piece.Count < 0 ? length : std::min(length, piece.Pos + piece.Count);
        from.CopyRangeTo(to, from.DataStart() + 2 * first, 2 * (last - first));
    }
    to.Commit();
}

void TStoreFiles::WritePair(const std::vector<TDataPiece>& pieces, std::u16string_view indexText,
                            bool marker) {
    Recover();
    try {
        WriteData(pieces, marker);
        KeepMode(FDataPath, FDataPending);
        // The complete pending index commits the pair (see Recover).
        WriteText(FIndexPending, indexText, marker);
        KeepMode(FIndexPath, FIndexPending);
    } catch (...) {
        DiscardPending();
        throw;
    }
}

void TStoreFiles::Recover() {
    RecoverPair(FIndexPending, FDataPending);
}

void TStoreFiles::RecoverPair(const std::u16string& indexPending,
                              const std::u16string& dataPending) {
    if (FileExists(indexPending)) {
        FReader.reset();
        // The data file is renamed first, so a missing pending data file has already moved.
        if (FileExists(dataPending)) RenameFile(dataPending, FDataPath);
        RenameFile(indexPending, FIndexPath);
        SyncFolder(FFolder);
    } else if (FileExists(dataPending)) {
        if (!RemoveFile(dataPending)) WriteError();
    }
}

void TStoreFiles::WriteIndex(std::u16string_view indexText, bool marker) {
    Recover();
    WriteText(FIndexPath, indexText, marker);
}

void TStoreFiles::DiscardPending() noexcept {
    // The index first: without it a leftover data file is never taken for a finished pair.
    if (RemoveFile(FIndexPending)) RemoveFile(FDataPending);
}

}  // namespace qb
