#include "core/app/engine_list_install.h"

#include <system_error>

#include "core/files/data_file.h"
#include "core/files/raw_line_store.h"
#include "core/files/store_type.h"

namespace tolvane {
namespace {

EngineListInstall Outcome(EngineListInstall::Status status, std::string message = {}) {
  EngineListInstall result;
  result.status = status;
  result.message = std::move(message);
  return result;
}

// Present in any form, a dangling symbolic link included: not ours to replace.
bool Exists(const std::filesystem::path& path, std::error_code& error) {
  const auto status = std::filesystem::symlink_status(path, error);
  if (error == std::errc::no_such_file_or_directory) error.clear();
  return !error && std::filesystem::exists(status);
}

}  // namespace

EngineListInstall InstallEngineList(const std::filesystem::path& shipped,
                                    const std::filesystem::path& target, Env& env) {
  using Status = EngineListInstall::Status;
  std::error_code error;
  if (Exists(target, error)) return Outcome(Status::kAlreadyPresent);
  if (error) return Outcome(Status::kFailed, target.string() + ": " + error.message());

  if (!Exists(shipped, error) && !error) return Outcome(Status::kNoShippedList);
  std::string bytes;
  std::string why;
  if (!ReadWholeFile(shipped, &bytes, &why)) {
    return Outcome(Status::kFailed, shipped.string() + ": " + why);
  }
  RawLineStore records;
  const DataFileLoadResult loaded = DataFile::LoadFromBytes(StoreType::kEngineList, bytes, records);
  if (loaded.status != DataFileLoadResult::Status::kLoaded) {
    return Outcome(Status::kFailed, shipped.string() + ": " + loaded.message);
  }
  if (!env.ReplaceFile(target, bytes, &why)) {
    return Outcome(Status::kFailed, target.string() + ": " + why);
  }
  return Outcome(Status::kInstalled);
}

}  // namespace tolvane
