#pragma once

#include <QApplication>
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTest>
#include <filesystem>
#include <functional>

class QObject;
class QWidget;

namespace tolvane {
class TabArea;
}

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

// A store file as the program writes it: Shift_JIS, CR LF after each line.
void WriteStore(const std::filesystem::path& path, QString text);

// The fields of a query or form body as "name=value&...", each value
// unescaped ("+" is a space) and read as `charset`: what a shop reads.
QString FormText(const QByteArray& form, const char* charset);
// The query of a request target (after "?"), empty when none.
QByteArray QueryOf(const QByteArray& target);

// The category row's captions, "*" after the current one: "本* 家電".
QString CategoryRow(const TabArea& area);

// Arguments for CTolvaneApp::InitInstance on `data_dir`.
QStringList AppArguments(const QString& data_dir);

// True when the file is non-empty and every line ends in CR LF.
bool HasCrLfLines(const QByteArray& bytes);

// The program itself, started on `data_dir` with its own XDG_RUNTIME_DIR (a
// private one keeps Qt from warning about its absence). Never left running,
// whatever the test does.
class ProgramProcess {
 public:
  ProgramProcess(const QString& data_dir, const QString& runtime_dir);
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
