#pragma once

#include "ui/message_service.h"

namespace voltarix::bench {

// Message boxes that neither show nor wait, so that a benchmark of the real
// window runs unattended; every question is answered yes.
class SilentMessages : public ui::MessageService {
public:
    void showPlain(QWidget*, const QString&, const QString&) override {}
    void showInformation(QWidget*, const QString&, const QString&) override {}
    bool askYesNo(QWidget*, const QString&, const QString&) override { return true; }
    void showError(const QString&) override {}
};

} // namespace voltarix::bench
