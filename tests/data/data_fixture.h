// A data folder of its own, the error manager and the dictionary set up as
// the program sets them up, and scripted answers to every message. The folder
// is kept by the engine the process runs its tests on (dataTestEngine): for
// PostgreSQL, a database of its own that the folder's connection file names.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "scripted_messages.h"
#include "temp_folder.h"
#include "test_database.h"

namespace bb::test {

class DataTest : public ::testing::Test {
protected:
    DataTest() {
        if (dataTestEngine() == Engine::PostgreSQL && !postgresMissing())
            database_ = std::make_unique<TestDatabase>(folder_.path());
        useDataFolder(folder_.path());
        loadProgram();
        errors_.Setup();
        dataDictionary().Setup(errors_);
        // No message may wait for the user while the other stations are
        // locked out by a transaction.
        messages_.onShow = [](const MessageRequest& m) {
            EXPECT_FALSE(dataStorage().inTransaction())
                << "shown inside a transaction: " << m.title;
        };
    }

    ~DataTest() override {
        dataDictionary().Teardown();
        errors_.Teardown();
        useDataFolder(".");
    }

    static FileManager& files(FileId id) { return dataDictionary().files(id); }
    static RelationManager& relations(FileId id) { return dataDictionary().relations(id); }

    // Texts of the messages shown so far.
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const MessageRequest& m : messages_.shown) out.push_back(m.title);
        return out;
    }

    TempFolder folder_;
    std::unique_ptr<TestDatabase> database_;  // dropped once the folder is let go
    ScriptedMessages messages_;
    CatchHalt halt_;
    ErrorManager errors_;
};

}  // namespace bb::test
