#include "toolkit/UknDialog.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>

#include "shell/ULangManager.h"
#include "toolkit/UknIcons.h"

namespace qb {

namespace {

QString ToQt(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

constexpr int32_t kPromptText = 25020;

// A title with the close box only: without the customize hint some window managers give a
// dialog that has no parent window (one opened from the tray) minimize and maximize buttons.
constexpr Qt::WindowFlags kDialogFlags = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint;

int RunMessageBox(QWidget* parent, QMessageBox::Icon icon, const std::u16string& title,
                  std::u16string_view text, QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, ToQt(title), ToQt(text), buttons, parent);
    box.setWindowFlags(kDialogFlags);
    return box.exec();
}

}  // namespace

QRect FitDialogRect(const QRect& wanted, const QSize& minimum, const QRect& available) {
    QSize size = wanted.size().boundedTo(available.size()).expandedTo(minimum);
    QPoint topLeft = wanted.topLeft();
    // Kept inside the screen: the right and bottom edges first, so that the title bar (the
    // top left) stays reachable when the dialog is larger than the screen.
    topLeft.setX(
        std::max(available.left(),
                 std::min(topLeft.x(), available.left() + available.width() - size.width())));
    topLeft.setY(
        std::max(available.top(),
                 std::min(topLeft.y(), available.top() + available.height() - size.height())));
    return QRect(topLeft, size);
}

TknDialog::TknDialog(QWidget* parent, std::u16string_view title) : QDialog(parent) {
    setWindowFlags(kDialogFlags);
    if (!title.empty()) SetTitle(title);
}

void TknDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FFitted) return;
    FFitted = true;
    // Sized from the layout by QDialog; on a small or highly scaled screen it is made to fit
    // the work area with its frame, so that its buttons stay on the screen.
    const QScreen* shown = screen();
    if (!shown || !isWindow()) return;
    // Before the window manager has framed the dialog its frame is unknown: a title bar's
    // height is kept free above it then.
    const QRect frame = frameGeometry();
    QMargins margins(geometry().left() - frame.left(), geometry().top() - frame.top(),
                     frame.right() - geometry().right(), frame.bottom() - geometry().bottom());
    if (margins.isNull()) margins.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QRect available = shown->availableGeometry().marginsRemoved(margins);
    const QRect fitted = FitDialogRect(geometry(), minimumSizeHint(), available);
    if (fitted != geometry()) setGeometry(fitted);
}

bool TknDialog::Execute() {
    return exec() == QDialog::Accepted;
}

QDialogButtonBox* TknDialog::ButtonBox(std::u16string_view okText, std::u16string_view cancelText) {
    if (FButtons) return FButtons;
    FButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (!okText.empty()) OkButton()->setText(ToQt(okText));
    if (!cancelText.empty()) CancelButton()->setText(ToQt(cancelText));
    OkButton()->setDefault(true);
    connect(FButtons, &QDialogButtonBox::accepted, this, &TknDialog::accept);
    connect(FButtons, &QDialogButtonBox::rejected, this, &TknDialog::reject);
    return FButtons;
}

QPushButton* TknDialog::OkButton() const {
    return FButtons ? FButtons->button(QDialogButtonBox::Ok) : nullptr;
}

QPushButton* TknDialog::CancelButton() const {
    return FButtons ? FButtons->button(QDialogButtonBox::Cancel) : nullptr;
}

void TknDialog::SetTitle(std::u16string_view title) {
    setWindowTitle(ToQt(title));
}

void TknDialog::SetIconId(int32_t iconId) {
    if (iconId != 0) setWindowIcon(TknIcons::Icon(iconId));
}

void TknDialog::accept() {
    if (OnOk()) QDialog::accept();
}

std::u16string PromptTitle() {
    // Without a language manager (tests, early start-up errors) the built-in text.
    TLangManager* language = ExistingLangManager();
    std::u16string title = language ? language->GetText(kPromptText) : std::u16string();
    return title.empty() ? u"Prompt" : title;
}

std::u16string InformationTitle() {
    return u"Information";
}

bool AskYesNo(QWidget* parent, std::u16string_view text) {
    return RunMessageBox(parent, QMessageBox::Question, PromptTitle(), text,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool AskOkCancel(QWidget* parent, std::u16string_view text) {
    return RunMessageBox(parent, QMessageBox::Question, PromptTitle(), text,
                         QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void ShowPrompt(QWidget* parent, std::u16string_view text) {
    RunMessageBox(parent, QMessageBox::Warning, PromptTitle(), text, QMessageBox::Ok);
}

void ShowInformation(QWidget* parent, std::u16string_view text) {
    RunMessageBox(parent, QMessageBox::Information, InformationTitle(), text, QMessageBox::Ok);
}

}  // namespace qb
