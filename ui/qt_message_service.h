#pragma once

#include "ui/message_service.h"

namespace voltarix::ui {

// Real, modal message boxes.
class QtMessageService : public MessageService {
public:
    void showPlain(QWidget* owner, const QString& caption, const QString& text) override;
    void showInformation(QWidget* owner, const QString& caption, const QString& text) override;
    bool askYesNo(QWidget* owner, const QString& caption, const QString& text) override;
    void showError(const QString& text) override;
    void showErrorWithoutWaiting(const QString& text, QObject* context,
                                 std::function<void()> closed) override;
};

} // namespace voltarix::ui
