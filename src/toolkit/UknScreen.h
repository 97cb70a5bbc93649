#pragma once

// The screen the remembered window rectangles are fitted to: the work area of the primary
// screen (the desktop without panels and docks).

#include "shell/UMemoryManager.h"

namespace qb {

class TknScreen : public IScreen {
  public:
    int32_t ScreenWidth() override;
    int32_t ScreenHeight() override;
};

}  // namespace qb
