#include "cli/port_name.h"

#include "panel/pin_model.h"
#include "port/port_codes.h"

namespace voltarix::cli {

std::optional<std::uint8_t> PortName::parse(const QString& text) {
    QString address = text.toUpper();
    if (address.startsWith(u'$'))
        address = address.mid(1);
    else if (address.startsWith(QLatin1String("0X")))
        address = address.mid(2);
    for (const std::uint8_t code : {port::PortCodeLpt1, port::PortCodeLpt2, port::PortCodeLpt3}) {
        if (u'$' + address == panel::PinModel::selectorTextOf(code))
            return code;
    }
    return std::nullopt;
}

} // namespace voltarix::cli
