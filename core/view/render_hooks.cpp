// The installed renderer hooks.
#include "view/render_hooks.h"

#include <utility>

namespace plenwick {

namespace {
RenderHooks& Hooks() {
  static RenderHooks hooks;
  return hooks;
}
}  // namespace

RenderHooks InstallRenderHooks(RenderHooks hooks) { return std::exchange(Hooks(), std::move(hooks)); }

const RenderHooks& InstalledRenderHooks() { return Hooks(); }

}  // namespace plenwick
