#pragma once

// The toolbar: buttons by command id in a given order (0 a separator), each mirroring the
// enabled and checked state and the text of its linked menu's item and dispatched through that
// menu. A button whose item opens a submenu drops the submenu down under itself.

#include <QIcon>
#include <QToolBar>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qb {

class TknMenu;

class TknToolBar : public QToolBar {
    Q_OBJECT
  public:
    explicit TknToolBar(QWidget* parent = nullptr);
    ~TknToolBar() override;

    void SetMenu(TknMenu* menu) { FMenu = menu; }
    TknMenu* Menu() const { return FMenu; }

    // Replaces the buttons; each takes its image, state and hint from the linked menu.
    void SetButtons(const std::vector<int32_t>& ids);
    std::vector<int32_t> Buttons() const;  // 0 for each separator
    bool HasButton(int32_t id) const;
    QAction* Button(int32_t id) const;  // the first button of the id, or null

    void EnableButton(int32_t id, bool enabled);
    void CheckButton(int32_t id, bool checked);
    // The hint is the text without its "(...)" part and ampersands.
    void SetButtonText(int32_t id, std::u16string_view text);

    // Shows the submenu under the button, which stays down until the menu closes.
    void DropDown(int32_t id, QMenu* submenu);

    // A button's image by command id (the disabled look is drawn from it).
    std::function<QIcon(int32_t id)> ImageOf;
    // The context-menu request on the toolbar.
    std::function<void()> OnContextMenu;

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    template <class F>
    void ForButtons(int32_t id, F apply);
    void AddButton(int32_t id);

    TknMenu* FMenu = nullptr;
};

}  // namespace qb
