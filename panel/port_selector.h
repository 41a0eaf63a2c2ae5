#pragma once

#include <cstdint>
#include <vector>

class QComboBox;

namespace voltarix::port {
class TLptPortConnection;
}

namespace voltarix::panel {

// Fills the port selector with the ports that answer the presence probe,
// always in the order $3BC, $378, $278, and selects the first one. With no
// port answering the text stays empty, which names the port at 0x278.
void fillPortSelector(QComboBox& selector, port::TLptPortConnection& connection);

// The port codes the selector offers, in its order: those that answer the
// presence probe now.
std::vector<std::uint8_t> presentPortCodes(port::TLptPortConnection& connection);

} // namespace voltarix::panel
