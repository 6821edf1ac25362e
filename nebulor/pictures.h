#pragma once
// Pictures, icon and pointer of nebulor at the pixel sizes the layouts use.

#include "runtime/base/values.h"

namespace nebulor {

inline const rt::Picture kBackground{":/nebulor/background.svg", 570, 374};
inline const rt::Picture kUfo{":/nebulor/ufo.svg", 145, 41};
inline const rt::Picture kInvader{":/nebulor/invader.svg", 94, 135};  // quorrel's walker
inline const rt::Picture kCannon{":/nebulor/cannon.svg", 109, 96};
inline const rt::Picture kCannonFiring{":/nebulor/cannon_firing.svg", 109, 96};
inline const rt::Picture kSplash{":/nebulor/splash.svg", 264, 92};
inline const rt::Picture kGradient{":/nebulor/gradient.svg", 800, 600};
inline const rt::Picture kSmallGradient{":/nebulor/gradient.svg", 640, 480};
inline const rt::Picture kIcon{":/nebulor/icon.svg", 32, 32};
inline const rt::Cursor kGameCursor{{":/nebulor/cursor.svg", 32, 32}, 16, 16};

}  // namespace nebulor
