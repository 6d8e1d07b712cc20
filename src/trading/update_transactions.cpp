// "Update Transactions": one trade or cash movement of an account. The form
// keeps the account's, the representative's and the security's descriptive
// fields copied into the trade, works out its total and its price in 64ths,
// and refuses to save a trade its representative may not make: one outside
// the states the representative is registered in on the trade date, or a
// stock or bond purchase or sale without a Series 7 licence on that date.
#include <QPushButton>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue_windows.h"
#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "trading/account_class.h"
#include "trading/compliance.h"
#include "trading/kept_buffer.h"
#include "trading/price_fractions.h"
#include "trading/transaction_texts.h"
#include "trading/transaction_windows.h"
#include "ui/window.h"

namespace bb {
namespace {

constexpr TextVariable kAccountLine{"AccountLine", 40};
constexpr TextVariable kClassLine{"ClassLine", 20};
constexpr TextVariable kFractionDisplay{"FractionDisplay", 20};
constexpr TextVariable kRepresentativeLine{"RepresentativeLine", 30};
constexpr std::string_view kChooseSymbol = "...";

// A description holds 34 characters of a security's 40-character name.
constexpr std::size_t kDescriptionWidth = 34;
// The widths of the total amount: DECIMAL(15,2).
constexpr int kTotalDigits = 15;
constexpr int kTotalPlaces = 2;

std::vector<RadioDecl> typeRadios() {
    std::vector<RadioDecl> radios;
    for (const TransactionType& type : kTransactionTypes)
        radios.push_back({.text = type.button, .value = type.code, .tip = type.tip});
    return radios;
}

std::vector<RadioDecl> kindRadios() {
    std::vector<RadioDecl> radios;
    for (const CodeText& kind : kKinds) radios.push_back({.text = kind.text, .value = kind.code});
    return radios;
}

FieldDecl amount(FieldRef field, std::string_view prompt) {
    return {.field = field, .prompt = prompt, .picture = "@n-14.2", .ditto = true};
}

DropDecl representativeDrop() {
    return DropDecl{.file = FileId::Representatives,
                    .key = REP::key::REPRESENTATIVENAMEKEY,
                    .format = "29L(4)|M~Number~C(0)@s5@100L(3)|M~Name~L(2)@s25@",
                    .columns = {REP::REP_NUM, REP::REP_NAME},
                    .updates = {{REP::REPRESENTATIVENUMBER, TRN::REPRESENTATIVENUMBER},
                                {REP::REP_NUM, TRN::REP_NUM},
                                {REP::REP_NAME, TRN::REP_NAME}},
                    .defaultFill = false};
}

std::vector<FieldDecl> tradeFields() {
    return {
        {.kind = ControlKind::Display,
         .field = TRN::ACCOUNTSHORTNAME,
         .name = "Account",
         .heavy = true,
         .scale = 1.3},
        {.kind = ControlKind::Display, .local = kAccountLine, .name = "Account Number"},
        {.kind = ControlKind::DateSpin,
         .field = TRN::DATE,
         .prompt = "Transaction &Date:",
         .picture = "@d2",
         .message = "The date of this transaction",
         .ditto = true},
        {.kind = ControlKind::Option,
         .field = TRN::BUYSELL,
         .prompt = "&Type",
         .message = "Select the type of this transaction",
         .ditto = true,
         .radios = typeRadios()},
        {.kind = ControlKind::Option,
         .field = TRN::STOCKBONDCHOICE,
         .prompt = "&Kind",
         .message = "Select the kind of security",
         .ditto = true,
         .radios = kindRadios()},
        {.field = TRN::QUANTITY,
         .prompt = "&Quantity:",
         .picture = "@n-20.5",
         .message = "The number of shares, units or dollars",
         .ditto = true},
        {.field = TRN::SYMBOL,
         .prompt = "Security S&ymbol:",
         .picture = "@s7",
         .message = "Enter a symbol, or press the ellipsis (...) button to select one",
         .ditto = true},
        {.kind = ControlKind::Slot, .name = kChooseSymbol, .beside = true},
        {.kind = ControlKind::Display,
         .field = TRN::DESCRIPTION,
         .name = "Description",
         .beside = true,
         .ditto = true},
        {.kind = ControlKind::Display, .local = kFractionDisplay, .name = "Fraction"},
        {.field = TRN::PRICE,
         .prompt = "&Price:",
         .picture = "@n-19.6",
         .message = "The price per share or unit",
         .ditto = true},
        amount(TRN::ADDITIONALCHARGES, "&Additional Charges:"),
        amount(TRN::DEALERGROSS, "Dealer Co&ncession:"),
        amount(TRN::COMMISSION, "Co&mmission:"),
        {.kind = ControlKind::Display, .local = kClassLine, .name = "Class"},
        {.kind = ControlKind::DropList,
         .field = TRN::REPRESENTATIVENUMBER,
         .prompt = "&Registered Representative:",
         .message = "Select a representative from the drop-down list",
         .drop = representativeDrop()},
        {.kind = ControlKind::Display,
         .local = kRepresentativeLine,
         .name = "Representative",
         .beside = true},
        {.kind = ControlKind::Option,
         .field = TRN::RRREGISTRATION,
         .prompt = "Representative / Registered in &State",
         .ditto = true,
         .radios = {{.text = "Yes", .value = "Y"}, {.text = "No", .value = "N"}}},
        {.kind = ControlKind::Option,
         .field = TRN::SOLICITEDUNSOLICITED,
         .prompt = "Sol&icited/Unsolicited",
         .ditto = true,
         .radios = {{.text = "Unsolicited", .value = "U"}, {.text = "Solicited", .value = "S"}}},
        {.kind = ControlKind::Option,
         .field = TRN::SOURCEFUNDS,
         .prompt = "Source of &Funds",
         .ditto = true,
         .radios = {{.text = "1  New Money", .value = "1"},
                    {.text = "3  Redemption/Switch/Exchange", .value = "3"},
                    {.text = "2  Rollover", .value = "2"},
                    {.text = "4  Sale of Stock/Bond", .value = "4"},
                    {.text = "5  Re-Invest Div/Cap Gain", .value = "5"}}},
    };
}

const WindowDecl& kUpdateTransactions = declareWindow({
    .procedure = "UpdateTransactions",
    .caption = "Update Transactions",
    .recordsName = true,
    .primary = FileId::Transactions,
    .files = {FileId::Members, FileId::RepStates, FileId::Representatives, FileId::Securities,
              FileId::AccountRegistration},
    .locals = {kAccountLine, kClassLine, kFractionDisplay, kRepresentativeLine},
    .fields = tradeFields(),
    .buttons = formButtons(),
});

std::string_view typeCode() {
    return text::clip(TRN::BUYSELL.get());
}

std::string_view kindCode() {
    return text::clip(TRN::STOCKBONDCHOICE.get());
}

bool isOneOf(std::string_view code, std::initializer_list<std::string_view> codes) {
    for (std::string_view one : codes) {
        if (code == one) return true;
    }
    return false;
}

// Sales and withdrawals are entered and shown positive and filed negative.
bool filedNegative() {
    return isOneOf(typeCode(), {kSell, kWithdraw});
}

void setDecimal(DecimalField field, const Decimal& value) {
    (void)field.set(value);
}

class UpdateTransactionsWindow : public WindowManager {
public:
    UpdateTransactionsWindow() : WindowManager(kUpdateTransactions) {}

    int PrepareRequest() override {
        // Before the form keeps its copy, so that closing an unchanged
        // sale asks nothing.
        if (REQUEST != DeleteRequest) showQuantityPositive();
        readAccount();
        const int level = WindowManager::PrepareRequest();
        if (level == LevelCarryOn && REQUEST == ChangeRequest) checkCopiesOnOpening();
        return level;
    }

    void SeedNewRecord() override {
        // The customer is the account's, read by the number the list is
        // limited to, whatever another window left in the customer buffer.
        KeptBuffer account(FileId::AccountRegistration);
        const bool found = account.fetch(ACC::key::REGISTRATIONNUMBERKEY, [] {
            ACC::REGISTRATIONNUMBER.set(TRN::REGISTRATIONNUMBER.get());
        });
        if (found) copyAccount();
        TRN::RRREGISTRATION.set("Y");
        TRN::SOLICITEDUNSOLICITED.set("U");
        if (found) copyRepresentative(ACC::REPRESENTATIVENUMBER.get());
    }

    QWidget* CreateSlot(const FieldDecl& slot, QWidget* parent) override {
        if (slot.name != kChooseSymbol) return WindowManager::CreateSlot(slot, parent);
        auto* button = new QPushButton(
            QString::fromUtf8(kChooseSymbol.data(), static_cast<qsizetype>(kChooseSymbol.size())),
            parent);
        button->setAutoDefault(false);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
        button->setToolTip("Select a security product from the file");
        button->setAccessibleName("Select a security product");
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, button] { Post(EventKind::Accepted, button); });
        chooser_ = button;
        return button;
    }

    int OnAccepted() override {
        const QWidget* control = CurrentEvent().control;
        if (control && control == chooser_) {
            chooseSecurity();
            return LevelHandled;
        }
        if (control && control == Control(TRN::QUANTITY)) checkQuantitySign();
        return WindowManager::OnAccepted();
    }

    void AfterEvent() override {
        WindowManager::AfterEvent();
        alignToClass();
        Set(kAccountLine, "Account Number:  " + accountNumber_);
        alignRepresentative();
        alignToType();
        alignToKind();
        derive();
        if (CurrentEvent().kind == EventKind::OpenWindow) keepAsOpened();
    }

    bool CheckFields() override {
        if (!checkCompliance() || !checkEntries()) return false;
        if (!totalFits_) return refuseTotal();
        if (isOneOf(typeCode(), {kBuy, kSell, kDeposit})) processValues().ReceiptsPrompt.set("Yes");
        if (asksFraction()) offerFraction();
        return totalFits_ || refuseTotal();
    }

    int OnCompleted() override {
        // Only the record written carries the sign: a form that stays open
        // (the write failed) shows the quantity as the user typed it.
        const bool negated = filedNegative() && !TRN::QUANTITY.get().isNegative();
        if (negated) setDecimal(TRN::QUANTITY, -TRN::QUANTITY.get());
        if (keepRepresentative_) {
            TRN::REP_NUM.set(openingRepNum_);
            TRN::REP_NAME.set(openingRepName_);
        }
        const int level = WindowManager::OnCompleted();
        if (negated && level == LevelHandled) showQuantityPositive();
        return level;
    }

    void DittoField(QWidget* control) override {
        WindowManager::DittoField(control);
        // The last trade was filed with its sale's sign.
        showQuantityPositive();
    }

private:
    // What a new trade derives from its priming as the form opens is not
    // the user's change: closing an untouched new form asks nothing. (A
    // change keeps its copy from before the questions: a name the user
    // chose to take anew is a change to save.)
    void keepAsOpened() {
        if (!PRIMARY || REQUEST != InsertRequest) return;
        PRIMARY->Me->RestoreCopy(SAVED, false);
        SAVED = PRIMARY->Me->SaveCopy();
    }

    static void showQuantityPositive() {
        if (filedNegative() && TRN::QUANTITY.get().isNegative())
            setDecimal(TRN::QUANTITY, TRN::QUANTITY.get().abs());
    }

    void readAccount() {
        KeptBuffer account(FileId::AccountRegistration);
        const bool found = account.fetch(ACC::key::REGISTRATIONNUMBERKEY, [] {
            ACC::REGISTRATIONNUMBER.set(TRN::REGISTRATIONNUMBER.get());
        });
        accountNumber_ = found ? std::string(text::clip(ACC::ACCOUNTNUMBER.get())) : std::string();
    }

    static void copyAccount() {
        TRN::MEMBERNUMBER.set(ACC::MEMBERNUMBER.get());
        TRN::ACCOUNTCLASS.set(ACC::ACCOUNTCLASS.get());
        TRN::ACCOUNTNUMBER.set(ACC::ACCOUNTNUMBER.get());
        TRN::ACCOUNTSHORTNAME.set(ACC::ACCOUNTSHORTNAME.get());
        TRN::INVESTMENTOBJECTIVE.set(ACC::INVESTMENTOBJECTIVES.get());
        TRN::RISKTOLERANCE.set(ACC::RISKTOLERANCE.get());
        TRN::BIRTHDATE.set(ACC::BIRTHDATE.get());
    }

    static void copyRepresentative(std::int32_t number) {
        KeptBuffer representative(FileId::Representatives);
        if (!representative.fetch(REP::key::REPRESENTATIVENUMBERKEY,
                                  [number] { REP::REPRESENTATIVENUMBER.set(number); }))
            return;
        TRN::REPRESENTATIVENUMBER.set(REP::REPRESENTATIVENUMBER.get());
        TRN::REP_NUM.set(REP::REP_NUM.get());
        TRN::REP_NAME.set(REP::REP_NAME.get());
    }

    // A representative or security renamed since the trade was entered:
    // the user chooses between the trade's copy and the new name.
    void checkCopiesOnOpening() {
        openingPrice_ = TRN::PRICE.get();
        openingRepNum_ = TRN::REP_NUM.get();
        openingRepName_ = TRN::REP_NAME.get();
        keepRepresentative_ = askToKeepRepresentative();
        if (kindCode() == kCash) return;
        openingDescription_ = TRN::DESCRIPTION.get();
        keepDescription_ = askToKeepDescription();
    }

    static bool askToKeep(std::string_view title, const std::string& text) {
        messages().beep(Beep::Question);
        return messages().show({std::string(title), text, MessageIcon::Question,
                                ButtonYes | ButtonNo, ButtonYes}) == ButtonYes;
    }

    static std::string keepQuestion(std::string_view opening, const std::string& original,
                                    const std::string& now) {
        return std::string(opening) + " has been changed ...||Original: " + original +
               "||New: " + now + "||Press \"Yes\" to keep the original, \"No\" to change it.";
    }

    static bool askToKeepRepresentative() {
        const std::int32_t number = TRN::REPRESENTATIVENUMBER.get();
        KeptBuffer representative(FileId::Representatives);
        if (!representative.fetch(REP::key::REPRESENTATIVENUMBERKEY,
                                  [number] { REP::REPRESENTATIVENUMBER.set(number); }))
            buffer(FileId::Representatives).clear();
        if (text::clip(REP::REP_NUM.get()) == text::clip(TRN::REP_NUM.get()) &&
            text::clip(REP::REP_NAME.get()) == text::clip(TRN::REP_NAME.get()))
            return false;
        const bool keep =
            askToKeep("Representative Number/Name Change",
                      keepQuestion("Representative Number or Name",
                                   std::string(text::clip(TRN::REP_NUM.get())) + "  " +
                                       std::string(text::clip(TRN::REP_NAME.get())),
                                   std::string(text::clip(REP::REP_NUM.get())) + "  " +
                                       std::string(text::clip(REP::REP_NAME.get()))));
        // "No" takes the representative as the file now has it.
        if (!keep) {
            TRN::REP_NUM.set(REP::REP_NUM.get());
            TRN::REP_NAME.set(REP::REP_NAME.get());
        }
        return keep;
    }

    // With the security gone there is no new name to offer.
    static bool askToKeepDescription() {
        KeptBuffer security(FileId::Securities);
        if (!security.fetch(SEC::key::SYMBOLKEY, [] { SEC::SYMBOL.set(TRN::SYMBOL.get()); }))
            return false;
        const std::string cut = text::cut(SEC::SECURITYNAME.get(), kDescriptionWidth);
        if (text::clip(cut) == text::clip(TRN::DESCRIPTION.get())) return false;
        return askToKeep(
            "Company Name Change",
            keepQuestion("The Company Name", std::string(text::clip(TRN::DESCRIPTION.get())),
                         std::string(text::clip(SEC::SECURITYNAME.get()))));
    }

    void chooseSecurity() {
        if (!chooseSecurityProduct()) {
            Select(Control(TRN::SYMBOL));
            return;
        }
        TRN::CATEGORYNUMBER.set(SEC::CATEGORYNUMBER.get());
        TRN::SYMBOL.set(SEC::SYMBOL.get());
        Display(true);
        Select(Control(TRN::PRICE));
    }

    void checkQuantitySign() {
        const bool positiveOnly =
            isOneOf(typeCode(), {kBeginBalance, kDeposit, kWithdraw, kSell, kInventory, kBuy});
        if (!positiveOnly || !TRN::QUANTITY.get().isNegative()) return;
        messages().beep(Beep::Default);
        messages().show({"Invalid Entry", "     Quantity must be entered as a positive number...",
                         MessageIcon::Exclamation, ButtonOk, ButtonOk});
        setDecimal(TRN::QUANTITY, TRN::QUANTITY.get().abs());
    }

    // ------------------------------------------------ after every event

    void enableCharges(bool enabled) {
        Enable(TRN::ADDITIONALCHARGES, enabled);
        Enable(TRN::DEALERGROSS, enabled);
        Enable(TRN::COMMISSION, enabled);
    }

    void alignToClass() {
        const std::string_view accountClass = text::clip(TRN::ACCOUNTCLASS.get());
        const bool commission = accountClass == kCommissionClass;
        if (!commission && accountClass != kFeeBasedClass) return;
        Set(kClassLine, classLine(accountClass));
        EnableRadio(TRN::STOCKBONDCHOICE, kCash, !commission);
        enableCharges(commission && isOneOf(typeCode(), {kBuy, kSell}));
    }

    void alignRepresentative() {
        Enable(TRN::REPRESENTATIVENUMBER, !keepRepresentative_);
        Set(kRepresentativeLine, keepRepresentative_
                                     ? std::string(text::clip(openingRepNum_)) + "  " +
                                           std::string(text::clip(openingRepName_))
                                     : std::string(text::clip(TRN::REP_NAME.get())));
    }

    void alignToType() {
        const bool buy = typeCode() == kBuy;
        if (!buy) TRN::SOURCEFUNDS.clear();
        Enable(TRN::SOURCEFUNDS, buy);
        const bool buyOrSell = buy || typeCode() == kSell;
        const std::string_view accountClass = text::clip(TRN::ACCOUNTCLASS.get());
        if (!buyOrSell) {
            for (DecimalField charge : {TRN::ADDITIONALCHARGES, TRN::DEALERGROSS, TRN::COMMISSION})
                setDecimal(charge, Decimal());
            Enable(TRN::ADDITIONALCHARGES, false);
            TRN::SOLICITEDUNSOLICITED.clear();
            Enable(TRN::SOLICITEDUNSOLICITED, false);
        } else if (accountClass == kCommissionClass || accountClass == kFeeBasedClass) {
            if (accountClass == kCommissionClass) Enable(TRN::ADDITIONALCHARGES, true);
            Enable(TRN::SOLICITEDUNSOLICITED, true);
        }
        alignPrice(buyOrSell);
    }

    void alignPrice(bool buyOrSell) {
        if (buyOrSell) {
            Enable(TRN::PRICE, true);
            return;
        }
        if (kindCode() == kCash && TRN::PRICE.get() == Decimal(1)) return;
        setDecimal(TRN::PRICE, Decimal());
        Set(kFractionDisplay, "");
        Enable(TRN::PRICE, false);
    }

    void alignToKind() {
        const bool cash = kindCode() == kCash;
        // A cash movement is only a deposit or a withdrawal.
        for (const TransactionType& type : kTransactionTypes) {
            if (!isOneOf(type.code, {kDeposit, kWithdraw}))
                EnableRadio(TRN::BUYSELL, type.code, !cash);
        }
        if (cash) {
            holdCash();
        } else {
            followSymbol();
        }
    }

    void holdCash() {
        TRN::SYMBOL.set(kCashSymbol);
        enableSymbol(false);
        TRN::CATEGORYNUMBER.set(0);
        TRN::DESCRIPTION.set(kCashSymbol);
        setDecimal(TRN::PRICE, Decimal(1));
        Enable(TRN::PRICE, false);
        if (!isOneOf(typeCode(), {kDeposit, kWithdraw})) TRN::BUYSELL.clear();
    }

    void followSymbol() {
        enableSymbol(true);
        if (text::clip(TRN::SYMBOL.get()) == kCashSymbol) TRN::SYMBOL.clear();
        if (text::clip(TRN::DESCRIPTION.get()) == kCashSymbol) TRN::DESCRIPTION.clear();
        if (text::isBlank(TRN::SYMBOL.get())) return;
        KeptBuffer security(FileId::Securities);
        if (!security.fetch(SEC::key::SYMBOLKEY, [] { SEC::SYMBOL.set(TRN::SYMBOL.get()); })) {
            TRN::DESCRIPTION.clear();
            return;
        }
        // Spelt as the product spells it, so lists by symbol group it as one.
        TRN::SYMBOL.set(SEC::SYMBOL.get());
        TRN::CATEGORYNUMBER.set(SEC::CATEGORYNUMBER.get());
        enableSymbol(!keepDescription_);
        TRN::DESCRIPTION.set(keepDescription_
                                 ? openingDescription_
                                 : text::cut(SEC::SECURITYNAME.get(), kDescriptionWidth));
    }

    void enableSymbol(bool enabled) {
        Enable(TRN::SYMBOL, enabled);
        if (chooser_) chooser_->setEnabled(enabled);
    }

    // The total and the price's text, from the quantity as shown (positive)
    // and the price.
    void derive() {
        const Decimal total = totalAmount();
        totalFits_ = total.ok() && total.fits(kTotalDigits, kTotalPlaces);
        setDecimal(TRN::TOTALAMOUNT, totalFits_ ? total : Decimal());
        const PriceText price = priceText(TRN::PRICE.get(), kindCode());
        Set(kFractionDisplay, price.fractional ? price.text : std::string());
        TRN::DISPLAYPRICE.set(price.text);
    }

    static Decimal totalAmount() {
        const Decimal gross = TRN::QUANTITY.get() * TRN::PRICE.get();
        const std::string_view type = typeCode();
        if (type == kBuy) return gross + TRN::ADDITIONALCHARGES.get();
        if (type == kSell) return gross - TRN::ADDITIONALCHARGES.get();
        if (isOneOf(type, {kDeposit, kWithdraw}) && kindCode() == kCash) return gross;
        return Decimal();
    }

    // ------------------------------------------------------------ on OK

    bool checkCompliance() {
        const DayNumber date = TRN::DATE.get();
        const std::int32_t representative = TRN::REPRESENTATIVENUMBER.get();
        switch (registrationOn(representative, customerState(TRN::MEMBERNUMBER.get()), date)) {
            case Registration::None:
                return Refuse(TRN::REPRESENTATIVENUMBER, "State Registration Required",
                              "     Representative is not licensed in customer's state.");
            case Registration::Later:
                return Refuse(TRN::REPRESENTATIVENUMBER, "State Registration Required",
                              "     Registration date is later than transaction date.");
            case Registration::Registered:
                break;
        }
        if (!isOneOf(kindCode(), {kStock, kBond}) || !isOneOf(typeCode(), {kBuy, kSell}))
            return true;
        switch (series7On(representative, date)) {
            case Licence::None:
                return Refuse(TRN::REPRESENTATIVENUMBER, "Series 7 Registration Required",
                              "     Series 7 license not found in representative file.");
            case Licence::Later:
                return Refuse(TRN::REPRESENTATIVENUMBER, "Series 7 Registration Required",
                              "     Series 7 effective date is later than transaction date.");
            case Licence::Licensed:
                break;
        }
        return true;
    }

    bool checkEntries() {
        if (TRN::DATE.get() == kNoDate)
            return Refuse(TRN::DATE, "Transaction Date Required",
                          "     You must enter the date of this transaction.");
        if (typeCode().empty())
            return Refuse(TRN::BUYSELL, "Transaction Type Required",
                          "     You must select the appropriate transaction type.");
        if (kindCode().empty())
            return Refuse(TRN::STOCKBONDCHOICE, "Transaction Type Required",
                          "     You must select the appropriate transaction type.");
        if (TRN::QUANTITY.get().isZero())
            return Refuse(TRN::QUANTITY, "Quantity Required",
                          "     You must enter the quantity for this transaction.");
        return checkSymbol() && checkTerms();
    }

    bool checkSymbol() {
        if (text::clip(TRN::SYMBOL.get()) == kCashSymbol) return true;
        KeptBuffer security(FileId::Securities);
        const bool found =
            security.fetch(SEC::key::SYMBOLKEY, [] { SEC::SYMBOL.set(TRN::SYMBOL.get()); });
        if (!found)
            return Refuse(TRN::SYMBOL, "Security Symbol Required",
                          "Enter a valid symbol, or press the ellipsis (...) button to select "
                          "one from the file.");
        const std::string_view active = text::clip(SEC::ACTIVE.get());
        if (REQUEST == InsertRequest && (active.empty() || active == "0"))
            return Refuse(TRN::SYMBOL, "Active Security Symbol Required",
                          "The symbol you entered is \"Inactive\".  Enter a valid symbol, or "
                          "press the ellipsis (...) button to select one from the file.");
        return true;
    }

    bool checkTerms() {
        const std::string_view type = typeCode();
        const bool priced =
            !isOneOf(type, {kBeginBalance, kReceive, kAdjust, kInventory, kDeposit, kWithdraw});
        if (priced && TRN::PRICE.get().isZero())
            return Refuse(TRN::PRICE, "Price Required",
                          "     You must enter the price for this transaction.");
        const bool chosen =
            !text::isBlank(TRN::REP_NUM.get()) && TRN::REPRESENTATIVENUMBER.get() != 0;
        if (!keepRepresentative_ && !chosen)
            return Refuse(TRN::REPRESENTATIVENUMBER, "Registered Representative Required",
                          "     You must select a representative from the drop-down list.");
        if (isOneOf(type, {kBuy, kSell}) && text::isBlank(TRN::SOLICITEDUNSOLICITED.get()))
            return Refuse(TRN::SOLICITEDUNSOLICITED, "Solicited/Unsolicited Choice Required",
                          "     You must indicate if the order was solicited.");
        if (type == kBuy && text::isBlank(TRN::SOURCEFUNDS.get()))
            return Refuse(TRN::SOURCEFUNDS, "Source of Funds Required",
                          "     You must indicate the source of funds for this purchase.");
        return true;
    }

    bool refuseTotal() {
        return Refuse(TRN::QUANTITY, "Total Amount Too Large",
                      "     The total amount does not fit the file's field.");
    }

    bool asksFraction() const {
        if (REQUEST == InsertRequest) return kindCode() == kStock;
        return REQUEST == ChangeRequest && TRN::PRICE.get() != openingPrice_;
    }

    // A price just off a 64th is most likely that 64th typed to two decimals.
    void offerFraction() {
        const std::optional<SuggestedPrice> suggested = suggestedPrice(TRN::PRICE.get());
        if (!suggested) return;
        messages().beep(Beep::Question);
        const Button answer = messages().show(
            {"Stock Price Fraction", "     Should the price be  " + suggested->text + " ?",
             MessageIcon::Question, ButtonYes | ButtonNo, ButtonYes});
        if (answer != ButtonYes) return;
        setDecimal(TRN::PRICE, suggested->price);
        // The total and the price's text follow the price saved.
        derive();
    }

    QPushButton* chooser_ = nullptr;  // "...", owned by the window's widgets
    std::string accountNumber_;
    bool keepRepresentative_ = false;
    bool keepDescription_ = false;
    bool totalFits_ = true;
    Decimal openingPrice_;
    std::string openingRepNum_;
    std::string openingRepName_;
    std::string openingDescription_;
};

}  // namespace

void UpdateTransactions(std::string_view) {
    runCalled<UpdateTransactionsWindow>();
}

}  // namespace bb
