// Every record of every data file at one moment, and what changed between
// two such moments: records added and removed per file, and records changed
// with the fields that changed. Cascades are checked by comparing the
// summary with the expected one.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictionary/files.h"

namespace bb::test {

class Snapshot {
public:
    // Reads every file that exists (REQUIRES: the dictionary is set up).
    static Snapshot take();

    // "Log -2", "Members ~1 RepresentativeNumber", "VPhones +1": one line per
    // file and kind of change, in dictionary order; changed fields listed.
    static std::vector<std::string> differences(const Snapshot& before, const Snapshot& after);

private:
    using Fields = std::vector<std::string>;
    std::map<FileId, std::map<std::string, Fields>> records_;
};

}  // namespace bb::test
