#pragma once

// The tip of the tip query: the word and its meanings near the mouse, in the tip colour of
// the options. It closes on the next key or click in the program, on the next query without a
// word, or after a while.

#include <memory>

#include "features/UTipQuery.h"

namespace qb {

class TknTrackingTip;

class TTipQueryWindow : public ITipWindow {
  public:
    TTipQueryWindow();
    ~TTipQueryWindow() override;

    void ShowTip(std::u16string_view title, std::u16string_view text, TColor color) override;
    void HideTip() override;

    TknTrackingTip& Tip() const { return *FTip; }

  private:
    std::unique_ptr<TknTrackingTip> FTip;
};

}  // namespace qb
