#include "ui/frame/page_dialog_commands.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInfo>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <atomic>

#include "core/frame/page_zoom.h"
#include "ui/browser/web_engine_control.h"

namespace tolvane {

// Working offline: every request of a page to the network is refused, so
// only what is on the screen (and the engine's own pages) stays.
class OfflineBlock : public QWebEngineUrlRequestInterceptor {
 public:
  using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

  void interceptRequest(QWebEngineUrlRequestInfo& info) override {
    if (!on.load()) return;
    const QString scheme = info.requestUrl().scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("ftp") || scheme == QLatin1String("ws") ||
        scheme == QLatin1String("wss")) {
      info.block(true);
    }
  }

  // Read on the engine's network thread.
  std::atomic<bool> on{false};
};

namespace {

// A dialog of label/value rows with a close button.
void ShowFacts(QWidget* parent, const QString& title,
               const std::vector<std::pair<QString, QString>>& rows) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  for (const auto& [label, value] : rows) {
    auto* text = new QLabel(value, &dialog);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setWordWrap(true);
    text->setMinimumWidth(360);
    form->addRow(label, text);
  }
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.exec();
}

QString SizeText(qint64 bytes) {
  if (bytes <= 0) return QStringLiteral("不明");
  return QStringLiteral("%1 バイト").arg(QLocale(QLocale::Japanese).toString(bytes));
}

}  // namespace

CPageDialogCommands::CPageDialogCommands(QWebEngineProfile* profile, ActivePage active,
                                         std::function<void()> zoom_changed, QWidget* parent)
    : QObject(parent),
      CommandRows(kRows),
      active_(std::move(active)),
      zoom_changed_(std::move(zoom_changed)),
      parent_(parent) {
  if (profile != nullptr) {
    offline_ = new OfflineBlock(profile);
    profile->setUrlRequestInterceptor(offline_);
  }
}

CPageDialogCommands::~CPageDialogCommands() = default;

WebEngineControl* CPageDialogCommands::Page() const {
  WebEngineControl* control = active_ ? active_() : nullptr;
  return control != nullptr && control->view() != nullptr ? control : nullptr;
}

bool CPageDialogCommands::HasPage(const CommandContext&) const { return Page() != nullptr; }

bool CPageDialogCommands::HasZoom(const CommandContext&) const {
  const WebEngineControl* page = Page();
  return page != nullptr && page->Zoom() != page_zoom::kUnknown;
}

QString CPageDialogCommands::SaveFolder(const QString& preferred) {
  const QString folder = preferred.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::DownloadLocation)
                             : preferred;
  return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

bool CPageDialogCommands::offline() const { return offline_ != nullptr && offline_->on.load(); }

QPrinter& CPageDialogCommands::Printer() {
  if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void CPageDialogCommands::Print(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  QPrinter& printer = Printer();
  QPrintDialog dialog(&printer, parent_);
  if (dialog.exec() != QDialog::Accepted || Page() != page) return;
  // The engine tells only at the end whether it printed; a print that failed
  // says so (after the engine's call, not inside it).
  const auto connection =
      static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection);
  const auto report = [parent = parent_](bool printed) {
    if (!printed) {
      QMessageBox::warning(parent, QStringLiteral("印刷"),
                           QStringLiteral("ページを印刷できませんでした。"));
    }
  };
  // Into a PDF file the engine writes the page itself, text and all; through
  // the printer it would be one large picture of each sheet.
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    connect(
        page->page(), &QWebEnginePage::pdfPrintingFinished, this,
        [report](const QString&, bool printed) { report(printed); }, connection);
    page->page()->printToPdf(printer.outputFileName(), printer.pageLayout(), printer.pageRanges());
    return;
  }
  connect(page->view(), &QWebEngineView::printFinished, this, report, connection);
  page->view()->print(&printer);
}

// The preview draws the page again for every change of its settings; each
// drawing waits for the engine.
void CPageDialogCommands::PrintPreview(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  QPointer<QWebEngineView> view = page->view();
  QPrintPreviewDialog dialog(&Printer(), parent_);
  connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [view](QPrinter* printer) {
    if (view == nullptr) return;
    QEventLoop loop;
    connect(view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
    connect(view, &QObject::destroyed, &loop, &QEventLoop::quit);
    view->print(printer);
    loop.exec();
  });
  dialog.exec();
}

void CPageDialogCommands::PageSetup(const CommandContext&) {
  QPageSetupDialog dialog(&Printer(), parent_);
  dialog.exec();
}

void CPageDialogCommands::SaveAs(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  const QString complete = QStringLiteral("Web ページ、完全 (*.htm *.html)");
  const QString html_only = QStringLiteral("Web ページ、HTML のみ (*.htm *.html)");
  const QString archive = QStringLiteral("Web アーカイブ、単一のファイル (*.mht *.mhtml)");
  QString name = page->page()->title().trimmed();
  name.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("_"));
  if (name.isEmpty()) name = QStringLiteral("page");
  const QString folder = SaveFolder();
  QString filter = complete;
  const QString path = QFileDialog::getSaveFileName(
      parent_, QStringLiteral("名前を付けて保存"),
      folder + QLatin1Char('/') + name + QStringLiteral(".html"),
      complete + QStringLiteral(";;") + html_only + QStringLiteral(";;") + archive, &filter);
  if (path.isEmpty() || page->page() == nullptr) return;
  const auto format = filter == html_only ? QWebEngineDownloadRequest::SingleHtmlSaveFormat
                      : filter == archive ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                                          : QWebEngineDownloadRequest::CompleteHtmlSaveFormat;
  page->page()->save(path, format);
}

void CPageDialogCommands::Properties(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  const QString title = page->page()->title();
  const QUrl url = page->page()->url();
  // What the page itself says about its document.
  const QString script = QStringLiteral(
      "(function() {"
      "  var n = performance.getEntriesByType('navigation')[0];"
      "  var d = new Date(document.lastModified);"
      "  var p = function(v) { return String(v).padStart(2, '0'); };"
      "  var modified = isNaN(d) ? '' : d.getFullYear() + '/' + p(d.getMonth() + 1) + '/' +"
      "      p(d.getDate()) + ' ' + p(d.getHours()) + ':' + p(d.getMinutes()) + ':' +"
      "      p(d.getSeconds());"
      "  return JSON.stringify({type: document.contentType, modified: modified,"
      "    size: n ? (n.decodedBodySize || n.encodedBodySize || 0) : 0,"
      "    charset: document.characterSet});"
      "})()");
  QPointer<QWidget> parent = parent_;
  page->page()->runJavaScript(script, [parent, title, url](const QVariant& result) {
    const QJsonObject facts = QJsonDocument::fromJson(result.toString().toUtf8()).object();
    const QString modified = facts.value(QStringLiteral("modified")).toString();
    ShowFacts(
        parent, QStringLiteral("プロパティ"),
        {{QStringLiteral("タイトル:"), title.isEmpty() ? QStringLiteral("なし") : title},
         {QStringLiteral("アドレス:"), url.toDisplayString()},
         {QStringLiteral("種類:"), facts.value(QStringLiteral("type")).toString()},
         {QStringLiteral("文字コード:"), facts.value(QStringLiteral("charset")).toString()},
         {QStringLiteral("サイズ:"),
          SizeText(static_cast<qint64>(facts.value(QStringLiteral("size")).toDouble()))},
         {QStringLiteral("更新日時:"), modified.isEmpty() ? QStringLiteral("不明") : modified}});
  });
}

// The engine tells no cookie decisions of its own; the program blocks none.
// What it can tell is where the page's parts came from.
void CPageDialogCommands::PrivacyReport(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  const QUrl url = page->page()->url();
  const QString script = QStringLiteral(
      "(function() {"
      "  var hosts = {};"
      "  performance.getEntriesByType('resource').forEach(function(e) {"
      "    try { hosts[new URL(e.name).host] = 1; } catch (x) {}"
      "  });"
      "  delete hosts[location.host];"
      "  return Object.keys(hosts).sort().join('\\n');"
      "})()");
  QPointer<QWidget> parent = parent_;
  page->page()->runJavaScript(script, [parent, url](const QVariant& result) {
    const QString others = result.toString();
    ShowFacts(parent, QStringLiteral("プライバシー レポート"),
              {{QStringLiteral("ページ:"), url.toDisplayString()},
               {QStringLiteral("ブロックされた Cookie:"), QStringLiteral("0")},
               {QStringLiteral("ほかのサイトから読み込んだ内容:"),
                others.isEmpty() ? QStringLiteral("なし") : others}});
  });
}

void CPageDialogCommands::SecurityReport(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  const QUrl url = page->page()->url();
  const QStringList errors = page->certificate_errors();
  // The engine refuses a connection whose certificate it cannot trust.
  const QString connection =
      url.scheme() != QLatin1String("https") ? QStringLiteral("暗号化されていません")
      : errors.isEmpty()                     ? QStringLiteral("暗号化されています (https)")
                         : QStringLiteral("証明書のエラーのため接続していません");
  ShowFacts(parent_, QStringLiteral("セキュリティ レポート"),
            {{QStringLiteral("ページ:"), url.toDisplayString()},
             {QStringLiteral("接続:"), connection},
             {QStringLiteral("証明書のエラー:"),
              errors.isEmpty() ? QStringLiteral("なし") : errors.join(QLatin1Char('\n'))}});
}

void CPageDialogCommands::ZoomDialog(const CommandContext&) {
  WebEngineControl* page = Page();
  if (page == nullptr) return;
  bool ok = false;
  const int percent = QInputDialog::getInt(
      parent_, QStringLiteral("拡大率の指定"), QStringLiteral("拡大率 (%):"), page->Zoom(),
      WebEngineControl::kMinZoom, WebEngineControl::kMaxZoom, page_zoom::kStep, &ok);
  if (!ok || Page() != page) return;
  page->SetZoom(percent);
  if (zoom_changed_) zoom_changed_();
}

void CPageDialogCommands::ToggleOffline(const CommandContext&) {
  if (offline_ != nullptr) offline_->on.store(!offline_->on.load());
}

bool CPageDialogCommands::IsOffline(const CommandContext&) const { return offline(); }

}  // namespace tolvane
