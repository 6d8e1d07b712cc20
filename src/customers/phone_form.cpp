#include "customers/phone_form.h"

#include <QWidget>
#include <string>

#include "dictionary/process_values.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr std::string_view kGeneral = "General";
constexpr std::string_view kHeading = "Owner";
// The type a new number gets when the preferences name none.
constexpr std::string_view kOfficeType = "Office";
// The complete number an account company's new phone starts from.
constexpr std::string_view kTollFreeNumber = "8000000000";
// Fewer digits than a local number cannot be dialled.
constexpr std::size_t kLocalNumberDigits = 7;

std::vector<FieldDecl> phoneFields(const PhoneFormShape& shape) {
    const PhoneFile& phones = shape.phones;
    std::vector<FieldDecl> fields{
        {.kind = ControlKind::Display,
         .field = phones.heading,
         .name = kHeading,
         .tab = kGeneral,
         .heavy = true},
        {.kind = ControlKind::Option,
         .field = phones.description,
         .prompt = "Phone &Type",
         .tab = kGeneral,
         .radios = {{.text = "&Office", .value = "Office"},
                    {.text = "C&ar", .value = "Car"},
                    {.text = "&Home", .value = "Home"},
                    {.text = "&Fax", .value = "Fax"},
                    {.text = "C&ell", .value = "Cell", .message = "Cellular"}}},
        {.field = phones.number,
         .prompt = "Phone &Number:",
         .picture = "@p(###) ###-####p",
         .message = "Enter the complete phone number",
         .tab = kGeneral},
        {.field = phones.department, .prompt = "&Department:", .picture = "@s20", .tab = kGeneral},
    };
    if (shape.showsContact)
        fields.push_back(
            {.field = phones.contact, .prompt = "&Contact:", .picture = "@s20", .tab = kGeneral});
    fields.push_back({.field = phones.extension,
                      .prompt = "E&xtension:",
                      .picture = "@s6",
                      .message = "Enter an extension number, if appropriate",
                      .tab = kGeneral});
    return fields;
}

WindowDecl phoneDecl(const PhoneFormShape& shape) {
    return WindowDecl{
        .procedure = shape.procedure,
        .helpTopic = "UpdateMPH",
        .caption = shape.caption,
        .primary = shape.phones.file,
        .fields = phoneFields(shape),
        .buttons = formButtons(),
    };
}

class PhoneForm final : public WindowManager {
public:
    PhoneForm(const WindowDecl& decl, const PhoneFormShape& shape)
        : WindowManager(decl), shape_(shape) {}

    void SeedNewRecord() override {
        if (shape_.priming == PhonePriming::TollFree) {
            shape_.phones.number.set(kTollFreeNumber);
            shape_.phones.description.set(kOfficeType);
            return;
        }
        const int areaCode = CTRL::DEFAULTAREACODE.get();
        if (areaCode > 0) shape_.phones.number.set(std::to_string(areaCode) + "0000000");
        const std::string& type = CTRL::DEFAULTPHONETYPE.get();
        shape_.phones.description.set(text::isBlank(type) ? kOfficeType : std::string_view(type));
    }

    bool CheckFields() override {
        if (text::isBlank(shape_.phones.description.get()))
            return Refuse(shape_.phones.description, "Select Phone Type",
                          "     Select the type of phone to record.");
        if (text::length(shape_.phones.number.get()) < kLocalNumberDigits)
            return Refuse(shape_.phones.number, "Incomplete Phone Number",
                          "     Enter a complete phone number...");
        return true;
    }

private:
    const PhoneFormShape& shape_;
};

}  // namespace

const WindowDecl& declarePhoneForm(const PhoneFormShape& shape) {
    return declareWindow(phoneDecl(shape));
}

void runPhoneForm(const WindowDecl& form, const PhoneFormShape& shape) {
    runCalled<PhoneForm>(form, shape);
}

}  // namespace bb
