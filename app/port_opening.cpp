#include "app/port_opening.h"

#include "port/port_platform.h"
#include "port/simulated/simulated_platform.h"
#include "port/system_platform.h"

namespace voltarix::app {

std::unique_ptr<port::PortPlatform> PortOpening::platform(bool simulate, int simulateBaud) {
    if (simulate)
        return std::make_unique<port::SimulatedPlatform>(port::SimulatedPlatform::Clock{},
                                                         simulateBaud);
    return port::createSystemPlatform();
}

QString PortOpening::failureText(int errorCode) {
    return QStringLiteral("Ошибка при создании объекта Lpt,  драйвер ERROR,  код = ") +
           QString::number(errorCode);
}

} // namespace voltarix::app
