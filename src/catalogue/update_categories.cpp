// "Update Security Product Categories": a product category's name.
#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

const WindowDecl& kUpdateCategories = declareWindow({
    .procedure = "UpdateCategories",
    .caption = "Update Security Product Categories",
    .recordsName = true,
    .primary = FileId::Rooms,
    .fields =
        {{.field = ROO::ROOMNAME, .prompt = "Category &Name:", .picture = "@s20", .ditto = true}},
    .buttons = formButtons(),
});

class UpdateCategoriesWindow : public WindowManager {
public:
    UpdateCategoriesWindow() : WindowManager(kUpdateCategories) {}

    bool CheckFields() override {
        if (text::isBlank(ROO::ROOMNAME.get()))
            return Refuse(ROO::ROOMNAME, "Category Name Required",
                          "     Enter a name for this product category.");
        return true;
    }
};

}  // namespace

void UpdateCategories(std::string_view) {
    runCalled<UpdateCategoriesWindow>();
}

}  // namespace bb
