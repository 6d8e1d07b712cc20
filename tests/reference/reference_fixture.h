// A window test over an empty book with the reference windows registered,
// and the few records their tests start from, written as another window or
// an earlier session would have left them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"
#include "window_test.h"

namespace bb::test {

class ReferenceTest : public WindowTest {
protected:
    ReferenceTest();
    // Started windows go before the files they read are closed.
    ~ReferenceTest() override;

    // Registers `body` under `name` for this test only.
    void standIn(const std::string& name, Procedure body);

    // Runs `procedure` as its list would: for an insert the record is primed
    // first; for a change or delete the record is already in the buffer.
    int callForm(std::string_view procedure, FileId file, int request);

    void addState(const std::string& code, const std::string& name, const std::string& fee = "0");
    void addClassification(const std::string& name, const std::string& description);
    // A representative; its internal number.
    int addRepresentative(const std::string& num, const std::string& name);
    // Registers representative `representative` in `state` from 1/1/2020.
    void addRegistration(int representative, const std::string& state);
    // Reads representative `number` into the buffer, as its list does.
    void readRepresentative(int number);
    // A customer of classification `level`; its number.
    int addCustomer(const std::string& lastName, const std::string& level);
    // Reads the record of `file` whose key `key` matches the buffer.
    void fetch(FileId file, int key);

    // The titles of the messages shown so far, in order.
    std::vector<std::string> titles() const;
    // What the relation manager shows when the user confirms deleting a
    // record others still refer to: the refusal, then whether to try again
    // (which the scripted messages decline).
    static std::vector<std::string> refusedDelete();

    // Every customer's "last name: classification", in number order.
    std::vector<std::string> customers();
    // Every record of `file` in the order of `key`, each as its `fields`
    // joined by "|".
    std::vector<std::string> rows(FileId file, int key, const std::vector<FieldRef>& fields);

    // The files kept open while the windows run, as their lists keep them.
    std::vector<std::unique_ptr<RelatedFilesOpen>> open_;
    std::vector<std::string> standIns_;
};

}  // namespace bb::test
