// A book for the customer printouts' tests: the customer book with
// customer groups and memberships, the preferences' selection and order
// set directly, Select N Sort answered with Print, and each printout saved
// as a PDF from its preview and read back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "customer_fixture.h"
#include "platform/date.h"
#include "window_driving.h"

namespace bb::test {

class PrintoutFixture : public CustomerFixture {
protected:
    PrintoutFixture();
    ~PrintoutFixture() override;

    struct Customer {
        std::string last;
        std::string first = "Pat";
        std::string middle = "";
        std::string zip = "78701";
        bool active = true;
        bool company = false;
        int birthMonth = 3;
        int birthDay = 15;
        DayNumber lastUpdate = 0;  // 0: the book's
    };

    // Adds `customer` (a company is named by `last`); its number.
    int add(const Customer& customer);
    void addMembership(int member, const std::string& group);
    static void addLetter(const std::string& subject, const std::string& body);
    // A label stock, its sizes in inches as typed.
    struct Stock {
        std::string name;
        const char* pageWidth;
        const char* pageHeight;
        const char* labelWidth;
        const char* labelHeight;
        const char* top;
        const char* left;
        int points;
    };
    static void addStock(const Stock& stock);
    // Scripts the list `caption` to select its row `row` (shown text).
    void chooseRow(const std::string& caption, const std::string& list, const std::string& row);
    // The preferences' selection and order, as Select N Sort leaves them,
    // with the group part it marks its groups from.
    static void select(const std::string& filter, const std::string& order = "MBR:CompanyName",
                       const std::string& groups = "");
    // Scripts Select N Sort to print the selection as it stands (the
    // window builds it again from its marks).
    void printSelection();

    // Scripts the next preview to save its pages as `name`.pdf; `file`
    // holds the PDF's path once it has.
    void savePreview(const std::string& name, std::string& file);
    // Lets the reports run until `file` is set, or the time is up.
    void waitFor(const std::string& file);
    // Saves the report that `start` starts as a PDF from its preview, and
    // returns the PDF's path once the report has gone; empty when no
    // preview showed.
    std::string printToPdf(const std::string& name, const std::function<void()>& start);
    // The PDF's text; empty for no file.
    static std::string textOf(const std::string& file);
    // Where `part` first stands in `text`; npos when it does not.
    static std::size_t at(const std::string& text, const std::string& part) {
        return text.find(part);
    }
    static int occurrences(const std::string& text, const std::string& part);

    ScriptedOutput output_;
};

}  // namespace bb::test
