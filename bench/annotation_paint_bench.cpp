// Paint time of the 17-trace chart's newest page of 40 cycles with three annotation rows under
// the traces, at 10^3 and 10^9 cycles of recording: the rows ask the decoders' annotation store
// for the page only, so the cost must not grow with the recording.
//
// The recordings: the simulated port's kind of levels, and annotations as UART gives them on
// the page's part of the recording (a byte of 10 cycles, its 8 bits, a packet of 100 cycles);
// before that, one annotation every 1000 cycles in each row, so that the store of the long
// recording holds 3 million annotations to search.
#include "demo_charts.h"

#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "decode/annotation_store.h"
#include "diagram17/decoding/decoded_rows.h"
#include "diagram17/trace_layout.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace voltarix;

namespace {

constexpr std::uint64_t kDense = 10'000;
constexpr std::uint64_t kSparseStep = 1000;
constexpr std::uint64_t kRun = 1000;

decode::Annotation annotation(std::size_t row, std::uint64_t first, std::uint64_t last, int cls,
                              std::vector<std::string> texts) {
    decode::Annotation a;
    a.firstCycle = first;
    a.lastCycle = last;
    a.startUs = static_cast<double>(first);
    a.endUs = static_cast<double>(last + 1);
    a.storeRow = row;
    a.annotationClass = cls;
    a.texts = std::move(texts);
    return a;
}

struct Recording {
    chart::ChartModel model;
    decode::AnnotationStore store;
    diagram17::decoding::DecodedRows rows{store};

    explicit Recording(std::uint64_t cycles) {
        chart::demo::setUpTraceChart(model);
        for (std::uint64_t c = 0; c < cycles; c += kRun) {
            const auto count = static_cast<std::int64_t>(std::min(kRun, cycles - c));
            model.appendLevelsRepeated(
                chart::demo::sampleLevels(static_cast<std::int64_t>(c / kRun)),
                chart::PointLabel::number(static_cast<std::int64_t>(c) + 1),
                diagram17::pointColours(), count);
        }
        store.setRows({{0, 0, "uart", "UART", 0, "rx-data", "RX"},
                       {0, 0, "uart", "UART", 1, "rx-data-bits", "RX bits"},
                       {0, 0, "uart", "UART", 2, "rx-packets", "RX packets"}});
        const std::uint64_t denseFrom = cycles > kDense ? cycles - kDense : 0;
        for (std::uint64_t c = 0; c + kSparseStep <= denseFrom; c += kSparseStep) {
            for (std::size_t row = 0; row < 3; ++row)
                store.append(annotation(row, c, c + 9, 0, {"Data: 0x56", "56", "V"}));
        }
        for (std::uint64_t c = denseFrom; c + 100 <= cycles; c += 100) {
            store.append(annotation(2, c, c + 99, 16, {"VOLTARIX", "VOL..."}));
            for (std::uint64_t b = c; b + 10 <= c + 100; b += 10) {
                store.append(annotation(0, b, b + 9, 0, {"Data: 0x56", "56", "V"}));
                for (std::uint64_t bit = b + 1; bit < b + 9; ++bit)
                    store.append(annotation(1, bit, bit, 12, {"1"}));
            }
        }
        rows.takeIn(0, store.size());
        model.setAnnotationRows(&rows);
    }
};

Recording& shared(std::uint64_t cycles) {
    static std::map<std::uint64_t, std::unique_ptr<Recording>> cache;
    auto& slot = cache[cycles];
    if (!slot)
        slot = std::make_unique<Recording>(cycles);
    return *slot;
}

void BM_PaintPageOf40WithThreeAnnotationRows(benchmark::State& state) {
    Recording& r = shared(static_cast<std::uint64_t>(state.range(0)));
    r.model.setMaxPointsPerPage(40);
    const double last = static_cast<double>(state.range(0) - 1);
    r.model.bottomAxis().setMinMax(last - 39 - 50, last - 50);
    QImage image(800, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        chart::ChartRenderer::render(r.model, painter, image.rect());
    }
    state.counters["annotations"] = static_cast<double>(r.store.size());
    state.counters["rows"] = r.rows.rowCount();
}
BENCHMARK(BM_PaintPageOf40WithThreeAnnotationRows)
    ->Arg(1000)
    ->Arg(1'000'000'000)
    ->Unit(benchmark::kMillisecond);

} // namespace
