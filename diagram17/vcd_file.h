#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <stdexcept>

class QSaveFile;

namespace voltarix::diagram17 {

class CycleTimes;

// A change dump file that could not be written. The message is the one the
// standard error box shows.
class VcdFileError : public std::runtime_error {
public:
    explicit VcdFileError(const QString& fileName)
        : std::runtime_error(QStringLiteral("Cannot create file %1").arg(fileName).toStdString()) {}
};

// A recording written as a value change dump file, whole or not at all: it
// goes into a temporary file beside the named one, which replaces the named
// file only once it is complete. A write that fails or is cut short leaves an
// older file of that name as it was.
class VcdFile {
public:
    explicit VcdFile(const QString& fileName);
    ~VcdFile();
    VcdFile(const VcdFile&) = delete;
    VcdFile& operator=(const VcdFile&) = delete;

    // Creates the temporary file: whether the file can be made at all is
    // known from here on, before anything is recorded for it. Raises
    // VcdFileError.
    void open();
    // Writes the whole recording, dated `when`, and puts the file in place;
    // opens it first when open() was not called. Raises VcdFileError.
    void write(const CycleTimes& times, const QDateTime& when);

    // The text of $version: the program's name and version, as --version prints them.
    static QString versionText();
    // The text of $date.
    static QString dateText(const QDateTime& when);

private:
    QString fileName_;
    std::unique_ptr<QSaveFile> file_;
};

} // namespace voltarix::diagram17
