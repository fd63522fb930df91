#pragma once

class QDialog;
class QFormLayout;
class QLineEdit;

namespace tolvane {

// Shared parts of the property dialogs (engines and tabs, items).

// A read-only field keeps its text selectable but looks like the dialog's
// background, so the user sees at once what cannot be changed.
void ShowReadOnly(QLineEdit& edit, bool read_only);

// Lays `dialog` out as `form` above OK and "キャンセル", which accept and
// reject it.
void LayOutWithOkCancel(QDialog& dialog, QFormLayout* form);

}  // namespace tolvane
