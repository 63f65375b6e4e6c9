#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The commands that work on image and CSV files alone. Each checks everything before it writes
// and writes its one output file atomically, so a refused command leaves every file as it was.
ExitStatus runNew(CCliContext& ctx, const CCommandLine& args);
ExitStatus runShow(CCliContext& ctx, const CCommandLine& args);
ExitStatus runChannel(CCliContext& ctx, const CCommandLine& args);
ExitStatus runSet(CCliContext& ctx, const CCommandLine& args);
ExitStatus runExport(CCliContext& ctx, const CCommandLine& args);
ExitStatus runImport(CCliContext& ctx, const CCommandLine& args);

// The language of --lang (English or Chinese, any case), or Program.ini's when it is not given.
// Reports a bad value and returns false.
bool chosenLanguage(CCliContext& ctx, const CCommandLine& args, bool& chinese);
