#include "features/ui/UTipQueryWindow.h"

#include "shell/ui/UOptionsDialogControls.h"
#include "toolkit/UknTrackingTip.h"

namespace qb {

namespace {

constexpr int kTipWidth = 400;
constexpr int kShownMs = 15000;

}  // namespace

TTipQueryWindow::TTipQueryWindow()
    : FTip(std::make_unique<TknTrackingTip>(kTipWidth, 0, kShownMs)) {
    FTip->setObjectName(QStringLiteral("TipQuery"));
}

TTipQueryWindow::~TTipQueryWindow() = default;

void TTipQueryWindow::ShowTip(std::u16string_view title, std::u16string_view text, TColor color) {
    FTip->SetColor(QtColour(color));
    FTip->ShowAtCursor(text, title);
}

void TTipQueryWindow::HideTip() {
    FTip->Hide();
}

}  // namespace qb
