#pragma once

#include <memory>
#include <vector>

#include "core/stores/clip_list.h"

namespace tolvane {

class CCategoryTab;
class CPageTab;
class EngineList;
class PageHost;
class Prompter;
class SettingsStore;

// Keeps page tabs and their page clips in step: which record a page is
// bound to, whether that record is a user clip or a saved page, writing a
// category's pages as saved pages, clipping and releasing, and the clip
// following its page. It owns nothing; the tab area calls it.
//
// A page tab is bound to at most one record (its clip index). A user clip
// outlives its page tab; a saved page goes when the user closes its tab.
class PageClipSync {
 public:
  PageClipSync(ClipList& clips, const EngineList& tabs, const SettingsStore& settings,
               Prompter& prompter);

  // The tab ID clips of the category carry; 0 without a tab record.
  int TabIdOf(const CCategoryTab& tab) const;
  // The clip pages of the category's tab record, in the order to reopen.
  TabClips ClipsOf(const CCategoryTab& tab) const;
  const ClipList& clips() const { return clips_; }

  bool IsUserClip(const CPageTab& page) const;
  bool IsSavedPage(const CPageTab& page) const;

  // Writes the category's pages into the clip list as saved pages and binds
  // each page to its record.
  void Save(CCategoryTab& tab, bool save_all);
  // The page itself becomes a user clip; false at the clip limit (after the
  // limit message).
  bool ClipInPlace(CPageTab& page, const CCategoryTab& tab);
  // A new user clip of the page, for a page tab of its own; -1 at the limit.
  int NewClipOf(const CPageTab& page, const CCategoryTab& tab);
  // The page of `tab` that is a user clip of the same address as `page`
  // (its clipped copy), or -1.
  int ClippedCopyOf(const CPageTab& page, const CCategoryTab& tab) const;
  // A user clip becomes a saved page, still bound to its tab.
  void Release(const CPageTab& page);
  // The user closed the page tab: its saved page goes with it.
  void Closed(const CPageTab& page);
  // The page changed; with OptionPageClip/URL on its record follows a
  // loaded page.
  void Follow(const CPageTab& page);

  // Unbinds every page of `tab` (the clip list was emptied, or the pages
  // are destroyed without being closed by the user).
  static void Detach(CCategoryTab& tab);

 private:
  ClipList& clips_;
  const EngineList& tabs_;
  const SettingsStore& settings_;
  Prompter& prompter_;
};

}  // namespace tolvane
