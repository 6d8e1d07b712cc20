#include "shell/frame_commands.h"

#include <array>
#include <vector>

#include "ui/frame_services.h"
#include "ui/toolbar_commands.h"

namespace bb {

namespace {
using enum FrameAction;

constexpr std::array kFile{
    MenuItem{"&Print Setup ...", "Setup printer", PrintSetup},
    MenuItem{},
    MenuItem{"E&xit", "Exit this application", Exit, {}, {}, QKeySequence::Quit},
};
constexpr std::array kEdit{
    MenuItem{"Cu&t", "Remove item to Windows Clipboard", Cut, {}, {}, QKeySequence::Cut},
    MenuItem{"&Copy", "Copy item to Windows Clipboard", Copy, {}, {}, QKeySequence::Copy},
    MenuItem{"&Paste", "Paste contents of Windows Clipboard", Paste, {}, {}, QKeySequence::Paste},
};
constexpr std::array kCustomers{
    MenuItem{"&Customer List", "Browse/Update Customers", Start, kCustomerListProcedure},
    MenuItem{"Customer &Groups", "Browse/Update Customer Groups", Start, "CommitteeAssignments"},
};
constexpr std::array kRepresentatives{
    MenuItem{"&Registered Representatives", "Browse/Update Registered Representatives", Start,
             "BrowseRepresentatives"},
    MenuItem{"Representative Re&ports", "Representative Reports", Start, "RepresentativeReports"},
};
constexpr std::array kPrintReports{
    MenuItem{"&Customer List", "Print a Customer List", Start, "PrintCustomerDirectory"},
    MenuItem{"&Account Update List", "Print Financial/Objectives/Risk Tolerance Update List", Start,
             "PrintOutdatedObjectives"},
    MenuItem{"&Birthday List", "Print a Birthday Report", Start, "PrintBirthdays"},
    MenuItem{"Customer &Groups", "Print Group Members", Start, "PrintGroupMembers"},
    MenuItem{"&Form Letters", "Print a Form Letter", Start, "PrintFormLetters"},
    MenuItem{"&Mailing Labels", "Print Mailing Labels", Start, "PrintMailingLabels", "1"},
};
constexpr std::array kMaintenance{
    MenuItem{"&Preferences", "Set User Preferences", Start, "Preferences", "1"},
    MenuItem{"&Account Types", "Browse/Update Account Types", Start, "BrowseAccountTypes"},
    MenuItem{"Customer &Classifications", "Browse/Update Customer Classifications", Start,
             "BrowseMembershipTypes"},
    MenuItem{"&Investment Objectives", "Browse/Update Investment Objectives", Start,
             "BrowseInvestmentTypes"},
    MenuItem{"Account C&ompanies", "Browse/Update Product Companies", Start, "BrowseVendors"},
    MenuItem{"&Security Products", "Browse/Update Security Products", Start, "BrowseCategories"},
    MenuItem{"&Labels", "Browse/Update Label Specifications", Start, "BrowseLabels"},
    MenuItem{"&Form Letters", "Browse/Update Form Letters", Start, "BrowseLetters"},
    MenuItem{"S&tate Codes", "Browse/Update State Codes/Names/License Fees", Start, "BrowseStates"},
};
constexpr std::array kWindow{
    MenuItem{"&Tile", "Make all open windows visible", Tile},
    MenuItem{"&Cascade", "Stack all open windows", Cascade},
    MenuItem{"&Arrange Icons", "Align all window icons", ArrangeIcons},
};
constexpr std::array kHelp{
    MenuItem{"&Contents", "View the contents of the help file", HelpContents},
    MenuItem{"&Search for Help On...", "Search for help on a subject", HelpSearch},
    MenuItem{"&How to Use Help", "How to use Windows Help", HelpOnHelp},
    MenuItem{},
    MenuItem{"Sponsor/&Broker-Dealer", "Sponsor/Broker Dealer", Start, "Sponsor"},
};

constexpr std::array kMenus{
    FrameMenu{"&File", "Printer Settings", kFile},
    FrameMenu{"&Edit", "", kEdit},
    FrameMenu{"&Customers", "Customers", kCustomers},
    FrameMenu{"&Representatives", "Registered Representatives", kRepresentatives},
    FrameMenu{"&Print Reports", "Print Reports, labels, letters, etc.", kPrintReports},
    FrameMenu{"&Maintenance", "Set Defaults; add, change or delete records", kMaintenance},
    FrameMenu{"&Window", "Create and Arrange windows", kWindow},
    FrameMenu{"&Help", "Windows Help", kHelp},
};

}  // namespace

std::span<const FrameMenu> frameMenus() {
    return kMenus;
}

std::span<const ToolbarButton> frameToolbar() {
    // The commands every window's toolbar shares, then the frame's own.
    static const std::vector<ToolbarButton> buttons = [] {
        std::vector<ToolbarButton> all;
        for (const ToolbarCommandInfo& c : toolbarCommandTable())
            all.push_back({c.name, c.message, c.icon, c.number});
        all.push_back({"Browse/Update Customers", "Browse/Update the customer file", "Customer.ico",
                       ToolbarCustomerList});
        return all;
    }();
    return buttons;
}

}  // namespace bb
