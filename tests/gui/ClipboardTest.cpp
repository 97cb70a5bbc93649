// The clipboard as text, its change notification, and the import/export progress.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProgressDialog>

#include "GuiWait.h"
#include "toolkit/UknClipboard.h"
#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknProgress.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {
namespace {

using test::WaitUntil;

TEST(ClipboardTest, TextRoundTripAndNoText) {
    const std::u16string text = u"Line 1\r\nZeile 2 \u00E4\u4E2D \U0001F600";
    TknClipboard::SetText(text);
    EXPECT_EQ(TknClipboard::GetText(), text);
    TknDesktopInput input;
    EXPECT_EQ(input.ClipboardText(), text);
    input.SetClipboardText(u"pasted");
    EXPECT_EQ(TknClipboard::GetText(), u"pasted");

    auto* picture = new QMimeData;  // a clipboard without text
    picture->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(picture);
    EXPECT_EQ(TknClipboard::GetText(), u"");
}

TEST(ClipboardTest, WatchDeliversEachNewText) {
    std::vector<std::u16string> seen;
    TknClipboardWatch watch([&](std::u16string text) { seen.push_back(std::move(text)); });
    TknClipboard::SetText(u"first");
    ASSERT_TRUE(WaitUntil([&] { return !seen.empty(); }));
    EXPECT_EQ(seen.back(), u"first");

    watch.SetActive(false);
    const size_t before = seen.size();
    TknClipboard::SetText(u"unseen");
    test::RunEventsFor(20);
    EXPECT_EQ(seen.size(), before);

    watch.SetActive(true);
    TknClipboard::SetText(u"second");
    ASSERT_TRUE(WaitUntil([&] { return seen.size() > before; }));
    EXPECT_EQ(seen.back(), u"second");
}

TEST(ClipboardTest, ProgressCancelsAndShowsTheOutcome) {
    TknTrackingTip tip;
    TknIOProgress progress(nullptr, &tip);
    progress.Step(u"File importing, holding ESC to abort...", u"/home/a.txt");
    progress.Step(u"File importing, holding ESC to abort...", u"/home/b.txt");
    EXPECT_EQ(progress.Steps(), 2);
    EXPECT_FALSE(progress.CancelRequested());
    QProgressDialog* dialog = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<QProgressDialog*>(widget)) dialog = found;
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->labelText().contains(QStringLiteral("/home/b.txt")));
    dialog->cancel();
    EXPECT_TRUE(progress.CancelRequested());

    progress.Tip(u"The current node has been exported to folder:", u"/home/out");
    EXPECT_EQ(tip.Text(), u"The current node has been exported to folder:\n/home/out");
    EXPECT_TRUE(tip.isVisible());
    for (QWidget* widget : QApplication::topLevelWidgets())  // the progress window is gone
        EXPECT_EQ(qobject_cast<QProgressDialog*>(widget), nullptr);
}

}  // namespace
}  // namespace qb
