#pragma once

namespace tolvane {

// The drag format of a search tree item: its search-bar token ("EE" +
// engine ID, "EF" + folder ID) as Latin-1 bytes. The tab tree takes it (the
// item becomes a tab there), and so does the search bar (a button).
inline constexpr char kEngineItemMimeType[] = "application/x-tolvane-engine-item";

}  // namespace tolvane
