#include "ui/procedures.h"

#include "data/error_manager.h"
#include "dictionary/process_values.h"

namespace bb {

void ProcedureRegistry::add(std::string name, Procedure body) {
    procedures_[std::move(name)] = std::move(body);
}

void ProcedureRegistry::addUnbuilt(std::string name) {
    procedures_.try_emplace(std::move(name), nullptr);
}

void ProcedureRegistry::remove(std::string_view name) {
    const auto found = procedures_.find(name);
    if (found != procedures_.end()) procedures_.erase(found);
}

bool ProcedureRegistry::has(std::string_view name) const {
    return procedures_.find(name) != procedures_.end();
}

int ProcedureRegistry::call(std::string_view name, int request, std::string_view argument) {
    auto& values = processValues();
    const auto found = procedures_.find(name);
    if (found == procedures_.end() || !found->second) {
        programErrors().RaiseWithMessage(ErrProcedureNotDefined, name);
        values.LastResponse = ResponseCancelled;
        return ResponseCancelled;
    }
    values.PendingRequest = request;
    values.LastResponse = NoResponse;
    // Copied: the procedure may register others while it runs.
    const Procedure body = found->second;
    body(argument);
    return values.LastResponse == NoResponse ? ResponseCancelled : values.LastResponse;
}

ProcedureRegistry& procedures() {
    static ProcedureRegistry registry;
    return registry;
}

}  // namespace bb
