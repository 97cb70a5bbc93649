#include "shell/ui/UOptionsDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "features/UDictionary.h"
#include "foundation/UknFunctions.h"
#include "shell/ULangManager.h"
#include "shell/UMemoryManager.h"
#include "shell/ui/UOptionsDialogControls.h"
#include "storage/UPageStore.h"
#include "toolkit/UknWindow.h"
#include "views/ui/UPageChooser.h"

namespace qb {

namespace {

using K = TOptionKind;

QString Text(int32_t id) {
    return QString::fromStdU16String(LangText(id));
}

// Controls that only mean something while another option is on.
struct TDependency {
    const char16_t* Section;
    const char16_t* Key;
    const char16_t* DependentKey;
};
constexpr TDependency kDependencies[] = {
    {u"LogIn", u"NeedLogIn", u"Password"},
    {u"LogIn", u"NeedLogIn", u"EncryptDataFile"},
    {u"Editor", u"ShowLineNumber", u"LineNumberColor"},
    {u"Editor", u"HighlightSelLine", u"SelLineColor"},
    {u"Appearance", u"AutoAdjust", u"AutoAdjustLevel"},
};

template <class T>
T& FieldAs(const TOptionEntry& entry, TOptions& options) {
    return *std::get<T*>(*OptionField(entry, options));
}

}  // namespace

// One control and how its value goes back into the record. Store writes only what the user
// changed, so that values the controls cannot show exactly (numbers outside the range, a
// choice no item stands for) survive an OK unchanged.
struct TOptionsDialog::TBinding {
    const TOptionEntry* Entry = nullptr;
    QWidget* Control = nullptr;
    std::function<void(TOptions&)> Store;
};

TOptionsDialog::TOptionsDialog(QWidget* parent, const TOptions& options, int32_t firstPanel)
    : TknDialog(parent, LangText(kOptionsCaptionId)),
      FOriginal(options),
      FResult(options),
      FScratch(options),
      FPanelList(new QListWidget(this)),
      FPanels(new QStackedWidget(this)) {
    QDialogButtonBox* buttons = ButtonBox(LangText(kOkTextId), LangText(kCancelTextId));

    auto* body = new QHBoxLayout;
    FPanelList->setMaximumWidth(170);
    body->addWidget(FPanelList);
    body->addWidget(FPanels, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    for (const auto& panel : OptionPanels()) BuildPanel(panel);
    LinkControls();
    connect(FPanelList, &QListWidget::currentRowChanged, this, &TOptionsDialog::PanelShown);
    ShowPanel(FindOptionPanel(firstPanel) ? firstPanel : kFirstPanelId);
}

TOptionsDialog::~TOptionsDialog() = default;

int32_t TOptionsDialog::CurrentPanel() const {
    int row = FPanelList->currentRow();
    return row >= 0 ? OptionPanels()[static_cast<size_t>(row)].TextId : kFirstPanelId;
}

void TOptionsDialog::ShowPanel(int32_t textId) {
    const auto& panels = OptionPanels();
    for (size_t i = 0; i < panels.size(); ++i)
        if (panels[i].TextId == textId) FPanelList->setCurrentRow(static_cast<int>(i));
}

void TOptionsDialog::PanelShown(int index) {
    FPanels->setCurrentIndex(index);
    if (index < 0 || static_cast<size_t>(index) >= FOnPanelShown.size()) return;
    if (auto shown = std::exchange(FOnPanelShown[static_cast<size_t>(index)], nullptr)) shown();
}

QWidget* TOptionsDialog::Control(std::u16string_view section, std::u16string_view key) const {
    for (const auto& b : FBindings) {
        const TOptionEntry& e = *b->Entry;
        if (e.Section && SameIniName(section, e.Section) &&
            ((e.Key && SameIniName(key, e.Key)) || (!e.Key && key.empty())))
            return b->Control;
    }
    return nullptr;
}

bool TOptionsDialog::OnOk() {
    TOptions result = FOriginal;
    for (const auto& b : FBindings)
        if (b->Store) b->Store(result);
    NormalizeOptions(result);
    FResult = result;
    return true;
}

void TOptionsDialog::BuildPanel(const TOptionPanel& panel) {
    FPanelList->addItem(Text(panel.TextId));
    FOnPanelShown.emplace_back();
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    QHBoxLayout* row = nullptr;
    for (const auto& entry : panel.Entries) {
        auto binding = std::make_unique<TBinding>();
        binding->Entry = &entry;
        QWidget* control = MakeControl(entry, *binding);
        binding->Control = control;
        bool captionInControl = entry.Kind == K::Check || entry.Kind == K::Remark;
        if (entry.SameRow && row) {
            if (!captionInControl)
                row->insertWidget(row->count() - 1, new QLabel(Text(entry.TextId)));
            row->insertWidget(row->count() - 1, control);
        } else {
            auto* holder = new QWidget;
            row = new QHBoxLayout(holder);
            row->setContentsMargins(0, 0, 0, 0);
            row->addWidget(control, entry.Kind == K::Check ? 0 : 1);
            row->addStretch(entry.Kind == K::Check || entry.Kind == K::Colour ? 1 : 0);
            if (captionInControl)
                form->addRow(holder);
            else
                form->addRow(Text(entry.TextId), holder);
        }
        FBindings.push_back(std::move(binding));
    }
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    FPanels->addWidget(scroll);
}

QWidget* TOptionsDialog::MakeControl(const TOptionEntry& entry, TBinding& binding) {
    switch (entry.Kind) {
        case K::Check: {
            auto* box = new QCheckBox(Text(entry.TextId));
            bool& value = FieldAs<bool>(entry, FScratch);
            box->setChecked(value);
            binding.Store = [&entry, box, initial = value](TOptions& o) {
                if (box->isChecked() != initial) FieldAs<bool>(entry, o) = box->isChecked();
            };
            return box;
        }
        case K::Number:
            return MakeNumber(entry, binding);
        case K::Choice:
            return MakeChoice(entry, binding);
        case K::Text:
        case K::Password:
        case K::Folder:
        case K::Program:
            return MakeText(entry, binding);
        case K::HotKey: {
            auto* edit = new THotKeyEdit;
            THotKey initial = FieldAs<THotKey>(entry, FScratch);
            edit->SetHotKey(initial);
            binding.Store = [&entry, edit, initial](TOptions& o) {
                if (edit->HotKey() != initial) FieldAs<THotKey>(entry, o) = edit->HotKey();
            };
            return edit;
        }
        case K::Colour: {
            auto* button = new TColourButton;
            TColor initial = FieldAs<TColor>(entry, FScratch);
            button->SetColour(initial);
            binding.Store = [&entry, button, initial](TOptions& o) {
                if (button->Colour() != (initial & 0xFFFFFF))
                    FieldAs<TColor>(entry, o) = button->Colour();
            };
            return button;
        }
        case K::Font: {
            auto* row = new TFontRow;
            TFontSettings initial = *OptionFont(entry, FScratch);
            row->SetFont(initial);
            binding.Store = [&entry, row, initial](TOptions& o) {
                if (!(row->Font() == initial)) *OptionFont(entry, o) = row->Font();
            };
            return row;
        }
        case K::Lines: {
            auto* edit = new QPlainTextEdit;
            QStringList lines;
            for (const auto& line : FieldAs<std::vector<std::u16string>>(entry, FScratch))
                lines << QString::fromStdU16String(line);
            edit->setPlainText(lines.join(u'\n'));
            binding.Store = [&entry, edit, initial = edit->toPlainText()](TOptions& o) {
                if (edit->toPlainText() != initial)
                    FieldAs<std::vector<std::u16string>>(entry, o) =
                        CleanUserFunctions(edit->toPlainText().toStdU16String());
            };
            return edit;
        }
        case K::Language:
            return MakeLanguage(entry, binding);
        case K::StartPage:
            return MakeStartPage(entry, binding);
        case K::Dictionaries:
            return MakeDictionaries(binding);
        case K::Remark: {
            auto* label = new QLabel(Text(entry.TextId));
            label->setWordWrap(true);
            return label;
        }
    }
    return new QWidget;
}

QWidget* TOptionsDialog::MakeNumber(const TOptionEntry& entry, TBinding& binding) {
    int32_t stored = FieldAs<int32_t>(entry, FScratch);
    int32_t shown = ShownNumber(entry, stored);
    QString suffix = entry.Suffix ? QString::fromUtf16(entry.Suffix) : QString();
    QString offText = entry.OffTextId ? Text(entry.OffTextId) : QString();
    if (entry.Presets.empty()) {
        auto* spin = new QSpinBox;
        spin->setRange(SpinMinimum(entry), entry.Max);
        spin->setSuffix(suffix);
        if (entry.OffTextId) spin->setSpecialValueText(offText);
        spin->setValue(shown);
        binding.Store = [&entry, spin, shown](TOptions& o) {
            if (spin->value() != shown)
                FieldAs<int32_t>(entry, o) = StoredNumber(entry, spin->value());
        };
        return spin;
    }
    auto* combo = new QComboBox;
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (entry.OffTextId) combo->addItem(offText);
    for (int32_t preset : entry.Presets) combo->addItem(QString::number(preset) + suffix);
    combo->setCurrentText(IsOffNumber(entry, stored) ? offText : QString::number(shown) + suffix);
    binding.Store = [&entry, combo, shown, offText](TOptions& o) {
        auto typed = ParseShownNumber(entry, combo->currentText().toStdU16String(),
                                      offText.toStdU16String());
        if (typed && *typed != shown) FieldAs<int32_t>(entry, o) = StoredNumber(entry, *typed);
    };
    return combo;
}

QWidget* TOptionsDialog::MakeChoice(const TOptionEntry& entry, TBinding& binding) {
    auto* combo = new QComboBox;
    for (const auto& c : entry.Choices) combo->addItem(Text(c.TextId));
    TFieldRef field = *OptionField(entry, FScratch);
    int initial = ChoiceIndex(entry, FieldInt(field));
    combo->setCurrentIndex(initial);
    binding.Store = [&entry, combo, initial](TOptions& o) {
        int index = combo->currentIndex();
        if (index != initial && index >= 0)
            SetFieldInt(*OptionField(entry, o), entry.Choices[static_cast<size_t>(index)].Value);
    };
    return combo;
}

QWidget* TOptionsDialog::MakeText(const TOptionEntry& entry, TBinding& binding) {
    auto* edit = new QLineEdit(QString::fromStdU16String(FieldAs<std::u16string>(entry, FScratch)));
    if (entry.Kind == K::Password) edit->setEchoMode(QLineEdit::Password);
    binding.Store = [&entry, edit, initial = edit->text()](TOptions& o) {
        if (edit->text() != initial)
            FieldAs<std::u16string>(entry, o) = edit->text().toStdU16String();
    };
    if (entry.Kind != K::Folder && entry.Kind != K::Program) return edit;

    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* browse = new QPushButton(Text(kBrowseTextId));
    row->addWidget(edit, 1);
    row->addWidget(browse);
    bool folder = entry.Kind == K::Folder;
    connect(browse, &QPushButton::clicked, this, [this, edit, folder] {
        QString start = QString::fromStdU16String(
            NativePath(MakeAbsolute(edit->text().toStdU16String(), ProgramFolder())));
        QString chosen = folder ? QFileDialog::getExistingDirectory(this, Text(25120), start)
                                : QFileDialog::getOpenFileName(this, Text(25080), start);
        if (chosen.isEmpty()) return;
        if (folder && !chosen.endsWith(u'/')) chosen += u'/';
        edit->setText(folder ? QString::fromStdU16String(StoredPath(chosen.toStdU16String()))
                             : chosen);
    });
    return holder;
}

// The start page by its node path, chosen over the notebook's tree; "None" clears it. A page
// that is gone shows "None" and is kept until another is chosen.
QWidget* TOptionsDialog::MakeStartPage(const TOptionEntry& entry, TBinding& binding) {
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* name = new QLineEdit;
    name->setReadOnly(true);
    auto* browse = new QPushButton(Text(kBrowseTextId));
    auto* none = new QPushButton(Text(kNoStartPageTextId));
    row->addWidget(name, 1);
    row->addWidget(browse);
    row->addWidget(none);
    const int32_t initial = FieldAs<int32_t>(entry, FScratch);
    auto chosen = std::make_shared<int32_t>(initial);
    auto show = [name, chosen] {
        TPageSuper* page = *chosen >= 0 ? GetStore().GetPage(*chosen) : nullptr;
        name->setText(page ? QString::fromStdU16String(GetStore().GetNodePath(page))
                           : Text(kNoStartPageTextId));
    };
    show();
    connect(browse, &QPushButton::clicked, this, [this, chosen, show] {
        if (std::optional<int32_t> id = TPageChooser::Choose(this, *chosen)) {
            *chosen = *id;
            show();
        }
    });
    connect(none, &QPushButton::clicked, this, [chosen, show] {
        *chosen = -1;
        show();
    });
    binding.Store = [&entry, chosen, initial](TOptions& o) {
        if (*chosen != initial) FieldAs<int32_t>(entry, o) = *chosen;
    };
    return holder;
}

QWidget* TOptionsDialog::MakeLanguage(const TOptionEntry& entry, TBinding& binding) {
    auto* combo = new QComboBox;
    combo->addItem(Text(kDefaultLanguageTextId), QString());
    for (const auto& name : LanguageChoices()) {
        QString n = QString::fromStdU16String(name);
        combo->addItem(n, n);
    }
    QString initial = QString::fromStdU16String(FieldAs<std::u16string>(entry, FScratch));
    int index = combo->findData(initial, Qt::UserRole, Qt::MatchFixedString);
    if (index < 0) {
        combo->addItem(initial, initial);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
    binding.Store = [&entry, combo, index](TOptions& o) {
        if (combo->currentIndex() != index)
            FieldAs<std::u16string>(entry, o) = combo->currentData().toString().toStdU16String();
    };
    return combo;
}

QWidget* TOptionsDialog::MakeDictionaries(TBinding& binding) {
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    auto* list = new QListWidget;
    auto* notice = new QLabel(Text(kDictConvertTextId), list);
    notice->hide();
    auto* up = new QPushButton(Text(kMoveUpTextId));
    auto* down = new QPushButton(Text(kMoveDownTextId));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch(1);
    row->addWidget(list, 1);
    row->addLayout(buttons);
    auto move = [list](int by) {
        int from = list->currentRow();
        int to = from + by;
        if (from < 0 || to < 0 || to >= list->count()) return;
        list->insertItem(to, list->takeItem(from));
        list->setCurrentRow(to);
    };
    connect(up, &QPushButton::clicked, list, [move] { move(-1); });
    connect(down, &QPushButton::clicked, list, [move] { move(1); });

    // The files are converted and listed when the panel is first shown, as that rewrites
    // them and may take a while; until then the options stay as they are.
    auto opened = std::make_shared<bool>(false);
    FOnPanelShown.back() = [this, list, notice, opened] {
        notice->adjustSize();
        notice->show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::u16string all = ConvertDictionaries(FScratch.AllDictList);
        QApplication::restoreOverrideCursor();
        notice->hide();
        for (const auto& d : DictionaryChoices(FScratch.SelDictList, all)) {
            auto* item = new QListWidgetItem(QString::fromStdU16String(d.Title), list);
            item->setData(Qt::UserRole, QString::fromStdU16String(d.FileName));
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(d.Selected ? Qt::Checked : Qt::Unchecked);
        }
        *opened = true;
    };
    binding.Store = [list, opened](TOptions& o) {
        if (!*opened) return;
        std::vector<TDictChoice> choices;
        for (int i = 0; i < list->count(); ++i) {
            QListWidgetItem* item = list->item(i);
            choices.push_back({item->data(Qt::UserRole).toString().toStdU16String(),
                               item->text().toStdU16String(), item->checkState() == Qt::Checked});
        }
        StoreDictionaryChoices(choices, o);
    };
    return holder;
}

void TOptionsDialog::LinkControls() {
    for (const auto& d : kDependencies) {
        auto* box = qobject_cast<QCheckBox*>(Control(d.Section, d.Key));
        QWidget* dependent = Control(d.Section, d.DependentKey);
        if (!box || !dependent) continue;
        dependent->setEnabled(box->isChecked());
        connect(box, &QCheckBox::toggled, dependent, &QWidget::setEnabled);
    }
}

TOptionsDialogHost::TOptionsDialogHost(QWidget* parent) : FParent(parent) {}

bool TOptionsDialogHost::Execute(TknWindow* parent, TOptions& options) {
    QWidget* owner = parent ? static_cast<QWidget*>(parent) : FParent.data();
    TOptionsDialog dialog(owner, options, MemoryManager().OptionPage);
    bool confirmed = dialog.Execute();
    MemoryManager().OptionPage = dialog.CurrentPanel();
    if (confirmed) options = dialog.Result();
    return confirmed;
}

}  // namespace qb
