#include "ui/browser/scene_graph_choice.h"

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

bool SceneGraphChoice::Software() {
  // QQuickWindow::graphicsApi() says OpenGL even then; the backend's name
  // tells.
  const QString software = QStringLiteral("software");
  return QQuickWindow::sceneGraphBackend() == software ||
         qEnvironmentVariable("QT_QUICK_BACKEND") == software;
}

}  // namespace tolvane
