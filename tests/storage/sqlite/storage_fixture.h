// A data folder of its own for each test, with the program's real layouts.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionary/files.h"
#include "platform/runtime.h"
#include "platform/storage.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "temp_folder.h"

namespace bb::test {

class StorageTest : public ::testing::Test {
protected:
    StorageTest() : storage_(openSqliteStorage(folder_.path())) {}

    // A handle on the file, created first when it does not exist yet.
    std::unique_ptr<StorageFile> openFile(FileId id, std::uint8_t mode = kSharedReadWrite) {
        auto file = storage_->file(fileDef(id));
        DriverStatus s = file->open(mode);
        if (s.code == code::kFileNotFound) {
            EXPECT_TRUE(file->create().ok());
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
            EXPECT_TRUE(s.ok()) << s.code;
            if (!s.ok()) break;
            out.push_back(pick());
        }
        return out;
    }

    TempFolder folder_;
    std::unique_ptr<Storage> storage_;
};

}  // namespace bb::test
