// The process's peak resident memory, as users and monitors read it.
#pragma once

#include <fstream>
#include <string>

namespace bb::bench {

// The peak is counted afresh from here on.
inline void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A figure of /proc/self/status, in MB: `name` with its colon.
inline double statusMegabytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name, 0) == 0) return std::stod(line.substr(name.size())) / 1024.0;
    }
    return 0;
}

inline double peakMemoryMegabytes() {
    return statusMegabytes("VmHWM:");
}

// What the process has resident now, in two parts: its own memory (the
// storage's page cache among it), and pages of files it maps (the program
// and its libraries, and the data file when a benchmark reads it through a
// memory map). The system can take mapped pages back at any time, but they
// count in the resident size users read.
inline double ownMemoryMegabytes() {
    return statusMegabytes("RssAnon:");
}
inline double mappedFileMegabytes() {
    return statusMegabytes("RssFile:");
}

}  // namespace bb::bench
