#pragma once

#include <QObject>

#include <memory>

class QFrame;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace voltarix::capture {
class PortLevelReader;
class Sampler;
} // namespace voltarix::capture

namespace voltarix::chart {
class Chart;
}
namespace voltarix::panel {
class PinModel;
}
namespace voltarix::ui {
class ClickRegistry;
class HandlerErrors;
class MessageService;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::diagram17 {

namespace decoding {
class DecodingControl;
}

class CaptureLoop;
class CycleCounter;
class CycleTimes;
class DisplayModes;
class GaugeModel;
class LabelClock;
class MemoryGuard;
class PagingControl;
class RunControl;
class SamplingGaps;
class ScreenRateDisplay;
class ScrollControl;
class SynchronousStart;
struct Diagram17Controls;

// Where the 17-bit diagram lives in the main window and what it uses of it.
struct Diagram17Host {
    QWidget& window; // owns the timers and the message boxes
    QWidget& chartPanel;
    QFrame& settingsPanel;
    QTabWidget& tabs;
    bool& captureStopFlag;
    const panel::PinModel& pins;
    ui::StatusBar& statusBar;
    ui::MessageService& messages;
    const ui::HandlerErrors& errors;
    ui::ClickRegistry& clicks;
};

// The 17-bit diagram: the chart Chart2 with its 17 traces, the capture loop,
// run control, paging, scrolling, page counting and time labels.
class Diagram17 : public QObject {
    Q_OBJECT
public:
    explicit Diagram17(const Diagram17Host& host);
    ~Diagram17() override;

    chart::Chart& chart2();
    // The page number field; its change is the new-page event.
    QLineEdit& pageNumberField();
    SynchronousStart& synchronousStart();
    RunControl& runControl() { return *run_; }
    PagingControl& paging() { return *paging_; }
    ScrollControl& scroll() { return *scroll_; }
    LabelClock& labels() { return *labels_; }
    CaptureLoop& loop() { return *loop_; }
    const CycleCounter& counter() const { return *counter_; }
    // The real time of the recorded cycles, by the chart's x.
    const CycleTimes& cycleTimes() const { return *times_; }
    const GaugeModel& gauge() const { return *gauge_; }
    MemoryGuard& memory() { return *memory_; }
    capture::Sampler& sampler() { return *sampler_; }
    capture::PortLevelReader& reader() { return *reader_; }
    const SamplingGaps& gaps() const { return *gaps_; }
    ScreenRateDisplay& display() { return *display_; }
    const Diagram17Controls& controls() const { return *controls_; }
    // The protocol decoders, their annotation rows and table.
    decoding::DecodingControl& decoding() { return *decoding_; }

private:
    void wireRunControl(const Diagram17Host& host);
    void wirePaging(const Diagram17Host& host);
    void wireLabels(const Diagram17Host& host);
    void wireSampling();

    std::unique_ptr<Diagram17Controls> controls_;
    std::unique_ptr<CycleCounter> counter_;
    std::unique_ptr<GaugeModel> gauge_;
    std::unique_ptr<MemoryGuard> memory_;
    std::unique_ptr<CycleTimes> times_;
    std::unique_ptr<SamplingGaps> gaps_;
    std::unique_ptr<capture::PortLevelReader> reader_;
    std::unique_ptr<capture::Sampler> sampler_;
    ScreenRateDisplay* display_;
    LabelClock* labels_;
    DisplayModes* modes_;
    ScrollControl* scroll_;
    PagingControl* paging_;
    std::unique_ptr<CaptureLoop> loop_;
    RunControl* run_;
    decoding::DecodingControl* decoding_;
};

} // namespace voltarix::diagram17
