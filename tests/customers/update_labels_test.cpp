// The label stocks list and form: a new stock starts as a letter-size
// sheet and is refused until its label and print sizes are given; every
// size is checked in order, none may be nothing or less; the file keeps
// the font size within what it allows.
#include <gtest/gtest.h>

#include "data/file_manager.h"
#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

using UpdateLabelsTest = PrintoutFixture;

TEST_F(UpdateLabelsTest, ANewStockIsALetterSheetRefusedUntilEverySizeIsGiven) {
    procedures().call("BrowseLabels");
    ui.settle();
    DrivenWindow list = ui.window("Mailing Labels");
    list.screenshot("mailing labels");
    ui.when("Update Labels", [this](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.screenshot("update labels");
        const struct {
            const char* field;
            const char* shown;
        } defaults[] = {{"Page Width", "8.50"},   {"Page Height", "11.00"}, {"Label Width", "0.00"},
                        {"Label Height", "0.00"}, {"Top Margin", "0.35"},   {"Left Margin", "0.50"},
                        {"Font Size", "0"}};
        for (const auto& d : defaults) EXPECT_EQ(form.shown(d.field), d.shown) << d.field;
        // Each step gives what the check before asked for, then breaks the next.
        const struct {
            const char* field;
            const char* bad;
            const char* good;
            const char* title;
        } steps[] = {
            {"Label Type", "", "Avery 5160", "Label Name Required"},
            {"Page Width", "0", "8.5", "Page Width Required"},
            {"Page Height", "-11", "11", "Page Height Required"},
            {"Label Width", "0", "2.63", "Label Width Required"},
            {"Label Height", "0", "1", "Label Height Required"},
            {"Top Margin", "0", "0.5", "Top Margin Required"},
            {"Left Margin", "-0.2", "0.19", "Left Margin Required"},
            {"Font Size", "0", "3", "Font Size Required"},
        };
        for (const auto& s : steps) {
            form.type(s.field, s.bad);
            form.press("OK");
            ASSERT_FALSE(form.manager().Closed()) << s.title;
            EXPECT_EQ(ui.messages.last().title, s.title);
            EXPECT_EQ(form.focused(), s.field);
            form.type(s.field, s.good);
        }
        // Three points is too small for the file.
        form.press("OK");
        ASSERT_FALSE(form.manager().Closed());
        EXPECT_NE(ui.messages.last().text.find("5 and 240"), std::string::npos)
            << ui.messages.last().text;
        form.type("Font Size", "10");
        form.press("OK");
    });
    list.press("Insert");
    EXPECT_EQ(list.rows("Labels"), (std::vector<std::string>{"Avery 5160"}));
    ASSERT_EQ(count(FileId::Labels), 1);
    buffer(FileId::Labels).clear();
    LAB::LABELTYPE.set("Avery 5160");
    ASSERT_EQ(fileManagerFor(FileId::Labels)->Fetch(LAB::key::TYPE), SeverityNone);
    EXPECT_EQ(LAB::LABELWIDTH.get().toString(), "2.63");
    EXPECT_EQ(LAB::FONTSIZE.get(), 10);
}

}  // namespace
}  // namespace bb::test
