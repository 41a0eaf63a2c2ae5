#include "diagram17/diagram17.h"

#include "capture/port_level_reader.h"
#include "capture/sampler.h"
#include "chart/chart.h"
#include "diagram17/capture_loop.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/decoding_control.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/display_modes.h"
#include "diagram17/gauge_model.h"
#include "diagram17/label_clock.h"
#include "diagram17/memory_guard.h"
#include "diagram17/paging_control.h"
#include "diagram17/run_control.h"
#include "diagram17/sampling_gaps.h"
#include "diagram17/screen_rate_display.h"
#include "diagram17/scroll_control.h"
#include "panel/pin_model.h"
#include "ui/click_registry.h"
#include "ui/handler_errors.h"
#include "ui/hints.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace voltarix::diagram17 {

namespace {

// A button's click operation, registered by its name so that menu items and
// the program can click it too (enabled or not, without a mouse press).
template <typename Handler>
void wireButton(const Diagram17Host& host, QAbstractButton* button, Handler handler) {
    host.clicks.add(button->objectName(), handler);
    QObject::connect(button, &QAbstractButton::clicked, button, host.errors.guarded(handler));
}

template <typename Handler>
void onChange(const Diagram17Host& host, ui::SpinEdit* field, Handler handler) {
    QObject::connect(field, &ui::SpinEdit::textChanged, field, host.errors.guarded(handler));
}

} // namespace

// Owned by the window through a unique pointer, so it has no QObject parent.
Diagram17::Diagram17(const Diagram17Host& host)
    : QObject(nullptr), controls_(std::make_unique<Diagram17Controls>(
                            host.chartPanel, host.settingsPanel, host.tabs, host.window)),
      counter_(std::make_unique<CycleCounter>()), gauge_(std::make_unique<GaugeModel>()),
      memory_(std::make_unique<MemoryGuard>()), times_(std::make_unique<CycleTimes>()),
      gaps_(std::make_unique<SamplingGaps>()),
      reader_(std::make_unique<capture::PortLevelReader>(host.pins.connection())),
      sampler_(std::make_unique<capture::Sampler>(*reader_)),
      display_(
          new ScreenRateDisplay(*counter_, *gauge_, *controls_->Edit16, *controls_->Gauge1, this)),
      labels_(new LabelClock(*controls_, this)),
      modes_(new DisplayModes(*controls_, controls_->Chart2->model(), this)),
      scroll_(new ScrollControl(*controls_, controls_->Chart2->bottomAxis(), this)),
      paging_(
          new PagingControl(*controls_, *counter_, host.statusBar, *scroll_, &host.window, this)) {
    const CaptureParts captureParts{host.captureStopFlag,
                                    host.pins,
                                    *sampler_,
                                    *reader_,
                                    *counter_,
                                    *gauge_,
                                    *labels_,
                                    *memory_,
                                    *display_,
                                    *times_,
                                    *gaps_,
                                    [this] { run_->memoryRanShort(); },
                                    [this] { return run_->quietCounterWrites(); }};
    loop_ = std::make_unique<CaptureLoop>(captureParts, *controls_);
    const RunParts runParts{
        host.captureStopFlag, *counter_,     *gauge_,     *loop_, *paging_, *display_, *memory_,
        host.clicks,          host.messages, &host.window};
    run_ = new RunControl(runParts, *controls_, this);
    decoding_ = new decoding::DecodingControl({host.window, host.tabs, *controls_->Chart2, *times_,
                                               *display_, host.messages, host.errors, host.clicks},
                                              this);
    wireRunControl(host);
    wirePaging(host);
    wireLabels(host);
    wireSampling();
}

// The sampler stops before what it reads through goes.
Diagram17::~Diagram17() {
    delete decoding_;
    sampler_->stop();
}

chart::Chart& Diagram17::chart2() {
    return *controls_->Chart2;
}

QLineEdit& Diagram17::pageNumberField() {
    return *controls_->Edit18;
}

SynchronousStart& Diagram17::synchronousStart() {
    return *run_;
}

void Diagram17::wireRunControl(const Diagram17Host& host) {
    const Diagram17Controls& c = *controls_;
    wireButton(host, c.SpeedButton7, [this] { run_->SpeedButton7Click(); });
    wireButton(host, c.SpeedButton8, [this] { run_->SpeedButton8Click(); });
    counter_->setChangeListener(
        [this, errors = &host.errors] { errors->run([this] { run_->Edit16Change(); }); });
    onChange(host, c.SpinEdit2, [this] { run_->SpinEdit2Change(); });
    onChange(host, c.SpinEdit9, [this] { run_->SpinEdit9Change(); });
    connect(c.CheckBox6, &QCheckBox::clicked, this,
            host.errors.guarded([this] { run_->CheckBox6Click(); }));
    for (QRadioButton* pulse : {c.RadioButton16, c.RadioButton17, c.RadioButton18}) {
        connect(pulse, &QRadioButton::clicked, this,
                host.errors.guarded([this] { run_->pulseSourceClick(); }));
    }
}

void Diagram17::wirePaging(const Diagram17Host& host) {
    const Diagram17Controls& c = *controls_;
    onChange(host, c.SpinEdit1, [this] { paging_->SpinEdit1Change(); });
    onChange(host, c.SpinEdit4, [this] { paging_->SpinEdit4Change(); });
    connect(c.CheckBox4, &QCheckBox::clicked, this,
            host.errors.guarded([this] { paging_->CheckBox4Click(); }));
    connect(c.CheckBox30, &QCheckBox::clicked, this,
            host.errors.guarded([this] { paging_->CheckBox30Click(); }));
    connect(c.Edit18, &QLineEdit::textChanged, this,
            host.errors.guarded([this] { paging_->Edit18Change(); }));
    wireButton(host, c.SpeedButton9, [this] { scroll_->SpeedButton9Click(); });
    wireButton(host, c.SpeedButton13, [this] { scroll_->SpeedButton13Click(); });
    wireButton(host, c.SpeedButton18, [this] { paging_->SpeedButton18Click(); });
    wireButton(host, c.SpeedButton19, [this] { paging_->SpeedButton19Click(); });
    wireButton(host, c.SpeedButton17, [this] { paging_->SpeedButton17Click(); });
    wireButton(host, c.SpeedButton31, [this] { paging_->SpeedButton31Click(); });
}

void Diagram17::wireLabels(const Diagram17Host& host) {
    const Diagram17Controls& c = *controls_;
    connect(c.RadioButton11, &QRadioButton::clicked, this,
            host.errors.guarded([this] { labels_->RadioButton11Click(); }));
    for (QRadioButton* time : {c.RadioButton15, c.RadioButton13, c.RadioButton14}) {
        connect(time, &QRadioButton::clicked, this,
                host.errors.guarded([this] { labels_->timeFormatClick(); }));
    }
    connect(c.TrackBar1, &QSlider::valueChanged, this,
            [statusBar = &host.statusBar, slider = c.TrackBar1] {
                statusBar->setPanelText(1, QString::number(slider->value()));
            });
}

// The speed slider's pause and the way of reading the port reach the
// sampler at once, also in the middle of a run; the missed time is shown at
// screen rate with the counter.
void Diagram17::wireSampling() {
    const Diagram17Controls& c = *controls_;
    sampler_->setPauseMilliseconds(c.TrackBar1->value());
    connect(c.TrackBar1, &QSlider::valueChanged, this,
            [this](int value) { sampler_->setPauseMilliseconds(value); });
    connect(c.CheckBox32, &QCheckBox::toggled, this,
            [this](bool checked) { reader_->setCoherent(checked); });
    auto showGaps = [this] {
        QLabel& figure = *controls_->Label3;
        const QString text = gaps_->text();
        if (figure.text() == text && !figure.toolTip().isEmpty())
            return;
        figure.setText(text);
        ui::setHint(&figure, gaps_->hintText());
    };
    showGaps();
    connect(display_, &ScreenRateDisplay::refreshed, this, showGaps);
}

} // namespace voltarix::diagram17
