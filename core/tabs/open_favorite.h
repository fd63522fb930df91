#pragma once

#include "core/files/settings_store.h"
#include "core/stores/item_store.h"
#include "core/tabs/tab_area.h"

namespace tolvane {

// Opens favorite `item_index` of `favorites` (from its bar, a data menu or
// its tree): its URL, captioned with its title, in the current category tab
// through the single-page path, in a new page tab when OptionFavorite/NewPage
// is 1, else in the current page tab; the page remembers the favorite as its
// origin. The favorite's click count then goes up by one, announced by the
// store. Nothing opens and nothing is counted without a current category
// tab, or for a deleted item. `keys` are those held when it was chosen
// (Shift, Ctrl or the middle button: a new page tab). Returns the page's
// index, or -1.
int OpenFavorite(TabArea& area, ItemStore& favorites, const SettingsStore& settings, int item_index,
                 const ModifierState& keys = {});

}  // namespace tolvane
