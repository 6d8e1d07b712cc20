#include "reference/annual_renewal.h"

#include "data/file_manager.h"
#include "dictionary/files.h"

namespace bb {
namespace {

// The licence fee of the state whose code is in ST:STATECODE; 0 when the
// state is not on file.
Decimal feeOfState() {
    return fileManagerFor(FileId::States)->FetchQuietly(ST::key::STATEKEY) == SeverityNone
               ? ST::LICENSEFEE.get()
               : Decimal{};
}

}  // namespace

Decimal annualRenewal(int representative) {
    FileManager& registrations = *fileManagerFor(FileId::RepStates);
    FileManager& states = *fileManagerFor(FileId::States);
    const int savedRegistration = registrations.SaveCopy();
    const int savedState = states.SaveCopy();
    Decimal sum;
    RST::REPRESENTATIVENUMBER.set(representative);
    registrations.ClearKey(RST::key::REPRESENTATIVENUMBERKEY, 2, 2);
    registrations.SetOrderAt(RST::key::REPRESENTATIVENUMBERKEY);
    while (registrations.NextQuietly() == SeverityNone &&
           RST::REPRESENTATIVENUMBER.get() == representative) {
        ST::STATECODE.set(RST::STATE.get());
        sum = sum + feeOfState();
    }
    states.RestoreCopy(savedState, true);
    registrations.RestoreCopy(savedRegistration, true);
    return sum;
}

}  // namespace bb
