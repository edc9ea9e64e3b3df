#pragma once
// The chart builder: turns the birth data shown in the chart window into a Zi Wei Dou Shu chart in
// its palace cells. It finds the life and body palaces and the five-element bureau, empties what the
// steps fill, writes the headers, runs the placement steps in their fixed order and draws the lines
// that join the life palace with its wealth, career and travel palaces.
#include "chart/chart_surface.h"

#include <span>

namespace chart {

using StepFunction = void (*)(ChartSurface&);

// One entry of the step order: the step number of its rule table and module, its procedure's name,
// and the procedure (null while the step is not built).
struct ChartStep {
    const char* number;
    const char* name;
    StepFunction run;
};

// The 26 placement steps in the order a build runs them.
std::span<const ChartStep> chartSteps();

// One build. Errors of the database or of a step pass to the caller and end the build where they
// happen: what was placed so far stays, the later steps and the joining lines are not run.
void BuildChart(ChartSurface& chart);

// The chart window's build: runs BuildChart and reports a failure once through the surface; the
// program goes on, and the next build starts from an emptied chart. True when the build succeeded.
bool RefreshChart(ChartSurface& chart);

// Empties every caption that a build writes, so that nothing of an earlier chart is left when a
// build stops halfway.
void ResetChart(ChartSurface& chart);

}  // namespace chart
