// A representative's annual renewal: the licence fees of every state the
// representative is registered in, added up. Reads the RepStates and States
// files through their file managers (both must be open) and leaves every
// buffer it touches as it found it. Used from the GUI thread only.
#pragma once

#include "platform/decimal.h"

namespace bb {

// The sum of ST:LICENSEFEE over the RepStates records of representative
// `representative` (its internal number). A registration whose state is no
// longer on file adds nothing.
Decimal annualRenewal(int representative);

}  // namespace bb
