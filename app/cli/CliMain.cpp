// quillbox-cli: the headless tool for scripting and checking a notebook's data files.
// Usage: quillbox-cli [--home DIR] COMMAND [ARGS...]; UTF-8 on its side. Exit codes: 0 success,
// 1 failure (message on stderr), 2 usage error.

#include "CliRun.h"

int main(int argc, char** argv) { return qb::cli::RunTool(argc, argv); }
