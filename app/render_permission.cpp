// The render permission's rule.
#include "app/render_permission.h"

namespace plantapp {

void RenderPermission::StartAt(int32_t screenWidth, int32_t screenHeight) {
  startWidth.store(screenWidth);
  startHeight.store(screenHeight);
  ScreenChanged(screenWidth, screenHeight);
}

void RenderPermission::ScreenChanged(int32_t screenWidth, int32_t screenHeight) {
  width.store(screenWidth);
  height.store(screenHeight);
}

bool IsRenderAllowed(const RenderPermission& permission) {
  if (permission.followScreenMode.load()) {
    return true;
  }
  return permission.width.load() == permission.startWidth.load() &&
         permission.height.load() == permission.startHeight.load();
}

}  // namespace plantapp
