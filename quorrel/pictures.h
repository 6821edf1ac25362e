#pragma once
// Pictures, icon and cursor of quorrel at the pixel sizes the layouts use.

#include "runtime/base/values.h"

namespace quorrel {

inline const rt::Picture kBackground{":/quorrel/background.svg", 368, 275};
inline const rt::Picture kButtonPicture{":/quorrel/button.svg", 93, 41};
inline const rt::Picture kUfo{":/quorrel/ufo.svg", 145, 41};
inline const rt::Picture kWalker{":/quorrel/walker.svg", 94, 135};
inline const rt::Picture kSplash{":/quorrel/splash.svg", 262, 92};
inline const rt::Picture kIcon{":/quorrel/icon.svg", 32, 32};
inline const rt::Cursor kGameCursor{{":/quorrel/cursor.svg", 32, 32}, 16, 16};
inline const rt::Cursor kHandCursor{{":/quorrel/hand.svg", 32, 32}, 5, 0};

}  // namespace quorrel
