#pragma once

namespace datecalc {

// Tells the user that the final date must not lie before the base date. The box has no owner
// window; returns once it is closed.
void ShowDateOrderError();

}  // namespace datecalc
