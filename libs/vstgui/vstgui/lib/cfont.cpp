#include "cfont.h"

namespace VSTGUI {

namespace {
// Static fonts live as long as the process; nobody forgets them.
CFontDesc gSystemFont ("DejaVu Sans", 12);
CFontDesc gNormalFontVeryBig ("DejaVu Sans", 18);
CFontDesc gNormalFontBig ("DejaVu Sans", 14);
CFontDesc gNormalFont ("DejaVu Sans", 12);
CFontDesc gNormalFontSmall ("DejaVu Sans", 11);
CFontDesc gNormalFontSmaller ("DejaVu Sans", 10);
CFontDesc gNormalFontVerySmall ("DejaVu Sans", 9);
CFontDesc gSymbolFont ("DejaVu Sans", 12);
} // namespace

const CFontRef kSystemFont = &gSystemFont;
const CFontRef kNormalFontVeryBig = &gNormalFontVeryBig;
const CFontRef kNormalFontBig = &gNormalFontBig;
const CFontRef kNormalFont = &gNormalFont;
const CFontRef kNormalFontSmall = &gNormalFontSmall;
const CFontRef kNormalFontSmaller = &gNormalFontSmaller;
const CFontRef kNormalFontVerySmall = &gNormalFontVerySmall;
const CFontRef kSymbolFont = &gSymbolFont;

} // VSTGUI
