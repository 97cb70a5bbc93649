// The windows of the tray features on the offscreen platform: popup captions, the reminder
// sound's wave and player, mini-note windows at the program's end and the Clear Clipboard
// question, as the main window wires them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>

#include "GuiWait.h"
#include "features/UClipHandler.h"
#include "features/ui/UExtPopupMenu.h"
#include "foundation/UknStrUtils.h"
#include "shell/UMemoryManager.h"
#include "shell/UProgramServices.h"
#include "shell/ui/UMainForm.h"
#include "shell/ui/UMainFormTray.h"
#include "storage/UPageStore.h"
#include "support/TestSupport.h"
#include "toolkit/UknPlatform.h"
#include "toolkit/UknSound.h"

namespace qb::test {
namespace {

TEST(PopupMenuText, CaptionsGetTheirDigitAsMnemonic) {
    const struct {
        std::u16string_view Caption;
        const char* Text;
    } cases[] = {
        {u"1.\tGreeting", "&1. Greeting"},
        {u".10\tTen", ".10 Ten"},    // no digit to type from ten on
        {u"ab.\tR&D", "&ab. R&&D"},  // an abbreviation; "&" in the name stays itself
        {u"9.\ta\tb", "&9. a\tb"},   // only the first tab separates
        {u"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PopupMenuText(c.Caption).toStdString(), c.Text)
            << ToUtf8(std::u16string(c.Caption));
}

uint32_t Field(const std::string& wave, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | uint8_t(wave[at + i]);
    return value;
}

TEST(ToneWave, PcmWaveOfEveryTone) {
    const std::string wave = ToneWave({{1000, 10}, {500, 20}}, 8000);
    const uint32_t samples = 80 + 160;
    ASSERT_EQ(wave.size(), 44 + 2 * samples);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(Field(wave, 4, 4), 36 + 2 * samples);
    EXPECT_EQ(wave.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Field(wave, 24, 4), 8000u);  // rate
    EXPECT_EQ(wave.substr(36, 4), "data");
    EXPECT_EQ(Field(wave, 40, 4), 2 * samples);
    int peak = 0;
    for (uint32_t i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(int16_t(Field(wave, 44 + 2 * i, 2)))));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767);
    EXPECT_EQ(int16_t(Field(wave, 44, 2)), 0);  // faded in: no click
}

TEST(SoundPlayer, TonesGoToThePlayerAndStopEndsIt) {
    TTempFolder folder;
    const std::string script = folder.File("player");
    // A player that keeps what it is given, then plays on until it is stopped.
    WriteBytes(script,
               "#!/bin/sh\n[ \"$2\" = - ] && cat > \"$0.wav\" || echo \"$2\" > \"$0.file\"\nexec "
               "sleep 30\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    TknSoundPlayer player(QString::fromStdString(script));
    const std::vector<TTone> tones = {{523, 50}, {659, 50}};
    player.PlayTones(tones);
    ASSERT_TRUE(WaitUntil([&] { return ReadBytes(script + ".wav") == ToneWave(tones); }, 5000));
    EXPECT_TRUE(player.Playing());
    player.PlayFile(u"/sounds/bell.wav");  // ends the tones first
    ASSERT_TRUE(
        WaitUntil([&] { return ReadBytes(script + ".file") == "/sounds/bell.wav\n"; }, 5000));
    player.Stop();
    EXPECT_FALSE(player.Playing());

    TknSoundPlayer missing(QStringLiteral("no-such-player-here"));
    missing.PlayTones(tones);  // nothing to hear, nothing fails
    EXPECT_FALSE(missing.Playing());
}

class TrayWindows : public ::testing::Test {
  protected:
    TrayWindows() {
        FPlatform = std::make_unique<TknPlatform>();
        EXPECT_TRUE(OpenProgramData([](const std::u16string&) {}));
        FForm = std::make_unique<TMainForm>();
        QApplication::processEvents();
    }
    ~TrayWindows() override {
        FForm.reset();
        ReleaseClipWatcher();
        ReleaseProgramGlobals();
        FPlatform.reset();
    }
    TMainFormTray& Tray() { return FForm->Tray(); }

    TTempFolder FFolder;
    std::unique_ptr<TknPlatform> FPlatform;
    std::unique_ptr<TMainForm> FForm;
};

// A note window still open when the program closes is not lost, and its place is kept.
TEST_F(TrayWindows, OpenNoteWindowsBecomeNotesAtTheEnd) {
    CommandCenter().ExecuteCommand(1975);  // New Note
    ASSERT_EQ(Tray().NoteWindows().Boxes().size(), 1u);
    TNoteBox& box = *Tray().NoteWindows().Boxes()[0];
    EXPECT_TRUE(box.isVisible());
    box.Editor()->setPlainText(QStringLiteral("@Later\ncall back"));
    box.setGeometry(50, 60, 300, 180);
    FForm.reset();
    TPageSuper* note = nullptr;
    ASSERT_TRUE(GetStore().FindByPath(u"Root\\Later", note));
    EXPECT_EQ(note->GetText(-1), u"call back");
    EXPECT_EQ(MemoryManager().NotePosWidth, 300);
}

TEST_F(TrayWindows, ClearClipboardAsksFirst) {
    ClipWatcher().OnClipboardChanged(u"kept", 0);
    CommandCenter().ExecuteCommand(cmWatchClipboard);
    ClipWatcher().OnClipboardChanged(u"copied", 1000);
    TClipHandler& clips = *FForm->Plugins().ClipHandler();
    ASSERT_EQ(clips.ClipPage().Childs()->Count(), 1);
    for (auto answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
        std::u16string question;
        WhenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            question = box->text().toStdU16String();
            box->button(answer)->click();
        });
        CommandCenter().ExecuteCommand(cmClearClipboard);
        EXPECT_EQ(question, u"Are you sure to clear all the clip text?");
        EXPECT_EQ(clips.ClipPage().Childs()->Count(), answer == QMessageBox::Ok ? 0 : 1);
    }
}

}  // namespace
}  // namespace qb::test
