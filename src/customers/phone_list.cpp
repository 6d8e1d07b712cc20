#include "customers/phone_list.h"

#include <QWidget>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kList = "Phone numbers";
constexpr std::string_view kHeading = "Owner";
// Wide enough for a full department and extension: 20 + " Ext: " + 6.
constexpr std::uint16_t kLineWidth = 32;
constexpr TextVariable kExtensionLine{"ExtensionLine", kLineWidth};
constexpr TextVariable kContactLine{"ContactLine", kLineWidth + 9};

std::vector<FieldDecl> listFields(const PhoneListShape& shape) {
    const PhoneFile& phones = shape.phones;
    return {
        {.kind = ControlKind::Display,
         .field = shape.phones.heading,
         .name = kHeading,
         .heavy = true},
        {.kind = ControlKind::List,
         .name = kList,
         .list = ListDecl{.file = phones.file,
                          .format = shape.format,
                          .columns = {phones.description, phones.number, phones.department},
                          .orders = {{.key = phones.key,
                                      .range = {.kind = SingleValue,
                                                .field = phones.owner,
                                                .limit = {.field = phones.ownerValue}}}},
                          .update = shape.update,
                          .rows = 6,
                          .hideSelect = true}},
        {.kind = ControlKind::Display, .local = kExtensionLine, .name = "Extension line"},
        {.kind = ControlKind::Display, .local = kContactLine, .name = "Contact line"},
    };
}

WindowDecl listDecl(const PhoneListShape& shape) {
    return WindowDecl{
        .procedure = shape.procedure,
        .helpTopic = "BrowseMPH",
        .caption = shape.caption,
        .recordsName = true,
        .locals = {kExtensionLine, kContactLine},
        .fields = listFields(shape),
        .buttons = {{.text = "&Insert",
                     .role = ButtonRole::Insert,
                     .message = "Add a new record to the phone number file"},
                    {.text = "&Delete", .role = ButtonRole::Delete},
                    {.text = "&Edit", .role = ButtonRole::Change, .message = shape.editTip},
                    {.text = "&Close", .role = ButtonRole::Cancel},
                    {.text = "&Help", .role = ButtonRole::Help}},
    };
}

class PhoneList final : public WindowManager {
public:
    PhoneList(const WindowDecl& decl, const PhoneListShape& shape)
        : WindowManager(decl), phones_(shape.phones) {}

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kList)->Records() > 0;
        Set(kExtensionLine,
            any ? extensionLine(phones_.department.get(), phones_.extension.get()) : "");
        Set(kContactLine, any ? contactLine(phones_.contact.get()) : "");
    }

private:
    const PhoneFile& phones_;
};

}  // namespace

std::string extensionLine(std::string_view department, std::string_view extension) {
    const std::string_view dept = text::clip(department);
    const std::string_view ext = text::clip(extension);
    if (ext.empty()) return std::string(dept);
    if (dept.empty()) return "Ext: " + std::string(ext);
    return std::string(dept) + " Ext: " + std::string(ext);
}

std::string contactLine(std::string_view contact) {
    const std::string_view clipped = text::clip(contact);
    return clipped.empty() ? std::string() : "Contact: " + std::string(clipped);
}

const WindowDecl& declarePhoneList(const PhoneListShape& shape) {
    return declareWindow(listDecl(shape));
}

void runPhoneList(const WindowDecl& list, const PhoneListShape& shape) {
    runCalled<PhoneList>(list, shape);
}

}  // namespace bb
