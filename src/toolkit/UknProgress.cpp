#include "toolkit/UknProgress.h"

#include <QApplication>
#include <QProgressDialog>

#include "toolkit/UknDesktopInput.h"
#include "toolkit/UknDialog.h"
#include "toolkit/UknQtText.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {

namespace {

constexpr uint8_t kVkEscape = 0x1B;
constexpr int kShowAfterMs = 400;

QString TwoLines(std::u16string_view text, std::u16string_view detail) {
    return detail.empty() ? QtText(text) : QtText(text) + QChar(u'\n') + QtText(detail);
}

}  // namespace

TknIOProgress::TknIOProgress(QWidget* parent, TknTrackingTip* tip) : FParent(parent), FTip(tip) {}

TknIOProgress::~TknIOProgress() = default;

void TknIOProgress::Step(std::u16string_view text, std::u16string_view item) {
    if (!FDialog) {
        FDialog = std::make_unique<QProgressDialog>(FParent);
        FDialog->setWindowModality(Qt::WindowModal);
        FDialog->setRange(0, 0);  // the number of files is not known beforehand
        FDialog->setMinimumDuration(kShowAfterMs);
        FDialog->setAutoReset(false);
        FDialog->setAutoClose(false);
    }
    ++FSteps;
    FDialog->setLabelText(TwoLines(text, item));
    FDialog->setValue(0);  // starts the timer that shows the window when the work goes on
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool TknIOProgress::CancelRequested() {
    QCoreApplication::processEvents();
    if (FDialog && FDialog->wasCanceled()) return true;
    return TknDesktopInput().KeyHeld(kVkEscape);
}

void TknIOProgress::Tip(std::u16string_view text, std::u16string_view detail) {
    FDialog.reset();
    if (FTip)
        FTip->ShowAtCursor(TwoLines(text, detail).toStdU16String());
    else
        ShowInformation(FParent, TwoLines(text, detail).toStdU16String());
}

void TknIOProgress::Problem(std::u16string_view item, std::u16string_view message) {
    ShowPrompt(FParent, TwoLines(message, item).toStdU16String());
}

}  // namespace qb
