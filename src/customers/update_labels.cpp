// "Update Labels": one label stock: the paper, the label, where the first
// label lies and the size of the print.
#include "customers/customer_printouts.h"
#include "platform/text.h"
#include "ui/window.h"

namespace bb {
namespace {

FieldDecl inches(DecimalField field, std::string_view prompt) {
    return {.field = field, .prompt = prompt, .picture = "@n-7.2", .message = "In inches"};
}

const WindowDecl& kUpdateLabels = declareWindow({
    .procedure = "UpdateLabels",
    .caption = "Update Labels",
    .recordsName = true,
    .primary = FileId::Labels,
    .fields =
        {
            {.field = LAB::LABELTYPE, .prompt = "Label &Type:", .picture = "@s15"},
            inches(LAB::PAGEWIDTH, "Page &Width:"),
            inches(LAB::PAGEHEIGHT, "Page H&eight:"),
            inches(LAB::LABELWIDTH, "Label W&idth:"),
            inches(LAB::LABELHEIGHT, "Label Hei&ght:"),
            inches(LAB::TOPMARGIN, "To&p Margin:"),
            inches(LAB::LEFTMARGIN, "&Left Margin:"),
            {.field = LAB::FONTSIZE,
             .prompt = "&Font Size:",
             .picture = "@n3",
             .message = "In points"},
        },
    .buttons = formButtons(),
});

Decimal inchesOf(std::string_view text) {
    return *Decimal::parse(text);
}

// A length no stock can have: none, or less than none.
bool missing(DecimalField field) {
    return field.get().isZero() || field.get().isNegative();
}

class UpdateLabelsWindow final : public WindowManager {
public:
    UpdateLabelsWindow() : WindowManager(kUpdateLabels) {}

    // A letter-size sheet; the label and its print are the user's to give.
    void SeedNewRecord() override {
        (void)LAB::PAGEWIDTH.set(inchesOf("8.5"));
        (void)LAB::PAGEHEIGHT.set(inchesOf("11"));
        (void)LAB::TOPMARGIN.set(inchesOf("0.35"));
        (void)LAB::LEFTMARGIN.set(inchesOf("0.5"));
        (void)LAB::LABELWIDTH.set(Decimal());
        (void)LAB::LABELHEIGHT.set(Decimal());
        LAB::FONTSIZE.set(0);
    }

    bool CheckFields() override {
        if (text::isBlank(LAB::LABELTYPE.get()))
            return Refuse(LAB::LABELTYPE, "Label Name Required",
                          "     Enter a name for this label.");
        return checkSizes() && checkMargins();
    }

private:
    bool checkSizes() {
        if (missing(LAB::PAGEWIDTH))
            return Refuse(LAB::PAGEWIDTH, "Page Width Required",
                          "     Enter the width of the label paper in inches.");
        if (missing(LAB::PAGEHEIGHT))
            return Refuse(LAB::PAGEHEIGHT, "Page Height Required",
                          "     Enter the height of the label paper in inches.");
        if (missing(LAB::LABELWIDTH))
            return Refuse(LAB::LABELWIDTH, "Label Width Required",
                          "     Enter the width of the label in inches.");
        if (missing(LAB::LABELHEIGHT))
            return Refuse(LAB::LABELHEIGHT, "Label Height Required",
                          "     Enter the height of the label in inches.");
        return true;
    }

    bool checkMargins() {
        if (missing(LAB::TOPMARGIN))
            return Refuse(LAB::TOPMARGIN, "Top Margin Required",
                          "Enter the distance from the top of the label to the first address "
                          "line in inches.");
        if (missing(LAB::LEFTMARGIN))
            return Refuse(LAB::LEFTMARGIN, "Left Margin Required",
                          "Enter the distance from the left edge of the label to the first "
                          "address character in inches.");
        if (LAB::FONTSIZE.get() == 0)
            return Refuse(LAB::FONTSIZE, "Font Size Required",
                          "Enter a font size that works well with this label.");
        return true;
    }
};

}  // namespace

void UpdateLabels(std::string_view) {
    runCalled<UpdateLabelsWindow>();
}

}  // namespace bb
