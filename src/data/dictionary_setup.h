// The data dictionary at run time: one file manager and one relation
// manager for each of the 28 files, set up and torn down in dictionary
// order, with the keys and relations as the dictionary declares them. No
// file is opened here; each window opens what it needs.
//
// The dictionary is the one place a file's managers are found (also through
// fileManagerFor and relationManagerFor), and it owns the data folder's
// storage together with every handle its managers take on it. It lives for
// the whole run and is used from the GUI thread.
#pragma once

#include <array>
#include <functional>
#include <string_view>

#include "data/error_manager.h"
#include "data/file_manager.h"
#include "data/folder_storage.h"
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
    // The managers of a file from its set-up to its tear-down, else null.
    FileManager* fileManager(FileId id);
    RelationManager* relationManager(FileId id);

    // The data folder the managers work on.
    FolderStorage& Folder() { return folder_; }
    // Every manager lets go of its handles on the storage (it is changing).
    void ForgetHandles();

private:
    DataDictionary() = default;
    friend DataDictionary& dataDictionary();

    // First, so that it outlives every handle the managers take on it.
    FolderStorage folder_;
    std::array<FileManager, kFileCount> files_;
    std::array<RelationManager, kFileCount> relations_;
    std::array<bool, kFileCount> live_{};  // between a file's set-up and its tear-down
};

// The process's dictionary, alive for the whole run.
DataDictionary& dataDictionary();

}  // namespace bb
