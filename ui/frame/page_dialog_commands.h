#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "core/commands/command_handler.h"

class QPrinter;
class QWebEngineProfile;
class QWidget;

namespace tolvane {

class OfflineBlock;
class WebEngineControl;

// The shown page's commands whose work is Qt's own dialogs: print, print
// preview, page setup, save as, properties, the privacy and security
// reports, the zoom dialog, and working offline (every page of the run).
class CPageDialogCommands : public QObject, public CommandRows<CPageDialogCommands> {
 public:
  using ActivePage = std::function<WebEngineControl*()>;

  // `active` gives the shown page's control (null when none or not loaded);
  // `zoom_changed` runs after the zoom dialog set a zoom.
  CPageDialogCommands(QWebEngineProfile* profile, ActivePage active,
                      std::function<void()> zoom_changed, QWidget* parent);
  ~CPageDialogCommands() override;

  bool offline() const;

  // Where a save dialog opens: `preferred` (the downloads folder when
  // empty) while it exists, else the home folder, never the folder the
  // program happened to be started in.
  static QString SaveFolder(const QString& preferred = {});

 private:
  using Self = CPageDialogCommands;

  WebEngineControl* Page() const;
  bool HasPage(const CommandContext&) const;
  bool HasZoom(const CommandContext&) const;
  QPrinter& Printer();

  void Print(const CommandContext&);
  void PrintPreview(const CommandContext&);
  void PageSetup(const CommandContext&);
  void SaveAs(const CommandContext&);
  void Properties(const CommandContext&);
  void PrivacyReport(const CommandContext&);
  void SecurityReport(const CommandContext&);
  void ZoomDialog(const CommandContext&);
  void ToggleOffline(const CommandContext&);
  bool IsOffline(const CommandContext&) const;

  static constexpr Row kRows[] = {
      {command::kPrint, &Self::Print, &Self::HasPage},
      {command::kPrintPreview, &Self::PrintPreview, &Self::HasPage},
      {command::kPageSetup, &Self::PageSetup},
      {command::kSavePage, &Self::SaveAs, &Self::HasPage},
      {command::kPageProperties, &Self::Properties, &Self::HasPage},
      {command::kPrivacyReport, &Self::PrivacyReport, &Self::HasPage},
      {command::kSecurityReport, &Self::SecurityReport, &Self::HasPage},
      {command::kZoomCustom, &Self::ZoomDialog, &Self::HasZoom},
      {command::kWorkOffline, &Self::ToggleOffline, nullptr, &Self::IsOffline},
  };

  ActivePage active_;
  std::function<void()> zoom_changed_;
  QPointer<QWidget> parent_;
  std::unique_ptr<QPrinter> printer_;
  OfflineBlock* offline_ = nullptr;  // owned by the profile
};

}  // namespace tolvane
