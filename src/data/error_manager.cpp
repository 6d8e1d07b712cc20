#include "data/error_manager.h"

#include <span>

#include "data/error_table.h"
#include "platform/runtime.h"
#include "platform/text.h"

namespace bb {

namespace {

std::string limited(std::string_view s, std::size_t limit) {
    return std::string(s.substr(0, limit));
}

// Fills every placeholder of `text` in one pass, taking the longest one
// that matches at each "%": what is put in is never searched again.
std::string fill(std::string_view text,
                 std::span<const std::pair<std::string_view, std::string>> values) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::pair<std::string_view, std::string>* best = nullptr;
        if (text[i] == '%') {
            for (const auto& v : values) {
                if (text.substr(i, v.first.size()) == v.first &&
                    (!best || v.first.size() > best->first.size())) {
                    best = &v;
                }
            }
        }
        if (best) {
            out += best->second;
            i += best->first.size() - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

void ErrorManager::Setup() {
    errors_.clear();
    LoadErrors(programErrorTable());
}

void ErrorManager::Teardown() {
    errors_.clear();
}

void ErrorManager::LoadErrors(std::span<const std::uint8_t> table) {
    if (table.size() < 2) return;
    const std::size_t count = table[0] | (table[1] << 8);
    std::size_t at = 2;
    auto text = [&](std::string_view& out) {
        if (at >= table.size()) return false;
        const std::size_t length = table[at++];
        if (at + length > table.size()) return false;
        out = {reinterpret_cast<const char*>(table.data() + at), length};
        at += length;
        return true;
    };
    // A table cut short loads the entries it holds whole.
    for (std::size_t i = 0; i < count && at + 3 <= table.size(); ++i) {
        Entry e{};
        e.id = static_cast<std::uint16_t>(table[at] | (table[at + 1] << 8));
        e.fatality = table[at + 2];
        at += 3;
        if (!text(e.title) || !text(e.message)) break;
        errors_.push_back(e);
    }
}

void ErrorManager::SaveErrorState() {
    const RuntimeError& e = lastError();
    saveErrorCode_ = e.code;
    saveError_ = limited(text::clip(e.text), kTextLimit);
    saveFileErrorCode_ = e.fileCode;
    saveFileError_ = limited(text::clip(e.fileText), kTextLimit);
}

void ErrorManager::SetFileName(std::string_view name) {
    fileName_ = limited(text::clip(name), kTextLimit);
}
void ErrorManager::SetFieldName(std::string_view name) {
    fieldName_ = limited(text::clip(name), kTextLimit);
}

bool ErrorManager::select(int id) {
    currentId_ = id;
    for (int i = static_cast<int>(errors_.size()) - 1; i >= 0; --i) {
        if (errors_[static_cast<std::size_t>(i)].id == id) {
            current_ = i;
            return true;
        }
    }
    current_ = -1;
    return false;
}

std::string ErrorManager::errorDescription() const {
    if (saveErrorCode_ == code::kDriverError) {
        return saveFileError_ + " (" + std::to_string(saveFileErrorCode_) + ")";
    }
    return saveError_ + " (" + std::to_string(saveErrorCode_) + ")";
}

std::string ErrorManager::FilledMessage() const {
    if (current_ < 0) return "Error " + std::to_string(currentId_) + ": " + errorDescription();
    const Entry& entry = errors_[static_cast<std::size_t>(current_)];
    // Each placeholder stands for its own value even where a shorter one is
    // a prefix of it ("%File" of "%FileError", "%Error" of "%ErrorText").
    const std::pair<std::string_view, std::string> fills[] = {
        {"%File", fileName_},
        {"%ErrorCode", std::to_string(saveErrorCode_)},
        {"%ErrorText", errorDescription()},
        {"%Error", saveError_},
        {"%FileErrorCode", std::to_string(saveFileErrorCode_)},
        {"%FileError", saveFileError_},
        {"%Message", messageText_},
        {"%Field", fieldName_},
    };
    std::string text = limited(fill(entry.message, fills), kMessageLimit);
    if (text.find("%Previous") != std::string::npos) {
        std::string_view previous;
        for (int i = current_ - 1; i >= 0; --i) {
            if (errors_[static_cast<std::size_t>(i)].id == entry.id) {
                previous = errors_[static_cast<std::size_t>(i)].message;
                break;
            }
        }
        const std::pair<std::string_view, std::string> earlier[] = {
            {"%Previous", std::string(previous)}};
        text = limited(fill(text, earlier), kMessageLimit);
    }
    return text;
}

std::string ErrorManager::currentTitle() const {
    return current_ >= 0 ? std::string(errors_[static_cast<std::size_t>(current_)].title) : "Error";
}

Button ErrorManager::present(MessageIcon icon, std::string text, unsigned buttons,
                             Button defaultButton) {
    return messages().show({currentTitle(), std::move(text), icon, buttons, defaultButton});
}

Severity ErrorManager::HandleNone() {
    return SeverityNone;
}

Severity ErrorManager::HandleFatal() {
    present(MessageIcon::Exclamation, FilledMessage() + "  Press OK to end this application",
            ButtonOk, ButtonOk);
    halt(0, currentTitle());
}

Severity ErrorManager::HandleNotify() {
    present(MessageIcon::Exclamation, FilledMessage(), ButtonOk, ButtonOk);
    return SeverityNotify;
}

Severity ErrorManager::HandleOther() {
    return HandleProgram();
}

Severity ErrorManager::HandleProgram() {
    return HandleFatal();
}

Severity ErrorManager::HandleAsk() {
    const Button answer =
        present(MessageIcon::Question, FilledMessage(), ButtonYes | ButtonNo, ButtonYes);
    return answer == ButtonYes ? SeverityNone : SeverityCancel;
}

Severity ErrorManager::HandleError(int id) {
    // An id missing from the table is shown as a notice naming it.
    if (!select(id)) return HandleNotify();
    switch (errors_[static_cast<std::size_t>(current_)].fatality) {
        case SeverityNone:
            return HandleNone();
        case SeverityAsk:
        case SeverityCancel:
            return HandleAsk();
        case SeverityProgram:
            return HandleProgram();
        case SeverityFatal:
            return HandleFatal();
        case SeverityNotify:
            return HandleNotify();
        default:
            return HandleOther();
    }
}

Severity ErrorManager::Throw(int id) {
    SaveErrorState();
    return HandleError(id);
}

Severity ErrorManager::RaiseWithMessage(int id, std::string_view text) {
    messageText_ = limited(text, kTextLimit);
    return Throw(id);
}

Button ErrorManager::Message(int id, unsigned buttons, Button defaultButton) {
    select(id);
    return present(MessageIcon::Question, FilledMessage(), buttons, defaultButton);
}

ErrorManager& programErrors() {
    static ErrorManager errors;
    return errors;
}

}  // namespace bb
