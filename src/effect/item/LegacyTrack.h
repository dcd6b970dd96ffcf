#pragma once
// A track of the legacy exchange file ("first,second,mode[@script][,param]")
// in the number item's own text form ("first,second,movement,bits[|param]").
// The mode's low four bits choose the movement through the "trackmode"
// table of effect.conf (else the script named after "@"); mode bit 6 gives
// accelerate, bit 5 decelerate, and the table's SingleSection mode ignores
// mid-points. A text of at most two pieces is returned unchanged; a mode
// that is not a number throws the standard conversion errors.
#include <string>

namespace Effect {

std::string convertLegacyTrack(const std::string& text);

}  // namespace Effect
