#include "diagram17/decoding/decoding_control.h"

#include "chart/chart.h"
#include "decode/annotation_store.h"
#include "decode/decode_worker.h"
#include "decode/decoder_catalog.h"
#include "decode/stack_check.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/decoded_rows.h"
#include "diagram17/decoding/decoded_values_csv.h"
#include "diagram17/decoding/decoded_values_model.h"
#include "diagram17/decoding/decoded_values_window.h"
#include "diagram17/decoding/decoder_tab.h"
#include "diagram17/decoding/recording_source.h"
#include "diagram17/screen_rate_display.h"
#include "ui/click_registry.h"
#include "ui/handler_errors.h"
#include "ui/message_service.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace voltarix::diagram17::decoding {

namespace {

const QString tabName = QStringLiteral("TabSheet9");
// The start of an annotation chosen in the table stands this share of the page from its left.
constexpr double kShownFromLeft = 0.1;

QWidget& tabPage(QTabWidget& tabs) {
    auto* page = tabs.findChild<QWidget*>(tabName);
    Q_ASSERT(page);
    return *page;
}

} // namespace

DecodingControl::DecodingControl(const DecodingParts& parts, QObject* parent)
    : QObject(parent), parts_(parts), emptyStore_(std::make_unique<decode::AnnotationStore>()),
      csv_(&parts.window) {
    rows_ = std::make_unique<DecodedRows>(*emptyStore_);
    model_ = new DecodedValuesModel(*emptyStore_, this);
    window_ = new TForm5(*model_, &parts.window);
    tab_ = new DecoderTab(tabPage(parts.tabs), this);
    Timer7 = new QTimer(this);
    Timer7->setObjectName(QStringLiteral("Timer7"));
    Timer7->setInterval(kPollIntervalMs);
    parts_.chart.model().setAnnotationRows(rows_.get());
    tab_->showRate(false, 0, false);
    wire();
}

// The worker's thread stops before the recording it reads goes; the chart forgets the rows.
DecodingControl::~DecodingControl() {
    Timer7->stop();
    delete window_;
    worker_.reset();
    parts_.chart.model().setAnnotationRows(nullptr);
}

void DecodingControl::wire() {
    const auto button = [this](QAbstractButton* b, auto handler) {
        parts_.clicks.add(b->objectName(), handler);
        connect(b, &QAbstractButton::clicked, this, parts_.errors.guarded(handler));
    };
    button(tab_->Button15, [this] { apply(); });
    button(tab_->SpeedButton37, [this] { showTable(); });
    button(window_->Button16, [this] { saveCsv(); });
    connect(Timer7, &QTimer::timeout, this, [this] { poll(); });
    connect(&parts_.display, &ScreenRateDisplay::refreshed, this, [this] { poll(); });
    connect(&parts_.display, &ScreenRateDisplay::runsBegan, this, [this] { runsBegan(); });
    connect(&parts_.display, &ScreenRateDisplay::runsEnded, this, [this] { runsEnded(); });
    connect(window_, &TForm5::rowChosen, this, [this](int row) { showRowInChart(row); });
    // The library is loaded when the decoders are first wanted, not at every start.
    connect(&parts_.tabs, &QTabWidget::currentChanged, this, [this] {
        if (parts_.tabs.currentWidget() == &tabPage(parts_.tabs))
            loadCatalogue();
    });
}

bool DecodingControl::loadCatalogue() {
    if (catalog_)
        return true;
    if (catalogueFailed_)
        return false;
    const decode::Result<const decode::DecoderCatalog*> loaded = decode::DecoderCatalog::load();
    if (!loaded) {
        catalogueFailed_ = true;
        const QString why = QString::fromStdString(loaded.error());
        tab_->showText(QStringLiteral("Декодеры недоступны"));
        parts_.messages.showError(why);
        return false;
    }
    catalog_ = *loaded;
    tab_->setCatalogue(catalog_->decoders());
    source_ = std::make_unique<CycleTimesSource>(parts_.times);
    worker_ = std::make_unique<decode::DecodeWorker>(*catalog_);
    rows_->setStore(worker_->annotations());
    model_->setStore(worker_->annotations());
    return true;
}

void DecodingControl::apply() {
    if (!loadCatalogue())
        return;
    const std::optional<std::uint64_t> rate = tab_->typedRate();
    if (!rate) {
        parts_.messages.showError(
            QStringLiteral("Частота выборки «%1» не является целым числом Гц больше нуля.")
                .arg(tab_->Edit21->text()));
        return;
    }
    const DecoderSetup::Stacks stacks = tab_->setup().stacks();
    for (const decode::StackSetup& stack : stacks.stacks) {
        const decode::Result<> checked = decode::checkStack(*catalog_, stack);
        if (!checked) {
            parts_.messages.showError(QString::fromStdString(checked.error()));
            return;
        }
    }
    decode::DecodeSettings settings;
    settings.stacks = stacks.stacks;
    settings.sampleRateHz = *rate;
    choiceOfLayer_ = stacks.choiceOfLayer;
    decoding_ = !settings.stacks.empty();
    if (decoding_)
        worker_->start(*source_, settings);
    else
        worker_->stop();
    tab_->clearFailures();
    startWorker();
}

// What an earlier setting found goes; a recording that no run extends is decoded to its end.
void DecodingControl::startWorker() {
    takenIn_ = 0;
    rows_->reset();
    model_->reset();
    showRowChoice();
    window_->showCount();
    parts_.chart.model().annotationsChanged();
    if (!decoding_) {
        Timer7->stop();
        showRate();
        return;
    }
    finishRequested_ = !parts_.display.runActive();
    if (finishRequested_)
        worker_->finishRecording();
    Timer7->start();
    showRate();
}

// A run adds to a recording that the worker was told had ended: it is decoded again from the
// start with the same setting, so that nothing of the new cycles is missed.
void DecodingControl::runsBegan() {
    if (!decoding_)
        return;
    reportFaults();
    // A worker told that the recording had ended may have finished already or be about to.
    if (finishRequested_)
        restartWithActiveStacks();
    Timer7->stop();
}

// A decoder stopped by a fault stays stopped: its box came once.
void DecodingControl::restartWithActiveStacks() {
    decode::DecodeSettings settings = worker_->settings();
    settings.stacks.clear();
    std::vector<std::vector<int>> choices;
    for (std::size_t s = 0; s < worker_->settings().stacks.size(); ++s) {
        if (!worker_->stackActive(static_cast<int>(s)))
            continue;
        settings.stacks.push_back(worker_->settings().stacks[s]);
        choices.push_back(choiceOfLayer_[s]);
    }
    choiceOfLayer_ = std::move(choices);
    decoding_ = !settings.stacks.empty();
    if (decoding_)
        worker_->start(*source_, settings);
    else
        worker_->stop();
    startWorker();
}

void DecodingControl::runsEnded() {
    if (!decoding_)
        return;
    worker_->finishRecording();
    finishRequested_ = true;
    Timer7->start();
}

void DecodingControl::poll() {
    if (!worker_)
        return;
    reportFaults();
    takeInAnnotations();
    followChart();
    showRate();
    if (Timer7->isActive() && (!decoding_ || worker_->finished())) {
        takeInAnnotations();
        Timer7->stop();
    }
}

// A box raised from a timer's tick must not wait inside it.
void DecodingControl::reportFaults() {
    for (const decode::DecodeError& error : worker_->takeErrors()) {
        if (error.stack >= 0 && error.stack < static_cast<int>(choiceOfLayer_.size())) {
            for (int choice : choiceOfLayer_[static_cast<std::size_t>(error.stack)])
                tab_->markFailed(choice);
        }
        parts_.messages.showErrorWithoutWaiting(QString::fromStdString(error.message), this, {});
    }
}

void DecodingControl::takeInAnnotations() {
    const std::size_t size = worker_->annotations().size();
    if (size == takenIn_)
        return;
    if (rows_->takeIn(takenIn_, size))
        showRowChoice();
    takenIn_ = size;
    if (parts_.times.blockCount() > 0)
        model_->setOriginUs(parts_.times.block(0).first.timeUs);
    model_->update();
    window_->showCount();
    parts_.chart.model().annotationsChanged();
}

void DecodingControl::showRowChoice() {
    QStringList names;
    for (int row = 0; row < rows_->rowCount(); ++row)
        names << rows_->rowName(row);
    window_->setRows(names, rows_->storeRows());
}

void DecodingControl::followChart() {
    const double pageStart = parts_.chart.bottomAxis().minimum();
    if (pageStart == followedPageStart_ || model_->rowCount() == 0)
        return;
    followedPageStart_ = pageStart;
    const auto cycle = static_cast<std::uint64_t>(std::max(0.0, pageStart));
    window_->follow(worker_->annotations().firstEndingAtOrAfter(cycle));
}

// The chart moves as its scroll buttons move it: the axis becomes manual and keeps its width.
void DecodingControl::showRowInChart(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    chart::ChartAxis& axis = parts_.chart.bottomAxis();
    const double width = axis.maximum() - axis.minimum();
    const double target = static_cast<double>(model_->cycleOf(static_cast<std::size_t>(row))) -
                          width * kShownFromLeft;
    axis.scroll(target - axis.minimum());
    followedPageStart_ = axis.minimum();
}

// The table first opens beside the main window, so that the chart stays in view.
void DecodingControl::showTable() {
    loadCatalogue();
    if (!tablePlaced_) {
        window_->move(parts_.window.window()->frameGeometry().topRight() + QPoint(8, 0));
        tablePlaced_ = true;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void DecodingControl::saveCsv() {
    const std::optional<QString> fileName = csv_.run();
    if (fileName)
        DecodedValuesCsv::write(*model_, *fileName);
}

void DecodingControl::showRate() {
    tab_->showRate(decoding_, decoding_ ? worker_->sampleRateHz() : 0,
                   decoding_ && worker_->settings().sampleRateHz == 0);
}

} // namespace voltarix::diagram17::decoding
