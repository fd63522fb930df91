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
  const QString choices[] = {QStringLiteral("0 - なし"), QStringLiteral("1 - SJIS"),
                             QStringLiteral("2 - EUC"), QStringLiteral("3 - UTF-8")};
  for (int encoding = 0; encoding < 4; ++encoding) {
    encoding_->addItem(choices[encoding], encoding);
  }
  // A record may hold any number (searches then leave its placeholders as
  // they are); it stays as stored unless the user picks one of the four.
  if (encoding_->findData(values.encoding) < 0) {
    encoding_->addItem(QString::number(values.encoding), values.encoding);
  }
  encoding_->setCurrentIndex(encoding_->findData(values.encoding));
  form->addRow(QStringLiteral("URLエンコード(&E):"), encoding_);

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
  values.encoding = encoding_->currentData().toInt();
  return values;
}

}  // namespace tolvane
