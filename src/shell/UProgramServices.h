#pragma once

// Wiring of the layers below the shell to the shell's services, done once at start-up by the
// desktop program and by quillbox-cli alike.

namespace qb {

// Points the page model at the language texts and the export options.
void ConnectPageEnvironment();

}  // namespace qb
