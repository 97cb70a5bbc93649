#pragma once

// The command runner of quillbox-cli, as a library: the tool's own process runs it on its
// command line, and the desktop program runs the writing commands handed to it.

#include "CliRemote.h"

namespace qb::cli {

// The tool: parses the command line, takes the notebook (or hands the command to the desktop
// program holding it), runs the command and gives the exit code.
int RunTool(int argc, char** argv);

// Runs a handed-over command in the desktop program's process, on its open notebook.
TRemoteReply RunHosted(const TRemoteRequest& request);

}  // namespace qb::cli
