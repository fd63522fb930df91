#include "core/search/search_bar_buttons.h"

#include <charconv>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/files/record_fields.h"
#include "core/files/string_table.h"
#include "core/stores/category_folder_tree.h"
#include "core/stores/engine_list.h"

namespace tolvane {
namespace {

using Kind = SearchBarButtons::Kind;
using Token = SearchBarButtons::Token;

struct BuiltIn {
  CommandId command;
  int image;
};

// "-1" … "-5", in that order.
constexpr BuiltIn kBuiltIns[] = {
    {command::kBatchSearch, 54}, {command::kFindNext, 55}, {command::kHighlight, 56},
    {CommandId{32942}, 57},      {command::kSearch, 58},
};

constexpr int kNoFaviconImage = EngineList::kNoFaviconImage;
// Images of the icon choices start here; choice 0 is "automatic".
constexpr int kIconChoiceImageBase = 66;

struct Prefix {
  std::string_view text;
  Kind kind;
};
constexpr Prefix kPrefixes[] = {{"EF", Kind::kEngineFolder},
                                {"EE", Kind::kEngine},
                                {"TF", Kind::kTabGroup},
                                {"TE", Kind::kTab}};

std::string_view PrefixOf(Kind kind) {
  for (const auto& p : kPrefixes) {
    if (p.kind == kind) return p.text;
  }
  return {};
}

// A whole decimal int, optional "-", nothing else.
std::optional<int> WholeNumber(std::string_view text) {
  if (text.empty() || text == "-") return std::nullopt;
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<Token> ParseToken(std::string_view field) {
  if (field.size() == 2 && field[0] == '-' && field[1] >= '1' && field[1] <= '5') {
    return Token{Kind::kBuiltIn, field[1] - '0'};
  }
  for (const auto& p : kPrefixes) {
    if (!field.starts_with(p.text)) continue;
    const auto id = WholeNumber(field.substr(p.text.size()));
    if (id) return Token{p.kind, *id};
    return std::nullopt;
  }
  return std::nullopt;
}

// Comma-separated fields, trimmed, empty ones left out.
std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view field = TrimField(text.substr(start, comma - start));
    if (!field.empty()) fields.push_back(field);
    start = comma + 1;
  }
  return fields;
}

// The name a built-in button shows: the second line of its command string.
std::string ButtonText(CommandId command) {
  const std::string& text = LoadString(command.value());
  const std::size_t first = text.find('\n');
  if (first == std::string::npos) return text;
  const std::size_t second = text.find('\n', first + 1);
  return text.substr(first + 1,
                     second == std::string::npos ? std::string::npos : second - first - 1);
}

int RowImage(const EngineList& list, std::size_t row) {
  if (list.icon_index(row) > 0) return list.icon_index(row) + kIconChoiceImageBase;
  if (list.image_index(row) > 0) return list.image_index(row);
  return kNoFaviconImage;
}

// The live, flagged folders or rows by ID (the first of an ID; -1 when that
// one is deleted or not flagged), made once per build so that a long token
// list costs one look-up per token.
template <typename List>
std::unordered_map<int, int> FlaggedById(const List& list,
                                         bool (List::*flagged)(std::size_t) const) {
  std::unordered_map<int, int> index;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const auto [it, added] = index.try_emplace(list.id(i), static_cast<int>(i));
    if (added && (list.deleted(i) || !(list.*flagged)(i))) it->second = -1;
  }
  return index;
}

int FindFlagged(const std::unordered_map<int, int>& index, int id) {
  const auto it = index.find(id);
  return it == index.end() ? -1 : it->second;
}

struct TokenHash {
  std::size_t operator()(const Token& t) const {
    return std::hash<long long>()((static_cast<long long>(t.kind) << 32) ^
                                  static_cast<unsigned>(t.id));
  }
};

}  // namespace

std::vector<Token> SearchBarButtons::Parse(std::string_view button_ids) {
  std::vector<Token> tokens;
  for (const auto field : Fields(button_ids)) {
    if (auto token = ParseToken(field)) tokens.push_back(*token);
  }
  return tokens;
}

std::string SearchBarButtons::Format(Token token) {
  if (token.kind == Kind::kBuiltIn) return "-" + std::to_string(token.id);
  return std::string(PrefixOf(token.kind)) + std::to_string(token.id);
}

std::vector<Token> SearchBarButtons::WithFlaggedItems(std::vector<Token> tokens,
                                                      const Sources& sources) {
  std::unordered_set<Token, TokenHash> listed(tokens.begin(), tokens.end());
  auto add = [&](Kind kind, int id) {
    const Token token{kind, id};
    if (listed.insert(token).second) tokens.push_back(token);
  };
  auto add_folders = [&](const CategoryFolderTree& tree, Kind kind) {
    for (std::size_t i = 0; i < tree.size(); ++i) {
      if (!tree.deleted(i) && tree.search_bar(i)) add(kind, tree.id(i));
    }
  };
  auto add_rows = [&](const EngineList& list, Kind kind) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (!list.deleted(i) && list.on_search_bar(i)) add(kind, list.id(i));
    }
  };
  add_folders(sources.engine_folders, Kind::kEngineFolder);
  add_rows(sources.engines, Kind::kEngine);
  add_folders(sources.tab_groups, Kind::kTabGroup);
  add_rows(sources.tabs, Kind::kTab);
  return tokens;
}

SearchBarButtons SearchBarButtons::Build(std::string_view button_ids, bool show_no_text,
                                         const Sources& sources) {
  SearchBarButtons bar;
  const auto engine_folders = FlaggedById(sources.engine_folders, &CategoryFolderTree::search_bar);
  const auto tab_groups = FlaggedById(sources.tab_groups, &CategoryFolderTree::search_bar);
  const auto engines = FlaggedById(sources.engines, &EngineList::on_search_bar);
  const auto tabs = FlaggedById(sources.tabs, &EngineList::on_search_bar);
  int counter = kFirstButtonCommand;
  for (const Token& token : WithFlaggedItems(Parse(button_ids), sources)) {
    if (bar.buttons_.size() == kMaxButtons) break;
    Button button;
    button.token = token;
    switch (token.kind) {
      case Kind::kBuiltIn: {
        const BuiltIn& built_in = kBuiltIns[token.id - 1];
        button.command = built_in.command;
        button.text = ButtonText(built_in.command);
        button.image = built_in.image;
        break;
      }
      case Kind::kEngineFolder:
      case Kind::kTabGroup: {
        const bool engine = token.kind == Kind::kEngineFolder;
        const CategoryFolderTree& tree = engine ? sources.engine_folders : sources.tab_groups;
        button.item = FindFlagged(engine ? engine_folders : tab_groups, token.id);
        if (button.item < 0) continue;
        button.text = tree.DisplayName(static_cast<std::size_t>(button.item));
        break;
      }
      case Kind::kEngine:
      case Kind::kTab: {
        const bool engine = token.kind == Kind::kEngine;
        const EngineList& list = engine ? sources.engines : sources.tabs;
        button.item = FindFlagged(engine ? engines : tabs, token.id);
        if (button.item < 0) continue;
        const auto row = static_cast<std::size_t>(button.item);
        button.text = list.DisplayName(row);
        button.image = RowImage(list, row);
        break;
      }
    }
    if (token.kind != Kind::kBuiltIn) button.command = CommandId{counter};
    ++counter;
    if (show_no_text) button.text.clear();
    bar.buttons_.push_back(std::move(button));
  }
  return bar;
}

const SearchBarButtons::Button* SearchBarButtons::Find(CommandId command) const {
  for (const auto& button : buttons_) {
    if (button.command == command) return &button;
  }
  return nullptr;
}

std::string SearchBarButtons::MoveToken(std::string_view button_ids, std::optional<Token> before,
                                        Token token) {
  const std::string moved = Format(token);
  const std::string anchor = before ? Format(*before) : std::string();
  std::vector<std::string_view> fields;
  for (const auto field : Fields(button_ids)) {
    if (field != moved) fields.push_back(field);
  }
  std::size_t at = fields.size();
  for (std::size_t i = 0; before && i < fields.size(); ++i) {
    if (fields[i] == anchor) {
      at = i;
      break;
    }
  }
  fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(at), moved);
  std::string text;
  for (const auto field : fields) {
    if (!text.empty()) text += ',';
    text += field;
  }
  return text;
}

std::string SearchBarButtons::DropEngineFolder(std::string_view button_ids,
                                               std::optional<Token> before,
                                               CategoryFolderTree& engine_folders,
                                               std::size_t folder_index) {
  engine_folders.set_search_bar(folder_index, true);
  return MoveToken(button_ids, before, {Kind::kEngineFolder, engine_folders.id(folder_index)});
}

std::string SearchBarButtons::DropEngine(std::string_view button_ids, std::optional<Token> before,
                                         EngineList& engines, std::size_t row) {
  engines.set_on_search_bar(row, true);
  return MoveToken(button_ids, before, {Kind::kEngine, engines.id(row)});
}

std::string SearchBarButtons::Describe() const {
  std::string out;
  for (const auto& button : buttons_) {
    out += '[' + Format(button.token) + ' ' + std::to_string(button.command.value());
    if (!button.text.empty()) out += ' ' + button.text;
    if (button.image != kNoImage) out += " #" + std::to_string(button.image);
    out += ']';
  }
  return out;
}

}  // namespace tolvane
