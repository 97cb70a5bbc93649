#include "views/ui/UPageChooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <vector>

#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "shell/UOptionsLayout.h"
#include "storage/UPageStore.h"
#include "toolkit/UknIcons.h"
#include "views/UTreeNavigator.h"

namespace qb {

namespace {

constexpr int32_t kChoosePageTextId = 15007;
constexpr int kPageIdRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

QTreeWidgetItem* MakeItem(const TTreeNodeData& node) {
    auto* item = new QTreeWidgetItem(QStringList{QString::fromStdU16String(node.Label)});
    item->setIcon(0, PageImage(node.ImageIndex));
    item->setData(0, kPageIdRole, node.PageId);
    item->setChildIndicatorPolicy(node.HasChildren ? QTreeWidgetItem::ShowIndicator
                                                   : QTreeWidgetItem::DontShowIndicator);
    return item;
}

}  // namespace

TPageChooser::TPageChooser(QWidget* parent, int32_t current)
    : TknDialog(parent, LangText(kChoosePageTextId)), FTree(new QTreeWidget(this)) {
    FTree->setHeaderHidden(true);
    FTree->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTree, 1);
    layout->addWidget(ButtonBox(LangText(kOkTextId), LangText(kCancelTextId)));
    connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { Fill(item); });
    connect(FTree, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    Fill(nullptr);
    if (QTreeWidgetItem* item = Expose(current)) FTree->setCurrentItem(item);
}

std::optional<int32_t> TPageChooser::Choose(QWidget* parent, int32_t current) {
    TPageChooser chooser(parent, current);
    if (!chooser.Execute() || chooser.SelectedPage() == kNoOwnerId) return std::nullopt;
    return chooser.SelectedPage();
}

int32_t TPageChooser::SelectedPage() const {
    const QTreeWidgetItem* item = FTree->currentItem();
    return item ? item->data(0, kPageIdRole).toInt() : kNoOwnerId;
}

void TPageChooser::Fill(QTreeWidgetItem* item) {
    if (item && item->data(0, kFilledRole).toBool()) return;
    TPageStore& store = GetStore();
    TPageSuper* page = item ? store.GetPage(item->data(0, kPageIdRole).toInt()) : store.GetRoot();
    if (!page) return;
    QList<QTreeWidgetItem*> children;
    for (const TTreeNodeData& node : TreeChildNodes(*page, true)) children << MakeItem(node);
    if (!item) {
        FTree->addTopLevelItems(children);
        return;
    }
    item->setData(0, kFilledRole, true);
    item->addChildren(children);
    if (children.isEmpty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

// The page's item, its ancestors filled and expanded; null when the tree does not show it.
QTreeWidgetItem* TPageChooser::Expose(int32_t pageId) {
    TPageStore& store = GetStore();
    std::vector<int32_t> chain;
    for (TPageSuper* page = store.GetPage(pageId); page && page->Id() != kRootId;
         page = page->GetParent())
        chain.insert(chain.begin(), page->Id());
    QTreeWidgetItem* parent = nullptr;
    for (int32_t id : chain) {
        if (parent) {
            Fill(parent);
            parent->setExpanded(true);
        }
        const int count = parent ? parent->childCount() : FTree->topLevelItemCount();
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < count && !found; ++i) {
            QTreeWidgetItem* child = parent ? parent->child(i) : FTree->topLevelItem(i);
            if (child->data(0, kPageIdRole).toInt() == id) found = child;
        }
        if (!found) return nullptr;
        parent = found;
    }
    return parent;
}

}  // namespace qb
