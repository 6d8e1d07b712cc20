// A small update form for the framework's tests: representatives, with an
// entry, a numeric entry, a date, a check box, radio buttons and a drop list
// of the States file, on two tabs; and the records it works on.
#pragma once

#include <string>

#include "faulty_storage.h"
#include "ui/window_decl.h"
#include "ui/window_manager.h"
#include "window_test.h"

namespace bb::test {

inline constexpr char kTestFormCaption[] = "Update Test Representatives";

// The declaration; a test may change its copy (the insert action, say)
// before the form runs.
WindowDecl testFormDecl();

// The form: its checks on OK, and a new record's initial values.
class TestForm : public WindowManager {
public:
    using WindowManager::WindowManager;
    bool CheckFields() override;
    void SeedNewRecord() override;
};

// A window test whose procedure "UpdateTestRepresentatives" runs the test
// form over `decl`, with three states on file.
class TestFormTest : public WindowTest {
protected:
    TestFormTest();
    ~TestFormTest() override;

    // Runs the form with `request` as a browse would: for an insert the
    // record is primed (numbered) first; for a change or delete the record
    // is already read. Its response.
    int callForm(int request);
    // Adds a representative; its number.
    int addRepresentative(const std::string& num, const std::string& name,
                          const std::string& state = "CA");
    // Reads representative `number` into the buffer, as a browse's list does.
    void readRepresentative(int number);
    // Every representative's "number name" in number order.
    std::vector<std::string> representatives();
    void clearRepresentatives();

    WindowDecl decl = testFormDecl();
    FaultyStorage* storage_ = nullptr;  // every change, journaled
};

}  // namespace bb::test
