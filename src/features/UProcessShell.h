#pragma once

// The shell of a Linux desktop without the GUI: programs are started directly, everything else
// (documents, folders, web and mail addresses) goes to xdg-open. The GUI may use its own.

#include <string>
#include <string_view>
#include <vector>

#include "features/ULinkOpener.h"

namespace qb {

// Parameters as one command-line text, cut into arguments at blanks; double quotes group
// blanks into one argument, and \" inside them stands for a quote.
std::vector<std::string> SplitParameters(std::u16string_view parameters);

// A program name looked up on the PATH (a name with a "/" is taken as it is); empty when it is
// no executable file.
std::u16string FindProgram(const std::u16string& program);

class TProcessShell : public IShell {
  public:
    int Open(const std::u16string& target, const std::u16string& parameters,
             const std::u16string& folder) override;
    void Pause(uint32_t milliseconds) override;

    // How long xdg-open is given to tell whether it found a program; one still running then
    // counts as started.
    uint32_t OpenerWait = 2000;  // ms
};

}  // namespace qb
