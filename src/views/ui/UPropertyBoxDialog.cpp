#include "views/ui/UPropertyBoxDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "model/UPageFactory.h"
#include "model/UPageProperty.h"
#include "model/UPageSuper.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "storage/UPageStore.h"
#include "toolkit/UknIcons.h"
#include "toolkit/UknQtText.h"
#include "views/ui/UIODialogs.h"

namespace qb {

namespace {

QString Text(int32_t id, std::u16string_view fallback = {}) { return QtText(LangText(id, fallback)); }

constexpr int32_t kStatusTextId = 25750;  // + status: "Normal", "Locked", "Protected", "ReadOnly"
constexpr int kWidthRole = Qt::UserRole;
constexpr int kFieldRole = Qt::UserRole + 1;

QLineEdit* ReadOnly(QWidget* parent, const std::u16string& text) {
    auto* edit = new QLineEdit(QtText(text), parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

TPropertyBox::TPropertyBox(QWidget* parent, TPageSuper& page)
    : TknDialog(parent, LangText(10600)), FPage(page), FTabs(new QTabWidget(this)) {
    setObjectName(QStringLiteral("PropertyBox"));
    FTabs->addTab(GeneralPanel(LoadGeneralFields(page)), Text(10650));
    if (page.ListProperty())
        FTabs->addTab(ListPanel(), Text(11000));
    else
        FTabs->addTab(ExtendedPanel(), Text(10850));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTabs);
    layout->addWidget(ButtonBox());
    FName->setFocus();
    FName->selectAll();
}

QWidget* TPropertyBox::GeneralPanel(const TGeneralFields& fields) {
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    FName = new QLineEdit(QtText(fields.Name), panel);
    FStatus = new QComboBox(panel);
    for (int status = psNormal; status <= psReadOnly; ++status)
        FStatus->addItem(Text(kStatusTextId + 10 * status));
    FStatus->setCurrentIndex(fields.Status);
    FIcon = new QPushButton(panel);
    FIcon->setIconSize(QSize(TknIcons::kLarge, TknIcons::kLarge));
    FIconFile = fields.IconFile;
    ShowIcon();
    connect(FIcon, &QPushButton::clicked, this, [this] { ChooseIcon(); });
    form->addRow(Text(fiName) + u':', FName);
    form->addRow(tr("Status:"), FStatus);
    form->addRow(Text(fiCreateTime) + u':', ReadOnly(panel, fields.CreateTime));
    form->addRow(Text(fiModifyTime) + u':', ReadOnly(panel, fields.ModifyTime));
    form->addRow(Text(fiVisitTime) + u':', ReadOnly(panel, fields.VisitTime));
    form->addRow(tr("Path:"), ReadOnly(panel, fields.NodePath));
    form->addRow(tr("Type:"), ReadOnly(panel, fields.TypeName));
    form->addRow(tr("Icon:"), FIcon);
    return panel;
}

QWidget* TPropertyBox::ListPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* style = new QHBoxLayout;
    FStyle = new QComboBox(panel);
    for (int32_t id = 11050; id <= 11090; id += 10) FStyle->addItem(Text(id));
    style->addWidget(new QLabel(tr("Style"), panel));
    style->addWidget(FStyle, 1);
    layout->addLayout(style);
    FFullRow = new QCheckBox(Text(11120), panel);
    FCheckBoxes = new QCheckBox(Text(11150), panel);
    FGrids = new QCheckBox(Text(11100), panel);
    for (QCheckBox* box : {FFullRow, FCheckBoxes, FGrids}) layout->addWidget(box);
    layout->addWidget(new QLabel(Text(11130), panel));
    FColumns = new QListWidget(panel);
    FColumns->setDragDropMode(QAbstractItemView::InternalMove);  // dragged into their order
    layout->addWidget(FColumns, 1);
    auto* buttons = new QHBoxLayout;
    auto* loadDefault = new QPushButton(Text(11020), panel);
    auto* saveDefault = new QPushButton(Text(11030), panel);
    auto* applyAll = new QPushButton(Text(11160), panel);
    for (QPushButton* b : {loadDefault, saveDefault, applyAll}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(loadDefault, &QPushButton::clicked, this, [this] { ShowList(DefaultListSettings(FPage)); });
    connect(saveDefault, &QPushButton::clicked, this,
            [this] { SaveDefaultListSettings(FPage.PageType(), ListShown()); });
    connect(applyAll, &QPushButton::clicked, this, [this] { ApplyToAll(); });
    ShowList(LoadListSettings(FPage, *FPage.ListProperty()));
    return panel;
}

QWidget* TPropertyBox::ExtendedPanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    TTruePageProperty* truePage = FPage.TrueProperty();
    FExternal = new QCheckBox(Text(10870), panel);
    FFile = new QLineEdit(panel);
    auto* browse = new QPushButton(tr("..."), panel);
    browse->setAutoDefault(false);
    auto* file = new QHBoxLayout;
    file->addWidget(FFile, 1);
    file->addWidget(browse);
    layout->addWidget(FExternal);
    layout->addLayout(file);
    layout->addStretch();
    if (truePage) {
        FExternal->setChecked(truePage->External);
        FFile->setText(QtText(truePage->ExternalFile));
    }
    panel->setEnabled(truePage != nullptr);
    FFile->setEnabled(FExternal->isChecked());
    browse->setEnabled(FExternal->isChecked());
    connect(FExternal, &QCheckBox::toggled, this, [this, browse](bool on) {
        FFile->setEnabled(on);
        browse->setEnabled(on);
    });
    connect(browse, &QPushButton::clicked, this, [this] { BrowseFile(); });
    return panel;
}

void TPropertyBox::ShowList(const TListSettings& settings) {
    FStyle->setCurrentIndex(settings.ViewStyle);
    FFullRow->setChecked(settings.FullRowSelect);
    FCheckBoxes->setChecked(settings.ShowCheckBoxes);
    FGrids->setChecked(settings.ShowGrids);
    FColumns->clear();
    for (const TColumnChoice& c : settings.Columns) {
        auto* item = new QListWidgetItem(QtText(c.Caption), FColumns);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        item->setCheckState(c.Shown ? Qt::Checked : Qt::Unchecked);
        item->setData(kWidthRole, c.Width);
        item->setData(kFieldRole, c.FieldId);
    }
}

TListSettings TPropertyBox::ListShown() const {
    TListSettings s;
    s.ViewStyle = static_cast<uint8_t>(FStyle->currentIndex());
    s.FullRowSelect = FFullRow->isChecked();
    s.ShowCheckBoxes = FCheckBoxes->isChecked();
    s.ShowGrids = FGrids->isChecked();
    for (int i = 0; i < FColumns->count(); ++i) {
        const QListWidgetItem* item = FColumns->item(i);
        s.Columns.push_back({item->data(kFieldRole).toInt(), item->text().toStdU16String(),
                             item->checkState() == Qt::Checked, item->data(kWidthRole).toInt()});
    }
    return s;
}

void TPropertyBox::ApplyToAll() {
    if (!AskOkCancel(this, u"Are you sure to apply the current settings to all pages with the "
                           u"same type?"))
        return;
    ApplyListSettingsToAll(FPage.PageType(), ListShown());
}

void TPropertyBox::ShowIcon() {
    QIcon icon = FIconFile.empty() ? QIcon() : TknIcons::FileIcon(FIconFile);
    FIcon->setIcon(icon.isNull() ? PageImage(FPage.GetImageIndex()) : icon);
}

void TPropertyBox::ChooseIcon() {
    std::u16string& folder = MemoryManager().IconFilePath;
    const QString file = QFileDialog::getOpenFileName(
        this, tr("Select Icon File"), QtText(folder), tr("Icon file (*.ico);;All files (*)"));
    if (file.isEmpty()) return;
    FIconFile = file.toStdU16String();
    folder = QFileInfo(file).path().toStdU16String();
    ShowIcon();
}

void TPropertyBox::BrowseFile() {
    const QString start = QtText(MakeAbsolute(FFile->text().toStdU16String(), ProgramFolder()));
    const QString filter = QtFileFilter(Text(25440, u"Text File (*.txt)|*.txt|All Files (*.*)|*.*"));
    const QString file = QFileDialog::getSaveFileName(this, Text(25430), start, filter);
    if (!file.isEmpty()) FFile->setText(QtText(MakeRelative(file.toStdU16String(), ProgramFolder())));
}

bool TPropertyBox::OnOk() {
    TGeneralFields general = LoadGeneralFields(FPage);
    general.Name = FName->text().toStdU16String();
    general.Status = static_cast<uint8_t>(FStatus->currentIndex());
    general.IconFile = FIconFile;
    SaveGeneralFields(general, FPage);
    if (FColumns) StoreListSettings(ListShown(), *FPage.ListProperty());
    if (FExternal && FPage.TrueProperty())
        FPage.TrueProperty()->SetExternal(FExternal->isChecked(), FFile->text().toStdU16String());
    return true;
}

bool RunPropertyBox(QWidget* parent, int32_t pageId) {
    TPageSuper* page = GetStore().GetPage(pageId);
    if (!page) return false;
    TPropertyBox box(parent, *page);
    return box.Execute();
}

}  // namespace qb
