#include "ui/frame/command_actions.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

#include "core/commands/command_router.h"
#include "core/commands/command_table.h"
#include "ui/base/qt_text.h"

namespace tolvane {
namespace {

const char kCommandProperty[] = "tolvaneCommand";
const char kWatchedProperty[] = "tolvaneCommandsWatched";
// The text without the key.
const char kTextProperty[] = "tolvaneText";

}  // namespace

CCommandActions::CCommandActions(CommandRouter& router, ContextSource context, QObject* parent)
    : QObject(parent), router_(router), context_(std::move(context)) {}

QAction* CCommandActions::Action(CommandId id, const QString& text, bool checkable) {
  auto found = actions_.find(id.value());
  if (found != actions_.end()) return found->second;
  auto* action = new QAction(this);
  SetText(*action, id, text.isEmpty() ? ToQString(CommandTable::ActionName(id)) : text);
  action->setCheckable(checkable);
  Connect(*action, id);
  actions_.emplace(id.value(), action);
  return action;
}

void CCommandActions::Connect(QAction& action, CommandId id) {
  action.setProperty(kCommandProperty, id.value());
  connect(&action, &QAction::triggered, this,
          [this, id] { router_.Run(id, context_ ? context_() : CommandContext{}); });
}

QAction* CCommandActions::AddEntry(QMenu& menu, CommandId id, const QString& text, bool checkable) {
  const auto shared = actions_.find(id.value());
  if (shared == actions_.end() || shared->second->property(kTextProperty).toString() == text) {
    return AddTo(menu, id, text, checkable);
  }
  auto* action = new QAction(&menu);
  SetText(*action, id, text);
  action->setCheckable(checkable);
  Connect(*action, id);
  menu.addAction(action);
  Watch(menu);
  own_.emplace_back(action);
  return action;
}

QAction* CCommandActions::AddTo(QMenu& menu, CommandId id, const QString& text, bool checkable) {
  QAction* action = Action(id, text, checkable);
  menu.addAction(action);
  Watch(menu);
  return action;
}

void CCommandActions::Watch(QMenu& menu) {
  if (menu.property(kWatchedProperty).toBool()) return;
  menu.setProperty(kWatchedProperty, true);
  connect(&menu, &QMenu::aboutToShow, this, [this, menu_ptr = &menu] { RefreshMenu(*menu_ptr); });
}

// The context is read once a pass: reading it looks at the whole window.
void CCommandActions::RefreshMenu(QMenu& menu) {
  const CommandContext context = context_ ? context_() : CommandContext{};
  for (QAction* action : menu.actions()) {
    if (action->property(kCommandProperty).isValid()) Refresh(*action, context);
  }
}

void CCommandActions::Refresh(QAction& action) {
  Refresh(action, context_ ? context_() : CommandContext{});
}

void CCommandActions::Refresh(QAction& action, const CommandContext& context) {
  const CommandId id(action.property(kCommandProperty).toInt());
  const CommandState state = router_.State(id, context);
  action.setEnabled(state.enabled);
  if (action.isCheckable()) action.setChecked(state.checked);
}

void CCommandActions::RefreshAll() {
  refresh_posted_ = false;
  const CommandContext context = context_ ? context_() : CommandContext{};
  for (auto& [id, action] : actions_) Refresh(*action, context);
}

void CCommandActions::RefreshAllSoon() {
  if (refresh_posted_) return;
  refresh_posted_ = true;
  QTimer::singleShot(0, this, [this] {
    if (refresh_posted_) RefreshAll();
  });
}

void CCommandActions::ShowKeysOf(const CommandTable& table) {
  table_ = &table;
  for (auto& [id, action] : actions_) {
    SetText(*action, CommandId(id), action->property(kTextProperty).toString());
  }
  for (const QPointer<QAction>& action : own_) {
    if (action) {
      SetText(*action, CommandId(action->property(kCommandProperty).toInt()),
              action->property(kTextProperty).toString());
    }
  }
}

// Once the command table is known it alone names the key: a key written
// into the text would show beside the table's, or name a key that was
// changed or taken away.
void CCommandActions::SetText(QAction& action, CommandId id, const QString& text) {
  action.setProperty(kTextProperty, text);
  action.setText(table_ != nullptr ? text.section(QLatin1Char('\t'), 0, 0) + KeySuffix(*table_, id)
                                   : text);
}

QString CCommandActions::KeySuffix(const CommandTable& table, CommandId id) {
  const int index = table.IndexOf(id);
  if (index < 0) return {};
  const auto [first, second] = table.KeyTexts(index);
  const std::string& key = first.empty() ? second : first;
  return key.empty() ? QString() : QLatin1Char('\t') + ToQString(key);
}

}  // namespace tolvane
