#include "platform/win32/views.h"

namespace tassefiche {

std::unique_ptr<Win32View> MakeView(FormWindow& form, Control& control) {
  switch (control.Layout().kind) {
    case ControlKind::kFrame:
      return std::make_unique<FrameView>(form, control);
    case ControlKind::kLabel:
      return std::make_unique<LabelView>(form, control);
    case ControlKind::kTextBox:
      return std::make_unique<TextBoxView>(form, control);
    case ControlKind::kOptionButton:
      return std::make_unique<OptionButtonView>(form, control);
    case ControlKind::kCheckBox:
      return std::make_unique<CheckBoxView>(form, control);
    case ControlKind::kCommandButton:
      if (control.Layout().particulars.picture == Picture::kNone) {
        return std::make_unique<PushButtonView>(form, control);
      }
      return std::make_unique<PictureButtonView>(form, control);
    case ControlKind::kDriveList:
      return std::make_unique<DriveListView>(form, control);
    case ControlKind::kFolderList:
      return std::make_unique<FolderListView>(form, control);
    case ControlKind::kFileList:
      return std::make_unique<FileListView>(form, control);
    case ControlKind::kImage:
      return std::make_unique<ImageView>(form, control);
    case ControlKind::kLine:
      return std::make_unique<LineView>(form, control);
  }
  return nullptr;
}

}  // namespace tassefiche
