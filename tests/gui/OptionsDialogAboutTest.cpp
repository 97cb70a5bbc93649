#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>

#include "shell/ULangManager.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UAboutBox.h"
#include "support/TestSupport.h"

namespace qb::test {

TEST(AboutBox, ShowsTheVersionInTheInterfaceLanguage) {
    TTempFolder folder;
    ReleaseShellGlobals();
    OptionManager().Language = u"Chinese";
    OptionManager().NotifyAll();
    {
        TAboutBox box;
        EXPECT_EQ(box.windowTitle(), QStringLiteral("关于 quillbox"));
        auto* version = box.findChild<QLabel*>(QStringLiteral("version"));
        ASSERT_NE(version, nullptr);
        EXPECT_EQ(version->text(), QStringLiteral("版本 " QB_VERSION));
        EXPECT_EQ(box.CancelButton(), nullptr);  // it only informs
        ASSERT_NE(box.OkButton(), nullptr);
        EXPECT_EQ(box.OkButton()->text(), QStringLiteral("确定"));
    }
    ReleaseShellGlobals();
}

}  // namespace qb::test
