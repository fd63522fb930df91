#include "core/commands/key_name_table.h"

#include <utility>

#include "core/text/charset_converter.h"

namespace tolvane {
namespace {

std::vector<KeyNameTable::Key> MakeKeys() {
  std::vector<KeyNameTable::Key> keys{{0, ""}};
  for (int c = vk::kA; c <= vk::kZ; ++c) keys.push_back({c, std::string(1, static_cast<char>(c))});
  for (int d = 0; d <= 9; ++d) keys.push_back({vk::k0 + d, std::to_string(d)});
  for (int f = 0; f < 12; ++f) keys.push_back({vk::kF1 + f, "F" + std::to_string(f + 1)});
  const std::pair<int, std::string_view> named[] = {
      {vk::kEnter, "Enter"},   {vk::kEsc, "Esc"},
      {vk::kTab, "Tab"},       {vk::kBackspace, "Backspace"},
      {vk::kInsert, "Insert"}, {vk::kDelete, "Delete"},
      {vk::kHome, "Home"},     {vk::kEnd, "End"},
      {vk::kAdd, "+"},         {vk::kSubtract, "-"},
      {vk::kMultiply, "*"},    {vk::kDivide, "/"},
      {vk::kLeft, "←"},        {vk::kUp, "↑"},
      {vk::kRight, "→"},       {vk::kDown, "↓"},
      {vk::kPageUp, "PageUp"}, {vk::kPageDown, "PageDown"},
      {vk::kPause, "Pause"},   {vk::kPrintScreen, "PrintScreen"},
  };
  for (const auto& [code, utf8] : named) keys.push_back({code, Utf8ToSjis(utf8)});
  return keys;
}

}  // namespace

const std::vector<KeyNameTable::Key>& KeyNameTable::Keys() {
  static const std::vector<Key> keys = MakeKeys();
  return keys;
}

std::string_view KeyNameTable::KeyName(int code) {
  for (const Key& key : Keys()) {
    if (key.code == code) return key.name;
  }
  return {};
}

int KeyNameTable::KeyCode(std::string_view name) {
  if (name.empty()) return 0;
  for (const Key& key : Keys()) {
    if (key.name == name) return key.code;
  }
  return 0;
}

}  // namespace tolvane
