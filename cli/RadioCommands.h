#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The commands that talk to the radio or look at the serial ports. A transfer runs the same
// clone session as the desktop program, driven from the terminal (TerminalProgress).
ExitStatus runRead(CliContext& ctx, const CommandLine& args);
ExitStatus runWrite(CliContext& ctx, const CommandLine& args);
ExitStatus runPorts(CliContext& ctx, const CommandLine& args);
// The per-user history of images read from and written to the radio, and writing one back.
ExitStatus runHistory(CliContext& ctx, const CommandLine& args);
ExitStatus runRestore(CliContext& ctx, const CommandLine& args);
// What differs between an image file and another, or what the radio holds: exit status 0 when
// they agree, 1 when they differ, 2 on any trouble.
ExitStatus runDiff(CliContext& ctx, const CommandLine& args);
