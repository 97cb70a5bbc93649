#include "features/ULinkHandler.h"

#include "features/UProcessShell.h"

#include <filesystem>
#include <system_error>

#include "foundation/UknFile.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknListSuper.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

namespace {

constexpr uintmax_t kMaxDesktopEntry = 1 << 20;  // bytes; anything larger is no launcher

IMainWindowState* gMainWindow = nullptr;

TLinkItem* LinkItem(int32_t id) {
    return dynamic_cast<TLinkItem*>(GetStore().GetPage(id));
}

// The value of "Exec" in the "[Desktop Entry]" group, blanks around "=" ignored.
std::u16string DesktopExec(std::u16string_view text) {
    std::u16string exec;
    bool inEntry = false;
    SplitText(text, u"\n", [&](std::u16string_view raw) {
        std::u16string line = Trim(raw);
        if (line.starts_with(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            return;
        }
        size_t eq = line.find(u'=');
        if (!inEntry || !exec.empty() || eq == std::u16string::npos) return;
        if (Trim(std::u16string_view(line).substr(0, eq)) == u"Exec")
            exec = Trim(std::u16string_view(line).substr(eq + 1));
    });
    return exec;
}

// The program of an Exec line: its first argument, quoted or not.
std::u16string FirstArgument(std::u16string_view exec) {
    std::u16string arg;
    if (exec.empty() || exec[0] != u'"') return std::u16string(exec.substr(0, exec.find(u' ')));
    for (size_t i = 1; i < exec.size() && exec[i] != u'"'; ++i) {
        if (exec[i] == u'\\' && i + 1 < exec.size()) ++i;
        arg.push_back(exec[i]);
    }
    return arg;
}

std::u16string DesktopEntryProgram(const std::u16string& path) {
    std::error_code error;
    uintmax_t size = std::filesystem::file_size(ToUtf8(path), error);
    if (error || size > kMaxDesktopEntry) return {};
    try {
        std::string bytes = ReadFileBytes(path);
        std::u16string program = FirstArgument(DesktopExec(FromUtf8(bytes)));
        return program.empty() ? program : FindProgram(program);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

void SetMainWindowState(IMainWindowState* window) {
    gMainWindow = window;
}

// --- TLinkHandler ---

TLinkHandler::TLinkHandler()
    : FHotKeys(
          ptLinkItem,
          [](TPageSuper& item) { return static_cast<TLinkItem&>(item).LinkProperty().HotKey; },
          [this](TPageSuper& item, uint16_t) { OpenItem(item.Id()); }) {
    EventCenter().AddObserver(this);
    OptionManager().AddObserver(this);
}

TLinkHandler::~TLinkHandler() {
    if (TOptionManager* options = ExistingOptionManager()) options->RemoveObserver(this);
    if (TknEventCenter* events = ExistingEventCenter()) events->RemoveObserver(this);
}

void TLinkHandler::EventNotify(int32_t event, int32_t wparam, int32_t lparam) {
    switch (event) {
        case evOpenLink:
            OpenItem(wparam);
            break;
        case evLinkHotKeySet:
            FHotKeys.Set(wparam, static_cast<uint16_t>(lparam));
            break;
        case evLinkItemDeleted:
            FHotKeys.Remove(wparam);
            break;
        default:
            break;
    }
}

void TLinkHandler::OptionChanged() {
    FAutoMinimize = OptionManager().AutoMinimizeAfterOpenLink;
}

void TLinkHandler::OpenItem(int32_t itemId) {
    TLinkItem* item = LinkItem(itemId);
    if (!item) return;
    OpenLink(item->LinkProperty());
    if (FAutoMinimize && gMainWindow && !gMainWindow->IsMinimized()) gMainWindow->Minimize();
}

// --- TFastLinkHandler ---

namespace {

TSubHotKeyOptions FastLinkHotKeys(const TOptions& options) {
    return {options.FastLinkHotKey, options.EnableFastLinkItemHotKey};
}

}  // namespace

TFastLinkHandler::TFastLinkHandler(int32_t parentId, TPopupHandler& popup)
    : THandlerWithSubHotKey(parentId, ptFastLink, CaptionId, CommandId, ItemCommandBase, popup,
                            FastLinkHotKeys) {}

void TFastLinkHandler::PasteItem(int32_t itemId) {
    EventCenter().EventNotify(evOpenLink, itemId);
}

// --- dropped files ---

std::u16string ResolveDroppedFile(const std::u16string& path) {
    if (!IsSameText(ExtractFileExt(path), u"desktop")) return path;
    std::u16string program = DesktopEntryProgram(path);
    return program.empty() ? path : program;
}

std::vector<int32_t> DropFilesOnLinkPage(int32_t pageId, const std::vector<std::u16string>& paths) {
    TPageStore& store = GetStore();
    TPageSuper* page = store.GetPage(pageId);
    std::vector<int32_t> ids;
    if (!page || (page->PageType() != ptLink && page->PageType() != ptFastLink)) return ids;
    for (const std::u16string& dropped : paths) {
        std::u16string path = ResolveDroppedFile(dropped);
        int32_t id = store.NewPage(pageId, ptLinkItem);
        page->Childs()->AddChild(id);
        TLinkItem* item = LinkItem(id);
        bool folder = DirectoryExists(path);
        // A folder keeps its whole name: a dot in it starts no extension.
        item->SetName(ExtractFileName(path, folder));
        TLinkProperty& link = item->LinkProperty();
        link.LinkType = folder ? ltFolder : ltFile;
        link.Link = MakeRelative(path, ProgramFolder());
        link.HotKey = 0;
        link.Remark.clear();
        PageCenter().Notify(pePageChanged, id);
        ids.push_back(id);
    }
    return ids;
}

}  // namespace qb
