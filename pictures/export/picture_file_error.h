#pragma once

#include <QString>

#include <stdexcept>

namespace voltarix::pictures {

// A picture file that could not be created or written. The message is the
// one the standard error box shows.
class PictureFileError : public std::runtime_error {
public:
    explicit PictureFileError(const QString& message) : std::runtime_error(message.toStdString()) {}

    static PictureFileError cannotCreate(const QString& fileName) {
        return PictureFileError(QStringLiteral("Cannot create file %1").arg(fileName));
    }
    static PictureFileError cannotWrite(const QString& fileName) {
        return PictureFileError(QStringLiteral("Cannot write file %1").arg(fileName));
    }
};

} // namespace voltarix::pictures
