#pragma once

// Wiring of the layers below the shell to the shell's services, done once at start-up by the
// desktop program and by quillbox-cli alike.

#include "storage/UVersionManager.h"

namespace qb {

// The start-up sequence after the single-instance gate: the data check with its upgrade, then
// the page model's wiring. False when the check failed, after `showMessage` was given the error.
bool OpenProgramData(const TMessageProc& showMessage);

// Frees the program's single objects in their fixed order: the pages and the page model's
// objects, the centers, the login handler, then the rest of the shell. Programs call it before
// they end, so that no object outlives one it unregisters from.
void ReleaseProgramGlobals();

// Points the page model at the language texts and the export options.
void ConnectPageEnvironment();

}  // namespace qb
