#pragma once

// Wiring of the layers below the shell to the shell's services, done once at start-up by the
// desktop program and by quillbox-cli alike.

namespace qb {

// Points the page model at the language texts and the export options.
void ConnectPageEnvironment();

// Frees every program-wide object, users before what they use (the store before the options it
// reads, the language texts before the option center they listen to). Called once at program
// end: left to static destruction, the order would be the reverse of first use, which is not
// always safe.
void ReleaseProgramGlobals();

}  // namespace qb
