// The menus, toolbar and accelerators of the main window on the offscreen platform.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <set>
#include <vector>

#include "foundation/UknStrUtils.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/UknClasses.h"
#include "shell/ui/UMenuManager.h"
#include "shell/ui/UMenuManagerMenus.h"
#include "shell/ui/UToolbarDialog.h"
#include "support/TestSupport.h"
#include "toolkit/UknToolBar.h"
#include "toolkit/UknTrackingTip.h"
#include "toolkit/UknWindow.h"

namespace qb {
namespace {

// Records what runs and objects to the ids it is told to.
class TRecordingExecutor : public ICommandExecutor {
  public:
    TRecordingExecutor() { CommandCenter().AddExecutor(this); }
    ~TRecordingExecutor() override {
        if (TknCommandCenter* center = ExistingCommandCenter()) center->RemoveExecutor(this);
    }
    bool CheckCommand(int32_t id) override { return !Objected.count(id); }
    void ExecuteCommand(int32_t id) override { Executed.push_back(id); }
    std::set<int32_t> Objected;
    std::vector<int32_t> Executed;
};

// Gives a list of texts for one list id.
class TFakeProvider : public IListProvider {
  public:
    explicit TFakeProvider(int32_t listId) : ListId(listId) { ListCenter().AddProvider(this); }
    ~TFakeProvider() override {
        if (TknListCenter* center = ExistingListCenter()) center->RemoveProvider(this);
    }
    void GetListItems(int32_t listId, TknStrList& texts) override {
        if (listId != ListId) return;
        for (const std::u16string& text : Texts) texts.Add(text);
    }
    bool GetItemTip(int32_t, int&, int, std::u16string& tip) override {
        tip = Tip;
        return !Tip.empty();
    }
    int32_t ListId;
    std::vector<std::u16string> Texts;
    std::u16string Tip;
};

std::string Text(const QAction* action) {
    return action ? action->text().toStdString() : "<none>";
}

class MenuManagerTest : public ::testing::Test {
  protected:
    MenuManagerTest() {
        ReleaseShellGlobals();
        Window = std::make_unique<TknWindow>();
        Manager = std::make_unique<TMenuManager>(Window.get());
    }
    ~MenuManagerTest() override {
        Manager.reset();
        Window.reset();
        ReleaseShellGlobals();
    }

    QShortcut* ShortcutFor(const char* keys) const {
        for (QShortcut* s : Manager->AccelTable().Shortcuts())
            if (s->key() == QKeySequence(QString::fromUtf8(keys))) return s;
        return nullptr;
    }
    // Opens a submenu as far as its refresh goes.
    void Open(TknMenu& menu, int32_t id) {
        QMenu* submenu = menu.GetSubMenu(id);
        ASSERT_NE(submenu, nullptr) << id;
        emit submenu->aboutToShow();
    }

    test::TTempFolder Folder;
    std::unique_ptr<TknWindow> Window;
    std::unique_ptr<TMenuManager> Manager;
};

TEST_F(MenuManagerTest, ADisabledCommandRunsFromNoPlace) {
    TRecordingExecutor executor;
    TMainMenu& menu = Manager->MainMenu();
    QAction* button = Manager->ToolBar().Button(1010);
    QShortcut* key = ShortcutFor("Ctrl+N");
    ASSERT_TRUE(button && key);

    auto runEveryWay = [&] {
        emit menu.Action(1010)->triggered(false);
        emit Manager->PopupMainMenu().Action(1010)->triggered(false);
        emit button->triggered(false);
        emit key->activated();
    };
    executor.Objected = {1010};
    CommandCenter().CheckCommands();
    EXPECT_FALSE(menu.ItemEnabled(1010));
    EXPECT_FALSE(Manager->PopupMainMenu().ItemEnabled(1010));
    EXPECT_FALSE(button->isEnabled());
    runEveryWay();
    EXPECT_TRUE(executor.Executed.empty());

    executor.Objected.clear();
    CommandCenter().CheckCommands();
    EXPECT_TRUE(button->isEnabled());
    runEveryWay();
    EXPECT_EQ(executor.Executed, (std::vector<int32_t>(4, 1010)));

    // A key of a command without a menu item goes straight to the executors.
    executor.Executed.clear();
    QShortcut* moveUp = ShortcutFor("Alt+Up");
    ASSERT_TRUE(moveUp);
    emit moveUp->activated();
    EXPECT_EQ(executor.Executed, (std::vector<int32_t>{1220}));
}

TEST_F(MenuManagerTest, TheWindowsKeysComeBeforeTheEditorsOwn) {
    // Select all's key, given to Statistics: the window's table now has it.
    test::WriteBytes(Folder.File("accel.txt"), "1800=Ctrl+A\r\n");
    Manager.reset();
    Manager = std::make_unique<TMenuManager>(Window.get());
    ASSERT_NE(ShortcutFor("Ctrl+A"), nullptr);

    auto claimed = [](QWidget* control, Qt::Key key) {
        QKeyEvent event(QEvent::ShortcutOverride, key, Qt::ControlModifier);
        QApplication::sendEvent(control, &event);
        return event.isAccepted();
    };
    auto* editor = new QPlainTextEdit(Window.get());
    EXPECT_FALSE(claimed(editor, Qt::Key_A));
    EXPECT_TRUE(claimed(editor, Qt::Key_Z));  // undo stays the editor's
    QPlainTextEdit elsewhere;                 // the same control in another window
    EXPECT_TRUE(claimed(&elsewhere, Qt::Key_A));
}

TEST_F(MenuManagerTest, OpeningASubmenuChecksItsCommandsFirst) {
    TRecordingExecutor executor;
    executor.Objected = {1120};
    TMainMenu& menu = Manager->MainMenu();
    ASSERT_TRUE(menu.ItemEnabled(1120));
    Open(menu, 1000);
    EXPECT_FALSE(menu.ItemEnabled(1120));
    EXPECT_FALSE(Manager->PopupMainMenu().ItemEnabled(1120));
    EXPECT_TRUE(menu.ItemEnabled(1110));
}

TEST_F(MenuManagerTest, MenusShowTextsAndKeys) {
    TMainMenu& menu = Manager->MainMenu();
    QMenuBar* bar = Manager->MenuBar();
    ASSERT_EQ(Window->menuBar(), bar);
    std::vector<std::string> top;
    for (QAction* a : bar->actions()) top.push_back(a->text().toStdString());
    EXPECT_EQ(top, (std::vector<std::string>{"&File", "&Edit", "&Navigation", "&Tools", "&Help"}));

    EXPECT_EQ(Text(menu.Action(1150)), "&Save\tCtrl+S");
    EXPECT_EQ(ToUtf8(menu.GetItemText(1150)), "&Save");
    EXPECT_EQ(Text(menu.Action(1320)), "&Undo\tCtrl+Z");  // shown, but left to the editor
    EXPECT_EQ(ShortcutFor("Ctrl+Z"), nullptr);
    EXPECT_NE(ShortcutFor("Ctrl+Shift+F"), nullptr);
    EXPECT_EQ(Text(menu.Action(1160)), "&Property...");

    // The popup form holds the same items inside 1990.
    TMainMenu& popup = Manager->PopupMainMenu();
    ASSERT_NE(popup.GetSubMenu(kPopupFormMenuId), nullptr);
    TknIntList barIds, popupIds;
    menu.GetItemList(barIds);
    popup.GetItemList(popupIds);
    EXPECT_EQ(popupIds.Count(), barIds.Count() + 1);

    // The toolbar: the defaults, hints without ampersands.
    EXPECT_EQ(Manager->ToolBar().Buttons().size(), 23u);
    EXPECT_EQ(Manager->ToolBar().Button(1010)->toolTip().toStdString(), "New NotePage");

    // The tray's Restore / Minimize follows the window status.
    TTrayMenu& tray = Manager->TrayMenu();
    EXPECT_EQ(Text(tray.Action(1960)), "Minimize");
    EventCenter().EventNotify(3050, 2);
    EXPECT_EQ(Text(tray.Action(1960)), "Restore");
    EventCenter().EventNotify(3050, 3);
    EXPECT_EQ(Text(tray.Action(1960)), "Minimize");
}

TEST_F(MenuManagerTest, ListSubmenusAndRelabelledItemsOnOpening) {
    TRecordingExecutor executor;
    TFakeProvider recent(8000);
    TMainMenu& menu = Manager->MainMenu();
    recent.Texts = {u"one", u"two", u"three"};
    Open(menu, 8000);
    EXPECT_EQ(menu.ItemCount(menu.GetSubMenu(8000)), 3);
    EXPECT_EQ(Text(menu.Action(8003)), "three");
    recent.Texts = {u"uno"};
    Open(menu, 8000);
    EXPECT_EQ(menu.ItemCount(menu.GetSubMenu(8000)), 1);
    EXPECT_EQ(Text(menu.Action(8001)), "uno");
    EXPECT_FALSE(menu.ItemExists(8002));
    emit menu.Action(8001)->triggered(false);
    EXPECT_EQ(executor.Executed, (std::vector<int32_t>{8001}));

    // Favorites end with add and manage; no page is active, so 1400 names list items.
    Open(menu, 6500);
    std::vector<std::string> favorites;
    for (QAction* a : menu.GetSubMenu(6500)->actions()) favorites.push_back(Text(a));
    EXPECT_EQ(favorites, (std::vector<std::string>{"", "&Add Favorite", "&Manage Favorite"}));
    Open(menu, 1300);
    EXPECT_EQ(Text(menu.Action(1400)), "&Delete Item\tDel");

    // The tray refreshes its lists when its one submenu opens.
    TFakeProvider links(6000);
    links.Texts = {u"home"};
    Open(Manager->TrayMenu(), kTrayMenuId);
    EXPECT_EQ(Text(Manager->TrayMenu().Action(6001)), "home");
}

TEST_F(MenuManagerTest, AnItemsPreviewGoesWithItsMenu) {
    TFakeProvider recent(8000);
    recent.Texts = {u"one"};
    recent.Tip = u"The first lines of one";
    TMainMenu& menu = Manager->MainMenu();
    Open(menu, 8000);
    QMenu* submenu = menu.GetSubMenu(8000);
    const auto tipShowing = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* tip = qobject_cast<TknTrackingTip*>(w); tip && tip->Showing()) return true;
        return false;
    };
    emit submenu->hovered(menu.Action(8001));
    EXPECT_TRUE(tipShowing());
    emit submenu->aboutToHide();  // closed before the tip's delay ran out
    EXPECT_FALSE(tipShowing());
}

TEST_F(MenuManagerTest, ContextMenusTakeTheCommandCentersState) {
    TRecordingExecutor executor;
    executor.Objected = {1120};
    CommandCenter().CheckCommands();
    TPopupMenu& popup = Manager->PopupMenu();
    ASSERT_TRUE(popup.Prepare(2));
    std::vector<int32_t> ids;
    for (QAction* a : popup.GetSubMenu(kPopupFormMenuId)->actions()) ids.push_back(ActionId(a));
    EXPECT_EQ(ids, (std::vector<int32_t>{1010, 1020, 1110, 0, 1120, 1130, 1160, 1170, 0, 1610, 1190,
                                         1140}));
    EXPECT_FALSE(popup.ItemEnabled(1120));
    EXPECT_TRUE(popup.ItemEnabled(1130));
    EXPECT_EQ(ToUtf8(popup.GetItemText(1170)), "&View");
    emit popup.Action(1120)->triggered(false);
    EXPECT_TRUE(executor.Executed.empty());

    // Refilling for another kind forgets the old items.
    ASSERT_TRUE(popup.Prepare(3));
    EXPECT_FALSE(popup.ItemExists(1120));
    EXPECT_EQ(popup.ItemCount(popup.GetSubMenu(kPopupFormMenuId)), 4);
    EXPECT_FALSE(popup.Prepare(7));
}

TEST_F(MenuManagerTest, ASmallWindowLosesItsMenuBarAndTheCaptionOpensTheMainMenu) {
    ASSERT_TRUE(OptionManager().Options().ShowMenuBar);
    SizeCenter().SetSize(400, 400);
    EXPECT_FALSE(Manager->MenuBar()->isHidden());
    EXPECT_FALSE(Manager->ToolBar().isHidden());
    SizeCenter().SetSize(400, 280);  // level 3: the toolbar needs more than 300
    EXPECT_FALSE(Manager->MenuBar()->isHidden());
    EXPECT_TRUE(Manager->ToolBar().isHidden());
    SizeCenter().SetSize(400, 260);  // ... the menu bar more than 260
    EXPECT_TRUE(Manager->MenuBar()->isHidden());
    TOptions options = OptionManager().Options();
    options.ShowMenuBar = false;
    OptionManager().ReplaceOptions(options);
    SizeCenter().SetSize(400, 400);
    EXPECT_TRUE(Manager->MenuBar()->isHidden());
    EXPECT_FALSE(Manager->ToolBar().isHidden());

    int shown = 0;
    QMenu* main = Manager->PopupMainMenu().GetSubMenu(kPopupFormMenuId);
    QObject::connect(main, &QMenu::aboutToShow, [&shown] { ++shown; });
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    closer.start(20);
    EventCenter().EventNotify(3051, 7);
    EXPECT_EQ(shown, 1);
}

TEST_F(MenuManagerTest, RememberedButtonsAreCleanedAndKept) {
    Manager->SetToolButtons(u"1010,0,0,9999,1110");
    EXPECT_EQ(Manager->ToolBar().Buttons(), (std::vector<int32_t>{1010, 0, 1110}));
    EXPECT_EQ(ToUtf8(MemoryManager().ToolButtons), "1010,0,0,9999,1110");
}

TEST_F(MenuManagerTest, DefineToolbarDialogEditsTheButtonList) {
    TMainMenu& menu = Manager->MainMenu();
    TMenuHolds holds = [&menu](int32_t id) { return menu.ItemExists(id); };
    TToolbarDialog dialog(nullptr, TToolbarEdit(holds, {1010, 0, 1110}),
                          [&menu](int32_t id) { return menu.GetItemText(id); });
    QListWidget* available = dialog.AvailableList();
    QListWidget* current = dialog.CurrentList();
    EXPECT_EQ(available->item(0)->text().toStdString(), "Separator");
    EXPECT_EQ(current->item(0)->text().toStdString(), "New NotePage");

    available->setCurrentRow(1);  // 1020, the first offered id not on the toolbar
    current->setCurrentRow(-1);
    dialog.AddButton()->click();
    EXPECT_EQ(ToUtf8(dialog.Edit().Text()), "1010,0,1110,1020");
    EXPECT_EQ(current->currentRow(), 3);
    dialog.UpButton()->click();
    dialog.UpButton()->click();
    EXPECT_EQ(ToUtf8(dialog.Edit().Text()), "1010,1020,0,1110");
    current->setCurrentRow(0);
    dialog.RemoveButton()->click();
    EXPECT_EQ(ToUtf8(dialog.Edit().Text()), "1020,0,1110");
    available->setCurrentRow(0);
    current->setCurrentRow(0);
    dialog.AddButton()->click();  // a separator before the selected button
    EXPECT_EQ(ToUtf8(dialog.Edit().Text()), "0,1020,0,1110");

    bool asked = false;
    dialog.Confirm = [&asked](std::u16string_view) { return asked = true, false; };
    dialog.ResetButton()->click();
    EXPECT_TRUE(asked);
    EXPECT_EQ(ToUtf8(dialog.Edit().Text()), "0,1020,0,1110");
    dialog.Confirm = [](std::u16string_view) { return true; };
    dialog.ResetButton()->click();
    EXPECT_EQ(dialog.Edit().Current(), DefaultToolButtons());
    EXPECT_EQ(current->count(), 23);
}

}  // namespace
}  // namespace qb
