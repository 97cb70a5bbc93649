// The program among the desktop's conventions: its command line beside Qt's options, fonts
// the system lacks, dialogs that fit small or scaled screens with only a close box, and the
// page chooser of the start page.

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "GuiWait.h"
#include "MainFormFixture.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageSuper.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UCommandLine.h"
#include "shell/ui/UOptionsDialog.h"
#include "storage/UPageStore.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknFonts.h"
#include "views/ui/UPageChooser.h"

namespace qb::test {
namespace {

TEST(DesktopTest, CommandLineTakesItsOwnOptionsAndLeavesQtItsOwn) {
    struct {
        QStringList Line;
        QString Home;
        bool Minimized;
        bool Error;
    } cases[] = {
        {{}, {}, false, false},
        {{"--home", "/n b", "-m"}, "/n b", true, false},
        {{"-M", "--home=/x"}, "/x", true, false},
        {{"-platform", "xcb", "-style", "fusion", "-stylesheet=a.qss", "-reverse"},
         {},
         false,
         false},
        {{"-display", ":3", "-geometry", "10x10", "-m"}, {}, true, false},
        {{"--home"}, {}, false, true},     // no folder
        {{"--bogus"}, {}, false, true},    // nobody's option
        {{"notes.txt"}, {}, false, true},  // the program opens no files
        {{"-mx"}, {}, false, true},
    };
    for (const auto& c : cases) {
        const TCommandLine line = ParseCommandLine(QStringList{"quillbox"} + c.Line);
        const QString shown = c.Line.join(u' ');
        EXPECT_EQ(line.Home, c.Home) << shown.toStdString();
        EXPECT_EQ(line.Minimized, c.Minimized) << shown.toStdString();
        EXPECT_EQ(!line.Error.isEmpty(), c.Error) << shown.toStdString();
    }
    EXPECT_TRUE(ParseCommandLine({"quillbox", "--help"}).Help);
    EXPECT_TRUE(ParseCommandLine({"quillbox", "-h"}).Help);
    EXPECT_TRUE(ParseCommandLine({"quillbox", "--version"}).Version);
    const QString help = CommandLineHelp();
    for (const char* option :
         {"--home DIR", "-m ", "-platform NAME", "-stylesheet FILE", "-style STYLE"})
        EXPECT_TRUE(help.contains(QString::fromLatin1(option))) << option;
}

TEST(DesktopTest, FontsTheSystemLacksFallBackToTheGeneralFontAtTheirSize) {
    const QString general = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    const QString installed = QFontDatabase::families().value(0);
    ASSERT_FALSE(installed.isEmpty());
    struct {
        std::u16string Name;
        QString Family;
    } cases[] = {
        {u"No Such Font 7", general},
        {u"", general},
        {installed.toStdU16String(), installed},
        {installed.toUpper().toStdU16String(), installed.toUpper()},
    };
    for (const auto& c : cases) {
        TFontSettings settings = TextFontDefaults();
        settings.FontName = c.Name;
        settings.FontSize = 13;
        settings.FontBold = true;
        const QFont font = QtFont(settings);
        EXPECT_EQ(font.family().toLower(), c.Family.toLower()) << ToUtf8(c.Name);
        EXPECT_EQ(font.pointSize(), 13);
        EXPECT_TRUE(font.bold());
    }
}

TEST(DesktopTest, DialogsFitTheWorkAreaWithOnlyACloseBox) {
    const QRect screen(0, 0, 640, 400);
    struct {
        QRect Wanted;
        QSize Minimum;
        QRect Fitted;
    } cases[] = {
        {{100, 50, 300, 200}, {100, 100}, {100, 50, 300, 200}},    // fits as it is
        {{500, 300, 300, 200}, {100, 100}, {340, 200, 300, 200}},  // moved in
        {{-20, -5, 300, 200}, {100, 100}, {0, 0, 300, 200}},
        {{40, 40, 700, 480}, {200, 150}, {0, 0, 640, 400}},  // shrunk to the screen
        {{40, 40, 700, 480}, {700, 150}, {0, 0, 700, 400}},  // never below its minimum,
                                                             // the top left kept
    };
    for (const auto& c : cases) EXPECT_EQ(FitDialogRect(c.Wanted, c.Minimum, screen), c.Fitted);
    EXPECT_EQ(FitDialogRect({500, 300, 100, 100}, {50, 50}, QRect(1280, 0, 800, 600)),
              QRect(1280, 300, 100, 100));

    TknDialog dialog(nullptr, u"Test");
    const Qt::WindowFlags flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

class PageChooserTest : public TMainFormTest {
  protected:
    int32_t NewPage(int32_t parentId, uint8_t type, std::u16string_view name) {
        TPageStore& store = GetStore();
        const int32_t id = store.NewPage(parentId, type);
        store.GetPage(id)->SetName(name);
        store.GetPage(parentId)->Childs()->AddChild(id);
        return id;
    }
    int32_t GroupRootId() {
        int32_t id = 0;
        GetStore().FindFirstOfType(ptGroupRoot, id);
        return id;
    }
};

TEST_F(PageChooserTest, OpensAtTheCurrentPageAndReadsGroupsWhenExpanded) {
    Create();  // the first start makes the system pages
    const int32_t trips = NewPage(GroupRootId(), ptGroup, u"Trips");
    const int32_t paris = NewPage(NewPage(trips, ptGroup, u"France"), ptNote, u"Paris");
    NewPage(trips, ptNote, u"Rome");

    TPageChooser fresh(nullptr, -1);
    EXPECT_EQ(fresh.SelectedPage(), kNoOwnerId);
    for (int i = 0; i < fresh.Tree()->topLevelItemCount(); ++i)
        EXPECT_EQ(fresh.Tree()->topLevelItem(i)->childCount(), 0) << "read before expanded";

    TPageChooser chooser(nullptr, paris);
    EXPECT_EQ(chooser.SelectedPage(), paris);
    QTreeWidgetItem* item = chooser.Tree()->currentItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(0), QStringLiteral("Paris"));
    ASSERT_NE(item->parent(), nullptr);
    EXPECT_EQ(item->parent()->parent()->text(0), QStringLiteral("Trips"));
    EXPECT_EQ(item->parent()->parent()->childCount(), 2);  // France and Rome, in order
    EXPECT_EQ(item->parent()->parent()->child(1)->text(0), QStringLiteral("Rome"));
    EXPECT_TRUE(item->parent()->isExpanded());

    // The options show the start page by its path and take the page chosen.
    OptionManager().StartPage = paris;
    TOptionsDialog dialog(nullptr, OptionManager().Options());
    const QString path =
        QString::fromStdU16String(GetStore().GetNodePath(GetStore().GetPage(paris)));
    QLineEdit* name = nullptr;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->text() == path) name = edit;
    ASSERT_NE(name, nullptr) << "the start page is not shown as " << path.toStdString();
    QPushButton* none = nullptr;
    for (QPushButton* button : name->parentWidget()->findChildren<QPushButton*>())
        if (button->text() == QStringLiteral("None")) none = button;
    ASSERT_NE(none, nullptr);
    none->click();
    dialog.accept();
    EXPECT_EQ(dialog.Result().StartPage, -1);
}

}  // namespace
}  // namespace qb::test
