#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include <filesystem>
#include <functional>

#include "foundation/UknIniFile.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UOptionsDialog.h"
#include "shell/ui/UOptionsDialogControls.h"
#include "support/TestSupport.h"

namespace qb::test {

namespace {

struct TCounter : IOptionObserver {
    int Calls = 0;
    void OptionChanged() override { ++Calls; }
};

}  // namespace

class OptionsDialogTest : public ::testing::Test {
  protected:
    OptionsDialogTest() {
        ReleaseShellGlobals();
        SetAutostartFolderForTesting(FFolder.Path16() + u"autostart/");
        SetOptionsDialog(&FHost);
    }
    ~OptionsDialogTest() override {
        SetOptionsDialog(nullptr);
        SetAutostartFolderForTesting(u"");
        ReleaseShellGlobals();
    }

    std::string IniBytes() const { return ReadBytes(FFolder.File("quillbox.ini")); }

    // Opens the dialog through the option center, lets `edit` work on it and closes it with OK
    // or Cancel, as a user would.
    void RunDialog(const std::function<void(TOptionsDialog&)>& edit, bool ok) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TOptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            edit(*dialog);
            ok ? dialog->accept() : dialog->reject();
        });
        OptionManager().SetOptions(nullptr);
    }

    template <class W>
    static W* Find(TOptionsDialog& d, std::u16string_view section, std::u16string_view key) {
        auto* w = qobject_cast<W*>(d.Control(section, key));
        EXPECT_NE(w, nullptr) << ToUtf8(key);
        return w;
    }

    // The file a save of exactly these options writes.
    std::string BytesOfSaved(const TOptions& options) {
        ReleaseOptionManager();
        std::filesystem::remove(FFolder.File("quillbox.ini"));
        OptionManager().ReplaceOptions(options);
        return IniBytes();
    }

    TTempFolder FFolder;
    TOptionsDialogHost FHost;
};

TEST_F(OptionsDialogTest, OkSavesExactlyTheChangedValuesAndTellsObservers) {
    TOptions start = OptionManager().Options();
    start.MaxItemByte = 100500;  // not a whole number of the thousands the control shows
    start.ExportEncode = 2;      // no choice stands for it
    start.UserFunctions = {u"#kept as stored"};
    OptionManager().ReplaceOptions(start);
    TCounter observer;
    OptionManager().AddObserver(&observer);

    RunDialog(
        [](TOptionsDialog& d) {
            Find<QCheckBox>(d, u"Program", u"MinimizeToTray")->setChecked(false);
            Find<QSpinBox>(d, u"Program", u"RecentNotesCount")->setValue(40);
            Find<QLineEdit>(d, u"ImportExport", u"SepLine")->setText(u"--%n"_qs);
            Find<QComboBox>(d, u"Backup", u"AutoSaveTime")->setCurrentText(u"500"_qs);
            Find<QComboBox>(d, u"Behavior", u"PageDblClick")->setCurrentIndex(0);
            Find<TColourButton>(d, u"DictPage", u"TipQueryColor")->SetColour(Rgb(1, 2, 3));
            Find<QCheckBox>(d, u"LogIn", u"NeedLogIn")->setChecked(true);
            Find<QLineEdit>(d, u"LogIn", u"Password")->setText(u"abc"_qs);
            Find<THotKeyEdit>(d, u"Program", u"CallWinHotKey")->SetHotKey(0x0645);
            Find<QCheckBox>(d, u"Editor", u"HLUnderline0")->setChecked(true);
        },
        true);

    TOptions expected = start;
    expected.MinimizeToTray = false;
    expected.RecentNotesCount = 40;
    expected.SepLine = u"--%n";
    expected.AutoSaveTime = 120;  // typed beyond the range
    expected.PageDblClick = 0;
    expected.TipQueryColor = Rgb(1, 2, 3);
    expected.NeedLogIn = true;
    expected.Password = u"abc";
    expected.CallWinHotKey = 0x0645;
    expected.HLUnderline[0] = true;
    EXPECT_EQ(observer.Calls, 2);  // once on adding, once for the dialog
    OptionManager().RemoveObserver(&observer);
    EXPECT_EQ(OptionManager().MaxItemByte, 100500);
    std::string saved = IniBytes();
    EXPECT_EQ(Hex(saved), Hex(BytesOfSaved(expected)));
}

TEST_F(OptionsDialogTest, CancelChangesNothingButRemembersThePanel) {
    OptionManager().Save();
    std::string before = IniBytes();
    MemoryManager().OptionPage = 15240;
    TCounter observer;
    OptionManager().AddObserver(&observer);
    RunDialog(
        [](TOptionsDialog& d) {
            EXPECT_EQ(d.CurrentPanel(), 15240);  // opened on the remembered panel
            Find<QSpinBox>(d, u"Clipboard", u"MaxClipNum")->setValue(3);
            Find<QCheckBox>(d, u"Program", u"ConfirmDelete")->setChecked(false);
            d.ShowPanel(15130);
        },
        false);
    EXPECT_EQ(observer.Calls, 1);
    OptionManager().RemoveObserver(&observer);
    EXPECT_EQ(IniBytes(), before);
    EXPECT_EQ(OptionManager().MaxClipNum, 30);
    EXPECT_EQ(MemoryManager().OptionPage, 15130);

    MemoryManager().OptionPage = 4711;  // a panel this version does not have
    RunDialog([](TOptionsDialog& d) { EXPECT_EQ(d.CurrentPanel(), 15050); }, false);
}

TEST_F(OptionsDialogTest, ControlsKeepValuesInTheirRanges) {
    TOptions options;
    options.RecyclerLimit = -1;
    TOptionsDialog d(nullptr, options);
    auto* recent = Find<QSpinBox>(d, u"Program", u"RecentNotesCount");
    recent->setValue(500);
    EXPECT_EQ(recent->value(), 100);
    recent->setValue(1);
    EXPECT_EQ(recent->value(), 5);
    auto* recycler = Find<QSpinBox>(d, u"Program", u"RecyclerLimit");
    EXPECT_EQ(recycler->text(), u"No Limit"_qs);
    auto* transparency = Find<QSpinBox>(d, u"Appearance", u"Transparency");
    transparency->setValue(40);  // above 12 the window would vanish
    EXPECT_EQ(transparency->value(), 12);
    Find<QComboBox>(d, u"Backup", u"TotalBackup")->setCurrentText(u"0"_qs);
    Find<QComboBox>(d, u"Backup", u"AutoSaveTime")->setCurrentText(u"Off"_qs);
    Find<QComboBox>(d, u"Backup", u"BackupIntervalType")->setCurrentIndex(3);
    Find<QSpinBox>(d, u"Clipboard", u"MaxItemByte")->setValue(250);
    Find<QCheckBox>(d, u"LogIn", u"EncryptDataFile")->setChecked(true);  // without a login
    Find<QPlainTextEdit>(d, u"UserFunctions", u"")->setPlainText(u" f(x)=x \n\n# g=1\n"_qs);
    d.accept();
    const TOptions& r = d.Result();
    EXPECT_EQ(r.RecentNotesCount, 5);
    EXPECT_EQ(r.RecyclerLimit, -1);
    EXPECT_EQ(r.Transparency, 12);
    EXPECT_EQ(r.TotalBackup, 1);
    EXPECT_EQ(r.AutoSaveTime, 0);
    EXPECT_EQ(r.BackupIntervalType, 3);
    EXPECT_EQ(r.MaxItemByte, 250000);
    EXPECT_FALSE(r.EncryptDataFile);
    EXPECT_EQ(r.UserFunctions, (std::vector<std::u16string>{u"f(x)=x", u"g=1"}));
}

TEST_F(OptionsDialogTest, DictionaryPanelConvertsAndListsTheFilesWhenShown) {
    std::filesystem::create_directories(FFolder.File("dict"));
    WriteBytes(FFolder.File("dict/a.dic"), "\xFF\xFE" + Utf16LE(u"@Alpha\r\na\t1\r\n"));
    WriteBytes(FFolder.File("dict/b.dic"), "@Beta\r\nb\t2\r\n");  // not yet UTF-16
    TOptions options;
    options.SelDictList = u"b.dic";
    TOptionsDialog d(nullptr, options);
    auto* list = d.Control(u"DictPage", u"")->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0);
    d.ShowPanel(15220);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), u"Beta"_qs);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->text(), u"Alpha"_qs);
    EXPECT_EQ(ReadBytes(FFolder.File("dict/b.dic")).substr(0, 2), "\xFF\xFE");
    list->item(1)->setCheckState(Qt::Checked);
    d.accept();
    EXPECT_EQ(d.Result().SelDictList, u"b.dic,a.dic");
    EXPECT_EQ(d.Result().AllDictList, u"b.dic,a.dic");
}

TEST_F(OptionsDialogTest, HotKeyEditTurnsKeysIntoHotKeyWordsAndBack) {
    THotKeyEdit edit;
    auto press = [&](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&edit, &event);
        return edit.HotKey();
    };
    EXPECT_EQ(press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier), 0x064B);
    EXPECT_FALSE(edit.text().isEmpty());
    EXPECT_EQ(press(Qt::Key_Control, Qt::ControlModifier), 0x064B);  // a modifier alone
    EXPECT_EQ(press(Qt::Key_Exclam, Qt::ShiftModifier), 0x0131);     // Shift+1
    EXPECT_EQ(press(Qt::Key_Tab, Qt::ControlModifier), 0x0209);      // Tab is a key here
    EXPECT_EQ(press(Qt::Key_5, Qt::KeypadModifier), 0x0065);
    EXPECT_EQ(press(Qt::Key_F12, Qt::ShiftModifier | Qt::MetaModifier), 0x017B);
    EXPECT_EQ(press(Qt::Key_Backspace, Qt::NoModifier), 0);  // clears
    EXPECT_TRUE(edit.text().isEmpty());
    EXPECT_EQ(press(Qt::Key_Backspace, Qt::AltModifier), 0x0408);

    // Every word the editor can produce shows as the keys that give it again.
    for (THotKey word : {0x0141, 0x0270, 0x0460, 0x06BA, 0x072E, 0x0020}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(HotKeyOfQtKey(QtKeyOfHotKey(word), QtModifiersOfHotKey(word)), word);
        edit.SetHotKey(word);
        EXPECT_FALSE(edit.text().isEmpty());
    }
    EXPECT_EQ(HotKeyDisplayText(0x0201).isEmpty(), false);  // no key of its own: its number

    // The pages' hotkey texts follow once installed.
    InstallHotKeyTexts();
    EXPECT_EQ(HotKeyText(0x064B), u"Ctrl+Alt+K");
    EXPECT_EQ(HotKeyText(0), u"");
    PageEnvironment().HotKeyText = {};
}

}  // namespace qb::test
