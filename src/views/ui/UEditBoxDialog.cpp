#include "views/ui/UEditBoxDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "features/ui/UItemBoxes.h"
#include "model/UPageFactory.h"
#include "model/UPageSuper.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknQtText.h"

namespace qb {

TEditBoxDialog::TEditBoxDialog(QWidget* parent, const TEditBoxTarget& target,
                               std::u16string newCaption, std::u16string editCaption, bool hasIcon)
    : TknDialog(parent),
      FState(*this, target.ItemType, target.ListPageId, target.ItemId, target.InsertBeforeId),
      FNewCaption(std::move(newCaption)),
      FEditCaption(std::move(editCaption)),
      FItemType(target.ItemType),
      FForm(new QFormLayout),
      FPrior(new QPushButton(tr("&Previous"), this)),
      FNext(new QPushButton(tr("Ne&xt"), this)),
      FSaveNew(new QPushButton(tr("Save && &New"), this)) {
    setObjectName(QStringLiteral("EditBox"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(FForm);
    auto* steps = new QHBoxLayout;
    if (hasIcon) {
        FIcon = new QPushButton(this);
        FIcon->setObjectName(QStringLiteral("IconButton"));
        FIcon->setToolTip(tr("Icon"));
        FIcon->setIconSize(QSize(TknIcons::kLarge, TknIcons::kLarge));
        steps->addWidget(FIcon);
        connect(FIcon, &QPushButton::clicked, this, [this] { ChooseIcon(); });
    }
    for (QPushButton* button : {FPrior, FNext, FSaveNew}) {
        button->setAutoDefault(false);
        steps->addWidget(button);
    }
    steps->addStretch();
    layout->addLayout(steps);
    layout->addWidget(ButtonBox());
    connect(FPrior, &QPushButton::clicked, this, [this] { FState.Prior(); });
    connect(FNext, &QPushButton::clicked, this, [this] { FState.Next(); });
    connect(FSaveNew, &QPushButton::clicked, this, [this] { FState.SaveAndNew(); });
}

TEditBoxDialog::~TEditBoxDialog() = default;

bool TEditBoxDialog::Run() {
    FState.Refresh();
    return Execute();
}

void TEditBoxDialog::SetIconPath(std::u16string path) {
    FIconPath = std::move(path);
    if (!FIcon) return;
    QIcon icon = FIconPath.empty() ? QIcon() : TknIcons::FileIcon(FIconPath);
    if (icon.isNull()) icon = PageImage(PageImageList().GetBaseIndex(FItemType));
    FIcon->setIcon(icon);
}

void TEditBoxDialog::LoadItem(TPageSuper& item) {
    LoadFields(item);
    SetIconPath(ItemIconPath(item));
}

void TEditBoxDialog::ClearForNew() {
    ClearFields();
    SetIconPath({});
}

void TEditBoxDialog::SaveItem(TPageSuper& item) {
    SaveFields(item);
    if (FIcon) item.SetIconFile(FIconPath);  // stored relative when inside the program folder
}

void TEditBoxDialog::ShowPosition(bool newItem, bool priorEnabled, bool nextEnabled) {
    SetTitle(newItem ? FNewCaption : FEditCaption);
    FPrior->setEnabled(priorEnabled);
    FNext->setEnabled(nextEnabled);
}

void TEditBoxDialog::ChooseIcon() {
    const QString start = FIconPath.empty() ? QString() : QFileInfo(QtText(FIconPath)).path();
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Select Icon File"), start, tr("Icon file (*.ico);;All files (*)"));
    if (!file.isEmpty()) SetIconPath(file.toStdU16String());
}

// --- TEditBoxFactory ---

void TEditBoxFactory::Register(uint8_t itemType, TCreate create) {
    FBoxes.emplace_back(itemType, std::move(create));
}

std::unique_ptr<TEditBoxDialog> TEditBoxFactory::CreateFor(QWidget* parent,
                                                           const TEditBoxTarget& target) const {
    for (const auto& [type, create] : FBoxes)
        if (type == target.ItemType) return create(parent, target);
    return nullptr;
}

TEditBoxFactory& EditBoxFactory() {
    static TEditBoxFactory factory = [] {
        TEditBoxFactory f;
        RegisterItemBoxes(f);
        return f;
    }();
    return factory;
}

bool RunItemEditBox(QWidget* parent, const TEditBoxTarget& target) {
    std::unique_ptr<TEditBoxDialog> box = EditBoxFactory().CreateFor(parent, target);
    if (!box) return false;
    box->Run();
    return true;
}

}  // namespace qb
