#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace voltarix::testkit {

// A temporary folder the picture tests write their files into.
class PictureFolder {
public:
    QString write(const QString& name, const QByteArray& bytes) const {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString writeImage(const QString& name, const QImage& image, const char* format) const {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace voltarix::testkit
