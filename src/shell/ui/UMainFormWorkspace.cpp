#include "shell/ui/UMainFormWorkspace.h"

#include <QHBoxLayout>
#include <QLabel>

#include "model/UPageSuper.h"
#include "model/USysPageManager.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "storage/UPageStore.h"

namespace qb {

TMainFormWorkspace::TMainFormWorkspace(QWidget* parent)
    : QWidget(parent),
      FSysPages(std::make_unique<TSysPageManager>()),
      FTree(new QLabel(this)),
      FPageArea(new QLabel(this)) {
    setObjectName(QStringLiteral("Workspace"));
    FTree->setObjectName(QStringLiteral("TreePanel"));
    FPageArea->setObjectName(QStringLiteral("PageArea"));
    FTree->setFrameShape(QFrame::StyledPanel);
    FTree->setFixedWidth(MemoryManager().TreeWidth);
    FTree->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    FPageArea->setAlignment(Qt::AlignCenter);
    FPageArea->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FTree);
    layout->addWidget(FPageArea, 1);
    SaveCenter().AddSaver(this);
    PageCenter().AddObserver(this);

    TPageStore& store = GetStore();
    FTree->setText(QStringLiteral(" %1 pages").arg(store.RecordCount()));
    const int32_t start = OptionManager().StartPage;
    if (start >= 0 && store.PageExists(start)) PageCenter().SetActivePage(store.GetPage(start));
    ShowActivePage();
}

TMainFormWorkspace::~TMainFormWorkspace() {
    if (PageCenterExists()) PageCenter().RemoveObserver(this);
    if (TknSaveCenter* saves = ExistingSaveCenter()) saves->RemoveSaver(this);
}

void TMainFormWorkspace::Save() {
    GetStore().SaveIndex();
}

void TMainFormWorkspace::PageEvent(uint8_t event, int32_t, int32_t) {
    if (event == pePageActivated || event == pePageChanged) ShowActivePage();
}

void TMainFormWorkspace::ShowActivePage() {
    const TPageSuper* page = PageCenter().ActivePage();
    FPageArea->setText(page ? QString::fromStdU16String(page->Name())
                            : QStringLiteral("No page is open."));
}

void TMainFormWorkspace::ShowTree(bool show) {
    FTree->setVisible(show);
}

bool TMainFormWorkspace::TreeShown() const {
    return !FTree->isHidden();
}

QWidget* TMainFormWorkspace::PageArea() const {
    return FPageArea;
}

}  // namespace qb
