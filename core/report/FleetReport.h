#pragma once

#include "fleet/FleetSession.h"
#include "report/Report.h"

#include <string>
#include <vector>

// The printed summary of a fleet session as a page model: a title with the master's name, a
// heading line and one line per radio (number, round, port, identification, seconds, the outcome
// in words, which a long reason continues on the lines below), as many radios to a page as fit
// between the header rules and the footer rule, every page with the report's frame (addPageFrame).
// Coordinates as in Report.h. A session without records prints one page that says so.
namespace fleetreport {

// The first line of records on a page is at -5 S, the heading at -4 S; the last line stays one
// small line above the footer rule at -36 L + L / 2.
int linesPerPage(int reportLineTwips, int smallLineTwips);

} // namespace fleetreport

ReportModel buildFleetReport(const std::vector<FleetRecord>& records, const std::string& master,
                             const ReportInput& input);
