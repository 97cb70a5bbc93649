#include "storage/UIOHandler.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "foundation/UknError.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "storage/UFolderOps.h"
#include "storage/UPageStore.h"
#include "storage/USaveManager.h"

namespace qb {

namespace {

constexpr int32_t kTipExportedToFolder = 26030;
constexpr int32_t kTipExportedPage = 26040;
constexpr int32_t kTipExportedToClipboard = 26045;
constexpr int32_t kTipExportedNode = 26050;
constexpr int32_t kMsgQbxVersion = 26060;
constexpr int32_t kTipImporting = 26090;
constexpr int32_t kTipImportStopped = 26095;
constexpr int32_t kTipExporting = 26100;
constexpr int32_t kTipExportStopped = 26105;
constexpr int32_t kFilterTextFirst = 25450;
constexpr int32_t kFilterQbxFirst = 25460;

// Texts are counted in 32-bit lengths; anything near that is no note.
constexpr off_t kMaxImportBytes = off_t(1) << 30;
constexpr size_t kMaxFileNameBytes = 255;
constexpr size_t kMaxTempStemBytes = 200;  // leaves room for "." and ".part"
constexpr std::u16string_view kCrLf = u"\r\n";

class TSilentProgress : public IIOProgress {
  public:
    void Step(std::u16string_view, std::u16string_view) override {}
    bool CancelRequested() override { return false; }
    void Tip(std::u16string_view, std::u16string_view) override {}
    void Problem(std::u16string_view, std::u16string_view) override {}
};

TSilentProgress gSilent;

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

// The parts of a file-system path; only "/" separates, a name may hold "\" or ":".
std::string LastElement(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionOf(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : AsciiLower(name.substr(dot + 1));
}

// Paths the pages remember must not depend on the folder the program was started in.
std::string AbsolutePath(const std::u16string& path) {
    std::error_code ec;
    const std::filesystem::path native(ToUtf8(NativePath(path)));
    const std::filesystem::path absolute = std::filesystem::absolute(native, ec);
    return (ec ? native : absolute).string();
}

std::u16string StoredPath(const std::u16string& path) {
    return MakeRelative(FromUtf8(AbsolutePath(path)), ProgramFolder());
}

// A file ".txt" or a folder "." gives no name: the page keeps its default one.
void NameAfterFile(TPageSuper* page, const std::string& path) {
    const std::string name = WithoutExtension(LastElement(path));
    if (!name.empty() && name != "/") page->SetName(FromUtf8(name));
}

// Reads an import file with encoding detection. The file is opened here without blocking
// (a named pipe would wait for a writer) and checked to be a regular file of a sane size.
std::u16string ReadImportFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw TknError(u"File Open Error!");
    struct TCloser {
        int Fd;
        ~TCloser() { ::close(Fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) throw TknError(u"Not a regular file");
    if (st.st_size > kMaxImportBytes) throw TknError(u"File too large to import");
    // WORKAROUND: Linux file names are bytes and may hold "\" or invalid UTF-8, which the
    // text-file layer's UTF-16 paths cannot name; the open descriptor's /proc name can.
    return TknMemoryTextFile(u"/proc/self/fd/" + IntToStr(fd), fmRead).Text();
}

bool IsReadable(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// Line 1 or 2 of a ".qbx" file: up to CR LF, or a bare LF of a file edited elsewhere.
std::u16string_view TakeLine(std::u16string_view& rest) {
    size_t end = rest.find(u'\n');
    std::u16string_view line = rest.substr(0, end);
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    return line;
}

TEncoding OptionEncoding() {
    switch (int32_t e = OptionManager().ExportEncode) {
        case enAnsi:
        case enUTF8BOM:
        case enUTF16LE:
        case enUTF16BE:
            return static_cast<TEncoding>(e);
        default:
            return enUTF16LE;
    }
}

// The length of the text in UTF-8, the unit of file-name limits.
size_t Utf8Length(std::u16string_view s) {
    return ToUtf8(s).size();
}

std::u16string CutToBytes(std::u16string s, size_t bytes) {
    while (!s.empty() && Utf8Length(s) > bytes) {
        s.pop_back();
        if (!s.empty() && s.back() >= 0xD800 && s.back() <= 0xDBFF) s.pop_back();
    }
    return s;
}

// Exported files are copies of the notebook: each replaces an older export only once it is
// complete, but is not flushed to disk on its own, which for a folder of thousands of pages
// would cost a disk flush per page.
void WriteExportFile(const std::u16string& fileName, std::u16string_view text) {
    const std::u16string target = NativePath(fileName);
    const size_t slash = target.rfind(u'/') + 1;  // npos + 1 is 0
    // Cut by bytes, the unit of the file system's limit, like the final name.
    const std::u16string temp = target.substr(0, slash) + u"." +
                                CutToBytes(target.substr(slash), kMaxTempStemBytes) + u".part";
    try {
        TknTextFile file(temp, fmWrite, ExportEncodingFor(text));
        file.Write(text);
    } catch (...) {
        std::remove(ToUtf8(temp).c_str());
        throw;
    }
    if (std::rename(ToUtf8(temp).c_str(), ToUtf8(target).c_str()) != 0) {
        std::remove(ToUtf8(temp).c_str());
        throw TknError(u"File Write Error!");
    }
}

// The file name for the next child: a second page of the same name gets " (2)", and so on,
// so that no export overwrites another of the same run.
std::u16string UniqueName(std::u16string_view name, std::u16string_view extension,
                          std::set<std::u16string>& used) {
    std::u16string base = SafeFileName(name, extension);
    std::u16string candidate = base;
    for (int n = 2; !used.insert(candidate + std::u16string(extension)).second; ++n) {
        std::u16string suffix = u" (" + IntToStr(n) + u")";
        candidate = SafeFileName(
            CutToBytes(base, kMaxFileNameBytes - Utf8Length(suffix) - Utf8Length(extension)) +
                suffix,
            extension);
    }
    return candidate;
}

std::u16string MailEscape(std::u16string_view text) {
    // "%" first, so that the escapes themselves are not escaped again.
    std::u16string s = ReplaceAll(text, u"%", u"%25");
    for (auto [from, to] : {std::pair{u"?", u"%3F"},
                            {u"=", u"%3D"},
                            {u"&", u"%26"},
                            {u"#", u"%23"},
                            {u"\r\n", u"%0D%0A"},
                            {u"\r", u"%0D"},
                            {u"\n", u"%0A"},
                            {u"\t", u"%09"},
                            {u" ", u"%20"}})
        s = ReplaceAll(s, from, to);
    return s;
}

bool IsImportContainer(const TPageSuper* page) {
    return page && (page->PageType() == ptGroup || page->PageType() == ptGroupRoot);
}

}  // namespace

struct TIOHandler::TImportWalk {
    std::set<std::pair<dev_t, ino_t>> Folders;
};

TIOHandler::TIOHandler(IIOProgress* progress, IClipboardText* clipboard)
    : FProgress(progress ? progress : &gSilent), FClipboard(clipboard) {}

TPageSuper* TIOHandler::ImportTarget(TPageSuper* active) {
    if (!active) return nullptr;
    if (IsImportContainer(active)) return active;
    TPageSuper* owner = GetStore().GetPage(active->OwnerId());
    return IsImportContainer(owner) ? owner : nullptr;
}

bool TIOHandler::ImportPath(TPageSuper* target, const std::u16string& path, bool fromFolder,
                            bool linkOnly) {
    if (!target || !target->Childs()) throw TknError(u"This page cannot hold imported pages");
    TImportWalk walk;
    TStoreBatch batch(GetStore());
    const bool done = ImportEntry(walk, target, AbsolutePath(path), fromFolder, linkOnly, true);
    batch.Commit();
    return done;
}

void TIOHandler::ImportPaths(TPageSuper* target, const std::vector<std::u16string>& paths,
                             bool fromFolder, bool linkOnly) {
    const int before = target->Childs()->Count();
    for (const std::u16string& path : paths)
        if (!ImportPath(target, path, fromFolder, linkOnly)) break;
    TPageChilds* childs = target->Childs();
    if (childs->Count() > before)
        PageCenter().SetActivePage(GetStore().GetPage(childs->ChildAt(childs->Count() - 1)));
}

bool TIOHandler::DropLinksOnly(bool shift, bool ctrl) {
    if (shift) return true;
    if (ctrl) return false;
    return OptionManager().ExternalSaveWhenDragInFile;
}

bool TIOHandler::ImportEntry(TImportWalk& walk, TPageSuper* target, const std::string& path,
                             bool fromFolder, bool linkOnly, bool topLevel) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        // A dangling link inside a folder is one entry left out, not the end of the import.
        if (topLevel) return false;
        Problem(FromUtf8(path), u"File or folder not found");
        return true;
    }
    if (S_ISDIR(st.st_mode)) {
        if (!walk.Folders.insert({st.st_dev, st.st_ino}).second) {
            Problem(FromUtf8(path), u"Folder left out: it was reached before through a link");
            return true;
        }
        return ImportFolder(walk, target, path, linkOnly);
    }
    FProgress->Step(LangText(kTipImporting), FromUtf8(path));
    if (S_ISREG(st.st_mode))
        ImportFile(target, path, fromFolder, linkOnly);
    else
        Problem(FromUtf8(path), u"Not a regular file");
    return !Cancelled(kTipImportStopped);
}

bool TIOHandler::ImportFolder(TImportWalk& walk, TPageSuper* target, const std::string& path,
                              bool linkOnly) {
    std::vector<TFolderEntry> entries;
    try {
        entries = ListFolder(FromUtf8(path));
    } catch (const TknError& e) {
        Problem(FromUtf8(path), e.Message());
        return true;
    }
    TPageStore& store = GetStore();
    const int32_t groupId = store.NewPage(target->Id(), ptGroup);
    TPageSuper* group = store.GetPage(groupId);
    NameAfterFile(group, path);
    target->Childs()->AddChild(groupId);
    const std::string folder = path.back() == '/' ? path : path + "/";
    for (const TFolderEntry& entry : entries) {
        if (entry.Name.starts_with('.')) continue;
        if (ToUtf8(FromUtf8(entry.Name)) != entry.Name) {
            Problem(FromUtf8(folder + entry.Name), u"The file name is not valid UTF-8");
            continue;
        }
        if (!ImportEntry(walk, group, folder + entry.Name, true, linkOnly, false)) return false;
    }
    return true;
}

void TIOHandler::ImportFile(TPageSuper* target, const std::string& path, bool fromFolder,
                            bool linkOnly) {
    const std::string extension = ExtensionOf(LastElement(path));
    try {
        if (extension == "qbx")
            ImportQbx(target, path);
        else if (!fromFolder || extension == "txt")
            ImportText(target, path, linkOnly);
    } catch (const TknError& e) {
        Problem(FromUtf8(path), e.Message());
    }
}

// The text is read before the note exists, so that a file that cannot be read leaves nothing
// behind.
void TIOHandler::ImportText(TPageSuper* target, const std::string& path, bool linkOnly) {
    std::u16string text;
    if (linkOnly) {
        // A stored link path turns "\" into a separator, so such a name cannot be linked.
        if (path.find('\\') != std::string::npos)
            throw TknError(u"The file cannot be linked: its path holds a backslash");
        if (!IsReadable(path)) throw TknError(u"File Open Error!");
    } else {
        text = ReadImportFile(path);
    }
    TPageStore& store = GetStore();
    const int32_t id = store.NewPage(target->Id(), ptNote);
    TPageSuper* note = store.GetPage(id);
    NameAfterFile(note, path);
    TTruePageProperty* property = note->TrueProperty();
    property->ExternalFile = MakeRelative(FromUtf8(path), ProgramFolder());
    property->External = linkOnly;
    target->Childs()->AddChild(id);
    // Storing the text writes the index with the new note; a note without stored text is
    // written by a save.
    if (text.empty())
        SaveManager().Save();
    else
        note->SetText(text);
}

void TIOHandler::ImportQbx(TPageSuper* target, const std::string& path) {
    const std::u16string content = ReadImportFile(path);
    std::u16string_view rest = content;
    if (TakeLine(rest) != kQbxVersion) throw TknError(LangText(kMsgQbxVersion));
    const std::u16string typeText(TakeLine(rest));
    const int64_t type = StrToIntDef(Trim(typeText), -1);
    const TPageSuper* pageClass =
        type >= 0 && type <= 255 ? PageFactory().GetClass(static_cast<int>(type)) : nullptr;
    if (!pageClass) throw TknError(u"The qbx file holds an unknown page type: " + typeText);
    // A single-instance list (templates, fast links) takes the items wherever it lies; any
    // other page must be one the target may hold, or it would sit outside the tree.
    const bool single = pageClass->IsSingleton();
    if (!(single ? pageClass->IsItemContainer() : target->AcceptsChildType(static_cast<int>(type))))
        throw TknError(u"A page of type " + typeText + u" cannot be imported here");
    TPageStore& store = GetStore();
    const int32_t id = store.NewPage(target->Id(), static_cast<uint8_t>(type));
    TPageSuper* page = store.GetPage(id);
    NameAfterFile(page, path);
    // The format holds a body only for text pages and item lists; anything after the type of
    // another page would become a text no view shows and no export writes.
    if (page->IsItemContainer() || page->ClientKind() == ckEditor) page->ImportText(rest);
    if (!single) target->Childs()->AddChild(id);
    SaveManager().Save();
}

void TIOHandler::ExportToFile(TPageSuper* page, const std::u16string& fileName) {
    if (fileName.empty()) return;
    ExportFile(page, fileName);
    TknIntList children;
    page->GetChildIds(children);
    const bool node = !children.IsEmpty() && !page->IsItemContainer();
    FProgress->Tip(LangText(node ? kTipExportedNode : kTipExportedPage), fileName);
}

void TIOHandler::ExportFile(TPageSuper* page, const std::u16string& fileName) {
    const bool qbx = AsciiLower(ToUtf8(ExtractFileExt(fileName))) == "qbx";
    WriteExportFile(
        fileName, qbx ? std::u16string(kQbxVersion) + std::u16string(kCrLf) + page->ExportText(true)
                      : page->ExportText(false));
    TTruePageProperty* property = page->TrueProperty();
    if (property && !property->External) property->ExternalFile = StoredPath(fileName);
}

bool TIOHandler::ExportToFolder(TPageSuper* page, const std::u16string& folder) {
    if (folder.empty()) return true;
    std::set<int32_t> path;
    const std::u16string withSlash =
        folder.back() == u'/' || folder.back() == u'\\' ? folder : folder + u"/";
    if (!ExportFolder(page, withSlash, path)) return false;
    FProgress->Tip(LangText(kTipExportedToFolder), withSlash);
    return true;
}

bool TIOHandler::ExportFolder(TPageSuper* page, const std::u16string& folder,
                              std::set<int32_t>& path) {
    if (TTruePageProperty* property = page->TrueProperty())
        property->ExternalFile = StoredPath(folder);
    CreateFolders(folder);
    path.insert(page->Id());
    TknIntList ids;
    page->GetChildIds(ids);
    std::set<std::u16string> used;
    bool going = true;
    for (int i = 0; going && i < ids.Count(); ++i) {
        TPageSuper* child = GetStore().GetPage(ids.Items(i));
        if (!child) continue;
        if (path.count(child->Id())) {
            Problem(child->Name(), u"Page left out: it holds the page it lies in");
            continue;
        }
        const bool holds = CanHoldNotes(child);
        const std::u16string_view extension = holds                      ? u""
                                              : child->IsItemContainer() ? u".qbx"
                                                                         : u".txt";
        const std::u16string name = UniqueName(child->Name(), extension, used);
        FProgress->Step(LangText(kTipExporting), name);
        try {
            if (holds)
                going = ExportFolder(child, folder + name + u"/", path);
            else
                ExportFile(child, folder + name + std::u16string(extension));
        } catch (const TknError& e) {
            Problem(folder + name + std::u16string(extension), e.Message());
        }
        going = going && !Cancelled(kTipExportStopped);
    }
    path.erase(page->Id());
    return going;
}

void TIOHandler::ExportToClipboard(TPageSuper* page) {
    if (FClipboard) FClipboard->SetClipboardText(page->ExportText(false));
    FProgress->Tip(LangText(kTipExportedToClipboard), u"");
}

bool TIOHandler::CanHoldNotes(TPageSuper* page) {
    return page->CanAddChild(ptNote);
}

std::u16string TIOHandler::ProposeExportFileName(TPageSuper* page) {
    const TTruePageProperty* property = page->TrueProperty();
    if (property && !property->ExternalFile.empty())
        return NativePath(MakeAbsolute(property->ExternalFile, ProgramFolder()));
    const std::u16string_view extension = page->IsItemContainer() ? u".qbx" : u".txt";
    return SafeFileName(page->Name(), extension) + std::u16string(extension);
}

int32_t TIOHandler::ExportFilterId(std::u16string_view fileName) {
    return AsciiLower(ToUtf8(ExtractFileExt(fileName))) == "txt" ? kFilterTextFirst
                                                                 : kFilterQbxFirst;
}

std::u16string TIOHandler::MailAddress(TPageSuper* page) {
    return u"mailto:?subject=" + MailEscape(page->Name()) + u"&body=" +
           MailEscape(page->ExportText(false));
}

void TIOHandler::Problem(std::u16string_view item, std::u16string_view message) {
    ++FProblems;
    FProgress->Problem(item, message);
}

bool TIOHandler::Cancelled(int32_t tipId) {
    if (!FProgress->CancelRequested()) return false;
    FProgress->Tip(LangText(tipId), u"");
    return true;
}

std::u16string SafeFileName(std::u16string_view name, std::u16string_view extension) {
    std::u16string s = ValidFileName(name, true);
    for (char16_t& c : s)
        if (c < 0x20 || c == 0x7F) c = u' ';
    if (s.empty() || s.front() == u'.') s.insert(s.begin(), u'_');
    return CutToBytes(std::move(s), kMaxFileNameBytes - Utf8Length(extension));
}

TEncoding ExportEncodingFor(std::u16string_view text) {
    TEncoding wanted = OptionEncoding();
    if (wanted == enAnsi && AnsiToUnicode(UnicodeToAnsi(text)) != text) return enUTF8BOM;
    return wanted;
}

}  // namespace qb
