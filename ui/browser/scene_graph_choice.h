#pragma once

#include <filesystem>

namespace tolvane {

// How the web views are drawn into the window; chosen once, before the
// application object exists.
//
// Without a graphics device (no DRI render node: a virtual machine, a
// remote or virtual X server) OpenGL is a software rasterizer. Composing
// the window through it then costs 15-25 ms a repaint and most of a core
// while pages load, and a search's first result waits for it. The views
// are then drawn with Qt Quick's software renderer, as a browser without a
// GPU composes in software. QT_QUICK_BACKEND, when set, decides instead.
class SceneGraphChoice {
 public:
  // Whether `dri` (normally /dev/dri) holds a render node "renderD…".
  static bool HasRenderNode(const std::filesystem::path& dri);
  // Applies the choice for this machine; true when the software renderer
  // was chosen.
  static bool Apply();
  // Whether the views are drawn with the software renderer (chosen by Apply
  // or by QT_QUICK_BACKEND).
  static bool Software();
};

}  // namespace tolvane
