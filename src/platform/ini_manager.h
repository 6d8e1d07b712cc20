// The settings file: a few values kept between runs by section and key, in
// an INI file in the program's working directory. Nothing is read or written
// until a value is asked for or stored.
#pragma once

#include <string>
#include <string_view>

namespace bb {

class IniManager {
public:
    void Init(std::string_view fileName) { fileName_ = std::string(fileName); }
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// The program's settings file.
IniManager& settingsFile();

}  // namespace bb
