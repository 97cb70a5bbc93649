// Page commands of quillbox-cli: list the tree, read and write texts, create and change pages.
// Every change is written to the index file before the command ends.

#include <array>
#include <charconv>
#include <istream>
#include <sstream>
#include <ostream>
#include <unordered_set>

#include "CliCommands.h"
#include "features/UItemFields.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

// Every command starts here: the notebook goes through the program's start-up first.
TPageStore& Store() {
    OpenNotebook();
    return GetStore();
}

TPageSuper& PageArg(const TCliContext& ctx, size_t index) {
    int32_t id = ArgToInt(ctx.Args[index], "ID");
    TPageSuper* page = Store().GetPage(id);
    if (!page) throw TknError(u"no page with id " + IntToStr(id));
    return *page;
}

int32_t RangeArg(const TCliContext& ctx, size_t index, const char* what, int32_t max) {
    int32_t value = ArgToInt(ctx.Args[index], what);
    if (value < 0 || value > max)
        throw TUsageError(std::string(what) + " must lie between 0 and " + std::to_string(max));
    return value;
}

std::string WithLF(std::u16string_view text) {
    return Utf8(ReplaceAll(text, u"\r\n", u"\n"));
}

// Lone LFs become CR LF; CR LF pairs stay as they are.
std::u16string WithCRLF(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) out += u'\r';
        out += text[i];
    }
    return out;
}

int Done(TCliContext& ctx, const std::string& line) {
    GetStore().SaveIndex();
    if (!line.empty()) ctx.Out << line << "\n";
    return 0;
}

// The tree's lines, gathered and written in large pieces.
class TTreePrinter {
  public:
    explicit TTreePrinter(std::ostream& out) : FOut(out) {}
    ~TTreePrinter() { Flush(); }
    TTreePrinter(const TTreePrinter&) = delete;
    TTreePrinter& operator=(const TTreePrinter&) = delete;

    // Depth first in child order. A page met a second time (a reference, or a loop in a
    // damaged notebook) gets its line again but its children only once. Pages that hold no
    // children are listed from their records, without loading them.
    void Print(int32_t id, int depth) {
        TPageStore& store = GetStore();
        const TPageRecord* record = store.FindRecord(id);
        if (!record) return;
        const TTypeKind kind = KindOf(record->PageType);
        TPageSuper* page = kind == tkLeaf && !record->Page ? nullptr : store.GetPage(id);
        FText.append(2 * static_cast<size_t>(depth), ' ');
        AppendNumber(id);
        FText += '\t';
        AppendNumber(record->PageType);
        FText += '\t';
        if (kind != tkUnknown) {
            AppendNumber(store.StatusOf(*record));
            FText += '\t';
            AppendUtf8(store.NameOf(*record), FText);
        } else {
            FText += '\t';  // a type without class: nothing more is known
        }
        FText += '\n';
        if (FText.size() > kPiece) Flush();
        if (!page || !page->Childs() || !FExpanded.insert(id).second) return;
        // The children as GetChildIds gives them (not the page itself, no missing page),
        // without copying a list of thousands.
        const TknIntList& children = page->Childs()->Ids();
        for (int i = 0; i < children.Count(); ++i)
            if (children.Items(i) != id) Print(children.Items(i), depth + 1);
    }

  private:
    static constexpr size_t kPiece = 64 << 10;
    enum TTypeKind : uint8_t { tkNotKnownYet, tkUnknown, tkLeaf, tkContainer };

    // Whether pages of the type hold children, asked once per type.
    TTypeKind KindOf(uint8_t pageType) {
        TTypeKind& kind = FKinds[pageType];
        if (kind == tkNotKnownYet) {
            const TPageSuper* type = PageFactory().GetClass(pageType);
            kind = !type ? tkUnknown
                   : dynamic_cast<const TPageContainer*>(type) ? tkContainer
                                                               : tkLeaf;
        }
        return kind;
    }
    void AppendNumber(int64_t value) {
        char digits[24];
        FText.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }
    void Flush() {
        FOut << FText;
        FText.clear();
    }

    std::ostream& FOut;
    std::string FText;
    std::unordered_set<int32_t> FExpanded;
    std::array<TTypeKind, 256> FKinds{};
};

int Tree(TCliContext& ctx) {
    RequireArgs(ctx, 0, 0);
    Store().GetRoot();
    TTreePrinter(ctx.Out).Print(kRootId, 0);
    return 0;
}

int Show(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    ctx.Out << WithLF(PageArg(ctx, 0).GetText(-1));
    return 0;
}

int New(TCliContext& ctx) {
    RequireArgs(ctx, 2, 3);
    TPageSuper& parent = PageArg(ctx, 0);
    const auto type = static_cast<uint8_t>(RangeArg(ctx, 1, "TYPE", 255));
    if (!parent.CanAddChild(type) || !parent.Childs())
        throw TknError(u"page " + IntToStr(parent.Id()) + u" does not take pages of type " +
                       IntToStr(type));
    TPageStore& store = GetStore();
    int32_t existing;
    if (PageFactory().IsSingleton(type) && store.FindFirstOfType(type, existing))
        throw TknError(u"the notebook has its page of type " + IntToStr(type) + u" already: " +
                       IntToStr(existing));
    const int32_t id = store.NewPage(parent.Id(), type);
    if (ctx.Args.size() == 3) store.GetPage(id)->SetName(ctx.Args[2]);
    parent.Childs()->AddChild(id);
    return Done(ctx, std::to_string(id));
}

int Write(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    TPageSuper& page = PageArg(ctx, 0);
    std::ostringstream input;
    input << ctx.In.rdbuf();
    page.SetText(WithCRLF(FromUtf8(input.str())));
    return Done(ctx, "");
}

int Rename(TCliContext& ctx) {
    RequireArgs(ctx, 2, 2);
    PageArg(ctx, 0).SetName(ctx.Args[1]);
    return Done(ctx, "");
}

int Status(TCliContext& ctx) {
    RequireArgs(ctx, 2, 2);
    TPageSuper& page = PageArg(ctx, 0);
    page.SetStatus(static_cast<uint8_t>(RangeArg(ctx, 1, "N", psReadOnly)));
    return Done(ctx, "");
}

int Field(TCliContext& ctx) {
    RequireArgs(ctx, 2, 3);
    TPageSuper& page = PageArg(ctx, 0);
    const int32_t field = ArgToInt(ctx.Args[1], "FIELD");
    if (ctx.Args.size() == 2) {
        ctx.Out << WithLF(page.GetFieldText(field)) << "\n";
        return 0;
    }
    SetItemField(page, field, WithCRLF(ctx.Args[2]));
    return Done(ctx, "");
}

int Path(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    TPageSuper& page = PageArg(ctx, 0);
    ctx.Out << Utf8(GetStore().GetNodePath(&page)) << "\n";
    return 0;
}

int Find(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    TPageSuper* page = nullptr;
    if (!Store().FindByPath(ctx.Args[0], page))
        throw TknError(u"no page with the path " + ctx.Args[0]);
    ctx.Out << page->Id() << "\n";
    return 0;
}

}  // namespace

void RegisterPageCommands(TCliRegistry& registry) {
    registry.Add({"tree", "", "list the pages: depth, id, type, status, name", Tree});
    registry.Add({"show", "ID", "print the page's text", Show});
    registry.Add({"new", "PARENT TYPE [NAME]", "create a page under PARENT, print its id", New, caWrite});
    registry.Add({"write", "ID", "replace the page's text with standard input", Write, caWriteInput});
    registry.Add({"rename", "ID NAME", "rename a page", Rename, caWrite});
    registry.Add(
        {"status", "ID N", "set the status: 0 normal, 1 locked, 2 protected, 3 read-only", Status, caWrite});
    registry.Add({"field", "ID FIELD [VALUE]",
                  "print a field of the page by its field id, or set an item's field", Field, caWrite,
                  3});
    registry.Add({"path", "ID", "print the page's node path", Path});
    registry.Add({"find", "PATH", "print the id of the first page with the node path", Find});
}

}  // namespace qb::cli
