#pragma once
// The reload icon: picture resource 168 of the application, shared by the
// re-open button and the "Re-open" menu item.
#include "fw/gui/Picture.h"

// The cached picture; nullptr while the resource is missing, in which case
// the next call tries again.
fw::PicturePtr refresh();
// Drops the cached picture (at exit, and in tests).
void releaseRefreshPicture();

inline constexpr int kRefreshPictureId = 168;
