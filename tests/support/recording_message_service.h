#pragma once

#include "ui/message_service.h"

#include <QString>
#include <functional>
#include <vector>

namespace voltarix::testkit {

// Keeps every box the program would have shown, and answers questions as told.
class RecordingMessageService : public ui::MessageService {
public:
    enum class Kind { Plain, Information, Question, Error };
    struct Box {
        Kind kind;
        QString caption;
        QString text;
    };

    void showPlain(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({Kind::Plain, caption, text});
    }
    void showInformation(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({Kind::Information, caption, text});
    }
    bool askYesNo(QWidget*, const QString& caption, const QString& text) override {
        boxes.push_back({Kind::Question, caption, text});
        return answerYes;
    }
    void showError(const QString& text) override {
        boxes.push_back({Kind::Error, {}, text});
        if (whileErrorShown)
            whileErrorShown();
    }

    bool answerYes = true;
    // What the error box's own event loop runs while it is open (timer ticks).
    std::function<void()> whileErrorShown;
    std::vector<Box> boxes;
};

} // namespace voltarix::testkit
