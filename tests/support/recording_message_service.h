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
    void showError(const QString& text) override { boxes.push_back({Kind::Error, {}, text}); }

    // A box that does not wait stays open until the test closes it.
    void showErrorWithoutWaiting(const QString& text, QObject*,
                                 std::function<void()> closed) override {
        boxes.push_back({Kind::Error, {}, text});
        openBoxClosers.push_back(std::move(closed));
    }
    void closeOpenBoxes() {
        auto closers = std::move(openBoxClosers);
        openBoxClosers.clear();
        for (auto& closed : closers)
            if (closed)
                closed();
    }

    bool answerYes = true;
    std::vector<Box> boxes;
    std::vector<std::function<void()>> openBoxClosers;
};

} // namespace voltarix::testkit
