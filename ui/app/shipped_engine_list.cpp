#include "ui/app/shipped_engine_list.h"

#include <QCoreApplication>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "core/app/engine_list_install.h"
#include "core/files/store_type.h"
#include "ui/base/qt_text.h"

namespace tolvane {

std::filesystem::path FindShippedEngineList(const std::filesystem::path& executable_dir) {
  const std::string_view name = StoreFileName(StoreType::kEngineList);
  for (const std::filesystem::path& candidate :
       {executable_dir / name, executable_dir / ".." / "share" / "tolvane" / name}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate.lexically_normal();
  }
  return {};
}

void InstallShippedEngineList(const std::filesystem::path& data_dir, Env& env) {
  const std::filesystem::path shipped =
      FindShippedEngineList(QStringToPath(QCoreApplication::applicationDirPath()));
  if (shipped.empty()) return;
  const EngineListInstall installed =
      InstallEngineList(shipped, data_dir / StoreFileName(StoreType::kEngineList), env);
  if (!installed.ok()) {
    std::fprintf(stderr, "tolvane: cannot install the shipped engine list: %s\n",
                 installed.message.c_str());
  }
}

}  // namespace tolvane
