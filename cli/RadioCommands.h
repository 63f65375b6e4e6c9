#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The commands that talk to the radio or look at the serial ports. A transfer runs the same
// clone session as the desktop program, driven from the terminal (TerminalProgress).
ExitStatus runRead(CliContext& ctx, const CommandLine& args);
ExitStatus runWrite(CliContext& ctx, const CommandLine& args);
ExitStatus runPorts(CliContext& ctx, const CommandLine& args);
