#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace voltarix::port::windows::testing {

// The folder of this test program, with its trailing separator.
std::string executableFolder();

// A fresh name in the temporary folder; the file is deleted (if it was
// made) when the object goes.
class TemporaryFile {
public:
    TemporaryFile();
    ~TemporaryFile();

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Makes an empty file under the name.
    void create() const;
    const std::string& path() const { return path_; }
    bool exists() const;
    std::vector<std::string> lines() const;

private:
    std::string path_;
};

} // namespace voltarix::port::windows::testing
