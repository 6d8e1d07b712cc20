// The security catalogue's windows: the product categories, the
// investments of a category and the products of an investment, each with
// its form. From the menu the category list opens and leads down the
// levels; a caller that needs a product runs the selection chain
// (category, then investment, then product, each a selection).
//
// Each procedure reads its request from PendingRequest and leaves its
// response in LastResponse. registerCatalogueWindows puts them in a
// procedure registry under their names. Used from the GUI thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace bb {

class ProcedureRegistry;

// Started from the menu, or called with SelectRequest to choose a category.
void BrowseCategories(std::string_view argument);
// Called from the category list for the category in its buffer, or with
// SelectRequest, which chooses the category first.
void BrowseInvestments(std::string_view argument);
// Called from the investment list for the investment in its buffer, or
// with SelectRequest, which chooses the investment first.
void BrowseSecurities(std::string_view argument);
void UpdateCategories(std::string_view argument);
void UpdateInvestments(std::string_view argument);
void UpdateSecurities(std::string_view argument);

// The selection chain: the number of the product the user chose, its
// record left in the Securities buffer; none when the user cancelled at
// any level.
std::optional<std::int32_t> chooseSecurityProduct();

void registerCatalogueWindows(ProcedureRegistry& registry);

}  // namespace bb
