// A storage that passes everything to a real one, except the failures a
// test asks for: so that retries and error paths can be driven on purpose.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/runtime.h"
#include "platform/storage.h"

namespace bb::test {

class FaultyStorage final : public Storage {
public:
    explicit FaultyStorage(std::unique_ptr<Storage> real) : real_(std::move(real)) {}

    // The next `count` adds of any file fail with `failure`.
    void failAdds(int count, int failure = code::kDriverError) {
        addFailures_ = count;
        addCode_ = failure;
    }
    int addsAttempted() const { return adds_; }
    // The `step`-th call from now (1-based) that positions, reads or
    // changes a record, or begins or commits a transaction, fails with code
    // 90 instead of reaching the storage; 0 disarms.
    void failStep(int step) {
        stepsToFailure_ = step;
        failedStep_.clear();
    }
    // The call that failed so ("Log put", "commit"); empty while none did.
    const std::string& failedStep() const { return failedStep_; }
    // The next `count` rewrites of any record fail with `failure`.
    void failPuts(int count, int failure = code::kDriverError) {
        putFailures_ = count;
        putCode_ = failure;
    }
    // The `nth` rewrite from now (1-based) of a record of the file labelled
    // `label` fails with code 90; the others reach the storage.
    void failPut(const std::string& label, int nth) {
        putLabel_ = label;
        labelPutsToFailure_ = nth;
    }
    // Whether the files' looks over linked records and deletes and rewrites
    // of them a set at a time reach the real storage (as "<label> find",
    // "<label> erase set" and "<label> update set" steps); otherwise the
    // files cannot do them, and related records are deleted and rewritten
    // one by one.
    void passSets(bool on) { passSets_ = on; }
    bool setsPass() const { return passSets_; }
    // The next `count` transactions fail to begin with `failure`.
    void failBegins(int count, int failure) {
        beginFailures_ = count;
        beginCode_ = failure;
    }

    // Every change and option that reached the files, as "<label> <what>":
    // "Members put", "Log erase", "Members QUICKSCAN=on".
    const std::vector<std::string>& journal() const { return journal_; }
    void clearJournal() { journal_.clear(); }
    void note(const std::string& entry) { journal_.push_back(entry); }

    // What views have asked of the storage since the last clear: rows read
    // (either way) and starting points set.
    int viewReads() const { return viewReads_; }
    int viewSeeks() const { return viewSeeks_; }
    void clearViewCounts() { viewReads_ = viewSeeks_ = 0; }
    void countViewRead() { ++viewReads_; }
    void countViewSeek() { ++viewSeeks_; }

    std::unique_ptr<StorageFile> file(const FileDef& def) override;
    std::unique_ptr<StorageView> view(std::vector<ViewTable> tables) override;
    DriverStatus begin(int waitMs) override;
    DriverStatus commit() override;
    DriverStatus rollback() override { return real_->rollback(); }
    bool inTransaction() const override { return real_->inTransaction(); }
    const std::string& station() const override { return real_->station(); }

    // For the handles: what the call named `step` meets.
    DriverStatus nextAdd();
    DriverStatus nextStep(const std::string& step);
    DriverStatus nextPut(const std::string& label);

private:
    std::unique_ptr<Storage> real_;
    int addFailures_ = 0;
    int addCode_ = 0;
    int putFailures_ = 0;
    int putCode_ = 0;
    std::string putLabel_;
    int labelPutsToFailure_ = 0;
    int beginFailures_ = 0;
    int beginCode_ = 0;
    int stepsToFailure_ = 0;
    std::string failedStep_;
    int adds_ = 0;
    bool passSets_ = false;
    int viewReads_ = 0;
    int viewSeeks_ = 0;
    std::vector<std::string> journal_;
};

}  // namespace bb::test
