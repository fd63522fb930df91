#include "ui/app/scene_graph_choice.h"

#include <QQuickWindow>
#include <QSGRendererInterface>
#include <system_error>

namespace tolvane {

bool SceneGraphChoice::HasRenderNode(const std::filesystem::path& dri) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(dri, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().filename().string().starts_with("renderD")) return true;
  }
  return false;
}

bool SceneGraphChoice::Apply() {
  if (qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) return false;
  if (HasRenderNode("/dev/dri")) return false;
  QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
  return true;
}

}  // namespace tolvane
