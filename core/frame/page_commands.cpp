#include "core/frame/page_commands.h"

#include "core/browser/page_host.h"
#include "core/frame/page_encoding.h"
#include "core/frame/page_zoom.h"
#include "core/stores/engine_list.h"
#include "core/tabs/category_tab.h"
#include "core/tabs/tab_area.h"

namespace tolvane {
namespace {

EditCommand EditOf(CommandId id) {
  if (id == command::kCut) return EditCommand::kCut;
  if (id == command::kCopy) return EditCommand::kCopy;
  if (id == command::kPaste) return EditCommand::kPaste;
  if (id == command::kDelete) return EditCommand::kDelete;
  if (id == command::kSelectAll) return EditCommand::kSelectAll;
  return EditCommand::kUndo;
}

ScrollCommand ScrollOf(CommandId id) {
  if (id == command::kScrollUp) return ScrollCommand::kLineUp;
  if (id == command::kScrollDown) return ScrollCommand::kLineDown;
  if (id == command::kScrollPageUp) return ScrollCommand::kPageUp;
  if (id == command::kScrollPageDown) return ScrollCommand::kPageDown;
  if (id == command::kScrollTop || id == command::kScrollTopAlt) return ScrollCommand::kTop;
  return ScrollCommand::kBottom;
}

}  // namespace

std::string ViewSourceUrl(const std::string& url) { return "view-source:" + url; }

PageContextState PageContextStateOf(const TabArea& area, const EngineList& tabs,
                                    bool text_field_focused, std::string selection) {
  PageContextState state;
  state.text_field_focused = text_field_focused;
  state.selection = std::move(selection);
  const int current = area.current_category();
  if (current < 0) return state;
  const CCategoryTab& tab = area.category(current);
  state.category_tab_current = true;
  state.category_name = tab.caption();
  const int record = tab.record();
  if (record >= 0 && static_cast<std::size_t>(record) < tabs.size()) {
    const auto row = static_cast<std::size_t>(record);
    state.category_searches = !tabs.search_url(row).empty() || !tabs.post_data(row).empty();
  }
  return state;
}

PageCommands::PageCommands(TabArea& area, SettingsStore& settings, PageCommandWindow& window)
    : CommandRows(kRows), area_(area), settings_(settings), window_(window) {}

PageHost* PageCommands::ActivePage() const { return area_.ActiveHost(); }

BrowserControl* PageCommands::Control() const {
  PageHost* page = ActivePage();
  return page != nullptr ? page->control() : nullptr;
}

bool PageCommands::HasControl(const CommandContext&) const { return Control() != nullptr; }
bool PageCommands::HasPage(const CommandContext&) const { return ActivePage() != nullptr; }

// Enter and Shift+F10 belong to a field, a tree or a tab row that has the
// focus: the link commands are there only for the page.
bool PageCommands::PageHasFocus(const CommandContext& context) const {
  return context.focus == InputFocus::kPage && Control() != nullptr;
}

void PageCommands::FollowLink(const CommandContext&) { window_.FollowFocusedLink(); }

void PageCommands::LinkMenu(const CommandContext&) { window_.ShowFocusedLinkMenu(); }

bool PageCommands::CanEdit(const CommandContext&) const {
  return Control() != nullptr || window_.FieldHasFocus();
}

void PageCommands::SetTextSize(const CommandContext& context) {
  BrowserControl* control = Control();
  if (control == nullptr) return;
  if (const auto size = page_zoom::TextSizeFor(context.command, control->TextSize())) {
    control->SetTextSize(*size);
  }
}

bool PageCommands::KnowsTextSize(const CommandContext&) const {
  const BrowserControl* control = Control();
  return control != nullptr && control->TextSize() != page_zoom::kUnknown;
}

bool PageCommands::IsTextSize(const CommandContext& context) const {
  const BrowserControl* control = Control();
  return control != nullptr && page_zoom::CheckedTextSize(control->TextSize()) == context.command;
}

void PageCommands::SetZoom(const CommandContext& context) {
  BrowserControl* control = Control();
  if (control == nullptr) return;
  if (const auto zoom = page_zoom::ZoomFor(context.command, control->Zoom())) {
    control->SetZoom(*zoom);
    window_.ZoomChanged();
  }
}

bool PageCommands::CanZoom(const CommandContext& context) const {
  const BrowserControl* control = Control();
  return control != nullptr && page_zoom::ZoomFor(context.command, control->Zoom()).has_value();
}

bool PageCommands::IsZoomPreset(const CommandContext& context) const {
  const BrowserControl* control = Control();
  return control != nullptr && page_zoom::CheckedZoomPreset(control->Zoom()) == context.command;
}

void PageCommands::Edit(const CommandContext& context) {
  const EditCommand edit = EditOf(context.command);
  if (window_.EditFocusedField(edit)) return;
  if (BrowserControl* control = Control()) control->Edit(edit);
}

void PageCommands::SetEncoding(const CommandContext& context) {
  PageHost* page = ActivePage();
  const auto encoding = PageEncodingFor(context.command);
  if (page == nullptr || page->control() == nullptr || !encoding) return;
  page->RefreshWithCharset(std::string(encoding->charset));
}

// The automatic entry while the page is read as it declares itself; the
// entry of the charset it was read with.
bool PageCommands::IsEncoding(const CommandContext& context) const {
  const BrowserControl* control = Control();
  const auto encoding = PageEncodingFor(context.command);
  if (control == nullptr || !encoding) return false;
  if (encoding->charset.empty()) return control->ChosenCharset().empty();
  const auto read_with = PageEncodingOfCharset(control->Charset());
  return read_with && read_with->command == context.command;
}

void PageCommands::Scroll(const CommandContext& context) {
  if (BrowserControl* control = Control()) control->Scroll(ScrollOf(context.command));
}

bool PageCommands::OpenInNewPageTab(const std::string& url) {
  const int category = area_.current_category();
  if (category < 0) return false;
  return area_.AddPage(category, {.url = url,
                                  .caption = url,
                                  .insert_at = area_.category(category).current_page() + 1,
                                  .from_command = true}) >= 0;
}

void PageCommands::ViewSource(const CommandContext&) {
  if (const PageHost* page = ActivePage()) OpenInNewPageTab(ViewSourceUrl(page->url()));
}

bool PageCommands::HasAddress(const CommandContext&) const {
  const PageHost* page = ActivePage();
  return page != nullptr && !page->url().empty() && page->url() != "about:blank";
}

void PageCommands::ShowBlockedPopups(const CommandContext&) {
  if (PageHost* page = ActivePage()) page->ShowBlockedPopups();
}

bool PageCommands::HasBlockedPopups(const CommandContext&) const {
  const PageHost* page = ActivePage();
  return page != nullptr && page->CanShowBlockedPopups();
}

void PageCommands::AllowPopupsHere(const CommandContext&) {
  if (PageHost* page = ActivePage()) page->TogglePopupsAllowed();
}

bool PageCommands::CanAllowPopupsHere(const CommandContext& context) const {
  return HasPage(context) && PageHost::PopupBlockOn(settings_);
}

bool PageCommands::PopupsAllowedHere(const CommandContext&) const {
  const PageHost* page = ActivePage();
  return page != nullptr && page->PopupsAllowed();
}

void PageCommands::TogglePopupBlock(const CommandContext&) {
  PageHost::TogglePopupBlockSetting(settings_);
}

bool PageCommands::PopupBlockOn(const CommandContext&) const {
  return PageHost::PopupBlockOn(settings_);
}

bool PageCommands::PopupBlockOff(const CommandContext&) const {
  return !PageHost::PopupBlockOn(settings_);
}

}  // namespace tolvane
