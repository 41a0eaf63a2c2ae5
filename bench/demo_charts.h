#pragma once

#include "chart/chart_model.h"

#include <cstdint>

namespace voltarix::chart::demo {

// The two charts as the analyser sets them up: 17 level traces in lanes, and three register bar
// series. Shared by the demo and the benchmarks so both measure what the program draws.
void setUpTraceChart(ChartModel& model);
void setUpRegisterChart(ChartModel& model);

// Levels of the 17 traces for one cycle as bits, bottom trace in bit 0: a counter on the data
// lines, a slow clock and a serial frame on the status lines, strobes on control.
std::uint32_t sampleLevels(std::int64_t cycle);
void appendTraceCycle(ChartModel& model, std::uint32_t levels, const PointLabel& label);
void appendRegisterCycle(ChartModel& model, std::int64_t cycle);

} // namespace voltarix::chart::demo
