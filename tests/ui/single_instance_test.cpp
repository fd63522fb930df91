// Two real processes on one data directory: the second must end at once;
// the hand-over between them.
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "core/app/handoff.h"

#include "platform/posix_env.h"
#include "ui/app/handoff_server.h"
#include "ui/app/tolvane_app.h"
#include "ui/base/qt_text.h"
#include "ui_test_support.h"

namespace tolvane {
class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { test::FailOnQtWarnings(); }

  void secondProcessEndsWithStatusThree() {
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    const std::filesystem::path lock = data / "vq_searchtree.egt";
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    test::ProgramProcess first(dir.path(), runtime_dir.path());
    QVERIFY(first.process().waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(lock), 10000);

    test::ProgramProcess second(dir.path(), runtime_dir.path());
    QVERIFY(second.process().waitForFinished(10000));
    QCOMPARE(second.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process().exitCode(), CTolvaneApp::kExitHeldByAnotherCopy);
    const QByteArray error = second.process().readAllStandardError();
    QVERIFY2(error.startsWith("tolvane: ") && error.contains("vq_instance.lock") &&
                 error.count('\n') == 1,
             error.constData());
    QCOMPARE(second.process().readAllStandardOutput(), QByteArray());

    // Through a link to the directory the running copy is found all the
    // same; it refuses an address no web page has.
    const QString link = runtime_dir.path() + QStringLiteral("/link");
    QVERIFY(QFile::link(dir.path(), link));
    QTRY_VERIFY_WITH_TIMEOUT(
        std::filesystem::exists(handoff::SocketPath(QStringToPath(runtime_dir.path()),
                                                    std::filesystem::canonical(data))),
        20000);
    test::ProgramProcess third(link, runtime_dir.path(), {QStringLiteral("javascript:alert(1)")});
    QVERIFY(third.process().waitForFinished(10000));
    QCOMPARE(third.process().exitCode(), CTolvaneApp::kExitHeldByAnotherCopy);
    QVERIFY(third.process().readAllStandardError().contains(
        "tolvane: javascript:alert(1) went to the running copy\n"));
    QByteArray refused;
    QTRY_VERIFY_WITH_TIMEOUT(
        (refused += first.process().readAllStandardError())
            .contains("tolvane: not opened, only http and https addresses come from outside: "
                      "javascript:alert(1)\n"),
        10000);

    QCOMPARE(first.process().state(), QProcess::Running);
    first.process().terminate();
    QVERIFY(first.process().waitForFinished(10000));
    // Ended copies leave no hold behind.
    QVERIFY(!env.IsFileHeldElsewhere(lock));
  }

  // A logout or `kill` must not cost the changes since the last timed save:
  // the browser closes in order, without the exit dialog, and saves. Nobody
  // can answer the retry question then: a store that cannot be written is
  // named on stderr, the others are written, and the status says it.
  void terminatedBrowserSavesWhatItCan_data() {
    QTest::addColumn<bool>("tab_file_blocked");
    QTest::newRow("every store written") << false;
    QTest::newRow("tab file blocked") << true;
  }
  void terminatedBrowserSavesWhatItCan() {
    QFETCH(bool, tab_file_blocked);
    QTemporaryDir dir;
    QTemporaryDir runtime_dir;
    const std::filesystem::path data = QStringToPath(dir.path());
    PosixEnv env(PosixEnv::DefaultMutexDirectory());

    test::ProgramProcess browser(dir.path(), runtime_dir.path());
    QVERIFY(browser.process().waitForStarted(5000));
    // The lock file comes after every other store is read.
    QTRY_VERIFY_WITH_TIMEOUT(env.IsFileHeldElsewhere(data / "vq_searchtree.egt"), 10000);
    QVERIFY(!std::filesystem::exists(data / "vq_clip.clf"));
    if (tab_file_blocked) std::filesystem::create_directory(data / "vq_tab.tbf");

    browser.process().terminate();
    QVERIFY(browser.process().waitForFinished(10000));
    QCOMPARE(browser.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(browser.process().exitCode(),
             tab_file_blocked ? CTolvaneApp::kExitNotSaved : CTolvaneApp::kExitOk);
    for (const char* name : {"vq_clip.clf", "vq_history.his"}) {
      QVERIFY2(test::HasCrLfLines(test::ReadBytes(data / name)), name);
    }
    QCOMPARE(test::HasCrLfLines(test::ReadBytes(data / "vq_tab.tbf")), !tab_file_blocked);
    const QByteArray err = browser.process().readAllStandardError();
    QCOMPARE(err.contains("tolvane: closed without saving vq_tab.tbf (6 other files saved):\n" +
                          dir.path().toUtf8() + "/vq_tab.tbf: "),
             tab_file_blocked);
    QCOMPARE(test::ReadBytes(data / "vq_system.ini").contains("CloseMode"), false);
  }

  // Senders that never finish are closed after the time-out, and past the
  // limit at once, unread; a sender that finishes is heard all the same.
  void handOverClosesStalledConnections() {
    QTemporaryDir runtime_dir;
    const std::filesystem::path path = QStringToPath(runtime_dir.path()) / "h.sock";
    CHandoffServer server(path, nullptr, std::chrono::milliseconds(300));
    QVERIFY(server.listening());
    QSignalSpy received(&server, &CHandoffServer::argumentReceived);
    std::vector<std::unique_ptr<QLocalSocket>> stalled;
    for (int i = 0; i <= handoff::kMaxConnections; ++i) {
      stalled.push_back(std::make_unique<QLocalSocket>());
      stalled.back()->connectToServer(PathToQString(path));
      QVERIFY(stalled.back()->waitForConnected(1000));
      stalled.back()->write("http://127.0.0.1/half");
    }
    QTRY_COMPARE(server.open_connections(), handoff::kMaxConnections);
    QTRY_COMPARE(stalled.back()->state(), QLocalSocket::UnconnectedState);
    QCOMPARE(stalled.front()->state(), QLocalSocket::ConnectedState);
    QTRY_COMPARE(server.open_connections(), 0);
    QTRY_COMPARE(stalled.front()->state(), QLocalSocket::UnconnectedState);

    QVERIFY(CHandoffServer::Send(path, "http://127.0.0.1/whole"));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.front().front().value<std::string>(), std::string("http://127.0.0.1/whole"));
  }

  // Another user's process is never heard, and never told an address: not
  // by this copy's socket, and not as a listener in its place.
  void handOverTalksOnlyToThisUser() {
    QTemporaryDir runtime_dir;
    QFile::setPermissions(runtime_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                  QFileDevice::WriteOther | QFileDevice::ExeOther);
    const std::filesystem::path ours = QStringToPath(runtime_dir.path()) / "ours.sock";
    const std::filesystem::path theirs = QStringToPath(runtime_dir.path()) / "theirs.sock";
    CHandoffServer server(ours, nullptr);
    QSignalSpy received(&server, &CHandoffServer::argumentReceived);
    ::chmod(ours.c_str(), 0777);  // past the file's own guard

    const pid_t other = ::fork();
    if (other == 0) RunAsOtherUser(ours, theirs);
    QVERIFY(other > 0);
    auto reap = qScopeGuard([other] {
      ::kill(other, SIGKILL);
      ::waitpid(other, nullptr, 0);
    });
    QTRY_VERIFY(std::filesystem::exists(theirs));
    std::string why;
    QVERIFY(!CHandoffServer::Send(theirs, "http://127.0.0.1/secret", &why));
    QCOMPARE(why, theirs.string() + " belongs to another user");

    // Connections are taken in order: the other user's came first.
    QVERIFY(CHandoffServer::Send(ours, "http://127.0.0.1/mine"));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.front().front().value<std::string>(), std::string("http://127.0.0.1/mine"));
  }

 private:
  // In a child process, as user "nobody": hands `ours` an address, then
  // listens at `theirs` until killed. Only system calls: the child of a
  // threaded process may do no more.
  [[noreturn]] static void RunAsOtherUser(const std::filesystem::path& ours,
                                          const std::filesystem::path& theirs) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(1);
    auto address = [](const std::filesystem::path& path) {
      sockaddr_un un{};
      un.sun_family = AF_UNIX;
      std::strncpy(un.sun_path, path.c_str(), sizeof un.sun_path - 1);
      return un;
    };
    const sockaddr_un to = address(ours);
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    constexpr char kMessage[] = "http://127.0.0.1/from-another-user";
    // Listening at `theirs` tells the test that this was sent.
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) != 0 ||
        ::write(fd, kMessage, sizeof kMessage - 1) != static_cast<ssize_t>(sizeof kMessage - 1)) {
      ::_exit(1);
    }
    ::close(fd);
    const sockaddr_un at = address(theirs);
    fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&at), sizeof at) != 0 ||
        ::listen(fd, 4) != 0) {
      ::_exit(1);
    }
    ::alarm(30);  // ends it should the test not
    for (;;) ::pause();
  }
};

}  // namespace tolvane

QTEST_MAIN(tolvane::SingleInstanceTest)
#include "single_instance_test.moc"
