// The check of a declaration's names: each kind of name that does not
// resolve is found and said, naming the window and the name; a declaration
// whose names all resolve passes.
#include "ui/window_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ui/procedures.h"

namespace bb {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

constexpr TextVariable kShow{"Show", 10};

// A list with its buttons, an entry locator, a box beside it and a window
// variable, every name of which resolves.
WindowDecl soundDecl() {
    return WindowDecl{
        .procedure = "BrowseThings",
        .locals = {kShow},
        .fields = {{.kind = ControlKind::List,
                    .name = "Things",
                    .list = ListDecl{.file = FileId::States,
                                     .orders = {{.key = ST::key::STATEKEY,
                                                 .locator = LocatorKind::Entry,
                                                 .locatorEntry = "Find",
                                                 .resets = {{.local = kShow.name()}},
                                                 .local = kShow,
                                                 .value = "All"}},
                                     .update = "UpdateThings"}},
                   {.prompt = "&Find:", .group = "Details"},
                   {.kind = ControlKind::Display, .local = kShow, .group = "Details"}},
        .besideList = "Details",
        .buttons =
            {{.text = "&Phones", .list = "Things", .calls = "BrowsePhones", .needsRecord = true}},
    };
}

class WindowRegistry : public testing::Test {
protected:
    WindowRegistry() {
        registry_.add("UpdateThings", [](std::string_view) {});
        registry_.addUnbuilt("BrowsePhones");
    }
    ProcedureRegistry registry_;
};

TEST_F(WindowRegistry, ADeclarationWhoseNamesResolvePasses) {
    EXPECT_THAT(unresolvedNames(soundDecl(), &registry_), IsEmpty());
}

TEST_F(WindowRegistry, EachNameThatDoesNotResolveIsSaid) {
    struct Case {
        const char* what;
        std::function<void(WindowDecl&)> misspell;
        const char* said;
    };
    const Case cases[] = {
        {"a button's procedure", [](WindowDecl& d) { d.buttons[0].calls = "BrowsePhone"; },
         "button \"&Phones\" calls \"BrowsePhone\", which is no procedure"},
        {"a list's update procedure",
         [](WindowDecl& d) { d.fields[0].list->update = "UpdateThing"; },
         "list \"Things\" updates with \"UpdateThing\", which is no procedure"},
        {"a list's print procedure", [](WindowDecl& d) { d.fields[0].list->print = "PrintThing"; },
         "list \"Things\" prints with \"PrintThing\", which is no procedure"},
        {"a control's variable", [](WindowDecl& d) { d.fields[2].local = "Shown"; },
         "a control names variable \"Shown\""},
        {"an order's variable", [](WindowDecl& d) { d.fields[0].list->orders[0].local = "Shw"; },
         "an order names variable \"Shw\""},
        {"a reset's variable",
         [](WindowDecl& d) { d.fields[0].list->orders[0].resets[0].local = "Sho"; },
         "a reset names variable \"Sho\""},
        {"a range's variable",
         [](WindowDecl& d) { d.fields[0].list->orders[0].range.limit.local = "Owner"; },
         "a range names variable \"Owner\""},
        {"a locator's entry",
         [](WindowDecl& d) { d.fields[0].list->orders[0].locatorEntry = "Search"; },
         "a locator \"Search\", which is no control"},
        {"a button's list", [](WindowDecl& d) { d.buttons[0].list = "Thing"; },
         "acts for list \"Thing\""},
        {"the box beside the list", [](WindowDecl& d) { d.besideList = "Detail"; },
         "the box beside a list \"Detail\""},
        {"a record needed for no call", [](WindowDecl& d) { d.buttons[0].calls = {}; },
         "needs a record for a call it does not make"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowDecl decl = soundDecl();
        c.misspell(decl);
        EXPECT_THAT(unresolvedNames(decl, &registry_),
                    ElementsAre(AllOf(HasSubstr("BrowseThings: "), HasSubstr(c.said))));
    }
}

TEST_F(WindowRegistry, WithoutARegistryOnlyTheWindowsOwnNamesAreChecked) {
    WindowDecl decl = soundDecl();
    decl.buttons[0].calls = "NoSuchProcedure";
    EXPECT_THAT(unresolvedNames(decl, nullptr), IsEmpty());
    decl.fields[2].local = "NoSuchVariable";
    EXPECT_THAT(unresolvedNames(decl, nullptr), ElementsAre(HasSubstr("NoSuchVariable")));
}

TEST_F(WindowRegistry, ATabsFieldsTakeItsTextAndDittoUnlessTheySayOtherwise) {
    const WindowDecl decl = flattened(WindowDecl{
        .fields = {{.prompt = "Plain"}},
        .tabs = {{.text = "General",
                  .ditto = true,
                  .fields = {{.prompt = "Typed"},
                             {.prompt = "Kept apart", .ditto = false},
                             {.kind = ControlKind::Display, .prompt = "Shown"}}},
                 {.text = "Other", .fields = {{.prompt = "Elsewhere"}}}},
    });
    ASSERT_EQ(decl.fields.size(), 5u);
    EXPECT_TRUE(decl.tabs.empty());
    struct Expected {
        std::string_view tab;
        bool ditto;
    };
    const Expected expected[] = {
        {"", false}, {"General", true}, {"General", false}, {"General", false}, {"Other", false}};
    for (std::size_t i = 0; i < decl.fields.size(); ++i) {
        SCOPED_TRACE(std::string(decl.fields[i].prompt));
        EXPECT_EQ(decl.fields[i].tab, expected[i].tab);
        EXPECT_EQ(decl.fields[i].ditto.value_or(false), expected[i].ditto);
    }
}

TEST(ProcedureRegistryUnbuilt, IsKnownAndAnswersThatItIsNotDefinedUntilBuilt) {
    ProcedureRegistry registry;
    registry.addUnbuilt("PrintLater");
    EXPECT_TRUE(registry.has("PrintLater"));
    EXPECT_FALSE(registry.has("PrintNever"));
    int ran = 0;
    registry.add("PrintLater", [&ran](std::string_view) { ++ran; });
    registry.addUnbuilt("PrintLater");  // a body once added stays
    (void)registry.call("PrintLater");
    EXPECT_EQ(ran, 1);
}

}  // namespace
}  // namespace bb
