#include "test_files.h"

#include <fstream>

namespace voltarix::port::windows::testing {

std::string executableFolder() {
    char path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string full(path, length);
    return full.substr(0, full.find_last_of("\\/") + 1);
}

TemporaryFile::TemporaryFile() {
    char folder[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof folder, folder);
    char name[MAX_PATH + 1] = {};
    // Makes the file to reserve the name; it is removed again so that a
    // test decides whether it exists.
    ::GetTempFileNameA(folder, "vtx", 0, name);
    ::DeleteFileA(name);
    path_ = name;
}

TemporaryFile::~TemporaryFile() {
    ::DeleteFileA(path_.c_str());
}

void TemporaryFile::create() const {
    std::ofstream(path_, std::ios::binary);
}

bool TemporaryFile::exists() const {
    return ::GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TemporaryFile::lines() const {
    std::vector<std::string> result;
    std::ifstream file(path_);
    for (std::string line; std::getline(file, line);)
        result.push_back(line);
    return result;
}

} // namespace voltarix::port::windows::testing
