#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The commands that talk to the radio or look at the serial ports. A transfer runs the same
// clone session as the desktop program, driven from the terminal (CTerminalProgress).
ExitStatus runRead(CCliContext& ctx, const CCommandLine& args);
ExitStatus runWrite(CCliContext& ctx, const CCommandLine& args);
ExitStatus runPorts(CCliContext& ctx, const CCommandLine& args);
