#include "ui/base/property_form.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tolvane {

void ShowReadOnly(QLineEdit& edit, bool read_only) {
  edit.setReadOnly(read_only);
  QPalette palette = edit.palette();
  palette.setBrush(QPalette::Base, read_only ? edit.palette().brush(QPalette::Window)
                                             : QApplication::palette(&edit).brush(QPalette::Base));
  edit.setPalette(palette);
}

void LayOutWithOkCancel(QDialog& dialog, QFormLayout* form) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

}  // namespace tolvane
