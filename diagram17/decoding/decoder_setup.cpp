#include "diagram17/decoding/decoder_setup.h"

#include <algorithm>
#include <stdexcept>

namespace voltarix::diagram17::decoding {

namespace {
// The data pins first: a decoder added to an empty setup reads pin 2, 3 ...
constexpr int firstDefaultPin = 2;
} // namespace

const decode::DecoderInfo* DecoderSetup::description(const std::string& decoderId) const {
    if (!catalog_)
        return nullptr;
    const auto found =
        std::find_if(catalog_->begin(), catalog_->end(),
                     [&](const decode::DecoderInfo& d) { return d.id == decoderId; });
    return found == catalog_->end() ? nullptr : &*found;
}

const decode::DecoderInfo* DecoderSetup::descriptionAt(int index) const {
    return description(choices_.at(static_cast<std::size_t>(index)).decoderId);
}

int DecoderSetup::add(const std::string& decoderId, int lower) {
    const decode::DecoderInfo* d = description(decoderId);
    if (!d)
        throw std::invalid_argument("decoder not in the catalogue: " + decoderId);
    DecoderChoice choice;
    choice.decoderId = decoderId;
    choice.stackedOn = lower;
    if (lower == DecoderChoice::notStacked) {
        int pin = firstDefaultPin;
        for (const decode::ChannelInfo& channel : d->channels)
            choice.pins[channel.id] = pin <= decode::lastPin ? pin++ : noPin;
    }
    choices_.push_back(choice);
    return static_cast<int>(choices_.size()) - 1;
}

// Removing shifts the later choices down by one, and those stacked on them follow.
void DecoderSetup::remove(int index) {
    std::vector<bool> gone(choices_.size(), false);
    gone.at(static_cast<std::size_t>(index)) = true;
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        const int lower = choices_[i].stackedOn;
        if (lower != DecoderChoice::notStacked && gone[static_cast<std::size_t>(lower)])
            gone[i] = true;
    }
    std::vector<int> newIndex(choices_.size(), DecoderChoice::notStacked);
    std::vector<DecoderChoice> kept;
    for (std::size_t i = 0; i < choices_.size(); ++i) {
        if (gone[i])
            continue;
        DecoderChoice c = choices_[i];
        if (c.stackedOn != DecoderChoice::notStacked)
            c.stackedOn = newIndex[static_cast<std::size_t>(c.stackedOn)];
        newIndex[i] = static_cast<int>(kept.size());
        kept.push_back(c);
    }
    choices_ = std::move(kept);
}

void DecoderSetup::setPin(int index, const std::string& channel, int pin) {
    DecoderChoice& c = choices_.at(static_cast<std::size_t>(index));
    if (pin == noPin)
        c.pins.erase(channel);
    else
        c.pins[channel] = pin;
}

void DecoderSetup::setOption(int index, const std::string& option, const std::string& value) {
    choices_.at(static_cast<std::size_t>(index)).options[option] = value;
}

bool DecoderSetup::isTop(int index) const {
    return std::none_of(choices_.begin(), choices_.end(),
                        [index](const DecoderChoice& c) { return c.stackedOn == index; });
}

std::vector<int> DecoderSetup::lowerCandidates(const std::string& decoderId) const {
    std::vector<int> candidates;
    const decode::DecoderInfo* upper = description(decoderId);
    if (!upper)
        return candidates;
    for (int i = 0; i < static_cast<int>(choices_.size()); ++i) {
        const decode::DecoderInfo* lower = descriptionAt(i);
        if (lower && isTop(i) && upper->stacksOn(*lower))
            candidates.push_back(i);
    }
    return candidates;
}

std::string DecoderSetup::caption(int index) const {
    const DecoderChoice& c = choices_.at(static_cast<std::size_t>(index));
    const decode::DecoderInfo* d = description(c.decoderId);
    std::string text = std::to_string(index + 1) + ". " + (d ? d->name : c.decoderId);
    if (c.stackedOn != DecoderChoice::notStacked)
        text += " на " + std::to_string(c.stackedOn + 1);
    return text;
}

DecoderSetup::Stacks DecoderSetup::stacks() const {
    Stacks result;
    for (int bottom = 0; bottom < static_cast<int>(choices_.size()); ++bottom) {
        if (choices_[static_cast<std::size_t>(bottom)].stackedOn != DecoderChoice::notStacked)
            continue;
        decode::StackSetup stack;
        std::vector<int> layers;
        for (int at = bottom; at != DecoderChoice::notStacked;) {
            const DecoderChoice& c = choices_[static_cast<std::size_t>(at)];
            stack.layers.push_back({c.decoderId, c.pins, c.options});
            layers.push_back(at);
            const auto upper =
                std::find_if(choices_.begin(), choices_.end(),
                             [at](const DecoderChoice& u) { return u.stackedOn == at; });
            at = upper == choices_.end() ? DecoderChoice::notStacked
                                         : static_cast<int>(upper - choices_.begin());
        }
        result.stacks.push_back(std::move(stack));
        result.choiceOfLayer.push_back(std::move(layers));
    }
    return result;
}

} // namespace voltarix::diagram17::decoding
