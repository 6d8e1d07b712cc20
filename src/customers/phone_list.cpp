#include "customers/phone_list.h"

#include <QWidget>
#include <map>

#include "customers/heavy_heading.h"
#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/window_manager.h"

namespace bb {
namespace {

constexpr std::string_view kList = "Phone numbers";
constexpr std::string_view kHeading = "Owner";
constexpr std::string_view kExtensionLine = "ExtensionLine";
constexpr std::string_view kContactLine = "ContactLine";
// Wide enough for a full department and extension: 20 + " Ext: " + 6.
constexpr std::uint16_t kLineWidth = 32;

std::vector<FieldDecl> listFields(const PhoneListShape& shape) {
    const PhoneFile& phones = shape.phones;
    return {
        {.kind = ControlKind::Display, .field = shape.phones.heading, .name = kHeading},
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
        .locals = {{.name = kExtensionLine, .spec = T_STRING(kLineWidth)},
                   {.name = kContactLine, .spec = T_STRING(kLineWidth + 9)}},
        .fields = listFields(shape),
        .buttons = {{.text = "&Insert",
                     .role = ButtonRole::Insert,
                     .message = "Add a new record to the phone number file"},
                    {.text = "&Delete", .role = ButtonRole::Delete},
                    {.text = "&Edit", .role = ButtonRole::Change, .message = shape.editTip},
                    {.text = "&Close", .role = ButtonRole::Cancel},
                    {.text = "&Help", .role = ButtonRole::Help}},
        .procedures = {shape.update},
    };
}

const WindowDecl& declFor(const PhoneListShape& shape) {
    static std::map<std::string_view, WindowDecl> decls;
    auto found = decls.find(shape.procedure);
    if (found == decls.end()) found = decls.emplace(shape.procedure, listDecl(shape)).first;
    return found->second;
}

class PhoneList final : public WindowManager {
public:
    explicit PhoneList(const PhoneListShape& shape)
        : WindowManager(declFor(shape)), phones_(shape.phones) {}

    void SetupControls() override {
        WindowManager::SetupControls();
        makeHeavy(*Control(kHeading));
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        const bool any = Browse(kList)->Records() > 0;
        SetLocal(kExtensionLine,
                 Value::text(any ? extensionLine(phones_.department.get(), phones_.extension.get())
                                 : std::string()));
        SetLocal(kContactLine,
                 Value::text(any ? contactLine(phones_.contact.get()) : std::string()));
        Display();
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

void runPhoneList(const PhoneListShape& shape) {
    PhoneList list(shape);
    processValues().LastResponse = list.Run();
}

}  // namespace bb
