#pragma once

#include "chart/chart.h"

#include <memory>

namespace voltarix::testkit {

// Charts set up the way the two diagrams draw: 17 two-level traces on black
// with cycle labels, and three register bar series in 3D on white. Each has
// the given number of cycles and its design size.
std::unique_ptr<chart::Chart> makeTraceChart(int cycles, QSize size = {439, 395});
std::unique_ptr<chart::Chart> makeRegisterChart(int cycles, QSize size = {434, 89});

} // namespace voltarix::testkit
