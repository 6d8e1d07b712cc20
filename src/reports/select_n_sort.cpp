#include "reports/select_n_sort.h"

#include "dictionary/process_values.h"
#include "reports/record_selection_window.h"
#include "ui/window.h"

namespace bb {

namespace {

constexpr TextVariable kSortChoice{"SortChoice", 20};

const WindowDecl& kSelectNSort = declareWindow({
    .procedure = "SelectNSort",
    .caption = "Select N Sort Records to Print",
    .locals = {kStatusChoice, kSortChoice},
    .fields =
        {
            {.kind = ControlKind::Option,
             .local = kStatusChoice,
             .prompt = "&Status",
             .radios =
                 {{"Active", "MBR:Active=1", "", "Include only active customers on the report"},
                  {"Inactive", "MBR:Active=0", "", "Include only inactive customers on the report"},
                  {"Both", "Both", "",
                   "Include both active and inactive customers on the report"}}},
            {.kind = ControlKind::MarkedList,
             .prompt = "Mark &Represntatives",
             .message = "Include customers for the marked representative(s)",
             .drop = selectionMarks(RepresentativesList,
                                    "32L(5)|M~Number~L(2)@s5@108L(2)|M~Representative~@s25@"),
             .lines = 8},
            {.kind = ControlKind::MarkedList,
             .prompt = "Mark Customer &Groups",
             .message = "Include customers in the marked customer group(s)",
             .beside = true,
             .drop = selectionMarks(GroupsList, "80L(2)~Customer Group~@s20@"),
             .lines = 8},
            {.kind = ControlKind::MarkedList,
             .prompt = "Mark Customer Cl&assification",
             .message = "Include customers of the marked classification(s)",
             .beside = true,
             .drop = selectionMarks(ClassificationsList, "60L(2)~Customer Classification~@s15@"),
             .lines = 8},
            {.kind = ControlKind::Option,
             .local = kSortChoice,
             .prompt = "Sort b&y ...",
             .radios = {{"Customer Name", "MBR:CompanyName", "",
                         "Sort the report by customer last name"},
                        {"ZIP Code", "MBR:ZIPCode", "", "Sort the report by customer zip code"}}},
        },
    .buttons =
        {
            {.text = "&Print",
             .role = ButtonRole::Ok,
             .message = "Print the report using the marked criteria"},
            {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Cancel printing and exit"},
            {.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"},
        },
});

class SelectNSortWindow final : public RecordSelectionWindow {
public:
    SelectNSortWindow(TextField filter, TextField sort)
        : RecordSelectionWindow(
              kSelectNSort,
              {"Mark Customer Groups", "Mark Customer Classification", "Mark Represntatives"},
              filter),
          sort_(sort) {}

    void Open() override {
        Set(kSortChoice, sort_.get());
        RecordSelectionWindow::Open();
    }

    int OnCompleted() override {
        BuildSelection();
        sort_.set(Get(kSortChoice));
        return RecordSelectionWindow::OnCompleted();
    }

private:
    TextField sort_;
};

}  // namespace

int SelectNSort(TextField filter, TextField sort) {
    SelectNSortWindow window(filter, sort);
    return window.Run();
}

void runSelectNSort(std::string_view) {
    processValues().LastResponse = SelectNSort(CTRL::REPORTFILTER, CTRL::REPORTKEY);
}

}  // namespace bb
