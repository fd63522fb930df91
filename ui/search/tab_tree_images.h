#pragma once

#include <QIcon>

namespace tolvane {

// Icon choice `choice` (1 to 50) of an engine or a tab: a disc of its own
// colour.
QIcon IconChoiceImage(int choice);

// The picture of a tab tree image number (TabTree::kRootImage …, a tab's
// kTabIconBase + its icon choice), which the search bar and the tab row
// share; standard pictures stand in for the rest. Made once per image.
QIcon TabTreeImage(int image);

}  // namespace tolvane
