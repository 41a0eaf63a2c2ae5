#pragma once

#include "diagram17/decoding/csv_save_dialog.h"

#include <QObject>

#include <memory>
#include <vector>

class QTabWidget;
class QTimer;
class QWidget;

namespace voltarix::chart {
class Chart;
}
namespace voltarix::decode {
class AnnotationStore;
class DecodeWorker;
class DecoderCatalog;
} // namespace voltarix::decode
namespace voltarix::ui {
class ClickRegistry;
class HandlerErrors;
class MessageService;
} // namespace voltarix::ui

namespace voltarix::diagram17 {
class CycleTimes;
class CycleTimesSource;
class ScreenRateDisplay;
} // namespace voltarix::diagram17

namespace voltarix::diagram17::decoding {

class DecodedRows;
class DecodedValuesModel;
class DecoderTab;
class TForm5;

// What the decoding of the 17-bit recording works with in the window.
struct DecodingParts {
    QWidget& window; // owns the boxes, the dialog and the table window
    QTabWidget& tabs;
    chart::Chart& chart;
    const CycleTimes& times;
    ScreenRateDisplay& display;
    ui::MessageService& messages;
    const ui::HandlerErrors& errors;
    ui::ClickRegistry& clicks;
};

// The protocol decoders of the 17-bit diagram: the tab "Декодеры" (TabSheet9), the decoding
// worker over the recording, the annotation rows under the chart's traces and the table of
// decoded values (TForm5) with its CSV file.
//
// The worker decodes in a thread of its own; the window looks at what it found at screen rate
// (with the counter while a run lasts, with Timer7 while the worker catches up after one), so
// the capture loop does nothing for it. A fault of a decoder shows its box once and stops that
// decoder; the others and the capture go on.
class DecodingControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 16;

    DecodingControl(const DecodingParts& parts, QObject* parent);
    ~DecodingControl() override;

    // Button15: checks the tab's setting and decodes with it; a setting that cannot run gets
    // a box with the reason and changes nothing.
    void apply();
    // SpeedButton37: shows the table of decoded values.
    void showTable();
    // Button16: the table into a CSV file chosen in the save dialog.
    void saveCsv();
    // Takes in what the worker found and its faults.
    void poll();
    // Loads the library's decoders once; false (after a box, shown once) when it cannot.
    bool loadCatalogue();

    DecoderTab& tab() { return *tab_; }
    TForm5& tableWindow() { return *window_; }
    DecodedValuesModel& values() { return *model_; }
    const DecodedRows& rows() const { return *rows_; }
    // Null until a setting was first applied.
    decode::DecodeWorker* worker() { return worker_.get(); }
    CsvSaveDialog& csvDialog() { return csv_; }
    QTimer& pollTimer() { return *Timer7; }

private:
    void wire();
    void startWorker();
    void runsBegan();
    void restartWithActiveStacks();
    void runsEnded();
    void reportFaults();
    void takeInAnnotations();
    void followChart();
    void showRowChoice();
    void showRowInChart(int row);
    void showRate();

    DecodingParts parts_;
    const decode::DecoderCatalog* catalog_ = nullptr;
    bool catalogueFailed_ = false;
    std::unique_ptr<CycleTimesSource> source_;
    std::unique_ptr<decode::DecodeWorker> worker_;
    std::unique_ptr<DecodedRows> rows_;
    std::unique_ptr<decode::AnnotationStore> emptyStore_;
    DecodedValuesModel* model_;
    TForm5* window_;
    DecoderTab* tab_;
    QTimer* Timer7;
    CsvSaveDialog csv_;
    std::vector<std::vector<int>> choiceOfLayer_;
    std::size_t takenIn_ = 0;
    double followedPageStart_ = -1;
    bool tablePlaced_ = false;
    // A setting with at least one decoder was applied and not every decoder has failed.
    bool decoding_ = false;
    // The worker was told the recording is complete.
    bool finishRequested_ = false;
};

} // namespace voltarix::diagram17::decoding
