#include "ui_test_support.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QInputMethodEvent>
#include <QPointer>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>

#include "core/tabs/tab_area.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui/browser/browser_profile.h"
#include "ui/frame/main_frame.h"
#include "ui/tabs/tolvane_view.h"

namespace tolvane::test {

void OpenSharedProfile() {
  static QTemporaryDir* dir = new QTemporaryDir;  // left for the process's end
  BrowserProfile::Open(QStringToPath(dir->path()));
}

void FailOnQtWarnings() {
  // The offscreen platform plugin warns about features it lacks (and the
  // web engine that it has no OpenGL there); those say nothing about the
  // program.
  QTest::failOnWarning(QRegularExpression(
      QStringLiteral("^(?!This plugin does not support)(?!QStandardPaths: )"
                     "(?!WebEngineContext used before)(?!No suitable graphics backend)")));
}

void WhenModal(std::function<void(QWidget*)> act, int timeout_ms, QObject* owner) {
  auto* poll = new QTimer(owner != nullptr ? owner : qApp);
  int waited = 0;
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act, waited, timeout_ms]() mutable {
    waited += poll->interval();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal->isVisible()) {
      poll->stop();
      poll->deleteLater();
      act(modal);
    } else if (waited > timeout_ms) {
      poll->stop();
      poll->deleteLater();
    }
  });
  poll->start(10);
}

bool WaitFor(const std::function<bool()>& done, int timeout_ms) {
  if (done()) return true;
  QEventLoop loop;
  QTimer check;
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done()) loop.quit();
  });
  check.start(5);
  QTimer::singleShot(timeout_ms, &loop, &QEventLoop::quit);
  loop.exec();
  return done();
}

void Spin(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QByteArray ReadBytes(const std::filesystem::path& path) {
  QFile file(PathToQString(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteBytes(const std::filesystem::path& path, const QByteArray& bytes) {
  QFile file(PathToQString(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write test file");
  file.write(bytes);
}

void WriteStore(const std::filesystem::path& path, QString text) {
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  WriteBytes(path, QByteArray::fromStdString(ToSjis(text)));
}

void WriteOneShopTab(const std::filesystem::path& dir, int encoding, int order,
                     const QString& more_settings) {
  WriteStore(dir / "vq_tab.tbf",
             QStringLiteral("@@TabList@@\n0\n2\n"
                            "-9999\t保管箱\t0\t0\t99999999\t0\n"
                            "10\tお店\t0\t0\t0\t0\n"
                            "1\n"
                            "21\t10\t一店\t一店\t一店\t検索エンジンID[501]\t\t検索エンジンID[501]"
                            "\t検索エンジンID[501]\t\t\t%1\t\t0\t%2\n")
                 .arg(encoding)
                 .arg(order));
  WriteStore(
      dir / "vq_system.ini",
      QStringLiteral("[OptionMain]\nStartMode=4\nStartTab=21\nCloseMode=0\n") + more_settings);
}

QString FormText(const QByteArray& form, const char* charset) {
  QStringList fields;
  for (const QByteArray& pair : form.split('&')) {
    const qsizetype equals = pair.indexOf('=');
    QByteArray value = pair.mid(equals + 1);
    value.replace('+', ' ');
    QStringDecoder decode(charset);
    if (!decode.isValid()) return QStringLiteral("no decoder for ") + QLatin1String(charset);
    const QString text = decode(QByteArray::fromPercentEncoding(value));
    if (decode.hasError()) return QStringLiteral("not ") + QLatin1String(charset);
    fields << QString::fromLatin1(pair.left(equals)) + QLatin1Char('=') + text;
  }
  return fields.join(QLatin1Char('&'));
}

void TypeWithInputMethod(QLineEdit* edit, const QString& text) {
  const QStringList words = text.split(QLatin1Char(' '));
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (i > 0) QTest::keyClick(edit, Qt::Key_Space);
    QInputMethodEvent commit;
    commit.setCommitString(words[i]);
    QApplication::sendEvent(edit, &commit);
  }
}

void PressEnter() {
  QWidget* focus = QApplication::focusWidget();
  QVERIFY(focus != nullptr);
  QTest::keyClick(focus, Qt::Key_Return);
}

QByteArray QueryOf(const QByteArray& target) {
  const qsizetype mark = target.indexOf('?');
  return mark < 0 ? QByteArray() : target.mid(mark + 1);
}

QString CategoryRow(const TabArea& area) {
  QStringList tabs;
  for (int i = 0; i < area.category_count(); ++i) {
    tabs << ToQString(area.category(i).caption()) +
                (i == area.current_category() ? QStringLiteral("*") : QString());
  }
  return tabs.join(QLatin1Char(' '));
}

QStringList AppArguments(const QString& data_dir) {
  return {QStringLiteral("tolvane"), QStringLiteral("--data-dir"), data_dir};
}

std::unique_ptr<CTolvaneApp> StartApp(const QString& data_dir) {
  auto app = std::make_unique<CTolvaneApp>();
  if (app->InitInstance(AppArguments(data_dir)) != CTolvaneApp::kExitOk) return nullptr;
  CMainFrame* frame = app->main_frame();
  if (frame == nullptr || frame->view()->workspace() == nullptr) return nullptr;
  const bool exposed = WaitFor(
      [frame] { return frame->windowHandle() != nullptr && frame->windowHandle()->isExposed(); },
      5000);
  return exposed ? std::move(app) : nullptr;
}

bool HasCrLfLines(const QByteArray& bytes) {
  if (bytes.isEmpty() || !bytes.endsWith("\r\n")) return false;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
  }
  return true;
}

// The view of the shown page, as the user sees it in the page area.
QWebEngineView* ShownView(const CTolvaneApp& app) {
  for (QWebEngineView* view :
       app.main_frame()->view()->page_area()->findChildren<QWebEngineView*>()) {
    if (view->isVisible()) return view;
  }
  return nullptr;
}

// Runs `script` in the shown page and gives its result.
QVariant RunScript(QWebEngineView* view, const QString& script) {
  QVariant result;
  bool done = false;
  view->page()->runJavaScript(script, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  WaitFor([&] { return done; }, 5000);
  return result;
}

// The shown page's view once it takes input, null when it never does.
QWebEngineView* InputReadyView(const CTolvaneApp& app) {
  QWebEngineView* view = nullptr;
  if (!WaitFor([&] {
        view = ShownView(app);
        return view != nullptr && view->focusProxy() != nullptr;
      })) {
    return nullptr;
  }
  // The renderer takes input a little after the load has ended.
  Spin(300);
  return view;
}

ProgramProcess::ProgramProcess(const QString& data_dir, const QString& runtime_dir,
                               const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_dir);
  process_.setProcessEnvironment(environment);
  process_.setProgram(QStringLiteral(TOLVANE_EXE));
  process_.setArguments(QStringList{QStringLiteral("--data-dir"), data_dir} + arguments);
  process_.start();
}

ProgramProcess::~ProgramProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

}  // namespace tolvane::test
