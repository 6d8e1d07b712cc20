#include "trading/transaction_texts.h"

#include "dictionary/files.h"
#include "platform/text.h"

namespace bb {

std::string typeText(std::string_view code, const Decimal& quantity) {
    const std::string_view clipped = text::clip(code);
    if (quantity.isNegative() && clipped == kReceive) return "Reverse";
    if (quantity.isNegative() && clipped == kAdjust) return "Negative Adjust";
    for (const TransactionType& type : kTransactionTypes) {
        if (type.code == clipped) return std::string(type.text);
    }
    return std::string(clipped);
}

std::string_view codeText(std::span<const CodeText> table, std::string_view code) {
    const std::string_view clipped = text::clip(code);
    for (const CodeText& entry : table) {
        if (entry.code == clipped) return entry.text;
    }
    return {};
}

std::string_view fundSourceText(std::string_view code) {
    const std::string_view words = codeText(kFundSources, code);
    return words.empty() ? std::string_view("N/A") : words;
}

std::string plainNumber(const Decimal& value) {
    std::string shown = value.toString();
    if (shown.find('.') == std::string::npos) return shown;
    while (shown.back() == '0') shown.pop_back();
    if (shown.back() == '.') shown.pop_back();
    return shown;
}

std::string descriptionLine() {
    const std::string type(text::clip(TRN::BUYSELL.get()));
    const std::string start = typeText(type, TRN::QUANTITY.get()) + " " +
                              plainNumber(TRN::QUANTITY.get().abs()) + " " +
                              std::string(text::clip(TRN::DESCRIPTION.get()));
    const std::string price(text::clip(TRN::DISPLAYPRICE.get()));
    const std::string solicited(codeText(kSolicitations, TRN::SOLICITEDUNSOLICITED.get()));
    if (type == kBuy)
        return start + " @ " + price + "  (" + solicited + ")  " +
               std::string(fundSourceText(TRN::SOURCEFUNDS.get()));
    if (type == kSell) return start + " @  " + price + " (" + solicited + ")";
    return start;
}

}  // namespace bb
