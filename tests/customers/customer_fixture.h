// A small book for the customer windows' tests: three states, two
// representatives and two classifications on file, the customer procedures
// registered, and the files a customer list keeps open while its forms run.
#pragma once

#include <string>
#include <vector>

#include "window_test.h"

namespace bb::test {

class CustomerFixture : public WindowTest {
protected:
    CustomerFixture();
    ~CustomerFixture() override;

    // Adds a complete individual customer, "John Smith" unless named; its
    // number. The buffer holds it afterwards.
    int addCustomer(const std::string& last = "Smith", const std::string& first = "John");
    // Reads customer `number` into the buffer, as a list does before a change.
    void readCustomer(int number);
    // Adds a phone of customer `number`.
    void addPhone(int number, const std::string& type, const std::string& digits,
                  const std::string& department = "", const std::string& extension = "",
                  const std::string& contact = "");
    // Opens the customer list from the frame, as the user does.
    DrivenWindow startList();
    // Runs `procedure` as a list would: for an insert the record is primed
    // (numbered) first.
    int callForm(int request, const std::string& procedure = "UpdateMembers");
    // Cancels `form`, declining to save what it changed.
    void cancel(DrivenWindow& form);
    // How many records of `file` there are.
    static int count(FileId file);

    int ann_ = 0;  // representative 101, Ann Adams
    int bob_ = 0;  // representative 202, Bob Brown
};

}  // namespace bb::test
