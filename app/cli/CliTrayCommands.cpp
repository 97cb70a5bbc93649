// quillbox-cli commands of the tray features: due (the memo items that fall due at a minute),
// open (a link item opened as the program opens it), clip (a text captured as a clipboard
// change is) and template (what pasting a template item sends to the program in front).

#include <ostream>

#include "CliCommands.h"
#include "features/UClipHandler.h"
#include "features/ULinkOpener.h"
#include "features/UMemoHandler.h"
#include "features/UPasteHandler.h"
#include "features/UProcessShell.h"
#include "features/UTemplateHandler.h"
#include "foundation/UknDateTimeUtils.h"
#include "foundation/UknError.h"
#include "foundation/UknStrUtils.h"
#include "shell/UInMemoryPlatform.h"
#include "storage/UPageStore.h"

namespace qb::cli {

namespace {

class TShellInUse {
  public:
    explicit TShellInUse(IShell& shell) { SetShell(&shell); }
    ~TShellInUse() { SetShell(nullptr); }
    TShellInUse(const TShellInUse&) = delete;
    TShellInUse& operator=(const TShellInUse&) = delete;
};

bool Digits(std::u16string_view s, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i)
        if (s[i] < u'0' || s[i] > u'9') return false;
    return true;
}

// Exactly "yyyy-MM-dd HH:mm", a real date and time of day.
TSystemTime MinuteArg(const std::u16string& s) {
    bool shape = s.size() == 16 && Digits(s, 0, 4) && s[4] == u'-' && Digits(s, 5, 2) &&
                 s[7] == u'-' && Digits(s, 8, 2) && s[10] == u' ' && Digits(s, 11, 2) &&
                 s[13] == u':' && Digits(s, 14, 2);
    TSystemTime t = shape ? ParseDateTime(s, false) : TSystemTime();
    // A day past the month's end comes back as another date.
    bool real = shape && t.Year >= 1601 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
                t.Hour < 24 && t.Minute < 60 && FromUnits(ToUnits(t, tuMinute), tuMinute) == t;
    if (!real) throw TUsageError("--at needs a time \"yyyy-MM-dd HH:mm\": " + Utf8(s));
    return t;
}

int RunDue(TCliContext& ctx) {
    TSystemTime at = LocalNow();
    if (!ctx.Args.empty()) {
        if (ctx.Args.size() != 2 || ctx.Args[0] != u"--at") throw TUsageError("unknown arguments");
        at = MinuteArg(ctx.Args[1]);
    }
    OpenNotebook();
    for (int32_t id : DueMemoItems(at)) {
        auto* item = static_cast<TMemoItem*>(GetStore().GetPage(id));
        ctx.Out << id << "\t" << Utf8(item->Memo().GetTimeText()) << "\t" << Utf8(item->Name())
                << "\n";
    }
    return 0;
}

int RunOpen(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    int32_t id = ArgToInt(ctx.Args[0], "ID");
    OpenNotebook();
    auto* item = dynamic_cast<TLinkItem*>(GetStore().GetPage(id));
    if (!item) throw TknError(u"The page " + ctx.Args[0] + u" is no link item");
    TProcessShell shell;
    TShellInUse inUse(shell);
    OpenLink(item->LinkProperty());
    return 0;
}

// The clipboard and templates as the tray program has them, pasting into a recording desktop.
struct TPasteSetup {
    TMemoryDesktopInput Desktop;
    TPasteHandler Paste{Desktop};
    TPopupHandler Popup{Desktop, nullptr};
};

int RunClip(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    OpenNotebook();
    TPasteSetup setup;
    TClipHandler clips(kRootId, setup.Popup, setup.Paste);
    TPageChilds& items = *clips.ClipPage().Childs();
    int32_t before = items.IsEmpty() ? kNoOwnerId : items.ChildAt(0);
    clips.ClipboardChanged(ctx.Args[0]);
    GetStore().SaveIndex();
    int32_t first = items.IsEmpty() ? kNoOwnerId : items.ChildAt(0);
    if (first == before) {
        ctx.Out << "not captured\n";
        return 0;
    }
    ctx.Out << first << "\t" << Utf8(GetStore().GetPage(first)->Name()) << "\n";
    return 0;
}

int RunTemplate(TCliContext& ctx) {
    RequireArgs(ctx, 1, 1);
    int32_t id = ArgToInt(ctx.Args[0], "ID");
    OpenNotebook();
    if (!dynamic_cast<TTemplateItem*>(GetStore().GetPage(id)))
        throw TknError(u"The page " + ctx.Args[0] + u" is no template item");
    TPasteSetup setup;
    TTemplateHandler templates(kRootId, setup.Popup, setup.Paste);
    templates.PasteItem(id);
    ctx.Out << Utf8(ReplaceAll(setup.Desktop.Transcript(), u"\r\n", u"\n")) << "\n";
    return 0;
}

}  // namespace

void RegisterTrayCommands(TCliRegistry& registry) {
    registry.Add({"due", "[--at \"yyyy-MM-dd HH:mm\"]",
                  "memo items due at that minute (default now), without firing them", RunDue});
    registry.Add({"open", "ID", "open a link item as the program does", RunOpen});
    registry.Add({"clip", "TEXT", "capture a text as a new clipboard text is captured", RunClip, caWrite});
    registry.Add({"template", "ID",
                  "print what pasting the template item sends, keys as [Enter], [Ctrl+C], ...",
                  RunTemplate});
}

}  // namespace qb::cli
