#include "features/ui/UItemBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

#include "features/UClipPage.h"
#include "features/UContactPage.h"
#include "features/UItemFields.h"
#include "features/ULinkHandler.h"
#include "features/ULinkPage.h"
#include "features/UMemoBox.h"
#include "features/UTemplateHandler.h"
#include "features/UTemplatePage.h"
#include "foundation/UknFunctions.h"
#include "foundation/UknStrUtils.h"
#include "shell/UMemoryManager.h"
#include "shell/UOptionManager.h"
#include "shell/ui/UOptionsDialogControls.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknQtText.h"
#include "views/ui/UEditBoxDialog.h"

namespace qb {

namespace {

QDate QtDate(const TSystemTime& t) { return QDate(t.Year, t.Month, t.Day); }
QTime QtTime(const TSystemTime& t) { return QTime(t.Hour, t.Minute, t.Second); }
TSystemTime SystemTime(const QDate& d, const QTime& t) {
    TSystemTime s;
    s.Year = static_cast<uint16_t>(d.year());
    s.Month = static_cast<uint16_t>(d.month());
    s.Day = static_cast<uint16_t>(d.day());
    s.DayOfWeek = static_cast<uint16_t>(d.dayOfWeek() % 7);
    s.Hour = static_cast<uint16_t>(t.hour());
    s.Minute = static_cast<uint16_t>(t.minute());
    s.Second = static_cast<uint16_t>(t.second());
    return s;
}

QComboBox* Choice(QWidget* parent, std::initializer_list<const char*> texts) {
    auto* box = new QComboBox(parent);
    for (const char* text : texts) box->addItem(QObject::tr(text));
    return box;
}

QPlainTextEdit* TextArea(QWidget* parent) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setTabChangesFocus(true);
    edit->setMinimumHeight(70);
    return edit;
}

// Multi-line texts are shown with CR LF as the pages keep them.
std::u16string AreaText(const QPlainTextEdit* edit) {
    return ReplaceAll(TextOf(edit->toPlainText()), u"\n", u"\r\n");
}

// A changed hotkey is stored and announced, so that its handler takes the new key.
void SaveHotKey(const THotKeyEdit& edit, uint16_t& stored, int32_t event, int32_t id) {
    if (stored == edit.HotKey()) return;
    stored = edit.HotKey();
    EventCenter().EventNotify(event, id, stored);
}

template <class TItem>
TItem& As(TPageSuper& item) {
    return static_cast<TItem&>(item);
}

// --- reminders ---

class TMemoBox : public TEditBoxDialog {
  public:
    TMemoBox(QWidget* parent, const TEditBoxTarget& target)
        : TEditBoxDialog(parent, target, u"New Reminder", u"Edit Reminder", false),
          FTitle(new QLineEdit(this)),
          FMode(Choice(this, {"This day", "Daily", "Weekly", "Monthly", "Yearly", "Period",
                              "No time"})),
          FDays(new QLineEdit(this)),
          FDate(new QDateEdit(this)),
          FTime(new QTimeEdit(this)),
          FEndDate(new QDateEdit(this)),
          FAction(Choice(this, {"Reminder", "Execute Link", "No Action"})),
          FDescription(TextArea(this)),
          FSound(Choice(this, {"None", "Beep", "Sound file"})),
          FSoundFile(new QLineEdit(this)),
          FRemark(new QLineEdit(this)) {
        setObjectName(QStringLiteral("MemoBox"));
        for (QDateEdit* date : {FDate, FEndDate}) {
            date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
            date->setCalendarPopup(true);
        }
        FTime->setDisplayFormat(QStringLiteral("HH:mm"));
        auto* when = new QHBoxLayout;
        for (QWidget* w : {static_cast<QWidget*>(FMode), static_cast<QWidget*>(FDays),
                           static_cast<QWidget*>(FDate), static_cast<QWidget*>(FTime),
                           static_cast<QWidget*>(FEndDate)})
            when->addWidget(w);
        auto* browse = new QPushButton(tr("..."), this);
        browse->setAutoDefault(false);
        auto* sound = new QHBoxLayout;
        sound->addWidget(FSound);
        sound->addWidget(FSoundFile, 1);
        sound->addWidget(browse);
        Form().addRow(tr("&Title:"), FTitle);
        Form().addRow(tr("Time:"), when);
        Form().addRow(tr("&Action:"), FAction);
        Form().addRow(tr("&Description:"), FDescription);
        Form().addRow(tr("Sound:"), sound);
        Form().addRow(tr("&Remark:"), FRemark);
        connect(FMode, &QComboBox::currentIndexChanged, this, [this] { Enable(); });
        connect(FSound, &QComboBox::currentIndexChanged, this, [this] { Enable(); });
        connect(browse, &QPushButton::clicked, this, [this] { BrowseSound(); });
    }

  protected:
    void LoadFields(TPageSuper& item) override { Show(LoadMemoFields(As<TMemoItem>(item))); }
    void ClearFields() override {
        Show(NewMemoFields(LocalNow(), OptionManager().DefRemindTime, MemoryManager()));
    }
    bool FieldsValid() override {
        const TMemoBoxFields f = Fields();
        if (DayListValid(f)) return true;
        ShowPrompt(this, u"The day list is not valid: " + f.DayList);
        return false;
    }
    void SaveFields(TPageSuper& item) override { SaveMemoFields(Fields(), As<TMemoItem>(item)); }

  private:
    void Show(const TMemoBoxFields& f) {
        FTitle->setText(QtText(f.Title));
        FMode->setCurrentIndex(f.Mode);
        FDays->setText(QtText(f.DayList));
        FDate->setDate(QtDate(f.Date));
        FTime->setTime(QtTime(f.Time));
        FEndDate->setDate(QtDate(f.EndDate));
        FAction->setCurrentIndex(f.Action);
        FDescription->setPlainText(QtText(f.Description));
        FSound->setCurrentIndex(f.Sound);
        FSoundFile->setText(QtText(f.SoundFile));
        FRemark->setText(QtText(f.Remark));
        Enable();
        FTitle->setFocus();
    }
    TMemoBoxFields Fields() const {
        TMemoBoxFields f;
        f.Title = TextOf(FTitle->text());
        f.Mode = static_cast<TTimeMode>(FMode->currentIndex());
        f.DayList = TextOf(FDays->text());
        f.Date = SystemTime(FDate->date(), FTime->time());
        f.Time = SystemTime(FDate->date(), FTime->time());
        f.EndDate = SystemTime(FEndDate->date(), QTime(0, 0));
        f.Action = static_cast<TMemoAction>(FAction->currentIndex());
        f.Description = AreaText(FDescription);
        f.Sound = static_cast<TSoundChoice>(FSound->currentIndex());
        f.SoundFile = TextOf(FSoundFile->text());
        f.Remark = TextOf(FRemark->text());
        ApplyModeRules(f);
        return f;
    }
    void Enable() {
        const auto mode = static_cast<TTimeMode>(FMode->currentIndex());
        const TMemoBoxEnabling e = MemoBoxEnabling(mode);
        FDays->setEnabled(e.DayList);
        FDate->setEnabled(e.Date);
        FTime->setVisible(e.TimeShown);
        FEndDate->setVisible(e.EndDateShown);
        FEndDate->setEnabled(e.EndDateEnabled);
        FAction->setEnabled(e.ActionAndSound);
        FSound->setEnabled(e.ActionAndSound);
        if (!e.ActionAndSound) {
            FAction->setCurrentIndex(maNoAction);
            FSound->setCurrentIndex(scNone);
        }
        FSoundFile->setEnabled(FSound->currentIndex() == scFile);
    }
    void BrowseSound() {
        const QString file = QFileDialog::getOpenFileName(
            this, tr("Select Sound File"), QtText(ProgramSubFolder(u"sound\\", true)),
            tr("Sound File (*.wav)"));
        if (file.isEmpty()) return;
        FSoundFile->setText(QtText(AdoptSoundFile(TextOf(file))));
        FSound->setCurrentIndex(scFile);
    }

    QLineEdit* FTitle;
    QComboBox* FMode;
    QLineEdit* FDays;
    QDateEdit* FDate;
    QTimeEdit* FTime;
    QDateEdit* FEndDate;
    QComboBox* FAction;
    QPlainTextEdit* FDescription;
    QComboBox* FSound;
    QLineEdit* FSoundFile;
    QLineEdit* FRemark;
};

// --- links ---

// The type choice: file, folder, web address, mail and, for every other kind, batch.
constexpr TLinkType kLinkChoices[] = {ltFile, ltFolder, ltUrl, ltEmail, ltBatch};

class TLinkBox : public TEditBoxDialog {
  public:
    TLinkBox(QWidget* parent, const TEditBoxTarget& target)
        : TEditBoxDialog(parent, target, u"New Link", u"Edit Link", true),
          FTitle(new QLineEdit(this)),
          FType(Choice(this, {"Program / File", "Folder", "Url", "Email", "Batch"})),
          FLink(new QLineEdit(this)),
          FBatch(TextArea(this)),
          FHotKey(new THotKeyEdit(this)),
          FAbbrev(new QLineEdit(this)),
          FRemark(new QLineEdit(this)) {
        setObjectName(QStringLiteral("LinkBox"));
        auto* link = new QVBoxLayout;
        link->addWidget(FLink);
        link->addWidget(FBatch);
        Form().addRow(tr("&Title:"), FTitle);
        Form().addRow(tr("T&ype:"), FType);
        Form().addRow(tr("Link:"), link);
        Form().addRow(tr("&Hotkey:"), FHotKey);
        Form().addRow(tr("A&bbrev.:"), FAbbrev);
        Form().addRow(tr("&Remark:"), FRemark);
        connect(FType, &QComboBox::currentIndexChanged, this, [this] { ShowLinkField(); });
    }

  protected:
    void LoadFields(TPageSuper& item) override {
        const TLinkProperty& p = As<TLinkItem>(item).LinkProperty();
        FTitle->setText(QtText(item.Name()));
        FLoadedType = p.LinkType;
        FType->setCurrentIndex(p.LinkType <= ltEmail ? p.LinkType : 4);
        FLink->setText(QtText(p.Link));
        FBatch->setPlainText(QtText(p.Link));
        FHotKey->SetHotKey(p.HotKey);
        FAbbrev->setText(QtText(p.Abbrev));
        FRemark->setText(QtText(p.Remark));
        ShowLinkField();
        FTitle->setFocus();
    }
    void ClearFields() override {
        for (QLineEdit* edit : {FTitle, FLink, FAbbrev, FRemark}) edit->clear();
        FBatch->clear();
        FHotKey->SetHotKey(0);
        FLoadedType = ltFile;
        FType->setCurrentIndex(0);
        ShowLinkField();
        FTitle->setFocus();
    }
    void SaveFields(TPageSuper& item) override {
        TLinkProperty& p = As<TLinkItem>(item).LinkProperty();
        const TLinkType chosen = kLinkChoices[FType->currentIndex()];
        // A node or other link left on the batch choice keeps its kind.
        p.LinkType = chosen == ltBatch && FLoadedType > ltEmail ? FLoadedType : chosen;
        p.Link = chosen == ltBatch ? AreaText(FBatch) : TextOf(FLink->text());
        p.Abbrev = TextOf(FAbbrev->text());
        p.Remark = TextOf(FRemark->text());
        item.SetName(TextOf(FTitle->text()));
        SaveHotKey(*FHotKey, p.HotKey, evLinkHotKeySet, item.Id());
    }

  private:
    void ShowLinkField() {
        const bool batch = FType->currentIndex() == 4;
        FLink->setVisible(!batch);
        FBatch->setVisible(batch);
    }

    QLineEdit* FTitle;
    QComboBox* FType;
    QLineEdit* FLink;
    QPlainTextEdit* FBatch;
    THotKeyEdit* FHotKey;
    QLineEdit* FAbbrev;
    QLineEdit* FRemark;
    TLinkType FLoadedType = ltFile;
};

// --- contacts ---

struct TContactLabel {
    int32_t FieldId;
    const char* Label;
};
constexpr TContactLabel kContactLabels[] = {
    {fiMobile, "Mobile:"},   {fiEmail, "Email:"},     {fiIM, "ICQ:"},
    {fiMSN, "MSN:"},         {fiCompany, "Company:"}, {fiDepartment, "Department:"},
    {fiAddress, "Address:"}, {fiZipCode, "Zipcode:"}, {fiTel, "Tel:"},
    {fiFax, "Fax:"},         {fiOthers, "Others:"},   {fiRemark, "Remark:"},
};

class TContactBox : public TEditBoxDialog {
  public:
    TContactBox(QWidget* parent, const TEditBoxTarget& target)
        : TEditBoxDialog(parent, target, u"New Contact", u"Edit Contact", true),
          FName(new QLineEdit(this)),
          FSex(Choice(this, {"Male", "Female"})) {
        setObjectName(QStringLiteral("ContactBox"));
        Form().addRow(tr("&Name:"), FName);
        Form().addRow(tr("&Sex:"), FSex);
        for (const TContactLabel& label : kContactLabels) {
            FFields.push_back(new QLineEdit(this));
            Form().addRow(tr(label.Label), FFields.back());
        }
    }

  protected:
    void LoadFields(TPageSuper& item) override {
        TContactProperty& p = As<TContactItem>(item).Contact();
        FName->setText(QtText(item.Name()));
        FSex->setCurrentIndex(p.Sex == 0 ? 0 : 1);
        for (size_t i = 0; i < FFields.size(); ++i) FFields[i]->setText(QtText(*Field(p, i)));
        FName->setFocus();
    }
    void ClearFields() override {
        FName->clear();
        FSex->setCurrentIndex(0);
        for (QLineEdit* edit : FFields) edit->clear();
        FName->setFocus();
    }
    void SaveFields(TPageSuper& item) override {
        TContactProperty& p = As<TContactItem>(item).Contact();
        p.Sex = FSex->currentIndex();
        for (size_t i = 0; i < FFields.size(); ++i) *Field(p, i) = TextOf(FFields[i]->text());
        item.SetName(TextOf(FName->text()));
    }

  private:
    static std::u16string* Field(TContactProperty& p, size_t index) {
        const int32_t id = kContactLabels[index].FieldId;
        return id == fiRemark ? &p.Remark : p.TextField(id);
    }

    QLineEdit* FName;
    QComboBox* FSex;
    std::vector<QLineEdit*> FFields;
};

// --- templates ---

class TTemplateBox : public TEditBoxDialog {
  public:
    TTemplateBox(QWidget* parent, const TEditBoxTarget& target)
        : TEditBoxDialog(parent, target, u"New Template", u"Edit Template", true),
          FTitle(new QLineEdit(this)),
          FText(TextArea(this)),
          FHotKey(new THotKeyEdit(this)),
          FAbbrev(new QLineEdit(this)),
          FRemark(new QLineEdit(this)) {
        setObjectName(QStringLiteral("TemplateBox"));
        Form().addRow(tr("&Title:"), FTitle);
        Form().addRow(tr("Te&xt:"), FText);
        Form().addRow(tr("&Hotkey:"), FHotKey);
        Form().addRow(tr("A&bbrev.:"), FAbbrev);
        Form().addRow(tr("&Remark:"), FRemark);
    }

  protected:
    void LoadFields(TPageSuper& item) override {
        const TTemplateProperty& p = As<TTemplateItem>(item).Template();
        FTitle->setText(QtText(item.Name()));
        FText->setPlainText(QtText(p.Text));
        FHotKey->SetHotKey(p.HotKey);
        FAbbrev->setText(QtText(p.Abbrev));
        FRemark->setText(QtText(p.Remark));
        FTitle->setFocus();
    }
    void ClearFields() override {
        for (QLineEdit* edit : {FTitle, FAbbrev, FRemark}) edit->clear();
        FText->clear();
        FHotKey->SetHotKey(0);
        FTitle->setFocus();
    }
    void SaveFields(TPageSuper& item) override {
        TTemplateProperty& p = As<TTemplateItem>(item).Template();
        const std::u16string text = AreaText(FText);
        p.Text = text.empty() ? TextOf(FTitle->text()) : text;
        p.Abbrev = TextOf(FAbbrev->text());
        p.Remark = TextOf(FRemark->text());
        item.SetName(TextOf(FTitle->text()));
        SaveHotKey(*FHotKey, p.HotKey, evTemplateHotKeySet, item.Id());
    }

  private:
    QLineEdit* FTitle;
    QPlainTextEdit* FText;
    THotKeyEdit* FHotKey;
    QLineEdit* FAbbrev;
    QLineEdit* FRemark;
};

// --- clip items ---

class TClipBox : public TEditBoxDialog {
  public:
    TClipBox(QWidget* parent, const TEditBoxTarget& target)
        : TEditBoxDialog(parent, target, u"New ClipItem", u"Edit ClipItem", false),
          FTitle(new QLineEdit(this)),
          FText(TextArea(this)),
          FFixed(new QCheckBox(tr("&Fixed Item"), this)) {
        setObjectName(QStringLiteral("ClipBox"));
        Form().addRow(tr("&Title:"), FTitle);
        Form().addRow(tr("Te&xt:"), FText);
        Form().addRow(QString(), FFixed);
    }

  protected:
    void LoadFields(TPageSuper& item) override {
        FTitle->setText(QtText(item.Name()));
        FText->setPlainText(QtText(item.GetText(-1)));
        FFixed->setChecked(As<TClipItem>(item).Fixed);
        FTitle->setFocus();
    }
    void ClearFields() override {
        FTitle->clear();
        FText->clear();
        FFixed->setChecked(false);
        FTitle->setFocus();
    }
    void SaveFields(TPageSuper& item) override {
        const std::u16string text = AreaText(FText);
        item.SetName(TextOf(FTitle->text()));
        item.SetText(text.empty() ? TextOf(FTitle->text()) : text);
        As<TClipItem>(item).Fixed = FFixed->isChecked();
    }

  private:
    QLineEdit* FTitle;
    QPlainTextEdit* FText;
    QCheckBox* FFixed;
};

template <class TBox>
void Add(TEditBoxFactory& factory, uint8_t type) {
    factory.Register(type, [](QWidget* parent, const TEditBoxTarget& target) {
        return std::unique_ptr<TEditBoxDialog>(std::make_unique<TBox>(parent, target));
    });
}

}  // namespace

void RegisterItemBoxes(TEditBoxFactory& factory) {
    Add<TMemoBox>(factory, ptMemoItem);
    Add<TLinkBox>(factory, ptLinkItem);
    Add<TContactBox>(factory, ptContactItem);
    Add<TTemplateBox>(factory, ptTemplateItem);
    Add<TClipBox>(factory, ptClipItem);
}

}  // namespace qb
