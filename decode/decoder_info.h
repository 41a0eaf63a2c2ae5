#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace voltarix::decode {

// One input line of a decoder ("rx", "scl", "sda" ...).
struct ChannelInfo {
    std::string id;
    std::string name;
    std::string description;
};

// The type of an option's value, as the decoder's default gives it; the library takes a value
// only of that type.
enum class OptionType { Integer, Float, Text };

struct OptionInfo {
    std::string id;
    std::string description;
    OptionType type = OptionType::Text;
    // The default written as a user would type it ("9600", "0.5", "lsb-first").
    std::string defaultValue;
    // The values the decoder allows, written the same way; empty when any value of the type is
    // taken.
    std::vector<std::string> allowedValues;
};

struct AnnotationClassInfo {
    std::string id;
    std::string description;
};

// A row of annotations as the decoder groups its classes ("rx-data": the classes of received
// bytes). When a decoder leaves classes outside every row it declares (or declares no row),
// the catalog adds one more row, id "", named after the decoder, that holds them, so that every
// class belongs to exactly one row.
struct AnnotationRowInfo {
    std::string id;
    std::string description;
    std::vector<int> classes;
};

// A decoder as the installed library declares it.
struct DecoderInfo {
    std::string id;       // "uart"
    std::string name;     // "UART"
    std::string longName; // "Universal Asynchronous Receiver/Transmitter"
    std::string description;
    std::vector<ChannelInfo> channels;         // required
    std::vector<ChannelInfo> optionalChannels; // may stay unconnected
    std::vector<OptionInfo> options;
    std::vector<AnnotationClassInfo> annotationClasses;
    std::vector<AnnotationRowInfo> annotationRows;
    // What it reads and what it gives to decoders stacked on it: "logic" for the recorded
    // lines, protocol names ("i2c", "uart") for another decoder's output. A decoder B stacks
    // on A when one of B's inputs is among A's outputs.
    std::vector<std::string> inputs;
    std::vector<std::string> outputs;

    // Reads the recorded lines (the bottom of a stack).
    bool readsLines() const;
    bool stacksOn(const DecoderInfo& lower) const;
    const ChannelInfo* findChannel(const std::string& channelId) const;
    const OptionInfo* findOption(const std::string& optionId) const;
    // The row that holds class `annotationClass`.
    std::size_t rowOfClass(int annotationClass) const;
};

} // namespace voltarix::decode
