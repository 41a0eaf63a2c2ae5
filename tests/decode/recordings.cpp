#include "recordings.h"

#include "diagram17/vcd_writer.h"
#include "port/connector_pins.h"
#include "port/simulated/signal_source.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace voltarix::decode::testing {

std::uint32_t traceLevelsOfPins(std::uint32_t pins) {
    std::uint32_t levels = 0;
    for (int trace = 0; trace < diagram17::VcdWriter::lineCount; ++trace) {
        if ((pins >> (diagram17::VcdWriter::pinOfTrace(trace) - 1)) & 1u)
            levels |= 1u << trace;
    }
    return levels;
}

std::uint64_t PacedRecording::nsOf(std::uint64_t cycle) const {
    return startNs_ +
           static_cast<std::uint64_t>(std::llround(static_cast<double>(cycle) * cycleNs_));
}

void PacedRecording::record(std::uint64_t count,
                            const std::function<std::uint32_t(std::uint64_t)>& pinsAt) {
    const std::uint64_t end = next_ + count;
    for (std::uint64_t cycle = next_; cycle < end; ++cycle) {
        const std::uint64_t ns = nsOf(cycle);
        times_.record(cycle, ns / 1000, traceLevelsOfPins(pinsAt(ns - startNs_)));
    }
    next_ = end;
}

std::uint32_t simulatedPins(std::uint64_t sourceNs, int baudRate) {
    const std::uint8_t status =
        port::SignalSource::statusAt(std::chrono::nanoseconds(sourceNs), baudRate);
    constexpr std::uint8_t control = 0x0C;
    constexpr std::uint8_t data = 0;
    std::uint32_t pins = 0;
    for (int pin = 1; pin <= port::lineCount; ++pin) {
        const port::PinLine line = port::pinLine(pin);
        const std::uint8_t value = line.regOffset == port::RegStatus    ? status
                                   : line.regOffset == port::RegControl ? control
                                                                        : data;
        if (port::pinLevel(line, value))
            pins |= 1u << (pin - 1);
    }
    return pins;
}

std::uint32_t StepPlayer::at(std::uint64_t ns) {
    while (next_ < steps_.size() && steps_[next_].ns <= ns)
        pins_ = steps_[next_++].pins;
    return pins_;
}

namespace {

std::uint32_t bit(int pin) {
    return 1u << (pin - 1);
}

std::uint32_t with(std::uint32_t pins, int pin, bool high) {
    return high ? pins | bit(pin) : pins & ~bit(pin);
}

} // namespace

std::vector<Step> spiSteps(const std::vector<std::uint8_t>& bytes, int cs, int clk, int mosi,
                           std::uint64_t startNs, std::uint64_t halfNs) {
    std::vector<Step> steps;
    std::uint32_t pins = bit(cs);
    std::uint64_t ns = startNs;
    steps.push_back({0, pins});
    pins = with(pins, cs, false);
    steps.push_back({ns, pins});
    ns += halfNs;
    for (const std::uint8_t byte : bytes) {
        for (int b = 7; b >= 0; --b) {
            pins = with(with(pins, clk, false), mosi, (byte >> b) & 1u);
            steps.push_back({ns, pins});
            ns += halfNs;
            pins = with(pins, clk, true);
            steps.push_back({ns, pins});
            ns += halfNs;
        }
        pins = with(pins, clk, false);
        steps.push_back({ns, pins});
        ns += 2 * halfNs;
    }
    pins = with(with(pins, cs, true), mosi, false);
    steps.push_back({ns, pins});
    return steps;
}

std::vector<Step> i2cWriteSteps(std::uint8_t address, const std::vector<std::uint8_t>& data,
                                int scl, int sda, std::uint64_t startNs, std::uint64_t quarterNs) {
    std::vector<Step> steps;
    std::uint32_t pins = bit(scl) | bit(sda);
    std::uint64_t ns = startNs;
    auto set = [&](int pin, bool high) {
        pins = with(pins, pin, high);
        steps.push_back({ns, pins});
        ns += quarterNs;
    };
    steps.push_back({0, pins});
    set(sda, false); // START: SDA falls while SCL is high
    set(scl, false);
    auto sendBit = [&](bool high) {
        set(sda, high);
        set(scl, true);
        ns += quarterNs;
        set(scl, false);
    };
    std::vector<std::uint8_t> bytes{static_cast<std::uint8_t>(address << 1)};
    bytes.insert(bytes.end(), data.begin(), data.end());
    for (const std::uint8_t byte : bytes) {
        for (int b = 7; b >= 0; --b)
            sendBit((byte >> b) & 1u);
        sendBit(false); // the acknowledgement, driven low by the receiver
    }
    set(sda, false);
    set(scl, true); // STOP: SDA rises while SCL is high
    set(sda, true);
    return steps;
}

std::vector<std::string> runSigrok(const std::string& arguments, int& status) {
    std::vector<std::string> lines;
    FILE* pipe = popen(("sigrok-cli " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) {
        status = -1;
        return lines;
    }
    std::array<char, 4096> buffer;
    std::string line;
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) {
        line += buffer.data();
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    status = pclose(pipe);
    return lines;
}

void FaultyDecoder::writeInto(const std::string& directory) {
    const std::filesystem::path folder = std::filesystem::path(directory) / id;
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "__init__.py") << "from .pd import Decoder\n";
    std::ofstream(folder / "pd.py") << R"(import sigrokdecode as srd

class Decoder(srd.Decoder):
    api_version = 3
    id = 'voltarix_fault'
    name = 'Fault'
    longname = 'A decoder that fails'
    desc = 'Marks the first edge, raises at the second.'
    license = 'gplv2+'
    inputs = ['logic']
    outputs = []
    tags = ['Debug/trace']
    channels = (
        {'id': 'line', 'name': 'Line', 'desc': 'Any line'},
    )
    options = ()
    annotations = (
        ('edge', 'Edge'),
    )
    annotation_rows = (
        ('edges', 'Edges', (0,)),
    )

    def __init__(self):
        self.reset()

    def reset(self):
        pass

    def start(self):
        self.out_ann = self.register(srd.OUTPUT_ANN)

    def decode(self):
        self.wait({0: 'e'})
        self.put(self.samplenum, self.samplenum + 1, self.out_ann, [0, ['Edge']])
        self.wait({0: 'e'})
        raise ValueError('test fault at the second edge')
)";
}

} // namespace voltarix::decode::testing
