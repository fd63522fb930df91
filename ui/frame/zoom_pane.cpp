#include "ui/frame/zoom_pane.h"

#include <QActionGroup>
#include <QMenu>

#include "core/frame/page_zoom.h"
#include "ui/base/menu_builder.h"
#include "ui/base/qt_text.h"
#include "ui/frame/command_actions.h"

namespace tolvane {
CZoomPane::CZoomPane(CCommandActions& actions, QWidget* parent) : QToolButton(parent) {
  setObjectName(QStringLiteral("zoomPane"));
  setAutoRaise(true);
  setPopupMode(QToolButton::MenuButtonPopup);
  setToolTip(QStringLiteral("拡大率"));
  auto* menu = new QMenu(this);
  // Radio marks: at most one preset is the page's zoom.
  auto* presets = new QActionGroup(menu);
  presets->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  MenuDrawing drawing;
  drawing.add_command = [&actions, presets](QMenu& into, CommandId id, const QString& text,
                                            bool checkable) {
    QAction* action = actions.AddEntry(into, id, text, checkable);
    if (id >= command::kZoomPresetFirst && id <= command::kZoomPresetLast) {
      presets->addAction(action);
    }
    return action;
  };
  DrawMenu(MenuId::kZoomPane, *menu, drawing);
  setMenu(menu);
  setDefaultAction(nullptr);
  QAction* cycle = actions.Action(command::kZoomCycle, QStringLiteral("拡大率の切り替え"));
  connect(this, &QToolButton::clicked, cycle, &QAction::trigger);
  ShowZoom(page_zoom::kUnknown);
}

void CZoomPane::ShowZoom(int zoom) {
  const std::string text = page_zoom::ZoomPaneText(zoom);
  setText(QString::fromStdString(text));
  setVisible(!text.empty());
}

}  // namespace tolvane
