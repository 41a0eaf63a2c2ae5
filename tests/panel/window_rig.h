#pragma once

#include "app/main_window.h"
#include "panel/pin_model.h"
#include "panel/port_panel.h"
#include "port/lpt_port_connection.h"
#include "support/fake_port_platform.h"
#include "support/recording_message_service.h"

#include <QLineEdit>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

namespace voltarix::testkit {

// The real main window over the fake port. The fake starts with all three
// ports present and bidirectional; setUp may change that before the window
// is created.
struct WindowRig {
    explicit WindowRig(const std::function<void(FakePortPlatform&)>& setUp = {}) {
        auto platform = std::make_unique<FakePortPlatform>();
        fake = platform.get();
        if (setUp)
            setUp(*fake);
        window = std::make_unique<app::TForm1>(std::move(platform), messages);
    }

    template <typename T = QLineEdit> T* find(const QString& name) const {
        T* control = window->findChild<T*>(name);
        if (!control)
            throw std::runtime_error("no control named " + name.toStdString());
        return control;
    }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }

    FakePort& port378() { return fake->port(port::PortCodeLpt2); }

    RecordingMessageService messages;
    FakePortPlatform* fake = nullptr;
    std::unique_ptr<app::TForm1> window;
};

// The window working on the port at $378: nothing answers at $3BC, so the
// selector starts on $378, the fake's fully capable port.
struct Port378Rig : WindowRig {
    Port378Rig()
        : WindowRig([](FakePortPlatform& f) { f.port(port::PortCodeLpt1).floating = true; }) {}
};

} // namespace voltarix::testkit
