#include "views/ui/UClientSlots.h"

#include <QWidget>

#include "editor/ui/UEditorWindow.h"
#include "views/UClientSuper.h"
#include "views/ui/UBlogView.h"
#include "views/ui/UEditBoxDialog.h"
#include "views/ui/UListView.h"
#include "views/ui/UPropertyBoxDialog.h"

namespace qb {

namespace {

// The page area of a client that is not built yet: empty and disabled, so that nothing on it
// pretends to work.
class TEmptyPageArea : public QWidget, public IClientControl {
  public:
    explicit TEmptyPageArea(QWidget* parent) : QWidget(parent) {
        setEnabled(false);
        setAutoFillBackground(true);
        setFocusPolicy(Qt::NoFocus);
    }
    void ShowControl(bool visible) override { setVisible(visible); }
    bool ControlHasFocus() const override { return false; }
    void FocusControl() override {}
};

class TEmptyClient : public TClientSuper {
  public:
    explicit TEmptyClient(QWidget* pageArea) : FArea(new TEmptyPageArea(pageArea)) {}
    void Load(TPageSuper* page) override { SetPage(page); }
    void Unload() override { SetPage(nullptr); }
    IClientControl* Control() override { return FArea; }
    void Save() override {}

  private:
    TEmptyPageArea* FArea;  // owned by the page area
};

}  // namespace

std::unique_ptr<TClientSuper> CreateEditorClient(QWidget* pageArea) {
    return MakeEditorClient(pageArea);
}

std::unique_ptr<TClientSuper> CreateListClient(QWidget* pageArea, IPageDropTarget& dropTarget) {
    return NewListClient(pageArea, dropTarget);
}

std::unique_ptr<TClientSuper> CreateBlogClient(QWidget* pageArea) {
    return NewBlogClient(pageArea);
}

bool PropertyBoxAvailable() {
    return true;
}

bool ShowPropertyBox(QWidget* parent, int32_t pageId) {
    return RunPropertyBox(parent, pageId);
}

bool ShowItemEditBox(QWidget* parent, int itemType, int32_t itemId, int32_t parentId,
                     int32_t insertBeforeId) {
    return RunItemEditBox(parent, {static_cast<uint8_t>(itemType), parentId, itemId, insertBeforeId});
}

}  // namespace qb
