#pragma once

// Stands in for core's jobNotice until core has it: the same declarations.
#include "radio/RadioJob.h"

#include <string>
#include <vector>

// The box a front end shows after a job, as the desktop decides it.
struct JobNotice {
    enum class Shape { None, Information, Warning, WrongRadio };
    Shape shape = Shape::None;
    std::string text;
    std::string caption;
    std::vector<JobChoice> choices;
    bool radioChanged = false; // declining closes the box on a radio that changed
};

JobNotice jobNotice(const JobResult& result, Language language);
