#include "air/calculator/fault.h"

#include "hygrian/outcomes.h"

namespace hygrian::air {

// A fault's text is its status's in the outcomes table: Fault::Invalid is
// Status::InvalidOperation, and so on in order.
std::string_view FaultText(Fault fault) {
  if (fault == Fault::None) return "";
  return OutcomeOfCode(static_cast<int>(Status::InvalidOperation) + static_cast<int>(fault) - 1)
      .text;
}

}  // namespace hygrian::air
