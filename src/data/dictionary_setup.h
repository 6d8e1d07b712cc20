// The data dictionary at run time: one file manager and one relation
// manager for each of the 28 files, set up and torn down in dictionary
// order. No file is opened here; each window opens what it needs.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "data/error_manager.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"

namespace bb {

class DataDictionary {
public:
    // Called with each file's label as it is set up or torn down.
    using Trace = std::function<void(std::string_view step, std::string_view file)>;

    void Setup(ErrorManager& errors, const Trace& trace = {});
    void Teardown(const Trace& trace = {});

    FileManager& files(FileId id) { return files_[static_cast<std::size_t>(id)]; }
    RelationManager& relations(FileId id) { return relations_[static_cast<std::size_t>(id)]; }

private:
    std::array<FileManager, kFileCount> files_;
    std::array<RelationManager, kFileCount> relations_;
};

// The process's dictionary, alive for the whole run.
DataDictionary& dataDictionary();

}  // namespace bb
