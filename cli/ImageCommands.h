#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The commands that work on image and CSV files alone. Each checks everything before it writes
// and writes its one output file atomically, so a refused command leaves every file as it was.
ExitStatus runNew(CliContext& ctx, const CommandLine& args);
ExitStatus runShow(CliContext& ctx, const CommandLine& args);
ExitStatus runChannel(CliContext& ctx, const CommandLine& args);
ExitStatus runSet(CliContext& ctx, const CommandLine& args);
ExitStatus runExport(CliContext& ctx, const CommandLine& args);
ExitStatus runImport(CliContext& ctx, const CommandLine& args);

// The language of --lang (English or Chinese, any case), or Program.ini's when it is not given.
// Reports a bad value and returns false.
bool chosenLanguage(CliContext& ctx, const CommandLine& args, Language& language);
