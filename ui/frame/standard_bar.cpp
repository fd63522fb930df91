#include "ui/frame/standard_bar.h"

#include <QAction>
#include <QToolButton>

#include "core/frame/standard_toolbar.h"
#include "core/frame/toolbar_options.h"
#include "ui/base/qt_text.h"
#include "ui/frame/command_actions.h"
#include "ui/frame/frame_icons.h"

namespace tolvane {

CStandardBar::CStandardBar(CCommandActions& actions, DropDowns menus, QWidget* parent)
    : BandToolBar(QStringLiteral("標準のボタン"), parent), actions_(actions), menus_(menus) {}

void CStandardBar::Rebuild(const ToolbarOptions& options) {
  // The bar's own actions (separators, the buttons' places) go with their
  // buttons; the command actions stay with the frame.
  const QList<QAction*> old = actions();
  clear();
  for (QAction* action : old) {
    if (action->parent() == this) delete action;
  }
  buttons_.clear();
  const int pixels = options.icon_pixels();
  setIconSize(QSize(pixels, pixels));
  for (const ToolbarButton& entry : StandardToolbar(options)) {
    if (entry.separator()) {
      addSeparator();
      continue;
    }
    QAction* action = actions_.Action(entry.command);
    action->setIcon(StandardButtonIcon(entry.index));
    // Menus show the action's text; the button its short name.
    action->setIconText(ToQString(entry.name));
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("button%1").arg(entry.command.value()));
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(iconSize());
    button->setToolButtonStyle(options.names == ToolbarOptions::ButtonNames::kUnderAll
                                   ? Qt::ToolButtonTextUnderIcon
                               : entry.shows_name ? Qt::ToolButtonTextBesideIcon
                                                  : Qt::ToolButtonIconOnly);
    button->setToolTip(ToQString(entry.name));
    if (QMenu* menu = entry.drop_down ? DropDownOf(entry.command) : nullptr) {
      button->setMenu(menu);
      button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    addWidget(button);
    buttons_[entry.command.value()] = button;
  }
}

QToolButton* CStandardBar::Button(CommandId id) const {
  const auto found = buttons_.find(id.value());
  return found == buttons_.end() ? nullptr : found->second;
}

QMenu* CStandardBar::DropDownOf(CommandId id) const {
  if (id == command::kBack) return menus_.back;
  if (id == command::kForward) return menus_.forward;
  if (id == command::kAddFavorite) return menus_.add;
  return nullptr;
}

}  // namespace tolvane
