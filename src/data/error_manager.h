// The error manager: turns an error id into a message in the program's own
// words, fills in the current file, field and runtime error, and reacts by
// the error's severity: nothing, a notice, a yes/no question, or a halt.
//
// One instance serves the whole program (from the GUI thread); it keeps the
// last file, field and message texts and the last saved runtime error until
// the next caller changes them. Messages go through the message service.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/severity.h"
#include "platform/message_service.h"

namespace bb {

class ErrorManager {
public:
    struct Entry {
        std::uint16_t id;
        std::string_view message;  // into the loaded table, which must outlive the manager
        std::string_view title;
        std::uint8_t fatality;
    };

    virtual ~ErrorManager() = default;

    // Creates the list and loads the program's table.
    void Setup();
    void Teardown();

    // The overridable operations, in dispatch order.
    virtual void LoadErrors(std::span<const std::uint8_t> table);
    virtual Severity HandleNone();
    virtual Severity HandleFatal();
    virtual Severity HandleNotify();
    virtual Severity HandleOther();
    virtual Severity HandleProgram();
    virtual Severity HandleAsk();

    // Saves the runtime's and the driver's last error (without trailing spaces).
    void SaveErrorState();
    void SetFileName(std::string_view name);
    void SetFieldName(std::string_view name);

    Severity HandleError(int id);
    Severity Throw(int id);
    Severity RaiseWithMessage(int id, std::string_view text);
    // Shows entry `id` with the question icon and these buttons; the button pressed.
    Button Message(int id, unsigned buttons, Button defaultButton);

    // The current entry's message with its placeholders filled in.
    std::string FilledMessage() const;

    const std::vector<Entry>& Errors() const { return errors_; }
    const std::string& FieldName() const { return fieldName_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& MessageText() const { return messageText_; }
    int SaveErrorCode() const { return saveErrorCode_; }
    const std::string& SaveError() const { return saveError_; }
    int SaveFileErrorCode() const { return saveFileErrorCode_; }
    const std::string& SaveFileError() const { return saveFileError_; }

    static constexpr std::size_t kMessageLimit = 2000;
    static constexpr std::size_t kTextLimit = 255;

private:
    // Makes the last entry with this id current; false when there is none.
    bool select(int id);
    // "%ErrorText": the driver's text and code for code 90, else the runtime's.
    std::string errorDescription() const;
    std::string currentTitle() const;
    Button present(MessageIcon icon, std::string text, unsigned buttons, Button defaultButton);

    std::vector<Entry> errors_;
    // The entry being handled, or -1 when the id is not in the table.
    int current_ = -1;
    int currentId_ = 0;
    std::string fieldName_;
    std::string fileName_;
    std::string messageText_;
    int saveErrorCode_ = 0;
    std::string saveError_;
    int saveFileErrorCode_ = 0;
    std::string saveFileError_;
};

// The program's one error manager, alive for the whole run; windows and
// procedures raise their messages through it.
ErrorManager& programErrors();

}  // namespace bb
