#pragma once

// The line handling of calculator, note and dictionary pages on the editor's control: Enter
// evaluates or looks up the line under the caret and writes the result behind it, a typed "="
// does the same on calculator pages, and F9 recalculates a whole calculator page.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UEditControl.h"
#include "features/UCalculator.h"
#include "features/UDictionary.h"
#include "shell/UknClasses.h"

namespace qb {

struct TOptions;

// One line of a page as the handler reads it: label prefix, marker and expression.
struct TCalcLine {
    std::u16string Prefix;      // up to the last tab (when tabs are labels) and leading blanks
    std::u16string Marker;      // "$", "@", "#", "//" or empty
    std::u16string Expression;  // trimmed; "$" kept, the other markers removed
};

TCalcLine ParseLine(std::u16string_view line, bool tabsAreLabels);

// Decimals, degree flag and user functions from the options.
void ApplyCalcOptions(TCalculator& calc, const TOptions& options);

class TCalcHandler : public IEditKeyHook, public IOptionObserver {
  public:
    // Hooks the control's keys and registers with the option manager (which reads the options
    // at once). The control is not owned and must outlive the handler.
    explicit TCalcHandler(IEditControl& control);
    ~TCalcHandler() override;
    TCalcHandler(const TCalcHandler&) = delete;
    TCalcHandler& operator=(const TCalcHandler&) = delete;

    // The type of the page the control shows; the editor sets it on every load.
    void SetPageType(uint8_t pageType) { FPageType = pageType; }

    bool KeyDown(int key, int shift) override;
    bool CharTyped(char16_t ch) override;
    void OptionChanged() override;

    // F9: every line of the page again, "#" lines defining functions for the lines below.
    void Recalculate();

    TCalculator& Calculator() { return FCalculator; }
    TDictionary& Dictionary() { return FDictionary; }

  private:
    bool Enter(bool shift, bool ctrl);
    void ReloadFunctions();
    void AddPageFunctions(int end);  // the "#" lines before the control position
    std::u16string LookUp(const TCalcLine& line, bool ctrl);
    std::u16string RecalculatedLine(std::u16string_view raw);

    IEditControl& FControl;
    TCalculator FCalculator;
    TDictionary FDictionary;
    uint8_t FPageType = 0;
    bool FMultiDict = true;
    std::vector<std::u16string> FUserFunctions;
};

}  // namespace qb
