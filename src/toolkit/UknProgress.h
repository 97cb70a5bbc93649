#pragma once

// The progress of imports and exports: a progress window with a Cancel button, the outcome in
// the tracking tip and the problems in message boxes.

#include <QPointer>
#include <memory>

#include "storage/UIOHandler.h"

class QProgressDialog;
class QWidget;

namespace qb {

class TknTrackingTip;

class TknIOProgress : public IIOProgress {
  public:
    // The tip is not owned and may be null (the outcome then goes to a notice box).
    explicit TknIOProgress(QWidget* parent, TknTrackingTip* tip = nullptr);
    ~TknIOProgress() override;

    // Shows the progress window (after a short while, so quick work shows none).
    void Step(std::u16string_view text, std::u16string_view item) override;
    // Cancel pressed, or Escape held down.
    bool CancelRequested() override;
    // Closes the progress window and shows the outcome.
    void Tip(std::u16string_view text, std::u16string_view detail) override;
    void Problem(std::u16string_view item, std::u16string_view message) override;

    int Steps() const { return FSteps; }

  private:
    QWidget* FParent;
    TknTrackingTip* FTip;
    std::unique_ptr<QProgressDialog> FDialog;
    int FSteps = 0;
};

}  // namespace qb
