// What the dictionary says about a file's records beyond their layout: the
// initial values a new record gets, and the field rules that validation
// enforces.
#pragma once

#include <optional>
#include <string>

#include "dictionary/files.h"

namespace bb {

// Puts the file's initial values into its buffer ("today" and "the current
// time" from the process clock). Files without initial values are left alone.
void seedNewRecord(FileId file);

// A field rule that the buffer breaks: the error to raise and the texts that
// fill its %Field and %Message.
struct RuleBreach {
    int errorId;
    std::string field;
    std::string message;
};

// Checks field number `field` of the file's buffer against its rule.
std::optional<RuleBreach> checkField(FileId file, int field);

}  // namespace bb
