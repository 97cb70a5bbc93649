// Each item edit box makes a new item of its type from the title typed into it, with the
// fields its type takes; a screenshot of each box goes under build/screenshots/boxes/.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "GuiWait.h"
#include "features/UClipPage.h"
#include "features/UTemplatePage.h"
#include "model/SysPagesFixture.h"
#include "toolkit/UknIcons.h"
#include "views/ui/UEditBoxDialog.h"

namespace qb::test {
namespace {

// The build folder holds the tool; the screenshots go beside it.
QString ShotsFolder() {
    const QString folder = QFileInfo(QStringLiteral(QB_CLI_PATH)).dir().absoluteFilePath(
        QStringLiteral("../screenshots/boxes"));
    QDir().mkpath(folder);
    return folder;
}

using ItemBoxesTest = TSysPagesTest;

TEST_F(ItemBoxesTest, EachBoxMakesANewItemFromItsTitle) {
    struct {
        uint8_t listType, itemType;
        const char* caption;
        const char* shot;
    } cases[] = {
        {ptMemo, ptMemoItem, "New Reminder", "memo"},
        {ptLink, ptLinkItem, "New Link", "link"},
        {ptContact, ptContactItem, "New Contact", "contact"},
        {ptTemplate, ptTemplateItem, "New Template", "template"},
        {ptClip, ptClipItem, "New ClipItem", "clip"},
    };
    for (const auto& c : cases) {
        TPageSuper* list = Add(GroupRoot(), c.listType, u"List");
        QString caption;
        WhenModal([&](QWidget* modal) {
            caption = modal->windowTitle();
            auto* box = static_cast<TknDialog*>(modal);
            const auto edits = modal->findChildren<QLineEdit*>();  // the title comes first
            if (edits.isEmpty()) return box->reject();
            edits.front()->setText(QStringLiteral("First"));
            modal->grab().save(ShotsFolder() + u'/' + QString::fromLatin1(c.shot) + ".png");
            box->OkButton()->click();
        });
        ASSERT_TRUE(RunItemEditBox(nullptr, {c.itemType, list->Id(), -1, -1})) << c.shot;
        EXPECT_EQ(caption.toStdString(), c.caption);
        const std::vector<int32_t> items = Children(list);
        ASSERT_EQ(items.size(), 1u) << c.shot;
        EXPECT_EQ(Page(items[0])->PageType(), c.itemType);
        EXPECT_EQ(Page(items[0])->Name(), u"First") << c.shot;
    }
    // The texts left empty take the title.
    TknIntList ids;
    Store().GetIdsOfType(ptTemplateItem, ids);
    EXPECT_EQ(static_cast<TTemplateItem*>(Page(ids.Items(0)))->Template().Text, u"First");
    Store().GetIdsOfType(ptClipItem, ids);
    EXPECT_EQ(Page(ids.Items(ids.Count() - 1))->GetText(-1), u"First");
    EXPECT_FALSE(RunItemEditBox(nullptr, {ptNote, GroupRoot()->Id(), -1, -1}));
}

}  // namespace
}  // namespace qb::test
