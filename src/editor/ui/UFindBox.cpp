#include "editor/ui/UFindBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/UFindHandler.h"
#include "shell/UMemoryManager.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

QComboBox* HistoryBox(const std::vector<std::u16string>& history, std::u16string_view current) {
    auto* box = new QComboBox;
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& entry : history) box->addItem(QtText(entry));
    box->setEditText(QtText(current));
    box->setMinimumWidth(240);
    return box;
}

bool ShiftHeld() {
    return QApplication::keyboardModifiers() & Qt::ShiftModifier;
}

}  // namespace

TFindBox::TFindBox(QWidget* parent, TFindHandler& handler)
    : TknDialog(parent, u"Find / Replace"), FHandler(handler) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    const TknRichEditFindHandler& engine = handler.Engine();
    const TMemory& memory = MemoryManager();
    FTarget = HistoryBox(handler.FindHistory(), engine.FindWhat);
    FAllowReplace = new QCheckBox("Replace &with:");
    FAllowReplace->setChecked(engine.AllowReplace);
    FReplace = HistoryBox(handler.ReplaceHistory(), engine.ReplaceWith);
    FMatchCase = new QCheckBox("Match case");
    FMatchCase->setChecked(engine.MatchCase);
    FWholeWord = new QCheckBox("Whole word");
    FWholeWord->setChecked(engine.WholeWord);
    FRollBack = new QCheckBox("Roll back");
    FRollBack->setChecked(engine.RollBack);
    FUp = new QRadioButton("Up");
    FDown = new QRadioButton("Down");
    (engine.DirUp ? FUp : FDown)->setChecked(true);
    FWithinSelection = new QCheckBox("Within selected text");
    FExitAfterFirst = new QCheckBox("Close me after find first match");
    FExitAfterFirst->setChecked(memory.ExitAfterFirstMatch);
    FHighlight = new QCheckBox("Highlight find result");
    FHighlight->setChecked(memory.HighlightMatch);

    FFindButton = new QPushButton("&Find");
    FReplaceButton = new QPushButton("&Replace");
    FReplaceAllButton = new QPushButton("Replace &All");
    auto* cancel = new QPushButton("Cancel");
    FFindButton->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Find what:"), 0, 0);
    fields->addWidget(FTarget, 0, 1);
    fields->addWidget(FAllowReplace, 1, 0);
    fields->addWidget(FReplace, 1, 1);
    auto* direction = new QGroupBox("Direction");
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(FUp);
    directionLayout->addWidget(FDown);
    auto* options = new QVBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{FMatchCase, FWholeWord, FRollBack, direction,
                                         FWithinSelection, FExitAfterFirst, FHighlight})
        options->addWidget(w);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {FFindButton, FReplaceButton, FReplaceAllButton, cancel})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(options);
    body->addLayout(left);
    body->addLayout(buttons);
    setLayout(body);

    connect(FAllowReplace, &QCheckBox::toggled, this, [this](bool on) {
        UpdateReplaceState();
        if (on) FReplace->setFocus();
    });
    connect(FFindButton, &QPushButton::clicked, this, [this] { Find(); });
    connect(FReplaceButton, &QPushButton::clicked, this, [this] { Replace(); });
    connect(FReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAll(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    UpdateReplaceState();
}

void TFindBox::UpdateReplaceState() {
    const bool on = FAllowReplace->isChecked();
    FReplace->setEnabled(on);
    FReplaceButton->setEnabled(on);
    FReplaceAllButton->setEnabled(on);
}

TFindBoxValues TFindBox::Values() const {
    TFindBoxValues v;
    v.FindText = TextOf(FTarget->currentText());
    v.AllowReplace = FAllowReplace->isChecked();
    v.ReplaceText = TextOf(FReplace->currentText());
    v.MatchCase = FMatchCase->isChecked();
    v.WholeWord = FWholeWord->isChecked();
    v.RollBack = FRollBack->isChecked();
    v.DirUp = FUp->isChecked();
    v.WithinSelection = FWithinSelection->isChecked();
    v.HighlightMatch = FHighlight->isChecked();
    return v;
}

void TFindBox::ReadIntoEngine() {
    FHandler.ReadFindBox(Values());
    CommandCenter().SetChecked(cmHighlightMatch, FHandler.Engine().HighlightMatch);
}

void TFindBox::Find() {
    ReadIntoEngine();
    if (FHandler.Engine().FindWhat.empty()) {
        ShowInformation(this, u"Please input target text!");
        FTarget->setFocus();
        return;
    }
    if (!FHandler.Engine().FindNext(ShiftHeld())) {
        ShowInformation(this, u"No target text found!");
        return;
    }
    if (FExitAfterFirst->isChecked())
        accept();
    else if (FAllowReplace->isChecked())
        FReplaceButton->setDefault(true);
}

void TFindBox::Replace() {
    ReadIntoEngine();
    FHandler.ExecuteCommand(ShiftHeld() ? cmReplaceFindPrevious : cmReplaceFindNext);
}

void TFindBox::ReplaceAll() {
    ReadIntoEngine();
    FHandler.ExecuteCommand(cmReplaceAll);
    if (FExitAfterFirst->isChecked()) accept();
}

void TFindBox::done(int result) {
    TMemory& memory = MemoryManager();
    memory.ExitAfterFirstMatch = FExitAfterFirst->isChecked();
    memory.HighlightMatch = FHighlight->isChecked();
    FHandler.SetFindBoxOpen(false);
    TknDialog::done(result);
}

}  // namespace qb
