#include "storage/UPageStore.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <limits>
#include <optional>

#include "foundation/UknError.h"
#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"

namespace qb {

namespace {

constexpr uint8_t kEverySearchableType = 255;
constexpr std::u16string_view kIndexVersion = u"3.2.0";
constexpr int64_t kScanBlock = 64 << 10;  // characters read at once by a scan: they stay in cache

TPageStore* GStore = nullptr;

// Until the option manager exists the store reads its one option from the ini file itself.
bool EncryptDataFileOption() {
    TknIniFile ini(ProgramFolder() + u"quillbox.ini");
    ini.Section = u"LogIn";
    return ini.ReadBool(u"EncryptDataFile", false);
}

std::optional<int32_t> ParseInt32(std::u16string_view s) {
    constexpr int64_t kNotANumber = std::numeric_limits<int64_t>::min();
    int64_t v = StrToIntDef(s, kNotANumber);
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

// The type is written from its signed 8-bit value, so both -128..-1 and 128..255 read back.
uint8_t ParseType(std::u16string_view s) {
    int32_t v = ParseInt32(s).value_or(0);
    return v >= -128 && v <= 255 ? static_cast<uint8_t>(v) : 0;
}

// Cuts the next field off at a TAB; the last field has none.
std::u16string_view NextField(std::u16string_view& rest) {
    size_t tab = rest.find(u'\t');
    std::u16string_view field = rest.substr(0, tab);
    rest = tab == std::u16string_view::npos ? std::u16string_view() : rest.substr(tab + 1);
    return field;
}

bool IsBlank(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) { return c <= u' '; });
}

struct TParsedRecord {
    std::unique_ptr<TPageRecord> Record;
    bool IdValid;
    bool LengthValid;        // a number of 0 or more
    std::u16string Problem;  // what is wrong with the line's numbers, if anything
};

// One of the numbers that start a record, when it is plain: an optional "-" and one to nine
// digits (so it fits without checks), ended by a TAB. Moves `at` past the TAB.
bool PlainNumber(std::u16string_view line, size_t& at, int32_t& value) {
    const bool negative = at < line.size() && line[at] == u'-';
    size_t i = at + (negative ? 1 : 0);
    const size_t first = i;
    int32_t v = 0;
    for (; i < line.size() && i - first < 9 && line[i] >= u'0' && line[i] <= u'9'; ++i)
        v = v * 10 + (line[i] - u'0');
    if (i == first || i == line.size() || line[i] != u'\t') return false;
    value = negative ? -v : v;
    at = i + 1;
    return true;
}

// Nearly every line starts with four plain numbers that need no checks: those are read in one
// pass. Any other line is read field by field, with a note of what is wrong in it.
TParsedRecord ParseRecord(std::u16string_view line) {
    int32_t n[4];
    size_t at = 0;
    if (PlainNumber(line, at, n[0]) && PlainNumber(line, at, n[1]) &&
        PlainNumber(line, at, n[2]) && PlainNumber(line, at, n[3]) && n[2] >= -128 &&
        n[2] <= 255 && n[3] >= 0)
        return {std::make_unique<TPageRecord>(n[0], n[1], static_cast<uint8_t>(n[2]), n[3],
                                              line.substr(at)),
                true, true, {}};

    const std::u16string_view idText = NextField(line), ownerText = NextField(line),
                              typeText = NextField(line), lengthText = NextField(line);
    const std::optional<int32_t> id = ParseInt32(idText), owner = ParseInt32(ownerText),
                                 type = ParseInt32(typeText), length = ParseInt32(lengthText);
    TParsedRecord parsed{
        std::make_unique<TPageRecord>(id.value_or(0), owner.value_or(0), ParseType(typeText),
                                      std::max(0, length.value_or(0)), line),
        id.has_value(), length && *length >= 0, {}};
    auto note = [&parsed](std::u16string_view what, std::u16string_view text) {
        if (!parsed.Problem.empty()) parsed.Problem += u"; ";
        parsed.Problem += std::u16string(what) + u" \"" + std::u16string(text) + u"\"";
    };
    if (!id) note(u"the id is not a number:", idText);
    if (!owner) note(u"the owner is not a number:", ownerText);
    if (!type || *type < -128 || *type > 255) note(u"the type is not a type code:", typeText);
    if (!length) note(u"the text length is not a number:", lengthText);
    else if (*length < 0) note(u"the text length is negative:", lengthText);
    return parsed;
}

std::u16string LineText(size_t index) {
    return u"line " + IntToStr(static_cast<int64_t>(index) + 1) + u": ";
}

// Calls each(index, line) for the lines of a text that end at CR LF (the last one may lack
// it), as views into it. The LF bytes are found with memchr, which runs through the text many
// bytes at a time.
template <class F>
void ForEachLine(std::u16string_view text, F each) {
    const char* bytes = reinterpret_cast<const char*>(text.data());
    const size_t size = text.size() * 2;
    size_t start = 0, index = 0;  // start in characters, index in lines
    for (size_t from = 0; start < text.size();) {
        const void* hit = from < size ? std::memchr(bytes + from, '\n', size - from) : nullptr;
        if (!hit) {
            each(index, text.substr(start));
            return;
        }
        const size_t at = static_cast<size_t>(static_cast<const char*>(hit) - bytes);
        from = at + 1;
        const size_t i = at / 2;
        if (at % 2 != 0 || text[i] != u'\n' || i == 0 || text[i - 1] != u'\r' || i - 1 < start)
            continue;
        each(index++, text.substr(start, i - 1 - start));
        start = i + 1;
    }
}

// Whether the file holds exactly what writing the text would put there (marker, byte-order mark,
// UTF-16 LE). An unchanged index is not written again, so an auto save or an exit with nothing
// changed touches no file.
bool FileHoldsText(const std::u16string& path, std::u16string_view text, bool marker) {
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const TknError&) {
        return false;
    }
    const std::string head = marker ? "\xFD\xFF\xFE" : "\xFF\xFE";
    return bytes.size() == head.size() + 2 * text.size() && bytes.starts_with(head) &&
           std::memcmp(bytes.data() + head.size(), text.data(), 2 * text.size()) == 0;
}

// An entry holding a TAB or a line break would shift the entries or cut the line, and with it
// every text after it; such an entry is stored-escaped instead.
void AppendEntry(std::u16string_view entry, std::u16string& line) {
    if (entry.find(u'\t') == std::u16string_view::npos &&
        entry.find(u"\r\n") == std::u16string_view::npos)
        line += entry;
    else
        line += EncodeForStorage(entry);
}

// Texts lie in the data file in the order of the lines. One unreadable length is what the
// data file holds beyond the others, so that no text after it moves; a length that runs past
// the end of the file keeps only what is there.
// Gives the position after the last text.
int64_t PlaceTexts(const std::vector<std::unique_ptr<TPageRecord>>& records,
                   const std::vector<uint32_t>& lineOf, const std::vector<size_t>& badLengths,
                   int64_t dataLength, std::vector<std::u16string>& problems) {
    int64_t known = 0;
    for (const auto& record : records) known += record->TextLength;  // a bad one reads as 0
    if (badLengths.size() == 1 && known <= dataLength &&
        dataLength - known <= std::numeric_limits<int32_t>::max())
        records[badLengths.front()]->TextLength = static_cast<int32_t>(dataLength - known);
    int64_t pos = 0;
    for (size_t k = 0; k < records.size(); ++k) {
        TPageRecord& record = *records[k];
        record.DataPos = pos;
        if (record.TextLength > dataLength - pos) {
            problems.push_back(LineText(lineOf[k]) + u"the text of page " + IntToStr(record.Id) +
                               u" runs past the end of the data file");
            record.TextLength = static_cast<int32_t>(dataLength - pos);
        }
        pos += record.TextLength;
    }
    return pos;
}

// Records come from blocks of thousands: a large notebook opens and closes without a trip to
// the allocator for each page. The pool is never destroyed, so no record can outlive it.
// Under AddressSanitizer each record has an allocation of its own, so that a record used after
// it was freed is caught.
class TRecordPool {
  public:
    void* Take() {
        if (FFree) {
            TSlot* slot = FFree;
            FFree = slot->Next;
            return slot;
        }
        if (FUsed == kBlock) {
            FBlocks.push_back(std::unique_ptr<TSlot[]>(new TSlot[kBlock]));
            FUsed = 0;
        }
        return &FBlocks.back()[FUsed++];
    }
    void Give(void* memory) noexcept {
        auto* slot = static_cast<TSlot*>(memory);
        slot->Next = FFree;
        FFree = slot;
    }

  private:
    union TSlot {
        TSlot* Next;
        alignas(TPageRecord) std::byte Bytes[sizeof(TPageRecord)];
    };
    static constexpr size_t kBlock = 4096;
    std::vector<std::unique_ptr<TSlot[]>> FBlocks;
    size_t FUsed = kBlock;
    TSlot* FFree = nullptr;
};

TRecordPool& RecordPool() {
    static TRecordPool* pool = new TRecordPool();
    return *pool;
}

}  // namespace

TPageRecord::TPageRecord(int32_t id, int32_t ownerId, uint8_t pageType, int32_t textLength,
                         std::u16string_view pendingProperties)
    : Id(id),
      OwnerId(ownerId),
      PageType(pageType),
      TextLength(textLength),
      PendingProperties(pendingProperties) {}

TPageRecord::~TPageRecord() = default;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QB_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(QB_ADDRESS_SANITIZER)
void* TPageRecord::operator new(size_t size) { return ::operator new(size); }
void TPageRecord::operator delete(void* memory) noexcept { ::operator delete(memory); }
#else
void* TPageRecord::operator new(size_t size) {
    if (size != sizeof(TPageRecord)) return ::operator new(size);
    return RecordPool().Take();
}
void TPageRecord::operator delete(void* memory) noexcept {
    if (memory) RecordPool().Give(memory);
}
#endif

std::u16string_view TPageRecord::PendingEntry(int index) const {
    std::u16string_view rest = PendingProperties;
    for (; index > 0 && !rest.empty(); --index) NextField(rest);
    return NextField(rest);
}

TPageStore::TPageStore() : FFiles(ProgramFolder() + u"data/") {
    PropertyBuffer.Separator = u"\t";
    FreeIds.Separator = u",";
    Open();
}

TPageStore::~TPageStore() = default;

void TPageStore::Open() {
    FIndexText = FFiles.ReadIndexText();
    const int64_t dataLength = FFiles.DataLength();

    // The records in the order of their lines, each text placed after the one before: an
    // index without damage needs only this one pass.
    std::vector<uint32_t> lineOf;
    std::vector<size_t> badIds, badLengths;
    bool overrun = false;
    int64_t pos = 0;
    ForEachLine(FIndexText->Text(), [&](size_t i, std::u16string_view line) {
        if (i == 1) FreeIds.SetText(line);
        if (i < 2 || IsBlank(line)) return;
        TParsedRecord parsed = ParseRecord(line);
        if (!parsed.Problem.empty()) FProblems.push_back(LineText(i) + parsed.Problem);
        if (!parsed.IdValid) badIds.push_back(Records.size());
        if (!parsed.LengthValid) badLengths.push_back(Records.size());
        TPageRecord& record = *parsed.Record;
        record.DataPos = pos;
        pos += record.TextLength;
        overrun |= pos > dataLength;
        FIds.push_back(record.Id);
        FTypes.push_back(record.PageType);
        Records.push_back(std::move(parsed.Record));
        lineOf.push_back(static_cast<uint32_t>(i));
    });
    FTailPos = badLengths.empty() && !overrun
                   ? pos
                   : PlaceTexts(Records, lineOf, badLengths, dataLength, FProblems);

    std::vector<std::unique_ptr<TPageRecord>> strays;  // lines whose id is unusable
    if (!badIds.empty()) {
        for (size_t k : badIds) strays.push_back(std::move(Records[k]));
        size_t kept = 0;
        for (size_t k = 0; k < Records.size(); ++k) {
            if (!Records[k]) continue;
            Records[kept] = std::move(Records[k]);
            lineOf[kept++] = lineOf[k];
        }
        Records.resize(kept);
        lineOf.resize(kept);
        RebuildIdIndex();
    }
    const auto disorder = std::is_sorted_until(FIds.begin(), FIds.end());
    if (disorder != FIds.end()) {
        FProblems.push_back(LineText(lineOf[static_cast<size_t>(disorder - FIds.begin())]) +
                            u"the records are not in id order");
        std::stable_sort(Records.begin(), Records.end(),
                         [](const auto& a, const auto& b) { return a->Id < b->Id; });
        RebuildIdIndex();
    }
    // A repeated id keeps its first line; the later ones get fresh ids so nothing is lost.
    if (std::adjacent_find(FIds.begin(), FIds.end()) != FIds.end()) {
        auto kept = Records.begin();
        for (auto it = Records.begin(); it != Records.end(); ++it) {
            if (kept != Records.begin() && (*(kept - 1))->Id == (*it)->Id) {
                FProblems.push_back(u"page " + IntToStr((*it)->Id) +
                                        u": the id is given to more than one record");
                strays.push_back(std::move(*it));
            } else {
                *kept++ = std::move(*it);
            }
        }
        Records.erase(kept, Records.end());
        RebuildIdIndex();
    }
    for (auto& stray : strays) {
        stray->Id = UnusedId();
        Insert(std::move(stray));
    }
}

void TPageStore::RebuildIdIndex() {
    FIds.clear();
    FTypes.clear();
    for (const auto& record : Records) {
        FIds.push_back(record->Id);
        FTypes.push_back(record->PageType);
    }
}

// Ids are mostly dense (freed ones are used again), so an id is first looked for where it
// would stand without gaps.
TPageRecord* TPageStore::Find(int32_t id) const {
    if (!FIds.empty()) {
        const int64_t guess = int64_t{id} - FIds.front();
        if (guess >= 0 && guess < static_cast<int64_t>(FIds.size()) &&
            FIds[static_cast<size_t>(guess)] == id)
            return Records[static_cast<size_t>(guess)].get();
    }
    auto it = std::lower_bound(FIds.begin(), FIds.end(), id);
    return it != FIds.end() && *it == id ? Records[static_cast<size_t>(it - FIds.begin())].get()
                                         : nullptr;
}

const TPageRecord* TPageStore::FindRecord(int32_t id) const {
    return Find(id);
}

TPageRecord& TPageStore::Insert(std::unique_ptr<TPageRecord> record) {
    auto it = std::lower_bound(FIds.begin(), FIds.end(), record->Id);
    const auto at = it - FIds.begin();
    FIds.insert(it, record->Id);
    FTypes.insert(FTypes.begin() + at, record->PageType);
    return **Records.insert(Records.begin() + at, std::move(record));
}

template <class F>
void TPageStore::WalkOwners(const TPageRecord& start, F step) const {
    const uint64_t walk = ++FWalk;
    start.WalkMark = walk;
    for (const TPageRecord* record = &start; record->Id != kRootId;) {
        record = Find(GetOwnerOf(*record));
        if (!record || record->WalkMark == walk) return;
        record->WalkMark = walk;
        if (!step(*record)) return;
    }
}

TPageSuper* TPageStore::GetPage(int32_t id) {
    TPageRecord* record = Find(id);
    if (!record) {
        if (id != kRootId) return nullptr;
        std::unique_ptr<TPageSuper> root(PageFactory().CreatePage(ptRoot, kRootId, kRootOwnerId));
        if (!root) return nullptr;
        root->Initialize();
        auto rootRecord = std::make_unique<TPageRecord>(kRootId, kRootOwnerId, ptRoot, 0, u"");
        rootRecord->Page = std::move(root);
        return Insert(std::move(rootRecord)).Page.get();
    }
    if (!record->Page) LoadPage(*record);
    return record->Page.get();
}

void TPageStore::LoadPage(TPageRecord& record) {
    std::unique_ptr<TPageSuper> page(
        PageFactory().CreatePage(record.PageType, record.Id, record.OwnerId));
    if (!page) return;  // an unknown type keeps its line as it is
    PropertyBuffer.SetText(record.PendingProperties);
    page->LoadProperties(PropertyBuffer);
    record.Page = std::move(page);
    record.PendingProperties = {};
}

int32_t TPageStore::NewPage(int32_t ownerId, uint8_t pageType) {
    TPageFactory& factory = PageFactory();
    int32_t existing;
    if (factory.IsSingleton(pageType) && FindFirstOfType(pageType, existing)) return existing;
    const int32_t id = NextFreeId();
    std::unique_ptr<TPageSuper> page(factory.CreatePage(pageType, id, ownerId));
    if (!page) throw TknError(u"Unknown page type!");
    page->Initialize();
    int32_t front;
    if (FreeIds.Peek(front) && front == id) FreeIds.Pop(front);
    auto record = std::make_unique<TPageRecord>(id, ownerId, pageType, 0, u"");
    record->Page = std::move(page);
    Insert(std::move(record));
    return id;
}

// The oldest freed id, left in the queue until the page exists. Ids of a damaged queue that
// are negative or in use are dropped.
int32_t TPageStore::NextFreeId() {
    int32_t id;
    while (FreeIds.Peek(id) && (id < 0 || PageExists(id))) FreeIds.Pop(id);
    return FreeIds.Peek(id) ? id : UnusedId();
}

int32_t TPageStore::UnusedId() const {
    const int32_t top = Records.empty() ? -1 : Records.back()->Id;
    if (top < 1) return 1;
    if (top < std::numeric_limits<int32_t>::max()) return top + 1;
    // A damaged index used the largest id: take the first gap instead.
    int32_t candidate = 1;
    for (const auto& record : Records) {
        if (record->Id < candidate) continue;
        if (record->Id > candidate) return candidate;
        if (record->Id == std::numeric_limits<int32_t>::max()) break;
        candidate = record->Id + 1;
    }
    throw TknError(u"No free page id!");
}

void TPageStore::DeletePage(int32_t id) {
    TPageRecord* record = Find(id);
    if (!record) return;
    SaveText(id, u"");
    FPendingTexts.erase(id);  // the batch's write leaves the text out with the record
    FreeIds.Push(id);
    const auto at = std::lower_bound(FIds.begin(), FIds.end(), id) - FIds.begin();
    FIds.erase(FIds.begin() + at);
    FTypes.erase(FTypes.begin() + at);
    Records.erase(Records.begin() + at);
}

std::u16string TPageStore::ReadText(int32_t id, int32_t maxlen) {
    const TPageRecord* record = Find(id);
    if (maxlen == 0 || !record || record->TextLength == 0) return {};
    const bool cut = maxlen >= 1 && maxlen <= record->TextLength - 1;
    const int32_t count = cut ? maxlen : record->TextLength;
    auto pending = FPendingTexts.find(id);
    std::u16string text = pending != FPendingTexts.end()
                              ? pending->second.substr(0, static_cast<size_t>(count))
                              : FFiles.ReadData(record->DataPos, count);
    return cut ? text + u" ..." : text;
}

bool TPageStore::SaveText(int32_t id, std::u16string_view text) {
    TPageRecord* record = Find(id);
    if (!record) return false;
    if (text.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw TknError(u"File Write Error!");
    const auto newLength = static_cast<int32_t>(text.size());
    if (newLength == record->TextLength && text == ReadText(id, -1)) return false;
    if (FBatchDepth > 0) {
        FPendingTexts[id] = std::u16string(text);
        record->TextLength = newLength;
        FDataWaiting = true;
        return true;
    }

    std::vector<TDataPiece> pieces = DataPieces(record, text);
    const int32_t oldLength = record->TextLength;
    record->TextLength = newLength;
    try {
        WritePair(pieces);
    } catch (...) {
        record->TextLength = oldLength;
        throw;
    }
    return true;
}

void TPageStore::WritePair(const std::vector<TDataPiece>& pieces) {
    FFiles.WritePair(pieces, IndexText(), EncryptDataFileOption());
    FPendingTexts.clear();  // every piece list carries them
    FDataWaiting = false;
    UpdateDataPositions();
    FFiles.Recover();  // puts the committed pair in place
}

// The new data file: every record's text in id order, the new text for the changed one, then
// whatever followed the last text. Adjacent ranges are copied as one.
std::vector<TDataPiece> TPageStore::DataPieces(const TPageRecord* changed,
                                               std::u16string_view text) const {
    std::vector<TDataPiece> pieces;
    auto addRange = [&pieces](int64_t pos, int64_t count) {
        if (count == 0) return;
        TDataPiece* last = pieces.empty() ? nullptr : &pieces.back();
        if (last && last->Pos >= 0 && last->Pos + last->Count == pos)
            last->Count = count < 0 ? -1 : last->Count + count;
        else
            pieces.push_back(TDataPiece::Range(pos, count));
    };
    for (const auto& record : Records) {
        std::u16string_view newText = text;
        if (record.get() != changed) {
            auto pending = FPendingTexts.find(record->Id);
            if (pending == FPendingTexts.end()) {
                addRange(record->DataPos, record->TextLength);
                continue;
            }
            newText = pending->second;
        }
        if (!newText.empty()) pieces.push_back(TDataPiece::NewText(newText));
    }
    addRange(FTailPos, -1);
    return pieces;
}

void TPageStore::UpdateDataPositions() {
    int64_t pos = 0;
    for (const auto& record : Records) {
        record->DataPos = pos;
        pos += record->TextLength;
    }
    FTailPos = pos;
}

int32_t TPageStore::GetTextLength(int32_t id) const {
    const TPageRecord* record = Find(id);
    return record ? record->TextLength : 0;
}

// An index written in id order must find the texts in id order too; only a damaged index read
// out of order makes the data file follow.
void TPageStore::SaveIndex() {
    if (FBatchDepth > 0) {
        FIndexWaiting = true;
        return;
    }
    if (FDataWaiting)
        WritePair(DataPieces(nullptr, {}));
    else if (DataInIdOrder())
        WriteIndexIfChanged();
    else
        WritePair(DataPieces(nullptr, {}));
}

void TPageStore::EndBatch() {
    if (FBatchDepth == 0 || --FBatchDepth > 0) return;
    if (!FDataWaiting && !FIndexWaiting) return;
    SaveIndex();
    FIndexWaiting = false;
}

TStoreBatch::~TStoreBatch() {
    if (!FStore) return;
    try {
        FStore->EndBatch();
    } catch (...) {
        // Leaving through an exception already; the texts stay pending for the next save.
    }
}

void TStoreBatch::Commit() {
    TPageStore* store = FStore;
    FStore = nullptr;
    store->EndBatch();
}

void TPageStore::WriteIndexIfChanged() {
    const std::u16string text = IndexText();
    const bool marker = EncryptDataFileOption();
    FFiles.Recover();  // a pair left pending is what the index file is about to hold
    if (!FileHoldsText(IndexPath(), text, marker)) FFiles.WriteIndex(text, marker);
}

bool TPageStore::DataInIdOrder() const {
    int64_t pos = 0;
    for (const auto& record : Records) {
        if (record->TextLength > 0 && record->DataPos != pos) return false;
        pos += record->TextLength;
    }
    return true;
}

std::u16string TPageStore::IndexText() {
    std::u16string text(kIndexVersion);
    text += u"\r\n";
    text += FreeIds.GetText();
    for (const auto& record : Records) {
        text += u"\r\n";
        text += IntToStr(record->Id);
        text += u'\t';
        text += IntToStr(GetOwnerOf(*record));
        text += u'\t';
        text += IntToStr(static_cast<int8_t>(record->PageType));
        text += u'\t';
        text += IntToStr(record->TextLength);
        text += u'\t';
        AppendProperties(*record, text);
    }
    return text;
}

void TPageStore::AppendProperties(const TPageRecord& record, std::u16string& line) {
    if (!record.Page) {
        line += record.PendingProperties;
        return;
    }
    record.Page->SaveProperties(PropertyBuffer);
    for (int i = 0; i < PropertyBuffer.Count(); ++i) {
        if (i > 0) line += u'\t';
        AppendEntry(PropertyBuffer.Items(i), line);
    }
}

bool TPageStore::FindFirstOfType(uint8_t pageType, int32_t& id) const {
    // memchr runs through many types at a time; the system pages are often the last ones.
    const void* hit =
        FTypes.empty() ? nullptr : std::memchr(FTypes.data(), pageType, FTypes.size());
    if (!hit) return false;
    id = FIds[static_cast<size_t>(static_cast<const uint8_t*>(hit) - FTypes.data())];
    return true;
}

// Which record types a page type given to a search matches.
std::array<bool, 256> TPageStore::MatchingTypes(uint8_t pageType) const {
    std::array<bool, 256> matches{};
    for (int type = 0; type < 256; ++type)
        matches[type] = pageType == kEverySearchableType
                            ? PageFactory().IsSearchable(static_cast<uint8_t>(type))
                            : type == pageType;
    return matches;
}

// Pages of one owner share the answer of the walk up from that owner when the walk was plain:
// it reached the root, or the owner is the recycle bin itself. Other walks (a loop, a missing
// owner) are made for each page.
template <class F>
void TPageStore::ForEachOutsideRecycleBin(uint8_t pageType, F f) const {
    int32_t sharedOwner = 0;
    bool shared = false, sharedAnswer = false;
    const std::array<bool, 256> matches = MatchingTypes(pageType);
    for (size_t k = 0; k < FTypes.size(); ++k) {
        if (!matches[FTypes[k]]) continue;
        const TPageRecord* record = Records[k].get();
        const int32_t owner = GetOwnerOf(*record);
        bool inBin = sharedAnswer;
        if (!shared || owner != sharedOwner) {
            bool first = true, firstIsBin = false, reachedRoot = false;
            inBin = false;
            WalkOwners(*record, [&](const TPageRecord& up) {
                inBin = up.PageType == ptRecycleBin;
                firstIsBin = first && inBin;
                first = false;
                reachedRoot = up.Id == kRootId;
                return !inBin;
            });
            shared = inBin ? firstIsBin : reachedRoot;
            sharedOwner = owner;
            sharedAnswer = inBin;
        }
        if (!inBin) f(*record);
    }
}

void TPageStore::GetIdsOfType(uint8_t pageType, TknIntList& ids) const {
    ids.Clear();
    ForEachOutsideRecycleBin(pageType, [&ids](const TPageRecord& record) { ids.Add(record.Id); });
}

void TPageStore::GetIdsOfType(uint8_t pageType, std::vector<int32_t>& ids) const {
    ids.clear();
    ForEachOutsideRecycleBin(pageType, [&ids](const TPageRecord& record) { ids.push_back(record.Id); });
}

int TPageStore::CountOfType(uint8_t pageType) const {
    int count = 0;
    ForEachOutsideRecycleBin(pageType, [&count](const TPageRecord&) { ++count; });
    return count;
}

int32_t TPageStore::GetOwnerOf(const TPageRecord& record) const {
    return record.Page ? record.Page->OwnerId() : record.OwnerId;
}

std::u16string_view TPageStore::NameOf(const TPageRecord& record) const {
    return record.Page ? std::u16string_view(record.Page->Name()) : record.PendingEntry(0);
}

uint8_t TPageStore::StatusOf(const TPageRecord& record) const {
    if (record.Page) return record.Page->Status();
    const int64_t status = StrToIntDef(record.PendingEntry(1), 0);
    return status >= psNormal && status <= psReadOnly ? static_cast<uint8_t>(status) : psNormal;
}

void TPageStore::ScanTexts(const std::vector<int32_t>& ids,
                           const std::function<void(size_t, std::u16string_view)>& each) {
    std::vector<std::pair<const TPageRecord*, size_t>> stored;
    for (size_t i = 0; i < ids.size(); ++i) {
        const TPageRecord* record = Find(ids[i]);
        auto pending = record ? FPendingTexts.find(record->Id) : FPendingTexts.end();
        if (pending != FPendingTexts.end())
            each(i, pending->second);
        else if (!record || record->TextLength == 0)
            each(i, {});
        else
            stored.emplace_back(record, i);
    }
    std::stable_sort(stored.begin(), stored.end(), [](const auto& a, const auto& b) {
        return a.first->DataPos < b.first->DataPos;
    });
    std::u16string block;
    int64_t blockPos = 0;
    for (const auto& [record, index] : stored) {
        const int64_t pos = record->DataPos, length = record->TextLength;
        if (pos < blockPos || pos + length > blockPos + static_cast<int64_t>(block.size())) {
            blockPos = pos;
            FFiles.ReadDataInto(pos, std::max(length, kScanBlock), block);
        }
        // A text cut by the end of the file is what is there, as ReadText gives it.
        each(index, std::u16string_view(block).substr(static_cast<size_t>(pos - blockPos),
                                                      static_cast<size_t>(length)));
    }
}

bool TPageStore::IsInRecycleBin(const TPageRecord& record) const {
    bool found = false;
    WalkOwners(record, [&found](const TPageRecord& owner) {
        found = owner.PageType == ptRecycleBin;
        return !found;
    });
    return found;
}

bool TPageStore::IsInRecycleBin(int32_t id) const {
    const TPageRecord* record = Find(id);
    return record && IsInRecycleBin(*record);
}

void TPageStore::GetUsedTypes(TknIntList& types) const {
    bool used[256] = {};
    for (uint8_t type : FTypes) used[type] = true;
    types.Clear();
    for (int type = 0; type < 256; ++type)
        if (used[type]) types.Add(type);
}

std::u16string TPageStore::GetNodePath(TPageSuper* page) {
    if (!page || page->Id() == kRootId) return {};
    const TPageRecord* record = Find(page->Id());
    std::vector<std::u16string> names{page->Name()};
    if (record) {
        WalkOwners(*record, [&](const TPageRecord& owner) {
            if (owner.Id == kRootId) return false;
            TPageSuper* ownerPage = GetPage(owner.Id);
            if (!ownerPage) return false;
            names.push_back(ownerPage->Name());
            return true;
        });
    }
    std::u16string path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (it != names.rbegin()) path += u'\\';
        path += *it;
    }
    return path;
}

// A node path ends with the page's own name. Printable ASCII compares letter by letter, so
// where the path and a name are both of it, a page whose name does not end the path is passed
// without loading it.
bool TPageStore::FindByPath(std::u16string_view path, TPageSuper*& page) {
    auto printable = [](std::u16string_view s) {
        return std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= 0x20 && c < 0x7F; });
    };
    auto cannotEnd = [&, plainPath = printable(path)](std::u16string_view name) {
        if (!plainPath || !printable(name)) return false;
        if (name.size() > path.size()) return true;
        const size_t at = path.size() - name.size();
        return (at > 0 && path[at - 1] != u'\\') || !IsSameText(path.substr(at), name);
    };
    std::vector<int32_t> ids;
    ids.reserve(Records.size());
    for (const auto& record : Records)
        if (!cannotEnd(NameOf(*record))) ids.push_back(record->Id);
    for (int32_t id : ids) {
        TPageSuper* candidate = GetPage(id);
        if (candidate && IsSameText(GetNodePath(candidate), path)) {
            page = candidate;
            return true;
        }
    }
    return false;
}

TPageStore& GetStore() {
    if (!GStore) GStore = new TPageStore();
    return *GStore;
}

void ReleaseStore() {
    delete GStore;
    GStore = nullptr;
}

}  // namespace qb
