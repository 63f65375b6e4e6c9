#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// radioprog fleet write|check: one master image for many radios, round by round over up to four
// ports, one line per radio, and a CSV log. Exit status 0 when every radio that answered ended
// written, up to date or in step; 1 when any failed or drifted unfixed; 2 on bad input.
ExitStatus runFleet(CliContext& ctx, const CommandLine& args);
