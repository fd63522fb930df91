#include "ui/browser/browser_profile.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWebEngineProfile>

#include "ui/app/qt_text.h"

namespace tolvane {
namespace {

QPointer<QWebEngineProfile>& TheProfile() {
  static QPointer<QWebEngineProfile> profile;
  return profile;
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
