#pragma once

// Raw and text files. Everything inside the program is UTF-16; the five encodings matter only
// at the file boundary. An optional first byte 0xFD marks a file for its caller.

#include <sys/types.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

enum TEncoding : uint8_t {
    enUnknown = 0,  // detect on read, UTF-16 LE on write
    enAnsi = 1,
    enUTF8 = 2,
    enUTF8BOM = 3,
    enUTF16LE = 4,
    enUTF16BE = 5,
};

constexpr uint8_t kFileMarker = 0xFD;

// How a file is opened. fmWriteAtomic writes into a temporary file beside the target; Commit()
// flushes it to disk and renames it over the target, and a file object destroyed without
// Commit() removes the temporary file and leaves the target untouched.
enum TFileMode : uint8_t { fmRead, fmWrite, fmWriteAtomic };

class TknFile {
public:
    // Creates the missing last folder of the path first. Read mode creates a missing file.
    // Failure raises TknError "File Open Error!".
    TknFile(std::u16string path, TFileMode mode);
    TknFile(std::u16string path, bool write) : TknFile(std::move(path), write ? fmWrite : fmRead) {}
    virtual ~TknFile();
    TknFile(const TknFile&) = delete;
    TknFile& operator=(const TknFile&) = delete;

    void Reopen(TFileMode mode);
    int64_t Read(void* buffer, int64_t n);         // "File Read Error!"
    int64_t Write(const void* buffer, int64_t n);  // "File Write Error!"
    int64_t Size() const;                          // "Cannot Get File Size!"
    int64_t Position() const;
    void Seek(int64_t delta);
    void SeekTo(int64_t offset);
    // Appends n bytes of this file from offset to `to` at its position, copied by the kernel
    // where the system can (no copy through this process), else read and written; fewer where
    // this file ends. Returns the count. Failures raise as Read and Write do.
    int64_t CopyRangeTo(TknFile& to, int64_t offset, int64_t n);
    // (EOF is a C macro, hence the spelling.)
    virtual bool Eof() const;
    // fmWriteAtomic only (a no-op for the other modes): flushes, renames over the target and
    // closes; when that fails it raises "File Write Error!" and the target stays as it was.
    // Reopen() before Commit() discards what was written, as destruction does.
    void Commit();

    const std::u16string& Path() const { return FPath; }
    TFileMode Mode() const { return FMode; }

protected:
    // Read mode reads ahead in blocks, so that many small reads and moves inside a block cost
    // no system call. Ahead gives the bytes from the position on that the block holds, read
    // again (keeping the rest) when fewer than atLeast are left; it is empty at the end of the
    // file. Skip moves the position over n of them.
    std::span<const uint8_t> Ahead(size_t atLeast);
    void Skip(size_t n) { FAheadAt += n; }

private:
    void Open(TFileMode mode);
    void OpenTemporary(const std::string& target);
    void Close();
    void ForgetAhead(int64_t position);

    std::u16string FPath;
    std::string FTargetPath;  // fmWriteAtomic: the file replaced on Commit()
    std::string FTempPath;    // fmWriteAtomic: the file actually written
    TFileMode FMode;
    int FHandle = -1;
    // Read mode: FAhead[0] lies at the file offset FAheadBase, FAheadEnd bytes of it are read,
    // and the position is FAheadBase + FAheadAt; the handle stands at FAheadBase + FAheadEnd.
    std::vector<uint8_t> FAhead;
    int64_t FAheadBase = 0;
    size_t FAheadAt = 0;
    size_t FAheadEnd = 0;
};

class TknTextFile : public TknFile {
public:
    TknTextFile(std::u16string path, TFileMode mode, TEncoding encoding = enUnknown,
                bool marker = false);
    TknTextFile(std::u16string path, bool write, TEncoding encoding = enUnknown,
                bool marker = false)
        : TknTextFile(std::move(path), write ? fmWrite : fmRead, encoding, marker) {}

    // Read mode reads and skips the marker and the mark of the encoding; encoding 0 detects:
    // a byte-order mark, else UTF-8 when the text after the marker is well-formed UTF-8 with at
    // least one byte above 0x7F, else ANSI. Write mode writes the requested marker and the mark.
    virtual void Init(TFileMode mode, TEncoding encoding, bool marker);
    // Up to and without the next CR LF; a lone CR or LF stays in the line.
    virtual std::u16string ReadLine();
    std::u16string ReadText(int64_t count = -1);  // characters; negative: all the rest
    void Write(std::u16string_view text);
    void WriteLine(std::u16string_view text);
    int64_t TextLength() const;
    void SeekChar(int64_t n);
    bool IsUnicode() const { return FEncoding == enUTF16LE || FEncoding == enUTF16BE; }
    void Reopen(TFileMode mode, TEncoding encoding);
    void Reopen(TFileMode mode, TEncoding encoding, bool marker);

    TEncoding Encoding() const { return FEncoding; }
    bool HasMarker() const { return FHasMarker; }
    int64_t DataStart() const { return FDataStart; }

protected:
    // Opens without running Init, for derived classes whose own Init must run (a virtual call
    // from this constructor would not reach them).
    struct TDeferInit {};
    TknTextFile(std::u16string path, TFileMode mode, TDeferInit);

    std::u16string Decode(const uint8_t* bytes, int64_t n) const;
    int64_t ReadIntoBuffer(int64_t n);  // up to n bytes into FBuffer; returns the count

    TEncoding FEncoding = enUnknown;
    bool FHasMarker = false;
    int64_t FDataStart = 0;
    std::vector<uint8_t> FBuffer;

private:
    TEncoding Detect();
};

// Reads the whole text at Init and hands out lines from memory.
class TknMemoryTextFile : public TknTextFile {
public:
    TknMemoryTextFile(std::u16string path, TFileMode mode, TEncoding encoding = enUnknown,
                      bool marker = false);
    TknMemoryTextFile(std::u16string path, bool write, TEncoding encoding = enUnknown,
                      bool marker = false)
        : TknMemoryTextFile(std::move(path), write ? fmWrite : fmRead, encoding, marker) {}

    bool Eof() const override;
    void Init(TFileMode mode, TEncoding encoding, bool marker) override;
    std::u16string ReadLine() override;
    const std::u16string& Text() const { return FText; }

private:
    std::u16string FText;
    size_t FReadPos = 1;  // 1-based index of the next character
};

// Detection and conversion on byte blocks, shared with callers that hold bytes in memory.
bool IsValidUtf8(const uint8_t* bytes, size_t n);  // the detection rule: needs a high byte
// Decodes every byte, NUL included; a trailing half UTF-16 unit becomes U+FFFD. Values other
// than the UTF encodings are ANSI.
std::u16string DecodeBytes(const uint8_t* bytes, size_t n, TEncoding encoding);
std::string EncodeText(std::u16string_view text, TEncoding encoding);
std::u16string AnsiToUnicode(std::string_view bytes);
std::string UnicodeToAnsi(std::u16string_view text);
// The legacy Windows code page that stands for "ANSI" under a locale name such as "ru_RU.UTF-8"
// (windows-1252 when the language has none of its own); the current one comes from LC_ALL,
// LC_CTYPE or LANG.
const char* AnsiCodePage(std::string_view localeName);

// Whole-file helpers: write bytes atomically (temporary file, flush, rename); read all bytes.
void WriteFileAtomic(const std::u16string& path, std::string_view bytes);
std::string ReadFileBytes(const std::u16string& path);  // "File Open Error!" when unreadable
bool FileExists(const std::u16string& path);
// Creates the folder and its missing parents, new ones 0700 (the program's files are private);
// false when it does not exist afterwards.
bool MakePrivateFolders(const std::string& nativePath);
// The mode of a file the program makes at the path: 0600 in the program folder, else what the
// umask leaves of 0666.
unsigned NewFileMode(const std::string& nativePath);
bool DirectoryExists(const std::u16string& path);
// Copies up to n bytes from the descriptor `from` (at *offset, moved on; at its own position
// when offset is null) to `to` at its position, inside the kernel. Returns the bytes copied:
// fewer where `from` ends or where the kernel cannot copy between the two (the caller then
// goes through a buffer). `flushing` sends each piece on to the disk while the next is copied,
// so that a flush at the end has little left to wait for.
int64_t KernelCopy(int from, off_t* offset, int to, int64_t n, bool flushing);

}  // namespace qb
