#pragma once

#include "decode/result.h"
#include "decode/stack_setup.h"

#include <string>
#include <string_view>

namespace voltarix::decode {

class DecoderCatalog;

// A stack written the way sigrok-cli's -P takes it: layers bottom first separated by commas,
// each a decoder id followed by ":key=value" pairs. A key of the bottom layer that names one of
// its channels takes a pin, written as a number 1..17 or as the change dump's wire name
// ("Pin15", any case); any other key is an option whose value is kept as typed.
//
//     uart:rx=15:baudrate=9600
//     i2c:scl=Pin1:sda=14,eeprom24xx
//
// The catalog tells channels from options and knows the decoders; errors (an unknown decoder,
// a key the decoder does not have, a bad pin, a channel of an upper layer, a pair without '=')
// come back as a Russian message. Option values are not checked here (checkStack does).
Result<StackSetup> parseStackText(const DecoderCatalog& catalog, std::string_view text);

// How stackText writes pins.
enum class PinSpelling { Number, WireName };

// The reverse, in the same syntax: channels then options of each layer, each ordered by id;
// parseStackText of the text gives the stack back.
std::string stackText(const StackSetup& stack, PinSpelling pins = PinSpelling::Number);

// "Pin15" for 15: the change dump export's name of a pin's wire.
std::string pinWireName(int pin);

} // namespace voltarix::decode
