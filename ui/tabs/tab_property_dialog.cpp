#include "ui/tabs/tab_property_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/app/qt_text.h"

namespace tolvane {
namespace {

QLineEdit* AddField(QFormLayout* form, const QString& label, const std::string& value,
                    const char* name) {
  auto* edit = new QLineEdit(ToQString(value));
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMinimumWidth(360);
  form->addRow(label, edit);
  return edit;
}

}  // namespace

CTabPropertyDialog::CTabPropertyDialog(const QString& title, const EngineDialogValues& values,
                                       QWidget* parent)
    : QDialog(parent), initial_(values) {
  setObjectName(QStringLiteral("tabPropertyDialog"));
  setWindowTitle(title);
  auto* form = new QFormLayout;
  name_ = AddField(form, QStringLiteral("名前(&N):"), values.name, "name");
  tab_name_ = AddField(form, QStringLiteral("タブ名(&T):"), values.tab_name, "tabName");
  short_name_ = AddField(form, QStringLiteral("短縮名(&H):"), values.short_name, "shortName");
  url_ = AddField(form, QStringLiteral("URL(&U):"), values.url, "url");
  search_url_ = AddField(form, QStringLiteral("検索URL(&S):"), values.search_url, "searchUrl");
  post_data_ = AddField(form, QStringLiteral("POSTデータ(&P):"), values.post_data, "postData");
  encoding_ = new QComboBox;
  encoding_->setObjectName(QStringLiteral("encoding"));
  encoding_->addItems({QStringLiteral("変換しない"), QStringLiteral("Shift_JIS"),
                       QStringLiteral("EUC-JP"), QStringLiteral("UTF-8")});
  encoding_->setCurrentIndex(values.encoding >= 0 && values.encoding <= 3 ? values.encoding : 0);
  form->addRow(QStringLiteral("文字コード(&E):"), encoding_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

EngineDialogValues CTabPropertyDialog::values() const {
  EngineDialogValues values = initial_;
  values.name = ToSjis(name_->text());
  values.tab_name = ToSjis(tab_name_->text());
  values.short_name = ToSjis(short_name_->text());
  values.url = ToSjis(url_->text());
  values.search_url = ToSjis(search_url_->text());
  values.post_data = ToSjis(post_data_->text());
  values.encoding = encoding_->currentIndex();
  return values;
}

}  // namespace tolvane
