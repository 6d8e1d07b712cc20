// The state registration form: a new registration's state and date, and its
// two checks.
#include <gtest/gtest.h>

#include "platform/date.h"
#include "reference_fixture.h"

namespace bb::test {
namespace {

class UpdateRepStatesTest : public ReferenceTest {
protected:
    UpdateRepStatesTest() {
        addState("CA", "California", "25.00");
        addState("TX", "Texas", "10.00");
        representative_ = addRepresentative("101", "Ann Lee");
        Clock::fix(dayNumber(2026, 12, 10).value());
    }
    ~UpdateRepStatesTest() override { Clock::release(); }

    int insert(WindowDriver::Script script) {
        readRepresentative(representative_);
        buffer(FileId::RepStates).clear();
        RST::REPRESENTATIVENUMBER.set(representative_);
        ui.when("Update Representative States", std::move(script));
        return procedures().call("UpdateRepStates", InsertRequest);
    }
    // Changes the representative's registration in `state` with `script`.
    int change(const char* state, WindowDriver::Script script) {
        readRepresentative(representative_);
        buffer(FileId::RepStates).clear();
        RST::REPRESENTATIVENUMBER.set(representative_);
        RST::STATE.set(state);
        fetch(FileId::RepStates, RST::key::REPRESENTATIVENUMBERKEY);
        ui.when("Update Representative States", std::move(script));
        return procedures().call("UpdateRepStates", ChangeRequest);
    }
    std::vector<std::string> registrations() {
        return rows(FileId::RepStates, RST::key::REPRESENTATIVENUMBERKEY,
                    {RST::REPRESENTATIVENUMBER, RST::STATE, RST::EFFECTIVEDATE});
    }
    int representative_ = 0;
};

TEST_F(UpdateRepStatesTest, ANewRegistrationStartsTodayInTheDefaultState) {
    struct Case {
        const char* defaultState;
        const char* state;  // what the drop list shows
        const char* fee;
    };
    // A default state deleted since it was chosen is not used.
    const Case cases[] = {{"", "", ""}, {"TX", "TX", "10.00"}, {"NV", "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultState);
        ui.messages.clear();
        CTRL::DEFAULTSTATE.set(c.defaultState);
        EXPECT_EQ(insert([&c](DrivenWindow& form) {
                      EXPECT_EQ(form.shown("Representative"), "101");
                      EXPECT_EQ(form.shown("Representative name"), "Ann Lee");
                      EXPECT_EQ(form.shown("State").substr(0, 2),
                                std::string(c.state).substr(0, 2));
                      EXPECT_EQ(form.shown("Effective Date"), "12/10/2026");
                      form.press("Cancel");
                  }),
                  ResponseCancelled);
        // Untouched, it closes without a question.
        EXPECT_TRUE(ui.messages.shown.empty());
    }
    CTRL::DEFAULTSTATE.set("");
}

TEST_F(UpdateRepStatesTest, AChosenStateShowsItsFeeAndIsSaved) {
    EXPECT_EQ(insert([](DrivenWindow& form) {
                  form.pick("State", "California");
                  EXPECT_EQ(form.shown("License Fee"), "25.00");
                  form.press("OK");
              }),
              ResponseCompleted);
    EXPECT_EQ(registrations(),
              std::vector<std::string>{std::to_string(representative_) + "|CA|" +
                                       std::to_string(dayNumber(2026, 12, 10).value())});
}

TEST_F(UpdateRepStatesTest, OkRefusesARegistrationWithoutStateOrDate) {
    struct Case {
        bool pickState;
        const char* date;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {false, "12/10/2026", "Registration State Required",
         "     Select a state from the drop-down list", "State"},
        {true, "", "Effective Date Required",
         "     You must enter the effective date of this registration", "Effective Date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        EXPECT_EQ(insert([&c](DrivenWindow& form) {
                      if (c.pickState) form.pick("State", "Texas");
                      form.type("Effective Date", c.date);
                      form.press("OK");
                      EXPECT_EQ(form.focused(), c.focus);
                      form.pick("State", "Texas");
                      form.type("Effective Date", "1/2/2025");
                      form.press("OK");
                  }),
                  ResponseCompleted);
        ASSERT_FALSE(ui.messages.shown.empty());
        EXPECT_EQ(ui.messages.shown[0].title, c.title);
        EXPECT_EQ(ui.messages.shown[0].text, c.text);
        fetch(FileId::RepStates, RST::key::REPRESENTATIVENUMBERKEY);
        ASSERT_EQ(relationManagerFor(FileId::RepStates)->Delete(false), SeverityNone);
    }
}

TEST_F(UpdateRepStatesTest, ARepresentativeIsRegisteredInAStateOnlyOnce) {
    addState("AK", "Alaska", "5.00");
    addState("NY", "New York", "99.00");
    addRegistration(representative_, "CA");
    addRegistration(representative_, "TX");
    const int other = addRepresentative("102", "Bob Hale");
    addRegistration(other, "NY");  // no bar to Ann in New York
    const auto refusesCalifornia = [](DrivenWindow& form) {
        form.pick("State", "California");
        form.press("OK");
        EXPECT_EQ(form.focused(), "State");
    };

    // A new registration in California is refused, one in New York saved.
    EXPECT_EQ(insert([&](DrivenWindow& form) {
                  refusesCalifornia(form);
                  form.pick("State", "New York");
                  form.press("OK");
              }),
              ResponseCompleted);
    ASSERT_EQ(titles(), std::vector<std::string>{"State Already Registered"});
    EXPECT_EQ(ui.messages.last().text,
              "     This representative is already registered in CA. Change that registration "
              "instead.");
    // Texas moved to California is refused; moved to Alaska it is saved, to
    // the Texas record and not to the California one just looked at.
    EXPECT_EQ(change("TX",
                     [&](DrivenWindow& form) {
                         refusesCalifornia(form);
                         form.pick("State", "Alaska");
                         form.type("Effective Date", "1/2/2025");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_EQ(titles().size(), 2U);
    // A registration that keeps its state changes its date alone.
    EXPECT_EQ(change("CA",
                     [](DrivenWindow& form) {
                         form.type("Effective Date", "3/4/2021");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_EQ(titles().size(), 2U);

    const auto day = [](int y, int m, int d) { return std::to_string(dayNumber(y, m, d).value()); };
    const std::string ann = std::to_string(representative_) + "|";
    EXPECT_EQ(registrations(), (std::vector<std::string>{
                                   ann + "AK|" + day(2025, 1, 2), ann + "CA|" + day(2021, 3, 4),
                                   ann + "NY|" + day(2026, 12, 10),
                                   std::to_string(other) + "|NY|" + day(2020, 1, 1)}));
}

}  // namespace
}  // namespace bb::test
