#include "core/browser/popup_catcher.h"

#include "core/browser/page_host.h"

namespace tolvane {

PopupCatcher::PopupCatcher(BrowserControlFactory& factory) : factory_(factory) {}

PopupCatcher::~PopupCatcher() = default;

BrowserControl* PopupCatcher::Catch(PageHost& requester) {
  if (control_ == nullptr) control_ = factory_.CreateBrowserControl(*this);
  if (control_ == nullptr) return nullptr;
  requester_ = &requester;
  return control_.get();
}

void PopupCatcher::Forget(const PageHost& host) {
  if (requester_ == &host) requester_ = nullptr;
}

bool PopupCatcher::OnBeforeNavigate(const NavigationInfo& info) {
  // The catcher only learns addresses; it never shows a page of its own.
  if (requester_ != nullptr && info.top_level) {
    requester_->Navigate({info.url, info.post_body, info.headers, info.target_frame});
  }
  return true;
}

}  // namespace tolvane
