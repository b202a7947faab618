#include "platform/core/DeviceContext.h"

namespace {

int g_nPictureDensity = 1;

}  // namespace

int PictureDensity() { return g_nPictureDensity; }

void SetPictureDensity(int density) { g_nPictureDensity = density > 1 ? 2 : 1; }
