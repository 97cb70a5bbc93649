// quillbox-cli commands on the page tree and the system pages: rm, mv, fav, search, recent.
// They act as the program's own commands do, without asking questions; the lists print one
// "ID<TAB>NAME" line per page.

#include <memory>
#include <ostream>

#include "CliCommands.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "model/UDeleteHandler.h"
#include "model/UFavoritePage.h"
#include "model/UPageFactory.h"
#include "model/URecentPage.h"
#include "model/USearchPage.h"
#include "shell/ULangManager.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

constexpr int32_t kPageTypeCaptionBase = 25360;

TPageSuper& PageArg(const std::u16string& arg) {
    int32_t id = ArgToInt(arg, "ID");
    TPageSuper* page = GetStore().GetPage(id);
    if (!page) throw TknError(u"No page with the id " + arg);
    return *page;
}

// The arguments without the flags, which are taken out and reported through `flags`.
std::vector<std::u16string> Positional(
    const TCliContext& ctx, std::initializer_list<std::pair<const char16_t*, bool*>> flags) {
    std::vector<std::u16string> rest;
    for (const std::u16string& arg : ctx.Args) {
        bool isFlag = false;
        for (auto [name, value] : flags)
            if (arg == name) isFlag = *value = true;
        if (!isFlag && arg.starts_with(u"--")) throw TUsageError("unknown option " + Utf8(arg));
        if (!isFlag) rest.push_back(arg);
    }
    return rest;
}

void PrintPages(const TCliContext& ctx, const TknIntList& ids) {
    TPageStore& store = GetStore();
    for (int i = 0; i < ids.Count(); ++i)
        if (TPageSuper* page = store.GetPage(ids.Items(i)))
            ctx.Out << page->Id() << "\t" << Utf8(page->Name()) << "\n";
}

int RunRm(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    OpenNotebook();
    TPageSuper& page = PageArg(ctx.Args[0]);
    TSilentDeleteSite site;
    if (!DeleteHandler().DeletePage(page.Id(), site))
        throw TknError(u"The page " + ctx.Args[0] +
                       u" cannot be deleted (it is not normal, holds such a page, or is the root)");
    GetStore().SaveIndex();
    return 0;
}

int RunMv(TCliContext& ctx) {
    bool sibling = false, copy = false;
    std::vector<std::u16string> args =
        Positional(ctx, {{u"--sibling", &sibling}, {u"--copy", &copy}});
    if (args.size() != 2) throw TUsageError("needs ID and TARGET");
    OpenNotebook();
    TPageSuper& page = PageArg(args[0]);
    TPageSuper& target = PageArg(args[1]);
    std::optional<int32_t> placed =
        MoveOrCopy(page.Id(), target.Id(), target.OwnerId(), sibling, copy);
    // A refused drop fails the command, and nothing it touched reaches the files.
    if (!placed) throw TknError(u"Nothing was moved or copied: the target does not take the page");
    GetStore().SaveIndex();
    ctx.Out << *placed << "\n";
    return 0;
}

int RunFav(TCliContext& ctx) {
    RequireArgs(ctx, 2, 2);
    const std::u16string& action = ctx.Args[0];
    if (action != u"add" && action != u"rm") throw TUsageError("the action is add or rm");
    OpenNotebook();
    TPageSuper& page = PageArg(ctx.Args[1]);
    if (action == u"add")
        AddFavorite(page.Id());
    else
        RemoveFavorite(page.Id());
    GetStore().SaveIndex();
    return 0;
}

// A number, or one of the captions offered (without regard to case).
int32_t ChoiceArg(const std::u16string& arg, const std::vector<TSearchChoice>& choices,
                  const char* what) {
    for (const TSearchChoice& choice : choices)
        if (IsSameText(arg, choice.Caption)) return choice.Value;
    return ArgToInt(arg, what);
}

// Every searchable type by its caption, also those the notebook holds no page of yet.
std::vector<TSearchChoice> SearchableTypes() {
    TknIntList types;
    PageFactory().GetPageTypes(types);
    std::vector<TSearchChoice> choices;
    for (int i = 0; i < types.Count(); ++i)
        if (PageFactory().IsSearchable(static_cast<uint8_t>(types.Items(i))))
            choices.push_back({types.Items(i), LangText(kPageTypeCaptionBase + types.Items(i))});
    return choices;
}

int RunSearch(TCliContext& ctx) {
    bool matchCase = false;
    std::vector<std::u16string> args = Positional(ctx, {{u"--case", &matchCase}});
    if (args.size() != 4) throw TUsageError("needs TYPE FIELD OP VALUE");
    OpenNotebook();
    int32_t type = ChoiceArg(args[0], SearchableTypes(), "TYPE");
    if (type < 0 || type > 255) throw TUsageError("TYPE must be a page type from 0 to 255");
    // The fields of the type, from a page object that is not in the notebook.
    std::unique_ptr<TPageSuper> sample(
        PageFactory().CreatePage(static_cast<uint8_t>(type), kNoOwnerId, kNoOwnerId));
    std::vector<TSearchChoice> fields;
    if (sample) fields = TSearchBox::FieldChoices(*sample);
    TSearchCrit crit{static_cast<uint8_t>(type), ChoiceArg(args[1], fields, "FIELD"),
                     ChoiceArg(args[2], TSearchBox::OperatorChoices(), "OP"), args[3], matchCase};
    if (crit.Operator < soEqual || crit.Operator > soExclude)
        throw TUsageError("OP is =, <>, Include, Exclude or 0 to 3");
    int32_t searchId = 0;
    if (!GetStore().FindFirstOfType(ptSearch, searchId)) throw TknError(u"No search page");
    auto* search = dynamic_cast<TSearchPage*>(GetStore().GetPage(searchId));
    if (!search) throw TknError(u"No search page");
    search->Crit = crit;
    TknIntList ids;
    search->GetChildIds(ids);
    PrintPages(ctx, ids);
    return 0;
}

int RunRecent(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    const std::u16string& kind = ctx.Args[0];
    uint8_t type = kind == u"create"   ? ptRecentCreate
                   : kind == u"modify" ? ptRecentModify
                   : kind == u"visit"  ? ptRecentVisit
                                       : 0;
    if (!type) throw TUsageError("the list is create, modify or visit");
    OpenNotebook();
    int32_t id = 0;
    TPageSuper* list = GetStore().FindFirstOfType(type, id) ? GetStore().GetPage(id) : nullptr;
    if (!list) throw TknError(u"No recent list");
    TknIntList ids;
    list->GetChildIds(ids);
    PrintPages(ctx, ids);
    return 0;
}

}  // namespace

void RegisterTreeCommands(TCliRegistry& registry) {
    registry.Add(
        {"rm", "ID", "delete a page as the delete command does (into the recycle bin)", RunRm, caWrite});
    registry.Add({"mv", "ID TARGET [--sibling] [--copy]",
                  "drop a page onto TARGET (beside it with --sibling); prints the page's id",
                  RunMv, caWrite});
    registry.Add({"fav", "add|rm ID", "add a page to the favorites or remove it", RunFav, caWrite});
    registry.Add({"search", "TYPE FIELD OP VALUE [--case]",
                  "print the pages found as the search page finds them", RunSearch});
    registry.Add({"recent", "create|modify|visit", "print a recent list, newest first", RunRecent});
}

}  // namespace qb::cli
