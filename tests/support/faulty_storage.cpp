#include "faulty_storage.h"

namespace bb::test {

namespace {

// A failure as the driver reports it, recorded as the last error.
DriverStatus injected(int failure) {
    DriverStatus failed;
    failed.code = failure;
    failed.text = errorText(failure);
    if (failure == code::kDriverError) {
        failed.engineCode = 5;
        failed.engineText = "database is locked";
    }
    setLastError({failed.code, failed.text, failed.engineCode, failed.engineText});
    return failed;
}

class FaultyFile final : public StorageFile {
public:
    FaultyFile(FaultyStorage& owner, std::unique_ptr<StorageFile> real)
        : owner_(owner), real_(std::move(real)) {}

    const FileDef& def() const override { return real_->def(); }
    DriverStatus open(std::uint8_t mode) override { return real_->open(mode); }
    DriverStatus create() override { return real_->create(); }
    DriverStatus close() override { return real_->close(); }
    bool isOpen() const override { return real_->isOpen(); }
    DriverStatus buildKeys() override { return real_->buildKeys(); }
    DriverStatus sendOption(std::string_view option) override {
        owner_.note(def().label + " " + std::string(option));
        return real_->sendOption(option);
    }
    DriverStatus count(std::int64_t& records) override { return real_->count(records); }
    DriverStatus setStart(int key) override { return real_->setStart(key); }
    DriverStatus setAt(int key, const Record& values, int components) override {
        return real_->setAt(key, values, components);
    }
    DriverStatus setAtPosition(int key, std::string_view position) override {
        return real_->setAtPosition(key, position);
    }
    DriverStatus next(Record& record) override { return real_->next(record); }
    DriverStatus previous(Record& record) override { return real_->previous(record); }
    DriverStatus get(int key, Record& record) override { return real_->get(key, record); }
    DriverStatus getAtPosition(std::string_view position, Record& record) override {
        return real_->getAtPosition(position, record);
    }
    DriverStatus reget(Record& record) override { return real_->reget(record); }
    std::string position() const override { return real_->position(); }
    int order() const override { return real_->order(); }
    DriverStatus add(const Record& record, bool reservation) override {
        const DriverStatus injected = owner_.nextAdd();
        if (!injected.ok()) return injected;
        owner_.note(def().label + " add");
        return real_->add(record, reservation);
    }
    DriverStatus put(const Record& record) override {
        owner_.note(def().label + " put");
        return real_->put(record);
    }
    DriverStatus erase() override {
        owner_.note(def().label + " erase");
        return real_->erase();
    }
    std::optional<int> duplicateKey(const Record& record, bool excludeCurrent) override {
        return real_->duplicateKey(record, excludeCurrent);
    }
    std::vector<std::string> staleReservations() override { return real_->staleReservations(); }
    DriverStatus hold() override { return real_->hold(); }
    DriverStatus release() override { return real_->release(); }
    bool held() const override { return real_->held(); }

private:
    FaultyStorage& owner_;
    std::unique_ptr<StorageFile> real_;
};

}  // namespace

std::unique_ptr<StorageFile> FaultyStorage::file(const FileDef& def) {
    return std::make_unique<FaultyFile>(*this, real_->file(def));
}

DriverStatus FaultyStorage::nextAdd() {
    ++adds_;
    if (addFailures_ == 0) return DriverStatus::success();
    --addFailures_;
    return injected(addCode_);
}

DriverStatus FaultyStorage::begin(int waitMs) {
    if (beginFailures_ == 0) return real_->begin(waitMs);
    --beginFailures_;
    return injected(beginCode_);
}

}  // namespace bb::test
