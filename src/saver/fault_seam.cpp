#include "saver/fault_seam.h"

namespace zoomorb::saver {

void RaiseFaultAskedFor(UINT) {}

}  // namespace zoomorb::saver
