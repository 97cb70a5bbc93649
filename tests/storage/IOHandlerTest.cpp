// Import and export: file formats byte for byte, folder trees both ways, damaged and hostile
// input, and the small rules (targets, file names, the mail address).

#include <sys/stat.h>

#include <filesystem>

#include "features/UMemoPage.h"
#include "foundation/UknFunctions.h"
#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "storage/IoFixture.h"
#include "storage/UIOHandler.h"

namespace qb::test {
namespace {

class TRecordingProgress : public IIOProgress {
  public:
    void Step(std::u16string_view, std::u16string_view item) override { Steps.emplace_back(item); }
    bool CancelRequested() override { return CancelAfter >= 0 && int(Steps.size()) > CancelAfter; }
    void Tip(std::u16string_view text, std::u16string_view detail) override {
        Tips.push_back(std::u16string(text) + u"|" + std::u16string(detail));
    }
    void Problem(std::u16string_view item, std::u16string_view message) override {
        Problems.push_back(std::u16string(item) + u": " + std::u16string(message));
    }
    std::vector<std::u16string> Steps, Tips, Problems;
    int CancelAfter = -1;
};

class IOHandlerTest : public TIoTest {
  protected:
    TPageSuper* Note(TPageSuper* parent, std::u16string_view name, std::u16string_view text) {
        TPageSuper* note = Add(parent, ptNote, name);
        note->SetText(text);
        return note;
    }
    TPageSuper* MemoList() {
        TPageSuper* list = Add(GroupRoot(), ptMemo, u"Memos");
        for (auto [name, description] :
             {std::pair{u"dentist", u"call\tfirst\r\nthen go"}, {u"--- later", u""}}) {
            auto* item = static_cast<TMemoItem*>(Add(list, ptMemoItem, name));
            item->Memo().Description = description;
            item->Memo().SetTimeText(u"2026-12-24 09:30");
        }
        return list;
    }
    static std::vector<std::vector<std::u16string>> ItemEntries(TPageSuper* list) {
        std::vector<std::vector<std::u16string>> all;
        TknIntList ids;
        list->GetChildIds(ids);
        for (int i = 0; i < ids.Count(); ++i) {
            TknStrList entries(25);
            GetStore().GetPage(ids.Items(i))->SaveProperties(entries);
            all.push_back(Entries(entries));
        }
        return all;
    }
    TPageSuper* LastChild(TPageSuper* parent) {
        TPageChilds* childs = parent->Childs();
        return childs->IsEmpty() ? nullptr : Page(childs->ChildAt(childs->Count() - 1));
    }
    // name, type and children of the tree below the page, one line each.
    std::vector<std::u16string> Tree(TPageSuper* page, std::u16string indent = u"") {
        std::vector<std::u16string> lines;
        TknIntList ids;
        page->GetChildIds(ids);
        for (int i = 0; i < ids.Count(); ++i) {
            TPageSuper* child = Page(ids.Items(i));
            lines.push_back(indent + child->Name() + u" " + IntToStr(child->PageType()));
            for (auto& line : Tree(child, indent + u"  ")) lines.push_back(line);
        }
        return lines;
    }

    TRecordingProgress Progress;
    TIOHandler IO{&Progress};
};

std::u16string Repeat(std::u16string_view s, int n) {
    std::u16string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const std::u16string kSep = u"\r\n\r\n------------\r\n\r\n";

TEST_F(IOHandlerTest, AGroupWithTwoNotesExportsByteForByte) {
    TPageSuper* group = Add(GroupRoot(), ptGroup, u"G");
    Note(group, u"A", u"one");
    Note(group, u"B", u"two\r\nlines");
    IO.ExportToFile(group, Path16("g.txt"));
    EXPECT_EQ(Hex(Read("g.txt")),
              Hex("\xFF\xFE" + Utf16LE(u"A\r\nB" + kSep + u"one" + kSep + u"two\r\nlines")));
    EXPECT_EQ(Progress.Tips.back(), LangText(26050) + u"|" + Path16("g.txt"));
    EXPECT_EQ(group->TrueProperty()->ExternalFile, u".\\g.txt");
    EXPECT_EQ(TIOHandler::ProposeExportFileName(group), Path16("g.txt"));
    // The separator line follows the option.
    SetOptions([](TOptions& o) { o.SepLine = u"%s(=,3)"; });
    IO.ExportToFile(group, Path16("g.txt"));
    EXPECT_EQ(Read("g.txt"), "\xFF\xFE" + Utf16LE(u"A\r\nB\r\n===\r\none\r\n===\r\ntwo\r\nlines"));

    struct TClipboard : IClipboardText {
        void SetClipboardText(std::u16string_view text) override { Text = text; }
        std::u16string Text;
    } clipboard;
    TIOHandler(&Progress, &clipboard).ExportToClipboard(group);
    EXPECT_EQ(clipboard.Text, u"A\r\nB\r\n===\r\none\r\n===\r\ntwo\r\nlines");
    EXPECT_EQ(Progress.Tips.back(), LangText(26045) + u"|");
}

TEST_F(IOHandlerTest, ExportEncodingsAndTheQbxHeader) {
    TPageSuper* note = Note(GroupRoot(), u"N", u"caf\u00e9");
    struct TCase {
        int32_t Encode;
        std::u16string Text;
        std::string Bytes;
    } cases[] = {
        {3, u"caf\u00e9",
         "\xEF\xBB\xBF"
         "3.2b3\r\n1\r\ncaf\xC3\xA9"},
        {5, u"ab",
         "\xFE\xFF" + std::string("\0"
                                  "3\0.\0"
                                  "2\0b\0"
                                  "3\0\r\0\n\0"
                                  "1\0\r\0\n\0a\0b",
                                  24)},
        {1, u"caf\u00e9", "3.2b3\r\n1\r\ncaf\xE9"},
        // The code page cannot hold it: UTF-8 rather than lost characters.
        {1, u"\u65e5\u672c",
         "\xEF\xBB\xBF"
         "3.2b3\r\n1\r\n\xE6\x97\xA5\xE6\x9C\xAC"},
        {9, u"a", "\xFF\xFE" + Utf16LE(u"3.2b3\r\n1\r\na")},  // no such encoding
    };
    for (const TCase& c : cases) {
        SetOptions([&](TOptions& o) { o.ExportEncode = c.Encode; });
        note->SetText(c.Text);
        IO.ExportToFile(note, Path16("n.QBX"));
        EXPECT_EQ(Hex(Read("n.QBX")), Hex(c.Bytes)) << c.Encode;
    }
    EXPECT_EQ(Progress.Tips.back(), LangText(26040) + u"|" + Path16("n.QBX"));
}

TEST_F(IOHandlerTest, MemoListRoundTripThroughQbx) {
    TPageSuper* list = MemoList();
    IO.ExportToFile(list, Path16("trip.qbx"));
    EXPECT_TRUE(Read("trip.qbx").starts_with("\xFF\xFE" + Utf16LE(u"3.2b3\r\n3\r\ndentist\t")));
    TPageSuper* target = Add(GroupRoot(), ptGroup, u"in");
    ASSERT_TRUE(IO.ImportPath(target, Path16("trip.qbx"), false, false));
    TPageSuper* copy = LastChild(target);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->PageType(), ptMemo);
    EXPECT_EQ(copy->Name(), u"trip");
    EXPECT_EQ(ItemEntries(copy), ItemEntries(list));
    EXPECT_EQ(static_cast<TMemoItem*>(Page(copy->Childs()->ChildAt(0)))->Memo().Description,
              u"call\tfirst\r\nthen go");
    EXPECT_TRUE(Progress.Problems.empty());
    // What was imported reaches the index file with the next save (the store's own test
    // covers that a save writes every loaded page).
    EXPECT_EQ(Store().FindRecord(copy->Id())->OwnerId, target->Id());
}

// Names that file systems refuse, duplicates, hidden and overlong names, a child list that
// leads back to its own group: the folder export gives every page its own file.
TEST_F(IOHandlerTest, ExportToFolderNamesEveryFileSafely) {
    TPageSuper* top = Add(GroupRoot(), ptGroup, u"top");
    Note(top, u"a/b:c", u"1");
    Note(top, u"x", u"2");
    Note(top, u"x", u"3");
    TPageSuper* dots = Add(top, ptGroup, u"..");
    Note(dots, std::u16string(200, u'\u00e9'), u"4");
    dots->Childs()->AddChild(top->Id());  // a damaged loop
    MemoList()->SetName(u"M");
    top->Childs()->AddChild(LastChild(GroupRoot())->Id());
    ASSERT_TRUE(IO.ExportToFolder(top, Path16("out")));
    std::set<std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(PathOf("out")))
        files.insert(e.path().string().substr(PathOf("out/").size()));
    const std::string longName = ToUtf8(std::u16string(125, u'\u00e9')) + ".txt";
    EXPECT_EQ(files, (std::set<std::string>{"a b c.txt", "x.txt", "x (2).txt", "_..",
                                            "_../" + longName, "M.qbx"}));
    EXPECT_EQ(Read("out/x (2).txt"), "\xFF\xFE" + Utf16LE(u"3"));
    EXPECT_EQ(Progress.Problems.size(), 1u);
    EXPECT_EQ(Progress.Tips.back(), LangText(26030) + u"|" + Path16("out/"));

    // Cancel after the second page: the third is not written, the stop is told once.
    std::filesystem::remove_all(PathOf("out"));
    Progress.Steps.clear();
    Progress.CancelAfter = 1;
    EXPECT_FALSE(IO.ExportToFolder(top, Path16("out")));
    EXPECT_EQ(Progress.Steps.size(), 2u);
    EXPECT_FALSE(Exists("out/x (2).txt"));
    EXPECT_EQ(Progress.Tips.back(), LangText(26105) + u"|");
}

TEST_F(IOHandlerTest, FolderTreeRoundTrip) {
    TPageSuper* top = Add(GroupRoot(), ptGroup, u"tree");
    Note(top, u"first", u"text one");
    TPageSuper* sub = Add(top, ptGroup, u"sub");
    Note(sub, u"second", u"text\r\ntwo");
    top->Childs()->AddChild(MemoList()->Id());
    ASSERT_TRUE(IO.ExportToFolder(top, Path16("tree")));
    TPageSuper* target = Add(GroupRoot(), ptGroup, u"back");
    ASSERT_TRUE(IO.ImportPath(target, Path16("tree"), true, false));
    EXPECT_EQ(Tree(target), (std::vector<std::u16string>{u"tree 0", u"  Memos 3", u"    dentist 15",
                                                         u"    --- later 15", u"  first 1",
                                                         u"  sub 0", u"    second 1"}));
    TPageSuper* second = Page(Page(LastChild(target)->Childs()->ChildAt(2))->Childs()->ChildAt(0));
    EXPECT_EQ(second->GetFullText(), u"text\r\ntwo");
}

// a.txt, b.qbx and the folder d are imported, x.doc is not; hidden entries, a named pipe, a
// link back up the tree, a dangling link and a name that is no UTF-8 are left out with a
// problem each, and the rest goes on. Names keep every character a file name may hold.
TEST_F(IOHandlerTest, ImportFolderWithHostileEntries) {
    Write("in/a.txt", "plain ascii");
    Write("in/b.qbx", "\xFF\xFE" + Utf16LE(u"3.2b3\r\n2\r\n1+1"));
    Write("in/x.doc", "not text");
    Write("in/d/c.TXT", "\xEF\xBB\xBFutf8 \xC3\xA9");
    Write("in/.hidden.txt", "hidden");
    Write("in/back\\slash:colon*?\"<>|\tname.txt", "odd");
    Write("in/bad\xFF.txt", "bad name");
    ::mkfifo(PathOf("in/pipe.txt").c_str(), 0644);
    std::filesystem::create_directory_symlink(PathOf("in"), PathOf("in/d/loop"));
    std::filesystem::create_symlink(PathOf("in/nowhere.txt"), PathOf("in/dangling.txt"));
    TPageSuper* root = GroupRoot();
    ASSERT_TRUE(IO.ImportPath(root, Path16("in"), true, false));
    TPageSuper* group = LastChild(root);
    EXPECT_EQ(Tree(group),
              (std::vector<std::u16string>{u"a 1", u"b 2", u"back\\slash:colon*?\"<>|  name 1",
                                           u"d 0", u"  c 1"}));
    EXPECT_EQ(Page(group->Childs()->ChildAt(0))->GetFullText(), u"plain ascii");
    EXPECT_EQ(Page(group->Childs()->ChildAt(1))->GetFullText(), u"1+1");
    EXPECT_EQ(Page(group->Childs()->ChildAt(2))->GetFullText(), u"odd");
    EXPECT_EQ(Page(Page(group->Childs()->ChildAt(3))->Childs()->ChildAt(0))->GetFullText(),
              u"utf8 \u00e9");
    EXPECT_EQ(Progress.Problems.size(), 4u);  // bad name, dangling link, loop, pipe
    EXPECT_EQ(IO.ProblemCount(), 4);
    EXPECT_FALSE(IO.ImportPath(root, Path16("missing"), false, false));
}

TEST_F(IOHandlerTest, FileModeImportsAnyExtensionAndStopsOnCancel) {
    Write("x.doc", "doc text");
    Write("y.txt", "y");
    TPageSuper* root = GroupRoot();
    IO.ImportPaths(root, {Path16("x.doc"), Path16("missing"), Path16("y.txt")}, false, false);
    EXPECT_EQ(Tree(root), std::vector<std::u16string>{u"x 1"});  // stopped at the missing one
    EXPECT_EQ(PageCenter().ActivePage(), LastChild(root));
    Progress.CancelAfter = 0;
    EXPECT_FALSE(IO.ImportPath(root, Path16("y.txt"), false, false));
    EXPECT_EQ(Progress.Tips.back(), LangText(26095) + u"|");
    EXPECT_EQ(root->Childs()->Count(), 2);  // what was done stays
}

TEST_F(IOHandlerTest, BadQbxFilesCreateNothing) {
    struct TCase {
        const char* Name;
        std::string Bytes;
        std::u16string Problem;
    } cases[] = {
        {"old", "\xFF\xFE" + Utf16LE(u"3.2b2\r\n1\r\ntext"), LangText(26060)},
        {"empty", "", LangText(26060)},
        {"lf only", "3.2b3\nx\nbody", u"The qbx file holds an unknown page type: x"},
        {"no type", "3.2b3\r\n", u"The qbx file holds an unknown page type: "},
        {"unknown", "3.2b3\r\n99\r\n", u"The qbx file holds an unknown page type: 99"},
        {"image key", "3.2b3\r\n27\r\n", u"The qbx file holds an unknown page type: 27"},
        {"huge", "3.2b3\r\n99999999999999999999\r\n",
         u"The qbx file holds an unknown page type: 99999999999999999999"},
        {"root", "3.2b3\r\n23\r\n", u"A page of type 23 cannot be imported here"},
        {"recycler", "3.2b3\r\n13\r\n", u"A page of type 13 cannot be imported here"},
        {"item", "3.2b3\r\n15\r\nx\t0", u"A page of type 15 cannot be imported here"},
    };
    TPageSuper* root = GroupRoot();
    const int records = Store().RecordCount();
    for (const TCase& c : cases) {
        Progress.Problems.clear();
        Write(std::string(c.Name) + ".qbx", c.Bytes);
        EXPECT_TRUE(IO.ImportPath(root, Path16(std::string(c.Name) + ".qbx"), false, false));
        ASSERT_EQ(Progress.Problems.size(), 1u) << c.Name;
        EXPECT_EQ(Progress.Problems[0], Path16(std::string(c.Name) + ".qbx") + u": " + c.Problem);
    }
    EXPECT_EQ(Store().RecordCount(), records);
    EXPECT_EQ(root->Name(), GroupRoot()->Name());

    // Cut in the middle of an item and of a character: the whole items come in, the cut one
    // with what it has, and nothing breaks.
    std::string cut = "\xFF\xFE" + Utf16LE(u"3.2b3\r\n3\r\nfirst\t0\t\t0\r\nsecond\t0\t\t0\t@12:");
    cut.push_back('0');
    Write("cut.qbx", cut);
    ASSERT_TRUE(IO.ImportPath(root, Path16("cut.qbx"), false, false));
    TPageSuper* list = LastChild(root);
    EXPECT_EQ(list->PageType(), ptMemo);
    ASSERT_EQ(list->Childs()->Count(), 2);
    EXPECT_EQ(Page(list->Childs()->ChildAt(1))->Name(), u"second");

    // A group holds no body: text after its type would sit unseen in the data file.
    Write("group.qbx", "3.2b3\r\n0\r\nstray text");
    ASSERT_TRUE(IO.ImportPath(root, Path16("group.qbx"), false, false));
    EXPECT_EQ(LastChild(root)->PageType(), ptGroup);
    EXPECT_EQ(Store().GetTextLength(LastChild(root)->Id()), 0);
}

TEST_F(IOHandlerTest, VirtualImportKeepsTheTextInItsFile) {
    Write("linked.txt", "outside");
    TPageSuper* root = GroupRoot();
    // A path relative to the working folder is stored from the program folder on.
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(PathOf("."));
    ASSERT_TRUE(IO.ImportPath(root, u"linked.txt", false, true));
    std::filesystem::current_path(cwd);
    TPageSuper* note = LastChild(root);
    EXPECT_EQ(note->TrueProperty()->ExternalFile, u".\\linked.txt");
    EXPECT_TRUE(note->TrueProperty()->External);
    EXPECT_EQ(Store().GetTextLength(note->Id()), 0);
    EXPECT_EQ(note->GetFullText(), u"outside");
    note->SetText(u"edited");
    EXPECT_EQ(Read("linked.txt"), "edited");
    EXPECT_EQ(Store().GetTextLength(note->Id()), 0);
    // A backslash in a file's name would become a separator in the stored link.
    Write("links/a\\b.txt", "x");
    ASSERT_TRUE(IO.ImportPath(root, Path16("links"), false, true));
    EXPECT_TRUE(LastChild(root)->Childs()->IsEmpty());
    EXPECT_EQ(Progress.Problems.size(), 1u);
}

TEST_F(IOHandlerTest, ImportTargets) {
    TPageSuper* root = GroupRoot();
    TPageSuper* group = Add(root, ptGroup, u"g");
    TPageSuper* note = Add(group, ptNote, u"n");
    TPageSuper* memos = MemoList();
    TPageSuper* item = Page(memos->Childs()->ChildAt(0));
    EXPECT_EQ(TIOHandler::ImportTarget(group), group);
    EXPECT_EQ(TIOHandler::ImportTarget(root), root);
    EXPECT_EQ(TIOHandler::ImportTarget(note), group);
    EXPECT_EQ(TIOHandler::ImportTarget(memos), root);
    EXPECT_EQ(TIOHandler::ImportTarget(item), nullptr);
    EXPECT_EQ(TIOHandler::ImportTarget(Store().GetRoot()), nullptr);
}

TEST_F(IOHandlerTest, FileNamesProposalsAndMailAddress) {
    struct TCase {
        std::u16string Name, Extension, File;
    } names[] = {
        {u"a/b:c", u".txt", u"a b c"},
        {u"<>|\"*?\\", u".txt", u"       "},
        {u"", u".txt", u"_"},
        {u"..", u"", u"_.."},
        {u".profile", u".txt", u"_.profile"},
        {u"tab\x01"
         u"mark\x1C",
         u".txt", u"tab mark "},
        {std::u16string(300, u'w'), u".qbx", std::u16string(251, u'w')},
        {Repeat(u"\U0001F600", 100), u"", Repeat(u"\U0001F600", 63)},  // pairs stay whole
    };
    for (const TCase& c : names) {
        std::u16string file = SafeFileName(c.Name, c.Extension);
        EXPECT_EQ(file, c.File) << ToUtf8(c.Name);
        EXPECT_LE(ToUtf8(file + c.Extension).size(), 255u);
    }
    TPageSuper* memos = MemoList();
    TPageSuper* note = Note(GroupRoot(), u"a/b:c", u"x");
    EXPECT_EQ(TIOHandler::ProposeExportFileName(memos), u"Memos.qbx");
    EXPECT_EQ(TIOHandler::ProposeExportFileName(note), u"a b c.txt");

    note->SetName(u"R&D? 100%");
    note->SetText(u"a=b & c?\r\n\td #1 50%\ne");
    EXPECT_EQ(TIOHandler::MailAddress(note),
              u"mailto:?subject=R%26D%3F%20100%25"
              u"&body=a%3Db%20%26%20c%3F%0D%0A%09d%20%231%2050%25%0Ae");
}

}  // namespace
}  // namespace qb::test
