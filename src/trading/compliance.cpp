#include "trading/compliance.h"

#include "platform/text.h"
#include "trading/kept_buffer.h"

namespace bb {

Registration registrationOn(std::int32_t representative, std::string_view state, DayNumber date) {
    KeptBuffer kept(FileId::RepStates);
    FileManager& registrations = kept.file();
    buffer(FileId::RepStates).clear();
    RST::REPRESENTATIVENUMBER.set(representative);
    RST::STATE.set(state);
    const std::string wanted = text::upper(text::clip(state));
    Registration found = Registration::None;
    if (registrations.SetOrderAt(RST::key::REPRESENTATIVENUMBERKEY) != SeverityNone) return found;
    while (registrations.NextQuietly() == SeverityNone &&
           RST::REPRESENTATIVENUMBER.get() == representative &&
           text::upper(text::clip(RST::STATE.get())) == wanted) {
        if (RST::EFFECTIVEDATE.get() <= date) return Registration::Registered;
        found = Registration::Later;
    }
    return found;
}

Licence series7On(std::int32_t representative, DayNumber date) {
    KeptBuffer kept(FileId::Representatives);
    if (!kept.fetch(REP::key::REPRESENTATIVENUMBERKEY,
                    [&] { REP::REPRESENTATIVENUMBER.set(representative); }))
        return Licence::None;
    const std::string_view licence = text::clip(REP::SERIES7.get());
    if (licence.empty() || licence == "0") return Licence::None;
    return REP::SERIES7DATE.get() > date ? Licence::Later : Licence::Licensed;
}

std::string customerState(std::int32_t member) {
    KeptBuffer kept(FileId::Members);
    if (!kept.fetch(MBR::key::MEMBERKEY, [&] { MBR::MEMBERNUMBER.set(member); })) return {};
    return std::string(text::clip(MBR::STATE.get()));
}

}  // namespace bb
