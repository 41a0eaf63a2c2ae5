#pragma once

#include <QString>

#include <stdexcept>

namespace voltarix::pictures {

// A picture that cannot be loaded. The message is the text of the standard
// error box, exactly as the user sees it.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

} // namespace voltarix::pictures
