#include "ui/app/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <csignal>

namespace tolvane {
namespace {

int g_write_fd = -1;
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
  g_write_fd = fds_[0];
  notifier_ = new QSocketNotifier(fds_[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
  struct sigaction action {};
  action.sa_handler = &TerminationSignals::OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signal_number : kSignals) ::sigaction(signal_number, &action, nullptr);
  g_write_fd = -1;
  for (int fd : fds_) {
    if (fd >= 0) ::close(fd);
  }
}

void TerminationSignals::OnSignal(int signal_number) {
  const char byte = static_cast<char>(signal_number);
  if (g_write_fd >= 0) [[maybe_unused]]
    auto written = ::write(g_write_fd, &byte, 1);
}

void TerminationSignals::Drain() {
  char bytes[16];
  while (::read(fds_[1], bytes, sizeof bytes) > 0) {
  }
  emit terminationRequested();
}

}  // namespace tolvane
