#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// print: the desktop program's report as a PDF file. It draws through the desktop program's
// report painter and so is the one command that needs Qt's painting (not a display: it paints
// on the offscreen platform).
ExitStatus runPrint(CliContext& ctx, const CommandLine& args);
