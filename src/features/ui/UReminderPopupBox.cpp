#include "features/ui/UReminderPopupBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "shell/ULangManager.h"
#include "toolkit/UknNotifications.h"
#include "toolkit/UknQtText.h"

namespace qb {

namespace {

constexpr int32_t kDialogTitle = 20900;  // "quillbox reminder"
constexpr int kCascade = 28;             // pixels between windows open at once

}  // namespace

TReminderPopupBox::TReminderPopupBox(TReminderPopup& popup)
    : TknDialog(nullptr, popup.Caption()),
      FPopup(popup),
      FRemindAgain(new QRadioButton(tr("&Remind again:"), this)),
      FNoRemind(new QRadioButton(tr("&No remind"), this)),
      FDeleteMe(new QRadioButton(tr("&Delete me"), this)),
      FDuration(new QComboBox(this)) {
    setObjectName(QStringLiteral("ReminderPopupBox"));
    setAccessibleName(QtText(LangText(kDialogTitle)));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    SetIconId(1);
    auto* heading = new QLabel(QtText(popup.Caption()), this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    heading->setFont(bold);
    heading->setWordWrap(true);
    auto* text = new QPlainTextEdit(QtText(popup.Text()), this);
    text->setObjectName(QStringLiteral("ReminderText"));
    text->setReadOnly(true);
    text->setMinimumSize(300, 60);
    text->setMaximumHeight(150);
    for (const std::u16string& duration : popup.Durations()) FDuration->addItem(QtText(duration));
    FDuration->setEditable(true);
    FDuration->setCurrentText(QtText(popup.DurationText));
    FNoRemind->setEnabled(popup.NoRemindEnabled());
    FRemindAgain->setChecked(true);
    connect(FRemindAgain, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Choose(rcRemindAgain);
    });
    connect(FNoRemind, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Choose(rcNoRemind);
    });
    connect(FDeleteMe, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Choose(rcDeleteMe);
    });

    auto* layout = new QGridLayout(this);
    layout->addWidget(heading, 0, 0, 1, 2);
    layout->addWidget(text, 1, 0, 1, 2);
    layout->addWidget(FRemindAgain, 2, 0);
    layout->addWidget(FDuration, 2, 1);
    layout->addWidget(FNoRemind, 3, 0, 1, 2);
    layout->addWidget(FDeleteMe, 4, 0, 1, 2);
    layout->addWidget(ButtonBox({}, u"Close"), 5, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    OkButton()->setFocus();
    resize(380, sizeHint().height());
}

void TReminderPopupBox::Choose(TReminderChoice choice) {
    FPopup.SetChoice(choice);
    FDuration->setEnabled(FPopup.DurationListEnabled());
}

bool TReminderPopupBox::OnOk() {
    FPopup.DurationText = FDuration->currentText().toStdU16String();
    FPopup.Confirm();
    return true;
}

// --- TReminderWindows ---

TReminderWindows::TReminderWindows() = default;

TReminderWindows::~TReminderWindows() {
    for (TReminderPopupBox* box : FBoxes) {
        box->disconnect();
        delete box;
    }
}

bool TReminderWindows::ShowReminder(TReminderPopup& popup) {
    auto* box = new TReminderPopupBox(popup);
    FBoxes.push_back(box);
    QObject::connect(box, &QDialog::finished, box, [this, box] {
        TReminderPopup& closed = box->Popup();
        Forget(box);
        box->deleteLater();
        closed.Closed();  // the popup goes now
    });
    box->show();
    Place(*box, static_cast<int>(FBoxes.size()) - 1);
    box->raise();
    if (!box->isVisible()) {
        CloseReminder(popup);
        return false;
    }
    TknNotifications::Notify(popup.Caption(), popup.Text());
    return true;
}

void TReminderWindows::Place(TReminderPopupBox& box, int index) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = box.frameGeometry().size();
    const TWindowPlace place =
        ReminderWindowPlace(area.width(), area.height(), size.width(), size.height());
    const int shift = (index % 8) * kCascade;
    box.move(std::max(area.left(), area.left() + place.Left - shift),
             std::max(area.top(), area.top() + place.Top - shift));
}

void TReminderWindows::Forget(TReminderPopupBox* box) {
    FBoxes.erase(std::remove(FBoxes.begin(), FBoxes.end(), box), FBoxes.end());
}

void TReminderWindows::CloseReminder(TReminderPopup& popup) {
    auto at = std::find_if(FBoxes.begin(), FBoxes.end(),
                           [&popup](TReminderPopupBox* box) { return &box->Popup() == &popup; });
    if (at == FBoxes.end()) return;
    TReminderPopupBox* box = *at;
    FBoxes.erase(at);
    box->disconnect();
    delete box;
}

void TReminderWindows::ShowError(std::u16string_view text) {
    // Not modal: the other reminders of the minute go on.
    auto* box =
        new QMessageBox(QMessageBox::Warning, QtText(PromptTitle()), QtText(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
}

}  // namespace qb
