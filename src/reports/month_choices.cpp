#include "reports/month_choices.h"

namespace bb {

const std::vector<RadioDecl>& monthChoices() {
    static const std::vector<RadioDecl> choices{
        {"January", "January"}, {"February", "February"}, {"March", "March"},
        {"April", "April"},     {"May", "May"},           {"June", "June"},
        {"July", "July"},       {"August", "August"},     {"September", "September"},
        {"October", "October"}, {"November", "November"}, {"December", "December"},
    };
    return choices;
}

}  // namespace bb
