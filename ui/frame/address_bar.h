#pragma once

#include <QIcon>
#include <QString>
#include <string>
#include <vector>

#include "core/frame/address_bar_commands.h"
#include "ui/base/band_tool_bar.h"

class QComboBox;
class QCompleter;
class QStandardItemModel;
class QToolButton;

namespace tolvane {

class AddressList;
class ItemStore;

// The address bar band: an editable box over the address list and a go
// button. Typing lists the history items whose address begins with the
// text; F4, Alt+Down or the box's button list the address list. Enter, the
// go button or picking an entry asks to go (goRequested); Esc puts the shown
// page's address back; Tab leaves for the page tabs, Shift+Tab for the page.
class CAddressBar : public BandToolBar, public AddressBarView {
  Q_OBJECT

 public:
  // `list` and `history` must outlive the bar.
  CAddressBar(AddressList& list, const ItemStore& history, QWidget* parent = nullptr);

  QComboBox* box() const { return box_; }
  QToolButton* go_button() const { return go_button_; }
  // The shown page's address; the box shows it unless the user is typing.
  void ShowPageAddress(const QString& url);
  // Refills the box's own list from the address list.
  void RefillList();

  // The typed text (Shift_JIS), as a command given now finds it.
  std::string AddressText() const;

  // AddressBarView
  void FocusAddressBar() override;
  void LeaveAddressBar() override;
  std::string AskFileToOpen() override;

 signals:
  void goRequested();
  // Focus leaves the bar: backward (Shift+Tab, and a go: into the shown
  // page) or forward (Tab).
  void focusLeaving(bool backward);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Go();
  void ShowMatches(const QString& text);
  // The offered history items (AddressHistory) and their URLs.
  struct History {
    std::vector<int> items;
    std::vector<std::string> urls;
  };
  History OfferedHistory() const;
  // The icon of a drop-down line: its history item's image, or the page
  // image when no history item has its address.
  QIcon LineIcon(const History& history, int history_index) const;

  AddressList& list_;
  const ItemStore& history_;
  QComboBox* box_ = nullptr;
  QToolButton* go_button_ = nullptr;
  QCompleter* matches_ = nullptr;
  QStandardItemModel* match_model_ = nullptr;
  QString page_url_;
  bool going_ = false;
};

}  // namespace tolvane
