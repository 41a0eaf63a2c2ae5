#pragma once

#include "decode/result.h"
#include "decode/stack_setup.h"

namespace voltarix::decode {

class DecoderCatalog;

// Checks a stack before it is used, the way decoding will use it, and says why it cannot run:
// a decoder the catalog lacks, a layer that does not stack on the one below it, a required
// channel without a pin, a pin outside 1..17 or given to two channels, an option the decoder
// does not have, a value that is not of the option's type or not among its allowed values;
// then the library itself creates the decoders with these settings in a session of its own
// that is thrown away, so that what the library or the decoder's Python code rejects comes
// back too. Messages are Russian and name the decoder, e.g.
// "Декодер uart: значение «abc» параметра baudrate не является целым числом.".
// Any thread; it costs a few milliseconds.
Result<> checkStack(const DecoderCatalog& catalog, const StackSetup& stack);

} // namespace voltarix::decode
