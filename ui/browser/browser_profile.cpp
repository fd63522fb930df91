#include "ui/browser/browser_profile.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWebEngineProfile>

#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

QPointer<QWebEngineProfile>& TheProfile() {
  static QPointer<QWebEngineProfile> profile;
  return profile;
}

// The engine reads its switches from the environment when it starts, which
// is when the first profile is made.
void ChooseProcessModel() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  for (const char* chosen : {"--renderer-process-limit", "--process-per-site", "--single-process",
                             "--process-per-tab", "--site-per-process"}) {
    if (flags.contains(chosen)) return;
  }
  if (!flags.isEmpty()) flags += ' ';
  flags += "--renderer-process-limit=" + QByteArray::number(BrowserProfile::kRendererProcesses);
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// The engine's own pages (a site that cannot be reached, a blocked request)
// speak the program's language, whatever the system's locale.
void ChooseEngineLanguage() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (flags.contains("--lang=")) return;
  if (!flags.isEmpty()) flags += ' ';
  flags += "--lang=ja";
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

}  // namespace

std::filesystem::path BrowserProfile::StoragePath(const std::filesystem::path& data_dir) {
  return data_dir / "browser" / "storage";
}

std::filesystem::path BrowserProfile::CachePath(const std::filesystem::path& data_dir) {
  return data_dir / "browser" / "cache";
}

QWebEngineProfile* BrowserProfile::Open(const std::filesystem::path& data_dir) {
  QPointer<QWebEngineProfile>& profile = TheProfile();
  if (profile) return profile;
  ChooseProcessModel();
  ChooseEngineLanguage();
  profile = new QWebEngineProfile(QString::fromLatin1(kName), QCoreApplication::instance());
  profile->setPersistentStoragePath(PathToQString(StoragePath(data_dir)));
  profile->setCachePath(PathToQString(CachePath(data_dir)));
  profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
  profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);
  // Shops choose their page language from this; the program's users read
  // Japanese.
  profile->setHttpAcceptLanguage(QStringLiteral("ja,en;q=0.5"));
  return profile;
}

QWebEngineProfile* BrowserProfile::Current() { return TheProfile(); }

}  // namespace tolvane
