// A data folder of its own, the error manager and the dictionary set up as
// the program sets them up, and scripted answers to every message.
#pragma once

#include <gtest/gtest.h>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "scripted_messages.h"
#include "temp_folder.h"

namespace bb::test {

class DataTest : public ::testing::Test {
protected:
    DataTest() {
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
    ScriptedMessages messages_;
    CatchHalt halt_;
    ErrorManager errors_;
};

}  // namespace bb::test
