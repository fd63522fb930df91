#include "ui/app/tolvane_app.h"

#include <QUrl>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>
#include <system_error>
#include <vector>

#include "core/app/command_line.h"
#include "core/app/handoff.h"
#include "core/app/tolvane_doc.h"
#include "core/files/settings_store.h"
#include "core/files/string_table.h"
#include "platform/posix_env.h"
#include "platform/system_clock.h"
#include "ui/app/handoff_server.h"
#include "ui/app/shipped_engine_list.h"
#include "ui/app/termination_signals.h"
#include "ui/base/qt_text.h"
#include "ui/browser/browser_profile.h"
#include "ui/frame/main_frame.h"

namespace tolvane {

CTolvaneApp::CTolvaneApp() = default;

// The frame refers to the document and the document to the settings: tear
// down in that order.
CTolvaneApp::~CTolvaneApp() {
  handoff_.reset();
  termination_.reset();
  frame_.reset();
  doc_.reset();
  settings_.reset();
}

int CTolvaneApp::InitInstance(const QStringList& args) {
  std::vector<std::string> words;
  for (qsizetype i = 1; i < args.size(); ++i) words.push_back(args[i].toStdString());
  const CommandLine command_line = CommandLine::Parse(words);
  if (!command_line.error.empty()) {
    std::fprintf(stderr, "tolvane: %s\n%s", command_line.error.c_str(), CommandLine::Usage());
    return kExitBadCommandLine;
  }
  if (command_line.show_help) {
    std::fputs(CommandLine::Usage(), stdout);
    return kExitOk;
  }
  LoadJapaneseTranslations();
  std::error_code error;
  // A file name is sent to a running copy, or opened, by its absolute name.
  argument_ = handoff::Message(command_line.argument, std::filesystem::current_path(error));
  // Caught from here on: a stop request during start-up waits in the
  // signal pipe and closes the window in order once the event loop runs.
  termination_ = std::make_unique<TerminationSignals>();
  QObject::connect(termination_.get(), &TerminationSignals::terminationRequested,
                   [this] { stop_requested_ = true; });

  const QString program_dir = QCoreApplication::applicationDirPath();
  ProgramPlace program{QStringToPath(QCoreApplication::applicationFilePath()),
                       QFileInfo(program_dir).isWritable(),
                       QFileInfo(program_dir + QStringLiteral("/../share/tolvane")).isDir()};
  data_dir_ =
      ResolveDataDirectory(command_line, program,
                           UserDataDirectory(qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                                             QDir::homePath().toStdString()));
  std::filesystem::create_directories(data_dir_, error);
  if (error || !std::filesystem::is_directory(data_dir_)) {
    std::fprintf(stderr, "tolvane: cannot use the data directory %s: %s\n", data_dir_.c_str(),
                 error ? error.message().c_str() : "not a directory");
    return kExitNoDataDirectory;
  }

  std::string runtime_problem;
  const std::filesystem::path runtime_dir = PosixEnv::DefaultMutexDirectory(&runtime_problem);
  if (runtime_dir.empty()) {
    std::fprintf(stderr,
                 "tolvane: %s; running without the machine-wide mutex and the hand-over socket\n",
                 runtime_problem.c_str());
  }
  // Named by the directory's real path, so a start through a link to it
  // finds the running copy.
  std::filesystem::path real_dir = std::filesystem::canonical(data_dir_, error);
  if (error) real_dir = data_dir_;
  const std::filesystem::path socket =
      runtime_dir.empty() ? std::filesystem::path() : handoff::SocketPath(runtime_dir, real_dir);
  env_ = std::make_unique<PosixEnv>(runtime_dir);
  InstallShippedEngineList(data_dir_, *env_);
  settings_ = std::make_unique<SettingsStore>(data_dir_ / SettingsStore::kFileName, *env_);
  startup_settings_ = StartupSettings::Read(*settings_);
  clock_ = std::make_unique<SystemClock>();
  doc_ = std::make_unique<CTolvaneDoc>(data_dir_, *settings_, *env_, *clock_);

  const DocumentOpenResult opened = doc_->OnNewDocument();
  if (!opened.ok()) {
    const std::string description = opened.Describe();
    std::fprintf(stderr, "tolvane: %s\n", description.c_str());
    // The document stops before it writes anything; drop it so that no
    // later save can touch the files either.
    doc_.reset();
    switch (opened.status) {
      case DocumentOpenResult::Status::kHeldByAnotherCopy:
        // The running copy opens the address instead.
        if (!argument_.empty()) {
          std::string why = runtime_problem;
          if (!socket.empty() && CHandoffServer::Send(socket, argument_, &why)) {
            std::fprintf(stderr, "tolvane: %s went to the running copy\n", argument_.c_str());
          } else {
            std::fprintf(stderr, "tolvane: %s could not be handed to the running copy: %s\n",
                         argument_.c_str(), why.c_str());
          }
        }
        return kExitHeldByAnotherCopy;
      case DocumentOpenResult::Status::kCannotLock:
        ReportFailure(QMessageBox::Critical, string_id::kCannotLockDataDirectory, opened.file,
                      opened.reason, QStringLiteral("lockError"));
        return kExitHeldByAnotherCopy;
      default:
        ReportFailure(QMessageBox::Critical, string_id::kStoreLoadFailed, opened.file,
                      opened.reason, QStringLiteral("storeLoadError"));
        return kExitStoreFailed;
    }
  }

  // Damaged files that did not stop the start (kept aside as "<name>.damaged").
  for (const DocumentOpenResult& tolerated : doc_->tolerated_failures()) {
    std::fprintf(stderr, "tolvane: %s\n", tolerated.Describe().c_str());
  }

  // Told once the directory is ours, so a second copy ends without it.
  if (const std::string problem = settings_->Problem(); !problem.empty()) {
    std::fprintf(stderr, "tolvane: %s: %s; running with the default settings\n",
                 settings_->path().c_str(), problem.c_str());
    ReportFailure(QMessageBox::Warning, string_id::kSettingsUnusable, settings_->path(), problem,
                  QStringLiteral("settingsUnusable"));
  }
  // Told to stop while the box was up: nothing has changed yet, so the
  // start ends here and writes nothing.
  if (stop_requested_) {
    std::fputs("tolvane: stopped during start-up; nothing was written\n", stderr);
    doc_.reset();
    return kExitOk;
  }

  // A clip file of the earlier layout cannot be loaded: its clips are kept
  // readable as a page in the data directory, shown beside the start page.
  // A damaged file of the current layout writes no such page.
  std::string clip_list_page;
  if (doc_->clip_load_failed() && doc_->ExportOldClips() == ClipExport::Status::kExported) {
    const std::filesystem::path page = ClipExport::OutputPath(data_dir_);
    std::fprintf(stderr, "tolvane: the old page clips are listed in %s\n", page.c_str());
    clip_list_page = ToSjis(QUrl::fromLocalFile(PathToQString(page)).toString(QUrl::FullyEncoded));
  }

  frame_ = std::make_unique<CMainFrame>(*doc_);
  frame_->show();
  // The start URL is read only when a start page opens: in mode 3 reading
  // it uses up LastActivePage.
  frame_->Start(
      BrowserProfile::Open(data_dir_), !argument_.empty(),
      [this] {
        std::string refused;
        start_url_ = doc_->StartUrl(argument_, &refused);
        if (!refused.empty()) RefuseAddress(refused);
        return start_url_;
      },
      clip_list_page);
  QObject::connect(termination_.get(), &TerminationSignals::terminationRequested, frame_.get(),
                   &CMainFrame::CloseWithoutAsking);
  // Only now: an address handed over earlier would find no page tabs.
  if (socket.empty()) return kExitOk;
  handoff_ = std::make_unique<CHandoffServer>(socket);
  QObject::connect(handoff_.get(), &CHandoffServer::argumentReceived, frame_.get(),
                   [this](const std::string& argument) {
                     std::string refused;
                     const std::string url = doc_->StartUrl(argument, &refused);
                     if (refused.empty()) {
                       frame_->OpenHandedOver(url);
                     } else {
                       RefuseAddress(refused);
                     }
                   });
  return kExitOk;
}

void CTolvaneApp::LoadJapaneseTranslations() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  // Dates and numbers that Qt formats read the Japanese way too; the
  // engine's own pages get the language when the profile starts it.
  QLocale::setDefault(japanese);
  for (const char* module : {"qtbase", "qtwebengine"}) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(japanese, QString::fromLatin1(module), QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator.get());
      translators_.push_back(std::move(translator));
    }
  }
}

void CTolvaneApp::RefuseAddress(const std::string& address) {
  std::fprintf(stderr, "tolvane: not opened, only http and https addresses come from outside: %s\n",
               ToQString(address).toUtf8().constData());
  frame_->ShowMessage(ToQString(FormatString(string_id::kOutsideAddressRefused, {address})));
}

int CTolvaneApp::ExitStatus() const {
  return frame_ != nullptr && frame_->left_unsaved() ? kExitNotSaved : kExitOk;
}

void CTolvaneApp::ReportFailure(QMessageBox::Icon icon, int string_id,
                                const std::filesystem::path& file, const std::string& reason,
                                const QString& object_name) {
  const QString text = ToQString(LoadString(string_id)) + QStringLiteral("\n\n") +
                       PathToQString(file) + QLatin1Char('\n') + QString::fromStdString(reason);
  QMessageBox box(icon, ToQString(ProgramTitle()), text, QMessageBox::Ok);
  box.setObjectName(object_name);
  // Told to stop while the message is up: end as if it had been read.
  QObject::connect(termination_.get(), &TerminationSignals::terminationRequested, &box,
                   &QMessageBox::reject);
  box.exec();
}

}  // namespace tolvane
