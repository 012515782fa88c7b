#include "shell/refresh.h"

namespace {
fw::PicturePtr cachedRefresh;
}

fw::PicturePtr refresh() {
    if (!cachedRefresh) cachedRefresh = fw::ResourcePicture(kRefreshPictureId);
    return cachedRefresh;
}

void releaseRefreshPicture() { cachedRefresh.reset(); }
