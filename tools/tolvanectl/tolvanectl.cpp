#include "tools/tolvanectl/tolvanectl.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "core/app/tolvane_doc.h"
#include "core/commands/command_router.h"
#include "core/files/record_fields.h"
#include "core/files/settings_store.h"
#include "core/files/store_type.h"
#include "core/files/string_table.h"
#include "core/frame/list_shortcut_owners.h"
#include "core/search/keyword_forms.h"
#include "core/search/search_requests.h"
#include "core/stores/engine_list.h"
#include "core/text/charset_converter.h"
#include "core/text/query_encoding.h"
#include "platform/posix_env.h"
#include "platform/system_clock.h"
#include "tools/tolvanectl/read_only_env.h"

namespace tolvane {
namespace {

constexpr std::string_view kUsage =
    "usage:\n"
    "  tolvanectl check DIR                      load every store of DIR as start-up does;\n"
    "                                            print FILE<TAB>FOLDERS<TAB>ITEMS per store\n"
    "  tolvanectl roundtrip DIR OUTDIR           load DIR and write every saved store into OUTDIR\n"
    "  tolvanectl list DIR STORE FOLDER_ID        the items a folder of STORE (favorite, keyword "
    "or\n"
    "                                            history) shows, in its order: ID<TAB>TITLE\n"
    "  tolvanectl encode ENCODING TEXT           keyword TEXT (UTF-8) encoded for ENCODING 0-3\n"
    "                                            (3 sends TEXT as typed, 0-2 its Shift_JIS form)\n"
    "  tolvanectl encode --sjis-hex HEX ENCODING the same for Shift_JIS bytes given in hex\n"
    "  tolvanectl requests DIR engine|tab ID [KEYWORD]\n"
    "                                            the pages a search with KEYWORD (UTF-8) asks\n"
    "                                            for, one a line: URL<TAB>CAPTION<TAB>BODY\n"
    "  tolvanectl shortcuts DIR                  the command table in effect, one command a "
    "line:\n"
    "                                            ID<TAB>KEY1<TAB>KEY2<TAB>GESTURES<TAB>NAME\n"
    "  tolvanectl shortcuts DIR keys ID [KEY1 [KEY2]]\n"
    "                                            sets the keys of command ID (\"Shift+Ctrl+B\","
    " \"Alt+←\";\n"
    "                                            none given: no key)\n"
    "  tolvanectl shortcuts DIR gestures ID [TEXT] sets the gestures of command ID "
    "(\"↑←↓,←←\")\n"
    "  tolvanectl shortcuts DIR reset keys|gestures [--yes]\n"
    "                                            every key or every gesture back to its "
    "default\n"
    "  tolvanectl shortcuts DIR check engine|tab ID LETTERS [GESTURES]\n"
    "                                            whether an engine or tab may take these\n"
    "                                            typed shortcut letters and gestures\n";

// A data directory opened as start-up opens it, without taking it over.
struct LoadedDirectory {
  LoadedDirectory(const std::filesystem::path& dir)
      : posix(PosixEnv::DefaultMutexDirectory()),
        env(posix, dir),
        settings(dir / "vq_system.ini", env),
        doc(dir, settings, env, clock) {}
  PosixEnv posix;
  ReadOnlyEnv env;
  SettingsStore settings;
  SystemClock clock;
  CTolvaneDoc doc;
};

bool IsDirectory(const std::string& dir, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return true;
  err << "tolvanectl: " << dir << ": not a directory\n";
  return false;
}

void PrintCounts(const CTolvaneDoc& doc, std::ostream& out) {
  for (const auto& count : doc.load_counts()) {
    out << StoreFileName(count.type) << '\t' << count.folders << '\t' << count.items << '\n';
  }
}

int Check(const std::string& dir, std::ostream& out, std::ostream& err) {
  if (!IsDirectory(dir, err)) return 1;
  LoadedDirectory loaded(dir);
  auto opened = loaded.doc.OnNewDocument();
  PrintCounts(loaded.doc, out);
  if (!opened.ok()) {
    err << "tolvanectl: " << opened.Describe() << '\n';
    return 1;
  }
  // Start-up goes on past these two; a check still reports them.
  int rc = 0;
  for (const auto& failure : loaded.doc.tolerated_failures()) {
    err << "tolvanectl: " << failure.Describe() << '\n';
    rc = 1;
  }
  return rc;
}

int Roundtrip(const std::string& dir, const std::string& out_dir, std::ostream& err) {
  if (!IsDirectory(dir, err)) return 1;
  std::error_code ec;
  std::filesystem::create_directories(out_dir, ec);
  if (!IsDirectory(out_dir, err)) return 1;
  LoadedDirectory loaded(dir);
  auto opened = loaded.doc.OnNewDocument();
  if (!opened.ok()) {
    err << "tolvanectl: " << opened.Describe() << '\n';
    return 1;
  }
  loaded.doc.set_save_directory(out_dir);
  const SaveReport saved = loaded.doc.SaveAll();
  if (!saved.ok()) {
    err << "tolvanectl: not written:\n" << saved.Describe();
    return 1;
  }
  return 0;
}

// A numeric command-line argument; says what it should have been when not.
std::optional<int> ParseIdArgument(const std::string& text, const char* what, std::ostream& err) {
  bool is_number = false;
  const int id = ParseDecimalPrefix(text, &is_number);
  if (!is_number) {
    err << "tolvanectl: " << text << ": not " << what << '\n';
    return std::nullopt;
  }
  return id;
}

// DIR loaded as start-up loads it, or null after saying why not.
std::unique_ptr<LoadedDirectory> OpenDirectory(const std::string& dir, std::ostream& err) {
  if (!IsDirectory(dir, err)) return nullptr;
  auto loaded = std::make_unique<LoadedDirectory>(dir);
  if (auto opened = loaded->doc.OnNewDocument(); !opened.ok()) {
    err << "tolvanectl: " << opened.Describe() << '\n';
    return nullptr;
  }
  return loaded;
}

std::optional<StoreType> ItemStoreNamed(std::string_view name) {
  if (name == "favorite") return StoreType::kFavorites;
  if (name == "keyword") return StoreType::kKeywords;
  if (name == "history") return StoreType::kHistory;
  return std::nullopt;
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto type = ItemStoreNamed(args[2]);
  if (!type) {
    err << "tolvanectl: " << args[2] << ": the store is one of favorite, keyword, history\n";
    return 2;
  }
  const auto folder_id = ParseIdArgument(args[3], "a folder ID", err);
  if (!folder_id) return 2;
  auto loaded = OpenDirectory(args[1], err);
  if (!loaded) return 1;
  const ItemStore& store = loaded->doc.item_store(*type);
  if (store.folders().Find(*folder_id) < 0) {
    err << "tolvanectl: " << args[2] << " has no folder " << *folder_id << '\n';
    return 1;
  }
  for (int index : store.ListFolder(*folder_id)) {
    const auto i = static_cast<std::size_t>(index);
    out << store.items().id(i) << '\t' << SjisToUtf8(store.items().title(i)) << '\n';
  }
  return 0;
}

std::optional<int> ParseEncoding(const std::string& text) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return std::nullopt;
  return text[0] - '0';
}

std::optional<std::string> ParseHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int high = nibble(hex[i]);
    int low = nibble(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return bytes;
}

int EncodeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Keyword keyword;
  std::string encoding_text;
  if (args.size() == 4 && args[1] == "--sjis-hex") {
    auto bytes = ParseHex(args[2]);
    if (!bytes) {
      err << "tolvanectl: --sjis-hex takes an even number of hexadecimal digits\n";
      return 2;
    }
    keyword = Keyword::FromSjis(*bytes);
    encoding_text = args[3];
  } else if (args.size() == 3) {
    encoding_text = args[1];
    keyword = Keyword::FromUtf8(args[2]);
  } else {
    err << kUsage;
    return 2;
  }
  auto encoding = ParseEncoding(encoding_text);
  std::optional<std::string> encoded;
  if (encoding) encoded = EncodeKeyword(*encoding, keyword.sjis(), keyword.utf8());
  if (!encoded) {
    err << "tolvanectl: encoding " << encoding_text
        << " is not one of 0 (none), 1 (SJIS), 2 (EUC), 3 (UTF-8)\n";
    return 1;
  }
  out << SjisToUtf8(*encoded) << '\n';
  return 0;
}

int Requests(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string& kind = args[2];
  if (kind != "engine" && kind != "tab") {
    err << "tolvanectl: " << kind << ": the list is engine or tab\n";
    return 2;
  }
  const auto id = ParseIdArgument(args[3], "an ID", err);
  if (!id) return 2;
  auto loaded = OpenDirectory(args[1], err);
  if (!loaded) return 1;
  const EngineList& list = kind == "engine" ? loaded->doc.engines() : loaded->doc.tabs();
  const int row = list.FindById(*id);
  if (row < 0) {
    err << "tolvanectl: no " << kind << " has ID " << *id << '\n';
    return 1;
  }
  const Keyword keyword = args.size() > 4 ? Keyword::FromUtf8(args[4]) : Keyword();
  const SearchRequests requests = BuildRequests(list, row, keyword);
  for (std::size_t i = 0; i < requests.size(); ++i) {
    out << SjisToUtf8(requests.urls[i]) << '\t' << SjisToUtf8(requests.captions[i]) << '\t'
        << SjisToUtf8(requests.bodies[i]) << '\n';
  }
  return 0;
}

// The numbered string `id` as the user reads it, after what it is about.
int Refuse(std::ostream& err, const std::string& about, int id) {
  err << "tolvanectl: " << about << ": " << LoadStringUtf8(id) << '\n';
  return 1;
}

// "Shift+Ctrl+B" as the option page takes it: modifier boxes and a key name.
std::optional<KeyBinding> ParseKeyText(std::string_view text) {
  int modifiers = 0;
  for (bool more = true; more;) {
    more = false;
    for (const auto& [name, bit] : {std::pair<std::string_view, int>{"Shift+", modifier::kShift},
                                    {"Ctrl+", modifier::kCtrl},
                                    {"Alt+", modifier::kAlt}}) {
      if (text.size() > name.size() && text.starts_with(name) && (modifiers & bit) == 0) {
        modifiers |= bit;
        text.remove_prefix(name.size());
        more = true;
      }
    }
  }
  return CommandTable::BindingFromName(Utf8ToSjis(text), modifiers);
}

// The index of command `text` in the table, or -1 after saying why not.
int CommandIndex(const CommandTable& table, const std::string& text, std::ostream& err) {
  const auto id = ParseIdArgument(text, "a command ID", err);
  if (!id) return -1;
  const int index = table.IndexOf(CommandId(*id));
  if (index < 0) err << "tolvanectl: the command table has no command " << *id << '\n';
  return index;
}

int SaveCommands(CTolvaneDoc& doc, std::ostream& err) {
  if (doc.SaveCommands()) return 0;
  err << "tolvanectl: " << doc.settings().path().string() << ": cannot be written\n";
  return 1;
}

int Shortcuts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto loaded = OpenDirectory(args[1], err);
  if (!loaded) return 1;
  CTolvaneDoc& doc = loaded->doc;
  CommandTable& table = doc.commands();
  CommandRouter router;  // nothing runs here: the owners are only checked
  ListShortcutOwners owners(doc.engine_folders(), doc.engines(), doc.tab_folders(), doc.tabs(),
                            router, nullptr);
  const CommandDispatcher dispatcher(table, owners);
  const std::string verb = args.size() > 2 ? args[2] : "";

  if (verb.empty()) {
    for (int i = 0; i < static_cast<int>(table.entries().size()); ++i) {
      const CommandEntry& e = table.entry(i);
      const auto [first, second] = table.KeyTexts(i);
      out << e.id.value() << '\t' << SjisToUtf8(first) << '\t' << SjisToUtf8(second) << '\t'
          << SjisToUtf8(e.gestures) << '\t' << SjisToUtf8(CommandTable::ActionName(e.id)) << '\n';
    }
    return 0;
  }
  if (verb == "keys" && args.size() >= 4 && args.size() <= 6) {
    const int index = CommandIndex(table, args[3], err);
    if (index < 0) return 1;
    KeyBinding keys[2];
    for (std::size_t k = 0; k < 2 && 4 + k < args.size(); ++k) {
      const std::optional<KeyBinding> binding = ParseKeyText(args[4 + k]);
      if (!binding) return Refuse(err, args[4 + k], string_id::kInvalidShortcutKey);
      keys[k] = *binding;
    }
    const CommandTable::ShortcutResult result = table.SetShortcut(index, keys[0], keys[1]);
    if (result != CommandTable::ShortcutResult::kStored) {
      const int which = result == CommandTable::ShortcutResult::kFirstConflicts ? 0 : 1;
      return Refuse(err, args[4 + static_cast<std::size_t>(which)], string_id::kShortcutTaken);
    }
    return SaveCommands(doc, err);
  }
  if (verb == "gestures" && (args.size() == 4 || args.size() == 5)) {
    const int index = CommandIndex(table, args[3], err);
    if (index < 0) return 1;
    const std::string text = args.size() == 5 ? args[4] : "";
    switch (table.SetGestures(index, Utf8ToSjis(text), dispatcher)) {
      case CommandTable::GestureResult::kStored:
        return SaveCommands(doc, err);
      case CommandTable::GestureResult::kConflict:
        return Refuse(err, text, string_id::kShortcutTaken);
      case CommandTable::GestureResult::kInvalid:
        err << "tolvanectl: " << text << ": a gesture is made of ↑ ↓ ← → and \",\" only\n";
        return 1;
    }
  }
  if (verb == "reset" && (args.size() == 4 || args.size() == 5) &&
      (args[3] == "keys" || args[3] == "gestures") && (args.size() == 4 || args[4] == "--yes")) {
    const bool keys = args[3] == "keys";
    if (args.size() == 4) {
      // The option page asks first; here the question is answered with --yes.
      err << LoadStringUtf8(keys ? string_id::kResetShortcuts : string_id::kResetGestures)
          << "\n(tolvanectl: add --yes to reset)\n";
      return 1;
    }
    keys ? table.ResetShortcuts() : table.ResetGestures();
    return SaveCommands(doc, err);
  }
  if (verb == "check" && (args.size() == 6 || args.size() == 7) &&
      (args[3] == "engine" || args[3] == "tab")) {
    const bool engine = args[3] == "engine";
    const EngineList& list = engine ? doc.engines() : doc.tabs();
    const auto id = ParseIdArgument(args[4], "an ID", err);
    if (!id) return 2;
    const int row = list.FindById(*id);
    if (row < 0) {
      err << "tolvanectl: no " << args[3] << " has ID " << *id << '\n';
      return 1;
    }
    const Owner item{engine ? OwnerType::kEngine : OwnerType::kTab, row};
    const CommandDispatcher::ItemCheck check =
        dispatcher.CheckItem(item, args[5], Utf8ToSjis(args.size() == 7 ? args[6] : ""));
    if (check.message != 0) {
      err << "tolvanectl: " << args[3] << ' ' << args[4] << ": " << SjisToUtf8(check.text) << '\n';
      return 1;
    }
    out << "ok\n";
    return 0;
  }
  err << kUsage;
  return 2;
}

}  // namespace

int RunTolvanectl(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    (args.empty() ? err : out) << kUsage;
    return args.empty() ? 2 : 0;
  }
  const std::string& command = args[0];
  if (command == "check" && args.size() == 2) return Check(args[1], out, err);
  if (command == "roundtrip" && args.size() == 3) return Roundtrip(args[1], args[2], err);
  if (command == "list" && args.size() == 4) return List(args, out, err);
  if (command == "encode") return EncodeCommand(args, out, err);
  if (command == "shortcuts" && args.size() >= 2) return Shortcuts(args, out, err);
  if (command == "requests" && (args.size() == 4 || args.size() == 5)) {
    return Requests(args, out, err);
  }
  err << kUsage;
  return 2;
}

}  // namespace tolvane
