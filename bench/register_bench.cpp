// The cost of the register diagram on the live monitor's poll: one poll with a data change, which
// records a driving cycle (three bar appends, a scroll once following) and the page number, in
// the real window over the simulated port. Appending never paints, so no repaint is counted.
#include "app/main_window.h"
#include "bench/silent_messages.h"
#include "chart/chart.h"
#include "panel/live_monitor.h"
#include "panel/port_panel.h"
#include "port/lpt_port_connection.h"
#include "port/port_codes.h"
#include "port/simulated/simulated_platform.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace voltarix;

namespace {

using bench::SilentMessages;

struct Window {
    SilentMessages messages;
    app::TForm1 form{std::make_unique<port::SimulatedPlatform>(), messages};
    chart::Chart& chart1 = *form.findChild<chart::Chart*>(QStringLiteral("Chart1"));
    std::uint8_t data = 0;

    // One poll after the data register was given a new value.
    void pollWithDataChange() {
        form.lpt().WritePort(port::PortCodeLpt2, port::RegData, ++data);
        form.portPanel().monitor().Timer1Timer();
    }
};

void BM_PollWithDrivingCycle(benchmark::State& state) {
    Window window;
    for (auto _ : state)
        window.pollWithDataChange();
    state.SetItemsProcessed(state.iterations());
    const auto bars = window.chart1.model().series(0).count();
    state.counters["bytes_per_cycle"] =
        static_cast<double>(window.chart1.model().memoryBytes()) / static_cast<double>(bars);
}
BENCHMARK(BM_PollWithDrivingCycle)->Unit(benchmark::kMicrosecond);

// The same poll with nothing changed: what a steady port costs the register diagram.
void BM_PollWithoutChange(benchmark::State& state) {
    Window window;
    window.pollWithDataChange();
    for (auto _ : state)
        window.form.portPanel().monitor().Timer1Timer();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PollWithoutChange)->Unit(benchmark::kMicrosecond);

} // namespace
