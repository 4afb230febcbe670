// The fault seam of the end-to-end tests' build of the saver: a run-time
// error on the tests' message, where the program itself raises none.

#include "fault_message.h"
#include "forms/core/runtime_error.h"
#include "saver/fault_seam.h"

namespace zoomorb::saver {

void RaiseFaultAskedFor(UINT message) {
    if (message == test_doubles::kRaiseFaultMessage) forms::Raise(forms::ErrorNumber::Overflow);
}

}  // namespace zoomorb::saver
