#pragma once

#include <QApplication>
#include <QByteArray>
#include <QLineEdit>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVariant>
#include <filesystem>
#include <functional>
#include <memory>

class QObject;
class QWebEngineView;
class QWidget;

namespace tolvane {
class CTolvaneApp;
class TabArea;
}  // namespace tolvane

namespace tolvane::test {

// Opens the process's one web profile in a directory of its own, kept until
// the process ends. Suites that start the application several times call it
// from initTestCase(): the profile outlives every application object, and
// the engine would keep files open in a test's data directory.
void OpenSharedProfile();

// Turns every Qt warning of the current test function into a failure, apart
// from the offscreen platform's own chatter. Call from init().
void FailOnQtWarnings();

// Runs `act` on the first modal widget that appears (polled from the event
// loop, so it also fires inside a nested exec()). Gives up after `timeout_ms`.
// The polling stops with `owner`.
void WhenModal(std::function<void(QWidget*)> act, int timeout_ms = 5000, QObject* owner = nullptr);

// Runs the event loop until `done` holds or `timeout_ms` passes; returns
// `done()`. Unlike QTest::qWait and QTRY_*, which sleep between rounds of
// events, it never starves the web engine's work on this thread (a local
// page then loads in tens of milliseconds rather than seconds).
bool WaitFor(const std::function<bool()>& done, int timeout_ms = 15000);
// Runs the event loop for `ms`.
void Spin(int ms);

QByteArray ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const QByteArray& bytes);
// A store or settings file as the program writes it: `text` in Shift_JIS,
// CR LF after each line.
void WriteStore(const std::filesystem::path& path, QString text);

// The fields of a query or form body as "name=value&...", each value
// unescaped ("+" is a space) and read as `charset`: what a shop reads.
QString FormText(const QByteArray& form, const char* charset);
// The query of a request target (after "?"), empty when none.
QByteArray QueryOf(const QByteArray& target);

// Types `text` into `edit` as a user with an input method does: each word
// committed, a space key between them.
void TypeWithInputMethod(QLineEdit* edit, const QString& text);
// Presses Enter where the window system delivers it: to the widget with the
// focus (an editable box, not its line edit: a key sent to the line edit
// itself goes on to the box, which hands it to the line edit again).
void PressEnter();

// Tab 21 "一店" over engine 501 in group 10 "お店", with keywords in
// `encoding` (engine list column 11) and sort key `order`, as the only tab;
// the program starts on it and closes without asking. `more_settings` (ini
// text) follows in the settings file.
void WriteOneShopTab(const std::filesystem::path& dir, int encoding, int order,
                     const QString& more_settings = {});

// The category row's captions, "*" after the current one: "本* 家電".
QString CategoryRow(const TabArea& area);

// Arguments for CTolvaneApp::InitInstance on `data_dir`.
QStringList AppArguments(const QString& data_dir);

// The program on `data_dir`, started as main() starts it, with its window on
// screen and its tabs open; null when it did not get there.
std::unique_ptr<CTolvaneApp> StartApp(const QString& data_dir);

// True when the file is non-empty and every line ends in CR LF.
bool HasCrLfLines(const QByteArray& bytes);

// The view of the shown page, as the user sees it in the page area.
QWebEngineView* ShownView(const CTolvaneApp& app);
// Runs `script` in the page of `view` and gives its result.
QVariant RunScript(QWebEngineView* view, const QString& script);
// The shown page's view once it takes input, null when it never does.
QWebEngineView* InputReadyView(const CTolvaneApp& app);

// The program itself, started on `data_dir` with its own XDG_RUNTIME_DIR (a
// private one keeps Qt from warning about its absence). Never left running,
// whatever the test does.
class ProgramProcess {
 public:
  // `arguments` follow "--data-dir DIR".
  ProgramProcess(const QString& data_dir, const QString& runtime_dir,
                 const QStringList& arguments = {});
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  QProcess& process() { return process_; }

 private:
  QProcess process_;
};

}  // namespace tolvane::test

// QTEST_MAIN for suites that run the whole application: web views share
// OpenGL contexts with the widgets, which must be set before the
// application object exists.
#define TOLVANE_APP_TEST_MAIN(TestObject)                       \
  int main(int argc, char** argv) {                             \
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts); \
    QApplication app(argc, argv);                               \
    app.setAttribute(Qt::AA_Use96Dpi, true);                    \
    TestObject test_object;                                     \
    QTEST_SET_MAIN_SOURCE_PATH                                  \
    return QTest::qExec(&test_object, argc, argv);              \
  }
