#include "panel/port_selector.h"

#include "panel/pin_model.h"
#include "port/lpt_port_connection.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace voltarix::panel {

void fillPortSelector(QComboBox& selector, port::TLptPortConnection& connection) {
    // Filling is not a change the user made: the capability probe that a
    // change of port runs must not fire for every step of it.
    const QSignalBlocker quiet(selector);
    selector.clear();
    selector.setEditText(QString());
    for (const std::uint8_t code : presentPortCodes(connection))
        selector.addItem(PinModel::selectorTextOf(code));
    if (selector.count() > 0)
        selector.setCurrentIndex(0);
    else
        selector.setEditText(QString());
}

std::vector<std::uint8_t> presentPortCodes(port::TLptPortConnection& connection) {
    std::vector<std::uint8_t> codes;
    for (const std::uint8_t code : {port::PortCodeLpt1, port::PortCodeLpt2, port::PortCodeLpt3}) {
        if (connection.IsPortPresent(code))
            codes.push_back(code);
    }
    return codes;
}

} // namespace voltarix::panel
