#include <QApplication>
#include <QIcon>

#include "ui/app/tolvane_app.h"
#include "ui/browser/scene_graph_choice.h"
#include "ui/frame/main_frame.h"

int main(int argc, char* argv[]) {
  // Web views share OpenGL contexts with the widgets; this must be set
  // before the application object exists.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  tolvane::SceneGraphChoice::Apply();
  QApplication qt_app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tolvane"));
  // The installed desktop entry and icon (share/applications, share/icons).
  QGuiApplication::setDesktopFileName(QStringLiteral("tolvane"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("tolvane")));

  tolvane::CTolvaneApp app;
  const int start_status = app.InitInstance(QApplication::arguments());
  if (app.main_frame() == nullptr) return start_status;
  const int status = QApplication::exec();
  return status != 0 ? status : app.ExitStatus();
}
