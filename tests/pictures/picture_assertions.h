#pragma once

#include "pictures/picture_error.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace voltarix::testkit {

// The text of the PictureError a load throws; a test fails when none comes.
inline QString pictureErrorOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const pictures::PictureError& error) {
        return QString::fromStdString(error.what());
    }
    ADD_FAILURE() << "the load did not fail";
    return {};
}

// Lossy formats and anti-aliased edges: colours compared within a margin.
inline ::testing::AssertionResult colourNear(const QImage& image, int x, int y, QColor expected,
                                             int margin = 12) {
    const QColor actual = image.pixelColor(x, y);
    if (std::abs(actual.red() - expected.red()) <= margin &&
        std::abs(actual.green() - expected.green()) <= margin &&
        std::abs(actual.blue() - expected.blue()) <= margin)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is " << actual.name().toStdString()
           << ", expected about " << expected.name().toStdString();
}

} // namespace voltarix::testkit
