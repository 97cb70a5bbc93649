#include "foundation/UknFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/ucnv.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"

namespace qb {

namespace {

static_assert(std::endian::native == std::endian::little, "UTF-16 LE is copied as it is");

constexpr char16_t kReplacement = 0xFFFD;
constexpr int64_t kMaxChunk = 1 << 20;
constexpr size_t kAheadBlock = 64 << 10;
constexpr size_t kMaxTempNameStem = 200;  // leaves room for ".XXXXXX" within NAME_MAX

[[noreturn]] void Fail(const char16_t* message) {
    throw TknError(message);
}

// --- plain POSIX helpers ---

// Reads until n bytes or the end of the file; -1 on failure.
int64_t ReadFully(int handle, void* buffer, int64_t n) {
    auto* p = static_cast<char*>(buffer);
    int64_t done = 0;
    while (done < n) {
        ssize_t got = ::read(handle, p + done, static_cast<size_t>(std::min(n - done, kMaxChunk)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += got;
    }
    return done;
}

class THandle {
public:
    explicit THandle(int handle) : FHandle(handle) {}
    ~THandle() {
        if (FHandle >= 0) ::close(FHandle);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    int Get() const { return FHandle; }

private:
    int FHandle;
};

std::string NativeUtf8(const std::u16string& path) {
    return ToUtf8(NativePath(path));
}

// The folder part including its "/", empty for a bare name. Only "/" separates here: after
// NativePath a ":" is an ordinary character of a file name.
std::string FolderOf(const std::string& path) {
    size_t at = path.rfind('/');
    return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

void CreateFolderOf(const std::string& path) {
    std::string folder = FolderOf(path);
    if (!folder.empty()) ::mkdir(folder.c_str(), 0700);  // one level; open reports a failure
}

// The umask without changing it (umask() would, for a moment, for every thread).
mode_t CurrentUmask() {
    std::FILE* status = std::fopen("/proc/self/status", "re");
    unsigned mask = 022;
    if (!status) return mask;
    char line[128];
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
    std::fclose(status);
    return static_cast<mode_t>(mask);
}

// A symbolic link is replaced through its target, so that the link survives an atomic write.
std::string ResolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

// Makes a finished rename durable; failures only lose durability, never data.
void SyncFolder(const std::string& folder) {
    THandle handle(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.Get() >= 0) ::fsync(handle.Get());
}

int StatMode(const std::u16string& path) {
    struct stat st {};
    return ::stat(NativeUtf8(path).c_str(), &st) == 0 ? static_cast<int>(st.st_mode) : -1;
}

// --- the ANSI code page ---

struct TConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using TConverterPtr = std::unique_ptr<UConverter, TConverterCloser>;

std::string CurrentLocaleName() {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return value;
    }
    return {};
}

TConverterPtr OpenAnsiConverter() {
    for (const char* name : {AnsiCodePage(CurrentLocaleName()), "windows-1252"}) {
        UErrorCode status = U_ZERO_ERROR;
        TConverterPtr converter(ucnv_open(name, &status));
        if (U_FAILURE(status) || !converter) continue;
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
        return converter;
    }
    return nullptr;
}

// One converter per thread (a converter keeps state), reset before each use.
UConverter* AnsiConverter() {
    thread_local TConverterPtr converter = OpenAnsiConverter();
    if (converter) ucnv_reset(converter.get());
    return converter.get();
}

// Runs one ICU conversion step over the whole input, growing the output as needed.
template <typename TOut, typename TIn, typename TStep>
std::basic_string<TOut> Convert(std::basic_string_view<TIn> in, size_t guess, TStep step) {
    std::basic_string<TOut> out(guess, TOut());
    const TIn* source = in.data();
    size_t written = 0;
    for (;;) {
        TOut* target = out.data() + written;
        UErrorCode status = U_ZERO_ERROR;
        step(&target, out.data() + out.size(), &source, in.data() + in.size(), &status);
        written = static_cast<size_t>(target - out.data());
        if (status != U_BUFFER_OVERFLOW_ERROR) break;
        out.resize(out.size() * 2 + 16);
    }
    out.resize(written);
    return out;
}

// --- UTF-16 ---

// Sizes a text to the units that n bytes give; a trailing half unit cannot be decoded.
void FitUtf16(std::u16string& text, size_t n) {
    text.resize(n / 2 + n % 2);
    if (n % 2) text.back() = kReplacement;
}

std::u16string DecodeUtf16(const uint8_t* bytes, size_t n, bool bigEndian) {
    std::u16string out(n / 2, u'\0');
    if (!bigEndian && n >= 2) std::memcpy(out.data(), bytes, n / 2 * 2);
    if (bigEndian)
        for (size_t i = 0; i < n / 2; ++i)
            out[i] = static_cast<char16_t>(bytes[2 * i] << 8 | bytes[2 * i + 1]);
    FitUtf16(out, n);
    return out;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
    std::string out(text.size() * 2, '\0');
    if (!bigEndian) std::memcpy(out.data(), text.data(), out.size());
    if (bigEndian)
        for (size_t i = 0; i < text.size(); ++i) {
            out[2 * i] = static_cast<char>(text[i] >> 8);
            out[2 * i + 1] = static_cast<char>(text[i] & 0xFF);
        }
    return out;
}

std::string_view ByteOrderMark(TEncoding encoding) {
    switch (encoding) {
        case enUTF8BOM:
            return "\xEF\xBB\xBF";
        case enUTF16LE:
            return "\xFF\xFE";
        case enUTF16BE:
            return "\xFE\xFF";
        default:
            return {};
    }
}

// --- UTF-8 detection ---

// Checks well-formed UTF-8 block by block: no overlong forms, surrogates or values beyond
// U+10FFFF (what FromUtf8 would turn into U+FFFD), and no sequence cut by the end.
class TUtf8Check {
public:
    void Feed(const uint8_t* p, size_t n) {
        for (size_t i = 0; i < n && FOk; ++i) Step(p[i]);
    }
    bool Failed() const { return !FOk; }
    bool Passed() const { return FOk && FNeed == 0 && FSawHigh; }

private:
    void Step(uint8_t b) {
        if (FNeed > 0) {
            FOk = b >= FLow && b <= FHigh;
            --FNeed;
            FLow = 0x80;
            FHigh = 0xBF;
            return;
        }
        if (b < 0x80) return;
        FSawHigh = true;
        if (b >= 0xC2 && b <= 0xDF) {
            FNeed = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            FNeed = 2;
            FLow = b == 0xE0 ? 0xA0 : 0x80;
            FHigh = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            FNeed = 3;
            FLow = b == 0xF0 ? 0x90 : 0x80;
            FHigh = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            FOk = false;
        }
    }

    int FNeed = 0;
    uint8_t FLow = 0x80, FHigh = 0xBF;
    bool FOk = true, FSawHigh = false;
};

}  // namespace

// ---------------------------------------------------------------------------------- TknFile

TknFile::TknFile(std::u16string path, TFileMode mode) : FPath(std::move(path)), FMode(mode) {
    Open(mode);
}

TknFile::~TknFile() {
    Close();
}

void TknFile::Open(TFileMode mode) {
    ForgetAhead(0);
    const std::string target = NativeUtf8(FPath);
    if (mode == fmWriteAtomic) {
        CreateFolderOf(target);
        return OpenTemporary(target);
    }
    const int flags = (mode == fmRead ? O_RDONLY : O_WRONLY | O_TRUNC) | O_CLOEXEC;
    // The folder and the mode of a new file cost path work: they are seen to only when the
    // file is missing, not at every open of one that is there.
    FHandle = ::open(target.c_str(), flags);
    if (FHandle < 0 && errno == ENOENT) {
        CreateFolderOf(target);
        FHandle = ::open(target.c_str(), flags | O_CREAT, NewFileMode(target));
    }
    struct stat st {};
    if (FHandle >= 0 && mode == fmRead && ::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(FHandle);  // a folder opens for reading, but it is no file
        FHandle = -1;
    }
    if (FHandle < 0) Fail(u"File Open Error!");
}

// The temporary file sits beside the target (a rename never crosses file systems) and gets the
// target's permissions, or those of a new file.
void TknFile::OpenTemporary(const std::string& target) {
    FTargetPath = ResolveLink(target);
    const std::string folder = FolderOf(FTargetPath);
    const std::string name = FTargetPath.substr(folder.size());
    if (name.empty()) Fail(u"File Open Error!");
    std::string temp = folder + "." + name.substr(0, kMaxTempNameStem) + ".XXXXXX";
    FHandle = ::mkostemp(temp.data(), O_CLOEXEC);
    if (FHandle < 0) Fail(u"File Open Error!");
    FTempPath = std::move(temp);
    struct stat st {};
    ::fchmod(FHandle,
             ::stat(FTargetPath.c_str(), &st) == 0 ? st.st_mode & 07777 : NewFileMode(FTargetPath));
}

// An uncommitted temporary file is removed: the target stays as it was.
void TknFile::Close() {
    if (FHandle >= 0) ::close(FHandle);
    FHandle = -1;
    if (!FTempPath.empty()) ::unlink(FTempPath.c_str());
    FTempPath.clear();
}

void TknFile::Commit() {
    if (FTempPath.empty()) return;
    const int handle = std::exchange(FHandle, -1);
    bool ok = ::fsync(handle) == 0;
    ok = ::close(handle) == 0 && ok;
    ok = ok && ::rename(FTempPath.c_str(), FTargetPath.c_str()) == 0;
    if (!ok) {
        Close();
        Fail(u"File Write Error!");
    }
    FTempPath.clear();
    SyncFolder(FolderOf(FTargetPath));
}

void TknFile::Reopen(TFileMode mode) {
    Close();
    FMode = mode;
    Open(mode);
}

// The handle now stands at the position, and the block holds nothing.
void TknFile::ForgetAhead(int64_t position) {
    FAheadBase = position;
    FAheadAt = FAheadEnd = 0;
}

std::span<const uint8_t> TknFile::Ahead(size_t atLeast) {
    if (FAheadEnd - FAheadAt < atLeast && FMode == fmRead) {
        const size_t left = FAheadEnd - FAheadAt;
        if (left > 0) std::memmove(FAhead.data(), FAhead.data() + FAheadAt, left);
        FAheadBase += static_cast<int64_t>(FAheadAt);
        FAheadAt = 0;
        FAheadEnd = left;
        if (FAhead.size() < std::max(kAheadBlock, atLeast))
            FAhead.resize(std::max(kAheadBlock, atLeast));
        const int64_t got = ReadFully(FHandle, FAhead.data() + left,
                                      static_cast<int64_t>(FAhead.size() - left));
        if (got < 0) Fail(u"File Read Error!");
        FAheadEnd += static_cast<size_t>(got);
    }
    return {FAhead.data() + FAheadAt, FAheadEnd - FAheadAt};
}

// Small reads come from the block; a large one goes straight into the caller's buffer.
int64_t TknFile::Read(void* buffer, int64_t n) {
    if (n <= 0) return 0;
    auto* p = static_cast<uint8_t*>(buffer);
    const size_t held = std::min(FAheadEnd - FAheadAt, static_cast<size_t>(n));
    if (held > 0) std::memcpy(p, FAhead.data() + FAheadAt, held);
    FAheadAt += held;
    int64_t done = static_cast<int64_t>(held);
    if (done == n) return done;
    if (FMode == fmRead && n - done < static_cast<int64_t>(kAheadBlock)) {
        const std::span<const uint8_t> block = Ahead(1);
        const size_t more = std::min(block.size(), static_cast<size_t>(n - done));
        if (more > 0) std::memcpy(p + done, block.data(), more);
        FAheadAt += more;
        return done + static_cast<int64_t>(more);
    }
    const int64_t got = ReadFully(FHandle, p + done, n - done);
    if (got < 0) Fail(u"File Read Error!");
    ForgetAhead(FAheadBase + static_cast<int64_t>(FAheadEnd) + got);
    return done + got;
}

int64_t TknFile::Write(const void* buffer, int64_t n) {
    const auto* p = static_cast<const char*>(buffer);
    int64_t done = 0;
    while (done < n) {
        ssize_t put =
            ::write(FHandle, p + done, static_cast<size_t>(std::min(n - done, kMaxChunk)));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) Fail(u"File Write Error!");
        done += put;
    }
    return done;
}

int64_t TknFile::CopyRangeTo(TknFile& to, int64_t offset, int64_t n) {
    if (n <= 0) return 0;
    off_t from = offset;
    int64_t done = KernelCopy(FHandle, &from, to.FHandle, n, false);
    std::vector<uint8_t> buffer;
    SeekTo(offset + done);
    while (done < n) {
        buffer.resize(static_cast<size_t>(std::min(n - done, kMaxChunk)));
        const int64_t got = Read(buffer.data(), static_cast<int64_t>(buffer.size()));
        if (got == 0) break;
        to.Write(buffer.data(), got);
        done += got;
    }
    return done;
}

int64_t TknFile::Size() const {
    struct stat st {};
    if (::fstat(FHandle, &st) != 0) Fail(u"Cannot Get File Size!");
    return st.st_size;
}

int64_t TknFile::Position() const {
    if (FMode == fmRead) return FAheadBase + static_cast<int64_t>(FAheadAt);
    off_t at = ::lseek(FHandle, 0, SEEK_CUR);
    if (at < 0) Fail(u"File Read Error!");
    return at;
}

// A failed move would make the next read or write silently use the wrong place.
void TknFile::Seek(int64_t delta) {
    if (FMode == fmRead) return SeekTo(Position() + delta);
    if (::lseek(FHandle, delta, SEEK_CUR) < 0) Fail(u"File Read Error!");
}

// A move inside the block read ahead stays there.
void TknFile::SeekTo(int64_t offset) {
    if (FMode == fmRead && offset >= FAheadBase &&
        offset <= FAheadBase + static_cast<int64_t>(FAheadEnd)) {
        FAheadAt = static_cast<size_t>(offset - FAheadBase);
        return;
    }
    if (::lseek(FHandle, offset, SEEK_SET) < 0) Fail(u"File Read Error!");
    ForgetAhead(offset);
}

bool TknFile::Eof() const {
    return FAheadAt == FAheadEnd && Position() >= Size();
}

// ------------------------------------------------------------------------------ TknTextFile

TknTextFile::TknTextFile(std::u16string path, TFileMode mode, TEncoding encoding, bool marker)
    : TknFile(std::move(path), mode) {
    Init(mode, encoding, marker);
}

TknTextFile::TknTextFile(std::u16string path, TFileMode mode, TDeferInit)
    : TknFile(std::move(path), mode) {}

void TknTextFile::Init(TFileMode mode, TEncoding encoding, bool marker) {
    const bool write = mode != fmRead;
    if (!write && Size() > 0) {
        uint8_t first = 0;
        Read(&first, 1);
        FHasMarker = first == kFileMarker;
        if (!FHasMarker) SeekTo(0);
    } else {
        FHasMarker = marker;
        if (write && marker) TknFile::Write(&kFileMarker, 1);
    }
    FEncoding = encoding != enUnknown ? encoding : write ? enUTF16LE : Detect();
    // A mark is written, or skipped unchecked: an explicit encoding implies its mark.
    const std::string_view mark = ByteOrderMark(FEncoding);
    if (write)
        TknFile::Write(mark.data(), static_cast<int64_t>(mark.size()));
    else if (Size() - Position() >= static_cast<int64_t>(mark.size()))
        Seek(static_cast<int64_t>(mark.size()));
    FDataStart = Position();
}

// Runs at the start of the text (after a marker) and returns there; the mark is skipped by Init.
TEncoding TknTextFile::Detect() {
    const int64_t size = Size();
    if (size <= 1) return enAnsi;
    const int64_t start = Position();
    const int64_t left = size - start;
    const int64_t got = ReadIntoBuffer(std::min<int64_t>(left, 3));
    const uint8_t* p = FBuffer.data();
    TEncoding found = enUnknown;
    if (got >= 2 && p[0] == 0xFF && p[1] == 0xFE)
        found = enUTF16LE;
    else if (got >= 2 && p[0] == 0xFE && p[1] == 0xFF)
        found = enUTF16BE;
    else if (got == 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        found = enUTF8BOM;
    SeekTo(start);
    if (found != enUnknown) return found;
    // Without a mark, UTF-8 must hold for the whole text; 7-bit text stays ANSI.
    TUtf8Check check;
    for (int64_t rest = left; rest > 0 && !check.Failed(); rest -= kMaxChunk) {
        const int64_t n = ReadIntoBuffer(std::min(rest, kMaxChunk));
        if (n == 0) break;
        check.Feed(FBuffer.data(), static_cast<size_t>(n));
    }
    SeekTo(start);
    return check.Passed() ? enUTF8 : enAnsi;
}

int64_t TknTextFile::ReadIntoBuffer(int64_t n) {
    if (FBuffer.size() < static_cast<size_t>(n)) FBuffer.resize(static_cast<size_t>(n));
    return Read(FBuffer.data(), n);
}

std::u16string TknTextFile::Decode(const uint8_t* bytes, int64_t n) const {
    return DecodeBytes(bytes, static_cast<size_t>(n), FEncoding);
}

// A line ends only at CR LF. The units are scanned in the blocks read ahead; a line that
// runs over a block's end is gathered in FBuffer. The file is left just after the CR LF (or at
// its end) and the line is decoded in one piece.
std::u16string TknTextFile::ReadLine() {
    const size_t unit = IsUnicode() ? 2 : 1;
    const size_t low = FEncoding == enUTF16BE ? 1 : 0;  // the byte that carries CR or LF
    auto isUnit = [&](const uint8_t* p, uint8_t c) {
        return p[low] == c && (unit == 1 || p[1 - low] == 0);
    };
    size_t kept = 0;       // bytes of the line gathered from earlier blocks
    bool crKept = false;  // the last unit gathered is a CR
    auto keep = [&](const uint8_t* p, size_t n) {
        if (FBuffer.size() < kept + n + 2) FBuffer.resize(kept + n + 2);
        if (n > 0) std::memcpy(FBuffer.data() + kept, p, n);
        kept += n;
    };
    for (;;) {
        const std::span<const uint8_t> block = Ahead(unit);
        if (block.size() < unit) {  // the end, perhaps with half a unit
            keep(block.data(), block.size());
            Skip(block.size());
            return Decode(FBuffer.data(), static_cast<int64_t>(kept));
        }
        const size_t scan = block.size() / unit * unit;
        const uint8_t* p = block.data();
        for (size_t from = 0; from < scan;) {
            const auto* hit = static_cast<const uint8_t*>(std::memchr(p + from, '\n', scan - from));
            if (!hit) break;
            const size_t at = static_cast<size_t>(hit - p);
            from = at + 1;
            if (at % unit != low || !isUnit(p + at - low, '\n')) continue;
            const size_t end = at - low + unit;  // just after the LF
            if (end == unit ? !crKept : !isUnit(p + end - 2 * unit, '\r')) continue;
            Skip(end);
            if (kept == 0) return Decode(p, static_cast<int64_t>(end - 2 * unit));
            keep(p, end);
            return Decode(FBuffer.data(), static_cast<int64_t>(kept - 2 * unit));
        }
        keep(p, scan);
        crKept = isUnit(p + scan - unit, '\r');
        Skip(scan);
    }
}

std::u16string TknTextFile::ReadText(int64_t count) {
    const int64_t unit = IsUnicode() ? 2 : 1;
    const int64_t left = std::max<int64_t>(Size() - Position(), 0);
    const int64_t n = count < 0 || count > left / unit ? left : count * unit;
    if (FEncoding != enUTF16LE) {
        const int64_t got = ReadIntoBuffer(n);  // may move the buffer
        return Decode(FBuffer.data(), got);
    }
    // UTF-16 LE bytes are the text itself: read them straight into it.
    std::u16string text(static_cast<size_t>(n / 2 + n % 2), u'\0');
    FitUtf16(text, static_cast<size_t>(Read(text.data(), n)));
    return text;
}

void TknTextFile::Write(std::u16string_view text) {
    if (text.empty()) return;
    const std::string bytes = EncodeText(text, FEncoding);
    TknFile::Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

void TknTextFile::WriteLine(std::u16string_view text) {
    Write(text);
    Write(u"\r\n");
}

// Never negative, even when someone cut the file below the text start.
int64_t TknTextFile::TextLength() const {
    return std::max<int64_t>(Size() - FDataStart, 0) / (IsUnicode() ? 2 : 1);
}

void TknTextFile::SeekChar(int64_t n) {
    SeekTo(FDataStart + n * (IsUnicode() ? 2 : 1));
}

void TknTextFile::Reopen(TFileMode mode, TEncoding encoding) {
    Reopen(mode, encoding, FHasMarker);
}

void TknTextFile::Reopen(TFileMode mode, TEncoding encoding, bool marker) {
    TknFile::Reopen(mode);
    Init(mode, encoding, marker);
}

// ------------------------------------------------------------------------ TknMemoryTextFile

TknMemoryTextFile::TknMemoryTextFile(std::u16string path, TFileMode mode, TEncoding encoding,
                                     bool marker)
    : TknTextFile(std::move(path), mode, TDeferInit{}) {
    Init(mode, encoding, marker);
}

void TknMemoryTextFile::Init(TFileMode mode, TEncoding encoding, bool marker) {
    TknTextFile::Init(mode, encoding, marker);
    FText = mode == fmRead ? ReadText() : std::u16string();
    FReadPos = 1;
    std::vector<uint8_t>().swap(FBuffer);  // the text is held decoded; its bytes are not needed
}

bool TknMemoryTextFile::Eof() const {
    return FReadPos > FText.size();
}

std::u16string TknMemoryTextFile::ReadLine() {
    if (Eof()) return {};
    const size_t from = FReadPos - 1;
    const size_t at = FText.find(u"\r\n", from);
    if (at == std::u16string::npos) {
        FReadPos = FText.size() + 1;
        return FText.substr(from);
    }
    FReadPos = at + 3;
    return FText.substr(from, at - from);
}

// ------------------------------------------------------------------------ byte blocks

bool IsValidUtf8(const uint8_t* bytes, size_t n) {
    TUtf8Check check;
    check.Feed(bytes, n);
    return check.Passed();
}

// Every byte is decoded, NUL bytes included: stopping at the first zero would lose the rest.
std::u16string DecodeBytes(const uint8_t* bytes, size_t n, TEncoding encoding) {
    const std::string_view view(reinterpret_cast<const char*>(bytes), n);
    switch (encoding) {
        case enUTF8:
        case enUTF8BOM:
            return FromUtf8(view);
        case enUTF16LE:
            return DecodeUtf16(bytes, n, false);
        case enUTF16BE:
            return DecodeUtf16(bytes, n, true);
        default:
            return AnsiToUnicode(view);
    }
}

std::string EncodeText(std::u16string_view text, TEncoding encoding) {
    switch (encoding) {
        case enUTF8:
        case enUTF8BOM:
            return ToUtf8(text);
        case enUTF16LE:
            return EncodeUtf16(text, false);
        case enUTF16BE:
            return EncodeUtf16(text, true);
        default:
            return UnicodeToAnsi(text);
    }
}

// Unmappable bytes become U+FFFD; without any converter the bytes are read as Latin-1.
std::u16string AnsiToUnicode(std::string_view bytes) {
    UConverter* converter = AnsiConverter();
    if (!converter) return std::u16string(bytes.begin(), bytes.end());
    return Convert<char16_t>(bytes, bytes.size(),
                             [converter](char16_t** t, char16_t* te, const char** s, const char* se,
                                         UErrorCode* status) {
                                 ucnv_toUnicode(converter, t, te, s, se, nullptr, true, status);
                             });
}

// Unmappable characters become "?".
std::string UnicodeToAnsi(std::u16string_view text) {
    UConverter* converter = AnsiConverter();
    if (!converter) {
        std::string out;
        for (char16_t c : text) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
        return out;
    }
    return Convert<char>(text, text.size() * static_cast<size_t>(ucnv_getMaxCharSize(converter)),
                         [converter](char** t, char* te, const char16_t** s, const char16_t* se,
                                     UErrorCode* status) {
                             ucnv_fromUnicode(converter, t, te, s, se, nullptr, true, status);
                         });
}

const char* AnsiCodePage(std::string_view localeName) {
    const std::string_view language = localeName.substr(0, localeName.find_first_of("_.@"));
    if (language == "zh") {
        const size_t at = localeName.find('_');
        const std::string_view region =
            at == std::string_view::npos ? std::string_view() : localeName.substr(at + 1, 2);
        return region == "TW" || region == "HK" || region == "MO" ? "windows-950" : "windows-936";
    }
    static constexpr std::pair<std::string_view, const char*> kCodePages[] = {
        {"ja", "windows-932"},  {"ko", "windows-949"},  {"ru", "windows-1251"},
        {"uk", "windows-1251"}, {"be", "windows-1251"}, {"bg", "windows-1251"},
        {"sr", "windows-1251"}, {"el", "windows-1253"}, {"tr", "windows-1254"},
        {"az", "windows-1254"}, {"he", "windows-1255"}, {"ar", "windows-1256"},
        {"fa", "windows-1256"}, {"ur", "windows-1256"}, {"et", "windows-1257"},
        {"lv", "windows-1257"}, {"lt", "windows-1257"}, {"vi", "windows-1258"},
        {"th", "windows-874"},  {"cs", "windows-1250"}, {"pl", "windows-1250"},
        {"hu", "windows-1250"}, {"sk", "windows-1250"}, {"sl", "windows-1250"},
        {"hr", "windows-1250"}, {"ro", "windows-1250"}, {"sq", "windows-1250"},
    };
    for (const auto& [code, page] : kCodePages)
        if (language == code) return page;
    return "windows-1252";
}

// ------------------------------------------------------------------------ whole files

void WriteFileAtomic(const std::u16string& path, std::string_view bytes) {
    TknFile file(path, fmWriteAtomic);
    file.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    file.Commit();
}

std::string ReadFileBytes(const std::u16string& path) {
    THandle handle(::open(NativeUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (handle.Get() < 0) Fail(u"File Open Error!");
    struct stat st {};
    // One byte more than the size, so that a file that grew meanwhile is noticed and read whole.
    std::string out(::fstat(handle.Get(), &st) == 0 ? static_cast<size_t>(st.st_size) + 1 : 4096,
                    '\0');
    size_t have = 0;
    for (;;) {
        const int64_t got =
            ReadFully(handle.Get(), out.data() + have, static_cast<int64_t>(out.size() - have));
        if (got < 0) Fail(u"File Read Error!");
        have += static_cast<size_t>(got);
        if (have < out.size()) break;
        out.resize(out.size() * 2);
    }
    out.resize(have);
    return out;
}

bool FileExists(const std::u16string& path) {
    const int mode = StatMode(path);
    return mode >= 0 && !S_ISDIR(mode);
}

bool MakePrivateFolders(const std::string& nativePath) {
    std::error_code ec;
    std::filesystem::path path(nativePath);
    std::filesystem::path made;
    for (const auto& part : path) {
        made /= part;
        if (!part.empty() && part != "/" && ::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
            break;
    }
    return std::filesystem::is_directory(path, ec);
}

unsigned NewFileMode(const std::string& nativePath) {
    std::string folder = ToUtf8(NativePath(ProgramFolder()));
    std::error_code ec;
    const auto canonical = std::filesystem::weakly_canonical(folder, ec);
    if (!ec) folder = canonical.string();
    if (!folder.ends_with('/')) folder += '/';
    const auto target = std::filesystem::weakly_canonical(nativePath, ec);
    return (ec ? nativePath : target.string()).starts_with(folder) ? 0600 : 0666 & ~CurrentUmask();
}

int64_t KernelCopy(int from, off_t* offset, int to, int64_t n, bool flushing) {
    constexpr int64_t kFlushPiece = 8 << 20;
    int64_t done = 0;
    while (done < n) {
        const ssize_t got = ::copy_file_range(
            from, offset, to, nullptr,
            static_cast<size_t>(std::min(n - done, flushing ? kFlushPiece : kMaxChunk)), 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (flushing) ::sync_file_range(to, 0, 0, SYNC_FILE_RANGE_WRITE);
        done += got;
    }
    return done;
}

bool DirectoryExists(const std::u16string& path) {
    const int mode = StatMode(path);
    return mode >= 0 && S_ISDIR(mode);
}

}  // namespace qb
