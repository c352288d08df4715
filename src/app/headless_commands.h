#pragma once

#include "app/command_line.h"

namespace whoopline::shell {

// Runs what the command line asked for when that is not the window: the help, the version, the
// track picture or the patch. Needs no display, only a QCoreApplication. Prints the help or the
// version on standard output and any reason for a failure on standard error; nothing else is
// printed. Returns the exit code: 0 on success, 1 on failure, when nothing is written.
int RunHeadless(const CommandLine &command);

} // namespace whoopline::shell
