#include "core/frame/address_bar_commands.h"

#include <array>

#include "core/commands/command_router.h"
#include "core/files/record_fields.h"
#include "core/frame/address_bar.h"
#include "core/frame/address_list.h"
#include "core/tabs/tab_area.h"

namespace tolvane {
namespace {

// Schemes written without "//" after them.
constexpr std::array<std::string_view, 6> kOpaqueSchemes = {
    "about:", "data:", "javascript:", "mailto:", "view-source:", "file:"};

}  // namespace

std::string AddressBarUrl(std::string_view text) {
  const std::string_view address = TrimField(text);
  if (address.empty()) return {};
  if (address.find("://") != std::string_view::npos) return std::string(address);
  for (std::string_view scheme : kOpaqueSchemes) {
    if (address.size() >= scheme.size() &&
        std::equal(scheme.begin(), scheme.end(), address.begin(),
                   [](char a, char b) { return a == (b | 0x20); })) {
      return std::string(address);
    }
  }
  if (address.front() == '/') return "file://" + std::string(address);
  return "http://" + std::string(address);
}

const AddressBarCommands::Row AddressBarCommands::kRows[] = {
    {command::kNavigate, &AddressBarCommands::Navigate, &AddressBarCommands::HasArea},
    {command::kAddressBarSearch, &AddressBarCommands::Search, &AddressBarCommands::HasArea},
    {command::kAddressBar, &AddressBarCommands::Focus},
    {command::kOpenFile, &AddressBarCommands::OpenFile, &AddressBarCommands::HasArea},
};

AddressBarCommands::AddressBarCommands(AddressBarView& view, AddressList& list,
                                       std::function<TabArea*()> area)
    : CommandRows(kRows), view_(view), list_(list), area_(std::move(area)) {}

std::optional<CommandId> AddressBarCommands::Go(CommandRouter& router,
                                                const CommandContext& context) {
  const std::string text(TrimField(context.address_bar_text));
  TabArea* area = area_();
  if (text.empty() || area == nullptr) return std::nullopt;
  view_.LeaveAddressBar();
  const std::optional<CommandId> id =
      GoFromAddressBar(text, area->search().AddressBarSearches(text), list_);
  if (id) router.Run(*id, context);
  return id;
}

void AddressBarCommands::Navigate(const CommandContext& context) {
  Open(AddressBarUrl(context.address_bar_text), context);
}

void AddressBarCommands::Search(const CommandContext& context) {
  const std::string text(TrimField(context.address_bar_text));
  if (!text.empty()) area_()->search().SearchFromAddressBar(text, context);
}

void AddressBarCommands::Focus(const CommandContext&) { view_.FocusAddressBar(); }

void AddressBarCommands::OpenFile(const CommandContext& context) {
  const std::string url = view_.AskFileToOpen();
  if (!url.empty()) Open(url, context);
}

bool AddressBarCommands::HasArea(const CommandContext&) const { return area_() != nullptr; }

void AddressBarCommands::Open(const std::string& url, const CommandContext& context) {
  TabArea* area = area_();
  if (url.empty() || area == nullptr) return;
  OpenPageRequest request;
  request.category = area->current_category();
  request.mode = OpenPageRequest::kCurrentPage;
  request.url = url;
  request.keys = context.modifiers;
  area->search().OpenPage(request);
}

}  // namespace tolvane
