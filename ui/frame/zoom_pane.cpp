#include "ui/frame/zoom_pane.h"

#include <QActionGroup>
#include <QMenu>

#include "core/frame/page_zoom.h"
#include "ui/base/qt_text.h"
#include "ui/frame/command_actions.h"

namespace tolvane {
namespace {

constexpr int kPresets[] = {400, 200, 150, 125, 100, 75, 50};

}  // namespace

CZoomPane::CZoomPane(CCommandActions& actions, QWidget* parent) : QToolButton(parent) {
  setObjectName(QStringLiteral("zoomPane"));
  setAutoRaise(true);
  setPopupMode(QToolButton::MenuButtonPopup);
  setToolTip(QStringLiteral("拡大率"));
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("Zoom"));
  // Radio marks: at most one preset is the page's zoom.
  actions.AddTo(*menu, command::kZoomIn, QStringLiteral("拡大(&I)"));
  actions.AddTo(*menu, command::kZoomOut, QStringLiteral("縮小(&O)"));
  menu->addSeparator();
  auto* presets = new QActionGroup(menu);
  presets->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int i = 0; i < static_cast<int>(std::size(kPresets)); ++i) {
    presets->addAction(actions.AddTo(*menu, CommandId(command::kZoomPresetFirst.value() + i),
                                     QStringLiteral("%1%").arg(kPresets[i]), true));
  }
  menu->addSeparator();
  actions.AddTo(*menu, command::kZoomCustom, QStringLiteral("カスタム(&C)..."));
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
