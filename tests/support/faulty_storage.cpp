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
    DriverStatus setStart(int key) override {
        return step("setStart", [&] { return real_->setStart(key); });
    }
    DriverStatus setAt(int key, const Record& values, int components) override {
        return step("setAt", [&] { return real_->setAt(key, values, components); });
    }
    DriverStatus setAtPosition(int key, std::string_view position) override {
        return step("setAtPosition", [&] { return real_->setAtPosition(key, position); });
    }
    DriverStatus next(Record& record) override {
        return step("next", [&] { return real_->next(record); });
    }
    DriverStatus previous(Record& record) override {
        return step("previous", [&] { return real_->previous(record); });
    }
    DriverStatus peek(bool forward, Record& record) override {
        return step("peek", [&] { return real_->peek(forward, record); });
    }
    DriverStatus get(int key, Record& record) override {
        return step("get", [&] { return real_->get(key, record); });
    }
    DriverStatus getAtPosition(std::string_view position, Record& record) override {
        return step("getAtPosition", [&] { return real_->getAtPosition(position, record); });
    }
    DriverStatus reget(Record& record) override {
        return step("reget", [&] { return real_->reget(record); });
    }
    std::string position() const override { return real_->position(); }
    int order() const override { return real_->order(); }
    DriverStatus add(const Record& record, bool reservation) override {
        if (DriverStatus s = owner_.nextStep(def().label + " add"); !s.ok()) return s;
        const DriverStatus injected = owner_.nextAdd();
        if (!injected.ok()) return injected;
        owner_.note(def().label + " add");
        return real_->add(record, reservation);
    }
    DriverStatus put(const Record& record) override {
        if (DriverStatus s = owner_.nextStep(def().label + " put"); !s.ok()) return s;
        if (DriverStatus s = owner_.nextPut(def().label); !s.ok()) return s;
        owner_.note(def().label + " put");
        return real_->put(record);
    }
    DriverStatus erase() override {
        if (DriverStatus s = owner_.nextStep(def().label + " erase"); !s.ok()) return s;
        owner_.note(def().label + " erase");
        return real_->erase();
    }
    std::optional<DriverStatus> eraseLinked(const LinkedRecords& linked) override {
        if (!owner_.setsPass()) return std::nullopt;
        if (DriverStatus s = owner_.nextStep(def().label + " erase set"); !s.ok()) return s;
        owner_.note(def().label + " erase set");
        return real_->eraseLinked(linked);
    }
    std::optional<DriverStatus> updateLinked(const LinkedRecords& linked, const Record& values,
                                             const std::vector<int>& fields) override {
        if (!owner_.setsPass()) return std::nullopt;
        if (DriverStatus s = owner_.nextStep(def().label + " update set"); !s.ok()) return s;
        owner_.note(def().label + " update set");
        return real_->updateLinked(linked, values, fields);
    }
    std::optional<LinkedFound> findLinked(const LinkedRecords& linked) override {
        if (!owner_.setsPass() || !owner_.nextStep(def().label + " find").ok()) return std::nullopt;
        return real_->findLinked(linked);
    }
    std::optional<int> duplicateKey(const Record& record, bool excludeCurrent) override {
        return real_->duplicateKey(record, excludeCurrent);
    }
    std::vector<std::string> staleReservations() override { return real_->staleReservations(); }
    DriverStatus hold() override {
        return step("hold", [&] { return real_->hold(); });
    }
    DriverStatus release() override { return real_->release(); }
    bool held() const override { return real_->held(); }

private:
    template <typename Call>
    DriverStatus step(const char* what, Call call) {
        if (DriverStatus s = owner_.nextStep(def().label + " " + what); !s.ok()) return s;
        return call();
    }

    FaultyStorage& owner_;
    std::unique_ptr<StorageFile> real_;
};

// A view whose reads and starting points its storage counts.
class CountedView final : public StorageView {
public:
    CountedView(FaultyStorage& owner, std::unique_ptr<StorageView> real)
        : owner_(owner), real_(std::move(real)) {}

    DriverStatus open() override { return real_->open(); }
    DriverStatus close() override { return real_->close(); }
    bool isOpen() const override { return real_->isOpen(); }
    DriverStatus setOrder(std::vector<ViewOrderTerm> order) override {
        return real_->setOrder(std::move(order));
    }
    DriverStatus setFilter(ViewFilter filter) override {
        return real_->setFilter(std::move(filter));
    }
    void setPushDown(bool on) override { real_->setPushDown(on); }
    void setBuffering(int pageSize, int behind, int ahead, int timeoutSeconds) override {
        real_->setBuffering(pageSize, behind, ahead, timeoutSeconds);
    }
    DriverStatus reset(int components) override {
        owner_.countViewSeek();
        return real_->reset(components);
    }
    DriverStatus resetToPosition(std::string_view position) override {
        owner_.countViewSeek();
        return real_->resetToPosition(position);
    }
    DriverStatus next() override {
        owner_.countViewRead();
        return real_->next();
    }
    DriverStatus previous() override {
        owner_.countViewRead();
        return real_->previous();
    }
    std::string position() const override { return real_->position(); }
    std::string recordPosition(int table) const override { return real_->recordPosition(table); }
    std::uint64_t workDone() const override { return real_->workDone(); }
    std::optional<ChangeMark> changeMark() override { return real_->changeMark(); }

private:
    FaultyStorage& owner_;
    std::unique_ptr<StorageView> real_;
};

}  // namespace

std::unique_ptr<StorageView> FaultyStorage::view(std::vector<ViewTable> tables) {
    return std::make_unique<CountedView>(*this, real_->view(std::move(tables)));
}

std::unique_ptr<StorageFile> FaultyStorage::file(const FileDef& def) {
    return std::make_unique<FaultyFile>(*this, real_->file(def));
}

DriverStatus FaultyStorage::nextAdd() {
    ++adds_;
    if (addFailures_ == 0) return DriverStatus::success();
    --addFailures_;
    return injected(addCode_);
}

DriverStatus FaultyStorage::nextStep(const std::string& step) {
    if (stepsToFailure_ == 0 || --stepsToFailure_ > 0) return DriverStatus::success();
    failedStep_ = step;
    return injected(code::kDriverError);
}

DriverStatus FaultyStorage::nextPut(const std::string& label) {
    if (label == putLabel_ && labelPutsToFailure_ > 0 && --labelPutsToFailure_ == 0)
        return injected(code::kDriverError);
    if (putFailures_ == 0) return DriverStatus::success();
    --putFailures_;
    return injected(putCode_);
}

DriverStatus FaultyStorage::commit() {
    if (DriverStatus s = nextStep("commit"); !s.ok()) return s;
    return real_->commit();
}

DriverStatus FaultyStorage::begin(int waitMs) {
    if (DriverStatus s = nextStep("begin"); !s.ok()) return s;
    if (beginFailures_ == 0) return real_->begin(waitMs);
    --beginFailures_;
    return injected(beginCode_);
}

}  // namespace bb::test
