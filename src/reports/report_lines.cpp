#include "reports/report_lines.h"

#include "data/file_manager.h"
#include "dictionary/files.h"
#include "platform/text.h"

namespace bb {

namespace {

void appendWord(std::string& line, std::string_view word) {
    const std::string_view clipped = text::clip(word);
    if (clipped.empty()) return;
    if (!line.empty()) line += ' ';
    line += clipped;
}

}  // namespace

std::string customerNameLine() {
    if (text::equal(MBR::MEMBERTYPE.get(), "Company"))
        return std::string(text::clip(MBR::COMPANYNAME.get()));
    std::string line;
    appendWord(line, MBR::FIRSTNAME.get());
    // An initial stands with its full stop: "John Q. Smith".
    if (const std::string_view initial = text::clip(MBR::MIDDLENAME.get()); !initial.empty())
        appendWord(line, std::string(initial) + ".");
    appendWord(line, MBR::LASTNAME.get());
    return line;
}

std::array<std::string, 3> addressBlock() {
    const std::string& second = MBR::ADDRESS2.get();
    if (text::equal(MBR::FOREIGN.get(), "I")) {
        if (text::isBlank(second)) return {MBR::ADDRESS.get(), MBR::COUNTRY.get(), ""};
        return {MBR::ADDRESS.get(), second, MBR::COUNTRY.get()};
    }
    const std::string place = std::string(text::clip(MBR::CITY.get())) + ", " + MBR::STATE.get() +
                              " " + MBR::ZIPCODE.get();
    if (text::isBlank(second)) return {MBR::ADDRESS.get(), place, ""};
    return {MBR::ADDRESS.get(), second, place};
}

std::string representativeLine() {
    return std::string(text::clip(REP::REP_NUM.get())) + "  " +
           std::string(text::clip(REP::REP_NAME.get()));
}

bool fetchRepresentative(std::int32_t number) {
    REP::REPRESENTATIVENUMBER.set(number);
    if (fileManagerFor(FileId::Representatives)->FetchQuietly(REP::key::REPRESENTATIVENUMBERKEY) ==
        SeverityNone)
        return true;
    buffer(FileId::Representatives).clear();
    return false;
}

}  // namespace bb
