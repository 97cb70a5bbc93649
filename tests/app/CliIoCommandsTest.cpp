// The storage commands of quillbox-cli: import, export, mail, backup and check, each run as
// its own process on one program folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/TestSupport.h"

namespace qb::test {
namespace {

class CliIo : public TCliTest {
  protected:
    // The group root's id: the one the notebook has, or a new one.
    std::string GroupRoot() {
        std::istringstream tree(Out("tree"));
        for (std::string line; std::getline(tree, line);) {
            std::istringstream fields(line);
            std::string id, type;
            fields >> id >> type;
            if (type == "22") return id;
        }
        std::string id = Out("new -1 22 Notes");
        return id.substr(0, id.size() - 1);
    }
    std::string Path(const std::string& name) const { return Files.File(name); }
    std::string Quoted(const std::string& name) const { return "'" + Path(name) + "'"; }

    TTempFolder Files{false};
};

TEST_F(CliIo, ImportExportRoundTrip) {
    std::filesystem::create_directories(Path("in/sub"));
    WriteBytes(Path("in/a.txt"), "alpha");
    WriteBytes(Path("in/sub/b.txt"), "beta");
    WriteBytes(Path("in/skip.doc"), "doc");
    const std::string root = GroupRoot();
    std::string imported = Out("import " + root + " " + Quoted("in"));
    ASSERT_NE(imported.find("\tin\n"), std::string::npos) << imported;
    const std::string group = imported.substr(0, imported.find('\t'));

    Out("export " + group + " " + Quoted("out/"));
    EXPECT_EQ(ReadBytes(Path("out/a.txt")), "\xFF\xFE" + Utf16LE(u"alpha"));
    EXPECT_EQ(ReadBytes(Path("out/sub/b.txt")), "\xFF\xFE" + Utf16LE(u"beta"));
    EXPECT_FALSE(std::filesystem::exists(Path("out/skip.doc")));

    // One note to a .qbx file and back in as a copy of it.
    std::string note = Out("import " + root + " " + Quoted("in/a.txt"));
    note = note.substr(0, note.find('\t'));
    Out("export " + note + " " + Quoted("a.qbx"));
    EXPECT_EQ(ReadBytes(Path("a.qbx")), "\xFF\xFE" + Utf16LE(u"3.2b3\r\n1\r\nalpha"));
    std::string again = Out("import " + note + " " + Quoted("a.qbx"));  // into the note's group
    EXPECT_NE(again.find("\ta\n"), std::string::npos);
    EXPECT_EQ(Out("show " + again.substr(0, again.find('\t'))), "alpha");

    EXPECT_EQ(Out("mail " + note), "mailto:?subject=a&body=alpha\n");
}

TEST_F(CliIo, RefusalsAndPartialImports) {
    const std::string root = GroupRoot();
    EXPECT_EQ(Cli("import " + root + " " + Quoted("missing")), 1);
    EXPECT_NE(err.find("No such file or folder"), std::string::npos);
    WriteBytes(Path("old.qbx"), "3.2b1\r\n1\r\nx");
    EXPECT_EQ(Cli("import " + root + " " + Quoted("old.qbx")), 1);
    EXPECT_NE(err.find("The version of the qbx file does not match"), std::string::npos);
    EXPECT_EQ(Cli("import -1 " + Quoted("old.qbx")), 1);  // the root takes no imports
    EXPECT_EQ(Cli("import " + root + " " + Quoted("old.qbx") + " --copy"), 2);
    EXPECT_EQ(Cli("export 999 " + Quoted("x.txt")), 1);
    EXPECT_NE(err.find("No page with id 999"), std::string::npos);
}

TEST_F(CliIo, BackupAndCheck) {
    GroupRoot();
    EXPECT_EQ(Out("check"), "ok\n");
    std::string folder = Out("backup");
    ASSERT_NE(folder.find("/backup/qbbak "), std::string::npos) << folder;
    folder.pop_back();
    EXPECT_EQ(ReadBytes(folder + "quillbox.idx"), ReadBytes(Home.File("data/quillbox.idx")));
    // A backup folder that cannot be made: exit 1, the notebook as it was.
    const std::string index = ReadBytes(Home.File("data/quillbox.idx"));
    WriteBytes(Home.File("blocker"), "a file");
    Out("option Backup BackupPath '.\\blocker\\sub\\'");
    EXPECT_EQ(Cli("backup"), 1);
    EXPECT_NE(err.find("Cannot create folder"), std::string::npos) << err;
    EXPECT_EQ(ReadBytes(Home.File("data/quillbox.idx")), index);
}

TEST_F(CliIo, EveryNotebookCommandRunsTheDataCheckFirst) {
    std::filesystem::create_directories(Home.File("data/quillbox.idx"));
    for (const char* command : {"check", "backup", "tree", "mail 1"}) {
        EXPECT_EQ(Cli(command), 1) << command;
        EXPECT_NE(err.find("Data check failed: File Open Error!"), std::string::npos)
            << command << ": " << err;
    }
    EXPECT_FALSE(std::filesystem::exists(Home.File("olddata")));
}

}  // namespace
}  // namespace qb::test
