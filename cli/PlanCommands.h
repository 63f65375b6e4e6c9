#pragma once

#include "CliContext.h"
#include "CommandLine.h"

// The channel plans (the built-in lists of the shipped data folder and the user's own of
// <user data>/<AppName>/plans) and the channel check of an image against them.
// plan list | plan show NAME | plan apply IMAGE.dat NAME: the plans, one plan, a plan's rows into
// the image's channels (written back atomically, or not at all).
ExitStatus runPlan(CliContext& ctx, const CommandLine& args);
// The findings of the channel check; the exit status is 1 when there are any.
ExitStatus runCheck(CliContext& ctx, const CommandLine& args);
