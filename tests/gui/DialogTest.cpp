// Dialog conventions, message boxes, the input box and the tracking tip.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "GuiWait.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknTrackingTip.h"
#include "views/ui/UInputBox.h"

namespace qb {
namespace {

using test::WaitUntil;
using test::WhenModal;

// Answers the next message box with a button and tells what it showed.
struct TSeenBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

void AnswerNextBox(QMessageBox::StandardButton answer, TSeenBox* seen) {
    WhenModal([answer, seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen->Title = box->windowTitle();
        seen->Text = box->text();
        seen->Icon = box->icon();
        box->button(answer)->click();
    });
}

TEST(DialogTest, MessageBoxesHaveTheirTitlesAndAnswers) {
    TSeenBox seen;
    AnswerNextBox(QMessageBox::Yes, &seen);
    EXPECT_TRUE(AskYesNo(nullptr, u"Do you want to reset?"));
    EXPECT_EQ(seen.Title, QStringLiteral("Prompt"));
    EXPECT_EQ(seen.Text, QStringLiteral("Do you want to reset?"));
    EXPECT_EQ(seen.Icon, QMessageBox::Question);

    AnswerNextBox(QMessageBox::No, &seen);
    EXPECT_FALSE(AskYesNo(nullptr, u"Again?"));

    AnswerNextBox(QMessageBox::Ok, &seen);
    EXPECT_TRUE(AskOkCancel(nullptr, u"Are you sure to clear all the clip text?"));
    EXPECT_EQ(seen.Title, QStringLiteral("Prompt"));
    AnswerNextBox(QMessageBox::Cancel, &seen);
    EXPECT_FALSE(AskOkCancel(nullptr, u"Sure?"));

    AnswerNextBox(QMessageBox::Ok, &seen);
    ShowInformation(nullptr, u"No target text found!");
    EXPECT_EQ(seen.Title, QStringLiteral("Information"));
    EXPECT_EQ(seen.Icon, QMessageBox::Information);

    AnswerNextBox(QMessageBox::Ok, &seen);
    ShowPrompt(nullptr, u"File not found");
    EXPECT_EQ(seen.Title, QStringLiteral("Prompt"));
    EXPECT_EQ(seen.Icon, QMessageBox::Warning);
}

TEST(DialogTest, InputBoxRoundTrip) {
    TInputBox box(nullptr, u"Rename", u"New name:", u"Note1", u"OK", u"Cancel", 1120);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("Rename"));
    EXPECT_EQ(box.Prompt()->text(), QStringLiteral("New name:"));
    EXPECT_EQ(box.Text(), u"Note1");
    EXPECT_FALSE(box.windowIcon().isNull());
    WhenModal([&](QWidget*) {
        box.Edit()->setText(QStringLiteral("Shopping list"));
        box.OkButton()->click();
    });
    EXPECT_TRUE(box.Execute());
    EXPECT_EQ(box.Text(), u"Shopping list");
}

TEST(DialogTest, InputQueryKeepsTheTextOnCancelAndEscape) {
    std::u16string text = u"Old";
    WhenModal([](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(QStringLiteral("Changed"));
        auto* buttons = modal->findChild<QDialogButtonBox*>();
        EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
        buttons->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(InputQuery(nullptr, u"Title", u"Prompt", text));
    EXPECT_EQ(text, u"Old");

    WhenModal([](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(QStringLiteral("Changed"));
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(modal, &escape);
    });
    EXPECT_FALSE(InputQuery(nullptr, u"Title", u"Prompt", text));
    EXPECT_EQ(text, u"Old");

    WhenModal([](QWidget* modal) {
        modal->findChild<QLineEdit*>()->setText(QStringLiteral("New"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(modal->findChild<QLineEdit*>(), &enter);  // OK is the default
    });
    EXPECT_TRUE(InputQuery(nullptr, u"Title", u"Prompt", text));
    EXPECT_EQ(text, u"New");
}

class TCheckedDialog : public TknDialog {
  public:
    using TknDialog::TknDialog;
    bool Valid = false;
    int Checks = 0;

  protected:
    bool OnOk() override {
        ++Checks;
        return Valid;
    }
};

TEST(DialogTest, OkClosesOnlyWhenTheDialogAgrees) {
    TCheckedDialog dialog(nullptr, u"Property");
    dialog.ButtonBox();
    WhenModal([&](QWidget*) {
        dialog.OkButton()->click();  // refused: stays open
        EXPECT_TRUE(dialog.isVisible());
        dialog.Valid = true;
        dialog.OkButton()->click();
    });
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Checks, 2);
}

TEST(DialogTest, TrackingTipShowsAfterItsDelayAndHidesOnInput) {
    TknTrackingTip tip(400, 500, 0);  // the menus' tip
    EXPECT_EQ(tip.MaxWidth(), 400);
    tip.ShowAt(u"Short", QPoint(10, 10));
    EXPECT_TRUE(tip.Showing());
    EXPECT_FALSE(tip.isVisible());  // waits half a second first
    ASSERT_TRUE(WaitUntil([&] { return tip.isVisible(); }));
    EXPECT_EQ(tip.Text(), u"Short");

    const std::u16string longText(300, u'w');
    tip.ShowAt(longText + u" " + longText, QPoint(10, 10), u"Title");
    EXPECT_TRUE(tip.isVisible());      // already up: changes at once
    EXPECT_LE(tip.width(), 400 + 20);  // wraps at its widest (plus its margins)

    QWidget other;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QApplication::sendEvent(&other, &key);
    EXPECT_FALSE(tip.isVisible());
    EXPECT_FALSE(tip.Showing());
}

TEST(DialogTest, TrackingTipWithDisplayTimeHidesByItself) {
    TknTrackingTip tip(400, 0, 20);
    tip.ShowAtCursor(u"Data is saved.");
    EXPECT_TRUE(tip.isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !tip.isVisible(); }));
    EXPECT_FALSE(tip.Showing());
}

}  // namespace
}  // namespace qb
