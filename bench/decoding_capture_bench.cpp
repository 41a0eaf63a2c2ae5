// What decoding costs a capture: the real window records the simulated port (its serial frame
// on pin 15 at 1200 baud) with no decoder and with UART on pin 15, in alternating runs of the
// same length, and compares the cycles a second each run recorded. The decoder runs in the
// background while the capture goes on, as a user has it.
//
//   decoding_capture_bench [seconds per run] [pairs of runs]     (defaults 3 and 3)

#include "app/application_look.h"
#include "app/main_window.h"
#include "decode/annotation_store.h"
#include "decode/decode_worker.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/decoding/decoder_tab.h"
#include "diagram17/decoding/decoding_control.h"
#include "diagram17/diagram17.h"
#include "port/simulated/simulated_platform.h"
#include "silent_messages.h"
#include "ui/spin_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace voltarix;

namespace {

struct Bench {
    bench::SilentMessages messages;
    app::TForm1 window{std::make_unique<port::SimulatedPlatform>(), messages};
    diagram17::decoding::DecodingControl& decoding = window.diagram17().decoding();

    template <typename T> T* find(const char* name) {
        return window.findChild<T*>(QString::fromLatin1(name));
    }

    void setUp() {
        window.show();
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        find<QCheckBox>("CheckBox6")->click(); // unlimited: the bench stops the runs
        decoding.loadCatalogue();
    }

    // UART on pin 15 at 1200 baud, or no decoder, chosen on the tab as a user does.
    void chooseUart(bool on) {
        diagram17::decoding::DecoderTab& tab = decoding.tab();
        while (tab.ListBox1->count() > 0) {
            tab.ListBox1->setCurrentRow(0);
            tab.Button14->click();
        }
        if (on) {
            tab.ComboBox2->setCurrentIndex(tab.ComboBox2->findData(QStringLiteral("uart")));
            tab.Button13->click();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            auto* rx = tab.StringGrid1->findChild<QComboBox*>(QStringLiteral("StringGrid1Pin_rx"));
            rx->setCurrentIndex(rx->findData(15));
            tab.setup().setOption(0, "baudrate", "1200");
            tab.setup().setOption(0, "format", "ascii");
        }
        tab.Button15->click();
    }

    // One run of the given length: cycles a second.
    double run(int milliseconds) {
        const std::int64_t before = window.diagram17().counter().value();
        QElapsedTimer timer;
        QTimer::singleShot(milliseconds, &window,
                           [this] { find<QToolButton>("SpeedButton8")->click(); });
        timer.start();
        find<QToolButton>("SpeedButton7")->click();
        const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
        return static_cast<double>(window.diagram17().counter().value() - before) / seconds;
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::applyApplicationLook(app);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int pairs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    Bench bench;
    bench.setUp();
    std::vector<double> without;
    std::vector<double> with;
    for (int pair = 0; pair < pairs; ++pair) {
        bench.chooseUart(false);
        without.push_back(bench.run(seconds * 1000));
        bench.chooseUart(true);
        with.push_back(bench.run(seconds * 1000));
        std::printf("pair %d: no decoder %10.0f cycles/s, UART on pin 15 %10.0f cycles/s\n",
                    pair + 1, without.back(), with.back());
    }
    decode::DecodeWorker* worker = bench.decoding.worker();
    worker->waitFinished(std::chrono::seconds(60));
    bench.decoding.poll();
    std::string text;
    const decode::AnnotationStore& store = worker->annotations();
    for (std::size_t i = 0; i < store.size(); ++i) {
        if (store[i].annotationClass == 0)
            text += store[i].text();
    }
    const double a = median(without);
    const double b = median(with);
    std::printf("median: no decoder %.0f cycles/s, UART %.0f cycles/s: cost %.1f %%\n", a, b,
                (a - b) / a * 100);
    std::printf("decoded at %llu Hz: %zu annotations, last run's text: %s\n",
                static_cast<unsigned long long>(worker->sampleRateHz()), store.size(),
                text.substr(0, 80).c_str());
    return 0;
}
