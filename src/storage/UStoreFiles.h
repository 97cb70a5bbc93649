#pragma once

// The two files of the page store and the way they are replaced. A text change rewrites both
// files; they are written as a pending pair beside the real ones and only then renamed into
// place, so that a crash at any moment leaves a pair that matches: the complete pending index
// is the sign that the pair may be finished, its absence that the half-written data is thrown
// away. Every access first completes or discards what an earlier run left behind.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/UknFile.h"

namespace qb {

// One piece of a new data file: a new text, or a range of characters of the present data
// file (Count -1: to its end). Ranges beyond the end of the file contribute what exists.
struct TDataPiece {
    std::u16string_view Text;
    int64_t Pos = -1;  // -1: the piece is Text
    int64_t Count = 0;

    static TDataPiece NewText(std::u16string_view text) { return {text, -1, 0}; }
    static TDataPiece Range(int64_t pos, int64_t count) { return {{}, pos, count}; }
};

// The index file's text as the store reads it: the file mapped into memory where its UTF-16
// units follow the byte-order mark directly (no marker byte shifts them), else a decoded copy.
// The index is never written in place (a new file is renamed over it), so a mapping keeps the
// text that was read, and opening a large notebook copies nothing.
class TIndexText {
  public:
    explicit TIndexText(const std::u16string& path);
    ~TIndexText();
    TIndexText(const TIndexText&) = delete;
    TIndexText& operator=(const TIndexText&) = delete;

    std::u16string_view Text() const { return FText; }

  private:
    void* FMap = nullptr;
    size_t FMapSize = 0;
    std::u16string FCopy;
    std::u16string_view FText;
};

class TStoreFiles {
  public:
    // The folder ends in "/"; it is created when missing. When no other process holds the
    // notebook, the temporary files a killed writer left are removed and its committed pair
    // is put in place.
    explicit TStoreFiles(std::u16string folder);

    const std::u16string& IndexPath() const { return FIndexPath; }
    const std::u16string& DataPath() const { return FDataPath; }

    // The index file's text (a missing file is created empty).
    std::unique_ptr<TIndexText> ReadIndexText();
    // Characters of text in the data file.
    int64_t DataLength();
    // Up to count characters from pos; fewer (or none) where the file ends.
    std::u16string ReadData(int64_t pos, int64_t count);
    // The same into text, whose memory is used again: a scan of the whole file reads it in
    // large blocks without allocating each one anew.
    void ReadDataInto(int64_t pos, int64_t count, std::u16string& text);

    // Writes the new data file from the pieces and the new index text as the pending pair.
    // Once it returns the pair is committed: it reaches the real names at the latest with the
    // next access. Until then a failure leaves the real files untouched.
    void WritePair(const std::vector<TDataPiece>& pieces, std::u16string_view indexText,
                   bool marker);
    // Renames a committed pending pair into place, or removes a half-written data file.
    void Recover();
    void WriteIndex(std::u16string_view indexText, bool marker);

  private:
    void WriteData(const std::vector<TDataPiece>& pieces, bool marker);
    void DiscardPending() noexcept;
    void RecoverLeftovers();
    void RecoverPair(const std::u16string& indexPending, const std::u16string& dataPending);
    TknTextFile& Reader();


    std::u16string FFolder;
    std::u16string FIndexPath;
    std::u16string FDataPath;
    std::u16string FIndexPending;
    std::u16string FDataPending;
    // The data file stays open for reading between writes: a search reads thousands of texts.
    // Every rename over the data file drops it, so it never reads a replaced file.
    std::unique_ptr<TknTextFile> FReader;
};

}  // namespace qb
