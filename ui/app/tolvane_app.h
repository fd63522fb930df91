#pragma once

#include <QMessageBox>
#include <QStringList>
#include <QTranslator>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app/startup_settings.h"

namespace tolvane {

class CHandoffServer;
class CMainFrame;
class TerminationSignals;
class CTolvaneDoc;
struct DocumentOpenResult;
class PosixEnv;
class SystemClock;

// The application: finds the data directory, opens the settings and the
// document, and creates the main window. Lives next to the QApplication,
// which must exist before InitInstance and outlive this object.
class CTolvaneApp {
 public:
  // Exit statuses of a start that did not reach the main window.
  static constexpr int kExitOk = 0;
  static constexpr int kExitBadCommandLine = 1;
  static constexpr int kExitStoreFailed = 2;
  static constexpr int kExitHeldByAnotherCopy = 3;
  static constexpr int kExitNoDataDirectory = 4;
  // The window closed, but some stores could not be written.
  static constexpr int kExitNotSaved = 5;

  CTolvaneApp();
  ~CTolvaneApp();
  CTolvaneApp(const CTolvaneApp&) = delete;
  CTolvaneApp& operator=(const CTolvaneApp&) = delete;

  // `args` as from QCoreApplication::arguments() (program name first, Qt's
  // own options already taken out). Returns kExitOk with the main window
  // shown, or the status to end with; main_frame() is null then, unless
  // only --help was asked for (kExitOk and no window).
  int InitInstance(const QStringList& args);

  // The status to end with after the event loop ran: kExitNotSaved when the
  // window closed with stores unwritten, else kExitOk.
  int ExitStatus() const;

  CMainFrame* main_frame() const { return frame_.get(); }
  CTolvaneDoc* document() const { return doc_.get(); }
  SettingsStore* settings() const { return settings_.get(); }
  const StartupSettings& startup_settings() const { return startup_settings_; }
  const std::filesystem::path& data_dir() const { return data_dir_; }
  // The command-line argument (native UTF-8), empty when none.
  const std::string& argument() const { return argument_; }
  // The page the first page tab opened (Shift_JIS); empty when the start
  // mode opened none.
  const std::string& start_url() const { return start_url_; }

 private:
  // Qt's own texts (buttons of message boxes, standard dialogs) in Japanese
  // whatever the locale, from Qt's translations where they are installed,
  // and Japanese as the default locale.
  void LoadJapaneseTranslations();

  // A message box naming `file` and `reason` under numbered string
  // `string_id`. A stop request (SIGTERM, SIGINT, SIGHUP) closes it and is
  // remembered in stop_requested_.
  void ReportFailure(QMessageBox::Icon icon, int string_id, const std::filesystem::path& file,
                     const std::string& reason, const QString& object_name);
  // An address from outside that JudgeOutsideAddress refuses (Shift_JIS):
  // named on stderr and in the status bar, never opened.
  void RefuseAddress(const std::string& address);

  std::unique_ptr<PosixEnv> env_;
  std::unique_ptr<SystemClock> clock_;
  std::unique_ptr<SettingsStore> settings_;
  std::unique_ptr<CTolvaneDoc> doc_;
  std::unique_ptr<CMainFrame> frame_;
  std::unique_ptr<TerminationSignals> termination_;
  std::unique_ptr<CHandoffServer> handoff_;
  std::vector<std::unique_ptr<QTranslator>> translators_;
  StartupSettings startup_settings_;
  std::filesystem::path data_dir_;
  std::string argument_;
  std::string start_url_;
  // A stop request arrived before the window existed; the start ends
  // without writing anything once the box that took the request is closed.
  bool stop_requested_ = false;
};

}  // namespace tolvane
