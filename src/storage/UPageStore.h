#pragma once

// The page store: every page of the notebook as one record of the index file "quillbox.idx",
// and every page text inside the data file "quillbox.dat". Page objects are created only when
// first asked for; the property part of untouched records is written back as it was read.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/UknList.h"
#include "foundation/UknStack.h"
#include "storage/UStoreFiles.h"

namespace qb {

class TPageSuper;

class TPageRecord : public TknObject {
  public:
    TPageRecord(int32_t id, int32_t ownerId, uint8_t pageType, int32_t textLength,
                std::u16string_view pendingProperties);
    ~TPageRecord() override;
    // Records are many and small: they are kept in blocks (see the store).
    static void* operator new(size_t size);
    static void operator delete(void* memory) noexcept;

    // The index-th entry of the pending property part (empty when it has fewer), read without
    // loading the page.
    std::u16string_view PendingEntry(int index) const;

    int32_t Id;
    int32_t OwnerId;  // as read from the file; the loaded page's own value wins (GetOwnerOf)
    uint8_t PageType;
    int32_t TextLength;
    // The raw fields 5 and on, until the page is loaded: a view into the store's index text.
    std::u16string_view PendingProperties;
    std::unique_ptr<TPageSuper> Page;
    // Where the text starts in the data file. It is the sum of the lengths before it, except
    // in a damaged index whose lines were out of order or repeated an id.
    int64_t DataPos = 0;
    // Marks the records one walk up the owners has passed, so that a loop ends it.
    mutable uint64_t WalkMark = 0;
};

class TPageStore {
  public:
    // Opens the notebook in the program folder's "data/" folder.
    TPageStore();
    ~TPageStore();
    TPageStore(const TPageStore&) = delete;
    TPageStore& operator=(const TPageStore&) = delete;

    TPageSuper* GetPage(int32_t id);
    TPageSuper* GetRoot() { return GetPage(-1); }
    bool PageExists(int32_t id) const { return FindRecord(id) != nullptr; }
    // Raises "Unknown page type!" for a type without class.
    int32_t NewPage(int32_t ownerId, uint8_t pageType);
    void DeletePage(int32_t id);
    std::u16string ReadText(int32_t id, int32_t maxlen);
    bool SaveText(int32_t id, std::u16string_view text);
    int32_t GetTextLength(int32_t id) const;
    void SaveIndex();

    // Between BeginBatch and EndBatch, saved texts and index writes wait in memory and the
    // outermost EndBatch writes them as one data and index pair: an import of thousands of
    // pages then rewrites the files once instead of once per page. Until that write, the
    // files on disk still hold the notebook as it was before the batch.
    void BeginBatch() { ++FBatchDepth; }
    void EndBatch();

    bool FindFirstOfType(uint8_t pageType, int32_t& id) const;
    // Type 255: every type whose class is searchable. The list is cleared first.
    void GetIdsOfType(uint8_t pageType, TknIntList& ids) const;
    // The same as plain ids, for lists of the whole notebook (a list item is far larger).
    void GetIdsOfType(uint8_t pageType, std::vector<int32_t>& ids) const;
    int CountOfType(uint8_t pageType) const;
    bool IsInRecycleBin(const TPageRecord& record) const;
    bool IsInRecycleBin(int32_t id) const;
    void GetUsedTypes(TknIntList& types) const;
    std::u16string GetNodePath(TPageSuper* page);
    bool FindByPath(std::u16string_view path, TPageSuper*& page);
    int32_t GetOwnerOf(const TPageRecord& record) const;
    // The page's name, from the loaded page or else from the record's pending entries: lists
    // of thousands of pages need no page objects for it.
    std::u16string_view NameOf(const TPageRecord& record) const;
    // Its status likewise (an entry that is not a status reads as normal, as the page reads it).
    uint8_t StatusOf(const TPageRecord& record) const;
    // Hands each id's stored text (the data file's, or a batch's pending one; empty for an id
    // without record) to each, with the id's index in the list. The data file is read once, in
    // large blocks in file order, instead of once per page.
    void ScanTexts(const std::vector<int32_t>& ids,
                   const std::function<void(size_t index, std::u16string_view text)>& each);

    // The records in ascending id order.
    int RecordCount() const { return static_cast<int>(Records.size()); }
    const TPageRecord& RecordAt(int index) const { return *Records[index]; }
    const TPageRecord* FindRecord(int32_t id) const;

    // What opening the index and loading pages found wrong (the damage worked round), one
    // text each; pages note theirs with NoteProblem.
    const std::vector<std::u16string>& Problems() const { return FProblems; }
    void NoteProblem(std::u16string problem) { FProblems.push_back(std::move(problem)); }

    const std::u16string& IndexPath() const { return FFiles.IndexPath(); }
    const std::u16string& DataPath() const { return FFiles.DataPath(); }

  private:
    void Open();
    // Fills FIds and FTypes from the records.
    void RebuildIdIndex();
    // Calls step for each owner up from the record (the root included) until step says
    // false, an owner is missing or the walk comes back to a record it passed.
    template <class F>
    void WalkOwners(const TPageRecord& start, F step) const;
    TPageRecord* Find(int32_t id) const;
    // Calls f for each record of the type (as GetIdsOfType matches it) outside the recycle bin.
    template <class F>
    void ForEachOutsideRecycleBin(uint8_t pageType, F f) const;
    TPageRecord& Insert(std::unique_ptr<TPageRecord> record);
    void LoadPage(TPageRecord& record);
    std::array<bool, 256> MatchingTypes(uint8_t pageType) const;
    int32_t NextFreeId();
    int32_t UnusedId() const;
    std::u16string IndexText();
    void AppendProperties(const TPageRecord& record, std::u16string& line);
    // The new data file: the texts in id order, the given text in place of the changed
    // record's (none: every text as it is).
    // Texts saved in a batch (or left by a batch whose write failed) take their records' place.
    std::vector<TDataPiece> DataPieces(const TPageRecord* changed, std::u16string_view text) const;
    void WritePair(const std::vector<TDataPiece>& pieces);
    void UpdateDataPositions();
    void WriteIndexIfChanged();
    bool DataInIdOrder() const;

    // The index file as read at opening. The records' pending parts are views into it, so
    // that opening copies no property text and an untouched record is written back from it.
    std::unique_ptr<TIndexText> FIndexText;
    std::vector<std::unique_ptr<TPageRecord>> Records;
    // The records' ids in the same order, searched without touching the records themselves.
    std::vector<int32_t> FIds;
    // Their types likewise: the system pages and the searches look for pages by type.
    std::vector<uint8_t> FTypes;
    TknStrList PropertyBuffer{25};
    TknIntQueue FreeIds;
    TStoreFiles FFiles;
    // The data file's characters after the last text, kept as they are.
    int64_t FTailPos = 0;
    mutable uint64_t FWalk = 0;
    int FBatchDepth = 0;
    bool FIndexWaiting = false;
    // Texts changed in a batch (or left by a batch whose write failed) wait for the next pair.
    bool FDataWaiting = false;
    std::unordered_map<int32_t, std::u16string> FPendingTexts;
    std::vector<std::u16string> FProblems;
};

// A batch for one scope. Commit ends it and reports a failed write; a scope left without
// Commit (an exception) still tries the write, and on failure the texts stay pending for the
// next save.
class TStoreBatch {
  public:
    explicit TStoreBatch(TPageStore& store) : FStore(&store) { store.BeginBatch(); }
    ~TStoreBatch();
    TStoreBatch(const TStoreBatch&) = delete;
    TStoreBatch& operator=(const TStoreBatch&) = delete;
    void Commit();

  private:
    TPageStore* FStore;
};

TPageStore& GetStore();
// Frees every page and record without writing; the next GetStore opens the files again.
void ReleaseStore();

}  // namespace qb
