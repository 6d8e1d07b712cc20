#include "catalogue/catalogue_windows.h"

#include "ui/procedures.h"

namespace bb {

void registerCatalogueWindows(ProcedureRegistry& registry) {
    registry.add("BrowseCategories", BrowseCategories);
    registry.add("BrowseInvestments", BrowseInvestments);
    registry.add("BrowseSecurities", BrowseSecurities);
    registry.add("UpdateCategories", UpdateCategories);
    registry.add("UpdateInvestments", UpdateInvestments);
    registry.add("UpdateSecurities", UpdateSecurities);
}

}  // namespace bb
