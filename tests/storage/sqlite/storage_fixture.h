// A data folder of its own for each test, with the program's real layouts,
// kept by either engine: SQLite in the folder, or a database of its own on
// the tests' PostgreSQL server that the folder's connection file names.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/files.h"
#include "platform/runtime.h"
#include "platform/storage.h"
#include "storage/open_storage.h"
#include "storage/sqlite/sqlite_storage.h"
#include "temp_folder.h"
#include "test_database.h"

namespace bb::test {

class StorageTest : public ::testing::Test {
protected:
    explicit StorageTest(Engine engine = Engine::SQLite) : engine_(engine) {}

    void SetUp() override {
        if (engine_ == Engine::PostgreSQL) {
            if (const auto missing = postgresMissing()) {
                if (postgresRequired()) FAIL() << *missing;
                GTEST_SKIP() << *missing;
            }
            database_ = std::make_unique<TestDatabase>(folder_.path());
        }
        storage_ = openDataStorage(folder_.path());
    }

    void TearDown() override {
        storage_.reset();
        database_.reset();
    }

    // Runs statements on the engine's database beside the program.
    void execute(const std::string& sql) {
        if (database_) {
            ASSERT_EQ(database_->execute(sql), "");
        } else {
            ASSERT_TRUE(dynamic_cast<sqlite::SqliteStorage&>(*storage_).execute(sql).ok());
        }
    }

    // A handle on the file, created first when it does not exist yet.
    std::unique_ptr<StorageFile> openFile(FileId id, std::uint8_t mode = kSharedReadWrite) {
        auto file = storage_->file(fileDef(id));
        DriverStatus s = file->open(mode);
        if (s.code == code::kFileNotFound) {
            EXPECT_TRUE(file->create().ok()) << lastError().fileText;
            s = file->open(mode);
        }
        EXPECT_TRUE(s.ok()) << s.code << " " << s.engineText;
        return file;
    }

    // Adds the file's buffer as it stands after `fill` has set it.
    template <typename Fill>
    void add(StorageFile& file, Fill fill) {
        Record& r = buffer(*fileByLabel(file.def().label));
        r.clear();
        fill();
        const DriverStatus s = file.add(r);
        ASSERT_TRUE(s.ok()) << s.code << " " << s.engineText;
    }

    // Every record of the order, read forwards (or backwards), mapped through `pick`.
    template <typename Pick>
    auto walk(StorageFile& file, int key, Pick pick, bool forward = true) {
        std::vector<decltype(pick())> out;
        EXPECT_TRUE(file.setStart(key).ok());
        Record& r = buffer(*fileByLabel(file.def().label));
        while (true) {
            const DriverStatus s = forward ? file.next(r) : file.previous(r);
            if (s.code == code::kRecordNotAvailable) break;
            EXPECT_TRUE(s.ok()) << s.code << " " << s.engineText;
            if (!s.ok()) break;
            out.push_back(pick());
        }
        return out;
    }

    Engine engine_;
    TempFolder folder_;
    std::unique_ptr<TestDatabase> database_;
    std::unique_ptr<Storage> storage_;
};

// The same tests on each engine.
class EngineTest : public StorageTest, public ::testing::WithParamInterface<Engine> {
protected:
    EngineTest() : StorageTest(GetParam()) {}
};

inline std::string engineTestName(const ::testing::TestParamInfo<Engine>& info) {
    return engineName(info.param);
}

#define BB_ON_BOTH_ENGINES(suite) \
    INSTANTIATE_TEST_SUITE_P(     \
        Engines, suite, ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engineTestName)

}  // namespace bb::test
