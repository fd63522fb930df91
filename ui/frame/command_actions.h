#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "core/commands/command_context.h"

class QAction;
class QMenu;

namespace tolvane {

class CommandRouter;
class CommandTable;

// The Qt actions of commands: each menu item and tool bar button of a
// command is one QAction that runs it through the router with the context
// the frame gives at that moment, and whose enabled and check state the
// router decides when its menu opens (or Refresh is called). No action has
// a Qt shortcut: keys reach the router through the window's input filter.
class CCommandActions : public QObject {
  Q_OBJECT

 public:
  using ContextSource = std::function<CommandContext()>;

  CCommandActions(CommandRouter& router, ContextSource context, QObject* parent = nullptr);

  // The action of command `id`, made once. `text` replaces the command's
  // action name from the string table; `checkable` makes it a check item.
  QAction* Action(CommandId id, const QString& text = QString(), bool checkable = false);
  // Adds the action of `id` to `menu`; the menu refreshes its actions'
  // states each time it opens.
  QAction* AddTo(QMenu& menu, CommandId id, const QString& text = QString(),
                 bool checkable = false);
  // The entry of command `id` in `menu` with `text`: the command's shared
  // action when it shows this text (or has none yet), else an action of
  // this menu alone, run and refreshed the same way.
  QAction* AddEntry(QMenu& menu, CommandId id, const QString& text, bool checkable);
  // Refreshes enabled and check state of every action of `menu` that is a
  // command's (tool bars call it on their own schedule).
  void RefreshMenu(QMenu& menu);
  void Refresh(QAction& action);
  void RefreshAll();
  // RefreshAll once the window's events of this turn are handled: a page
  // that loads changes the status many times a second, and each refresh
  // reads the whole window's input.
  void RefreshAllSoon();
  // Menu items show the first key of their command in `table` after a tab
  // ("戻る\tAlt+←"): text only, the key itself runs through the window's
  // input filter. Called again after the table changed.
  void ShowKeysOf(const CommandTable& table);
  // "\tAlt+←": the tab and the first key of `id` in `table`; empty when it
  // has none.
  static QString KeySuffix(const CommandTable& table, CommandId id);

  CommandRouter& router() const { return router_; }

 private:
  void Refresh(QAction& action, const CommandContext& context);
  void Watch(QMenu& menu);
  void Connect(QAction& action, CommandId id);
  void SetText(QAction& action, CommandId id, const QString& text);

  CommandRouter& router_;
  ContextSource context_;
  std::map<int, QAction*> actions_;
  // Actions of one menu alone (AddEntry), kept for their keys' texts.
  std::vector<QPointer<QAction>> own_;
  const CommandTable* table_ = nullptr;
  bool refresh_posted_ = false;
};

}  // namespace tolvane
