// The form letters list and form: a letter is added through the list, and
// the form refuses a letter without a subject or a body, in that order.
#include <gtest/gtest.h>

#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

using UpdateLettersTest = PrintoutFixture;

TEST_F(UpdateLettersTest, ALetterNeedsASubjectAndABodyInThatOrder) {
    procedures().call("BrowseLetters");
    ui.settle();
    DrivenWindow list = ui.window("Form Letters");
    list.screenshot("form letters");
    ui.when("Update Form Letters", [this](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.screenshot("update form letters");
        const struct {
            const char* subject;
            const char* body;
            const char* title;
            const char* text;
            const char* focus;
        } refusals[] = {
            {"", "Hello", "Subject Required", "     Enter a name or subject for this letter.",
             "Subject"},
            {"Welcome", "", "Body of Letter Required",
             "     Enter the text portion for this letter.", "Body of Letter"},
        };
        for (const auto& r : refusals) {
            form.type("Subject", r.subject);
            form.type("Body of Letter", r.body);
            form.press("OK");
            ASSERT_FALSE(form.manager().Closed()) << r.title;
            EXPECT_EQ(ui.messages.last().title, r.title);
            EXPECT_EQ(ui.messages.last().text, r.text);
            EXPECT_EQ(form.focused(), r.focus);
        }
        form.type("Body of Letter", "Thank you for your business.");
        form.press("OK");
    });
    list.press("Insert");
    EXPECT_EQ(list.rows("Letters"), (std::vector<std::string>{"Welcome"}));
    EXPECT_EQ(count(FileId::Letters), 1);
}

}  // namespace
}  // namespace bb::test
