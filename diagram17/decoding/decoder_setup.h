#pragma once

#include "decode/decode_settings.h"
#include "decode/decoder_info.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace voltarix::diagram17::decoding {

// One decoder as the user set it up: its pins (only when it reads the pins), its option values
// as typed, and the chosen decoder it is stacked on (an index of an earlier choice).
struct DecoderChoice {
    static constexpr int notStacked = -1;

    std::string decoderId;
    std::map<std::string, int> pins;
    std::map<std::string, std::string> options;
    int stackedOn = notStacked;

    friend bool operator==(const DecoderChoice&, const DecoderChoice&) = default;
};

// The decoders the user is setting up, before they are applied: which ones, stacked on what,
// their pins and option values. A decoder stacks on the top of a stack, so the choices form
// stacks, each decoded on its own.
class DecoderSetup {
public:
    static constexpr int noPin = 0;

    explicit DecoderSetup(const std::vector<decode::DecoderInfo>* catalog = nullptr)
        : catalog_(catalog) {}
    void setCatalogue(const std::vector<decode::DecoderInfo>* catalog) { catalog_ = catalog; }
    const std::vector<decode::DecoderInfo>* catalogue() const { return catalog_; }

    const std::vector<DecoderChoice>& choices() const { return choices_; }
    const decode::DecoderInfo* description(const std::string& decoderId) const;
    const decode::DecoderInfo* descriptionAt(int index) const;

    // Adds a decoder on the pins, or on the chosen decoder `lower`; its required channels take
    // the pins from 2 on in order, optional ones none; its options are left at the decoder's
    // defaults. The index of the new choice.
    int add(const std::string& decoderId, int lower = DecoderChoice::notStacked);
    // Removes the choice and every choice stacked on it, directly or not.
    void remove(int index);
    void setPin(int index, const std::string& channel, int pin);
    void setOption(int index, const std::string& option, const std::string& value);

    // The choices `decoderId` can stack on: tops of their stacks whose output it reads.
    std::vector<int> lowerCandidates(const std::string& decoderId) const;
    // What a choice shows in the list: its number, name and what it stacks on.
    std::string caption(int index) const;

    // The stacks of the choices, bottom first, in the order of their bottom choice, with each
    // layer's choice index: layers[s][l] is the choice of stack s, layer l.
    struct Stacks {
        std::vector<decode::StackSetup> stacks;
        std::vector<std::vector<int>> choiceOfLayer;
    };
    Stacks stacks() const;

private:
    bool isTop(int index) const;

    const std::vector<decode::DecoderInfo>* catalog_;
    std::vector<DecoderChoice> choices_;
};

} // namespace voltarix::diagram17::decoding
