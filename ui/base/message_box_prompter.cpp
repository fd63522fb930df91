#include "ui/base/message_box_prompter.h"

#include <QMessageBox>

#include "core/files/string_table.h"
#include "ui/base/qt_text.h"

namespace tolvane {

void MessageBoxPrompter::ShowStop(const std::string& text) {
  QMessageBox::critical(parent_, ToQString(ProgramTitle()), ToQString(text));
}

void MessageBoxPrompter::ShowWarning(const std::string& text) {
  QMessageBox::warning(parent_, ToQString(ProgramTitle()), ToQString(text));
}

void MessageBoxPrompter::ShowNotice(const std::string& text) {
  if (notice_ == nullptr) {
    notice_ = new QMessageBox(QMessageBox::Critical, ToQString(ProgramTitle()), QString(),
                              QMessageBox::Ok, parent_);
    notice_->setObjectName(QStringLiteral("notice"));
    notice_->setWindowModality(Qt::NonModal);
    notice_->setAttribute(Qt::WA_DeleteOnClose);
  }
  notice_->setText(ToQString(text));
  notice_->show();
  notice_->raise();
}

bool MessageBoxPrompter::AskYesNo(const std::string& text) {
  return QMessageBox::question(parent_, ToQString(ProgramTitle()), ToQString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace tolvane
