// The four attribute check boxes: each sets its own switch of both file lists, and only that one.
#include "main_window/frm_copy.h"

namespace tassefiche {

void FrmCopy::Check1_Click() {
  ApplyAttributeSwitch(Check1, &FileList::SetArchive);
}

void FrmCopy::Check2_Click() {
  ApplyAttributeSwitch(Check2, &FileList::SetHidden);
}

void FrmCopy::Check3_Click() {
  ApplyAttributeSwitch(Check3, &FileList::SetSystem);
}

void FrmCopy::Check4_Click() {
  ApplyAttributeSwitch(Check4, &FileList::SetReadOnly);
}

// Only a checked box turns the switch on; unchecked and greyed turn it off.
void FrmCopy::ApplyAttributeSwitch(const CheckBox& box, void (FileList::*set_switch)(bool)) {
  const bool on = box.Value() == CheckBox::kChecked;
  (Fichier1.*set_switch)(on);
  (Fichier2.*set_switch)(on);
  Fichier1.Refresh();
  Fichier2.Refresh();
  UpdateFileCount();
}

}  // namespace tassefiche
