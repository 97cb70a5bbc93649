// The window base's system commands and status, and the tray icon's mouse handling.
#include <gtest/gtest.h>

#include <QMenu>
#include <vector>

#include "GuiWait.h"
#include "toolkit/UknTrayIcon.h"
#include "toolkit/UknWindow.h"

namespace qb {
namespace {

using test::WaitUntil;

class TTestWindow : public TknWindow {
  public:
    bool CloseMinimizes = false;
    std::vector<TSysCommand> Commands;
    std::vector<int> Statuses;
    int Destroyed = 0;
    int MouseMoves = 0;
    int MenusClosed = 0;

  protected:
    void SysCommand(TSysCommand command) override {
        Commands.push_back(command);
        if (command == TSysCommand::scClose && CloseMinimizes) {
            TknWindow::SysCommand(TSysCommand::scMinimize);
            hide();
            return;
        }
        TknWindow::SysCommand(command);
    }
    void StatusChanged(int status) override { Statuses.push_back(status); }
    void OnDestroy() override { ++Destroyed; }
    void TrayMouseMove() override { ++MouseMoves; }
    void TrayMenuClosed() override { ++MenusClosed; }
};

TEST(WindowTest, CloseBoxGoesThroughTheSystemCommand) {
    TTestWindow window;
    window.show();
    window.CloseMinimizes = true;
    window.close();  // as the close box does
    ASSERT_TRUE(WaitUntil([&] { return !window.Statuses.empty(); }));
    EXPECT_EQ(window.Commands, std::vector<TSysCommand>{TSysCommand::scClose});
    EXPECT_EQ(window.Statuses, std::vector<int>{wsMinimized});  // reported as a minimize
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.Destroyed, 0);
    EXPECT_FALSE(window.Closing());

    window.CloseMinimizes = false;
    window.show();
    window.close();
    ASSERT_TRUE(WaitUntil([&] { return window.Closing(); }));
    EXPECT_EQ(window.Destroyed, 1);
    window.CloseWindow();  // once only
    EXPECT_EQ(window.Destroyed, 1);
}

TEST(WindowTest, StatusFollowsTheCommands) {
    TTestWindow window;
    EXPECT_EQ(window.Status(), wsMinimized);  // not shown yet
    window.show();
    window.SetStatus(wsMaximized);
    EXPECT_EQ(window.Status(), wsMaximized);
    window.SetStatus(wsNormal);
    EXPECT_EQ(window.Status(), wsNormal);
    window.SetStatus(wsMinimized);
    EXPECT_EQ(window.Status(), wsMinimized);
    EXPECT_EQ(window.Statuses, (std::vector<int>{wsMaximized, wsNormal, wsMinimized}));
    EXPECT_EQ(window.Commands,
              (std::vector<TSysCommand>{TSysCommand::scMaximize, TSysCommand::scRestore,
                                        TSysCommand::scMinimize}));
}

TEST(WindowTest, StateChangedFromOutsideRunsTheCommandAfterwards) {
    TTestWindow window;
    window.show();
    window.SetStatus(wsNormal);
    window.Commands.clear();
    window.Statuses.clear();
    window.setWindowState(Qt::WindowMaximized);  // as a window manager would
    ASSERT_TRUE(WaitUntil([&] { return !window.Statuses.empty(); }));
    EXPECT_EQ(window.Commands, std::vector<TSysCommand>{TSysCommand::scMaximize});
    EXPECT_EQ(window.Statuses, std::vector<int>{wsMaximized});
}

TEST(WindowTest, StayOnTopKeepsTheWindowShownAndAlphaIsClamped) {
    TTestWindow window;
    window.show();
    window.SetStayOnTop(true);
    EXPECT_TRUE(window.StayOnTop());
    EXPECT_TRUE(window.isVisible());
    window.SetStayOnTop(false);
    EXPECT_FALSE(window.StayOnTop());
    EXPECT_TRUE(window.isVisible());
    window.hide();
    window.SetStayOnTop(true);
    EXPECT_FALSE(window.isVisible());  // a hidden window stays hidden

    window.SetAlpha(155);  // transparency level 5
    EXPECT_EQ(window.Alpha(), 155);
    window.SetAlpha(-5);  // a level above 12 would go below zero
    EXPECT_EQ(window.Alpha(), 0);
    window.SetAlpha(300);
    EXPECT_EQ(window.Alpha(), 255);
}

TEST(WindowTest, TrayTipIsCutTo63Characters) {
    const std::u16string longTip(100, u'x');
    EXPECT_EQ(TrayTipText(longTip), std::u16string(63, u'x'));
    EXPECT_EQ(TrayTipText(std::u16string(63, u'y')), std::u16string(63, u'y'));
    EXPECT_EQ(TrayTipText(u"quillbox"), u"quillbox");
    // A character outside the basic plane is not cut in half.
    std::u16string pair = std::u16string(62, u'z') + u"\U0001F600" + u"tail";
    EXPECT_EQ(TrayTipText(pair), std::u16string(62, u'z'));

    TTestWindow window;
    TknTrayIcon icon(&window, longTip, 1);
    EXPECT_EQ(icon.Tip(), longTip);
    EXPECT_EQ(icon.ShownTip().size(), 63u);
}

TEST(WindowTest, TrayClicksAndMenu) {
    TTestWindow window;
    TknTrayIcon icon(&window, u"quillbox", 1);
    int clicks = 0;
    icon.OnClick = [&] { ++clicks; };
    icon.OnTrayMessage(QSystemTrayIcon::Trigger);
    icon.OnTrayMessage(QSystemTrayIcon::DoubleClick);  // the second press of a double click
    icon.OnTrayMessage(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(window.MouseMoves, 3);

    icon.OnTrayMessage(QSystemTrayIcon::Context);  // no menu: nothing
    EXPECT_EQ(window.MenusClosed, 0);

    QMenu menu;
    menu.addAction(QStringLiteral("Exit"));
    icon.SetPopupMenu(&menu);
    bool opened = false;
    auto* closer = new QTimer;
    QObject::connect(closer, &QTimer::timeout, [&, closer] {
        if (!menu.isVisible()) return;
        opened = true;
        closer->stop();
        closer->deleteLater();
        menu.close();
    });
    closer->start(5);
    icon.OnTrayMessage(QSystemTrayIcon::Context);
    EXPECT_TRUE(opened);
    EXPECT_EQ(window.MenusClosed, 1);
    EXPECT_EQ(clicks, 1);
}

TEST(WindowTest, WindowKeepsOneTrayIcon) {
    TTestWindow window;
    auto first = std::make_unique<TknTrayIcon>(&window, u"one", 1);
    TknTrayIcon second(&window, u"two", 1);
    window.SetTrayIcon(first.get());
    EXPECT_TRUE(first->Visible());
    window.SetTrayIcon(&second);
    EXPECT_FALSE(first->Visible());
    EXPECT_TRUE(second.Visible());
    window.SetTrayIcon(first.get());
    first.reset();  // an icon that goes leaves the window without one
    EXPECT_EQ(window.TrayIcon(), nullptr);
    window.SetTrayIcon(nullptr);
    EXPECT_FALSE(second.Visible());
}

}  // namespace
}  // namespace qb
