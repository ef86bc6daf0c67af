// What assistive technology finds in the real windows, read from outside: each list, drive list and
// the pattern box comes just after its label in the window order, and no label hides a border of
// its control; the frames are the platform's group boxes named by their captions; the focus still
// visits the controls in their tab order; the about window's clickable picture has a name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window/frm_copy_layout.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

constexpr int kCommand1 = 4;
constexpr int kImage2 = 2009;  // no tab index: 2000 and its row

int TabIndexOf(std::wstring_view name) {
  for (const ControlLayout& row : kFrmCopyLayout.controls) {
    if (row.name == name) return row.tab_index;
  }
  return kNoTabIndex;
}

TEST(LabelsThroughTheWindow, EachControlWithoutTextFollowsItsLabelAndFramesAreGroups) {
  const ProgramFolder folder(Tools::kNone);
  const RunningProgram program(folder.Program(), folder.Source());
  int labelled = 0;
  for (const ControlLayout& row : kFrmCopyLayout.controls) {
    SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
    const HWND control = program.Control(row.tab_index);
    if (row.kind == ControlKind::kFrame) {
      EXPECT_EQ(ClassOf(control), L"Button");
      EXPECT_EQ(GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
      EXPECT_EQ(TextOf(control), row.caption);
    }
    if (row.particulars.names.empty()) continue;
    const HWND named = program.Control(TabIndexOf(row.particulars.names));
    EXPECT_EQ(GetWindow(named, GW_HWNDPREV), control);
    EXPECT_EQ(ClassOf(control), L"Static");
    RECT label{};
    RECT below{};
    GetWindowRect(control, &label);
    GetWindowRect(named, &below);
    EXPECT_LE(label.bottom, below.top);
    ++labelled;
  }
  EXPECT_EQ(labelled, 7);  // three in each pane, and the pattern box's

  // Tab from the first stop goes round the focusable controls in their tab order.
  const std::vector<int> stops = {2, 3, 4, 5, 6, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 2};
  HWND at = program.Control(stops.front());
  for (std::size_t i = 1; i < stops.size(); ++i) {
    at = GetNextDlgTabItem(program.Main(), at, FALSE);
    EXPECT_EQ(at, program.Control(stops[i])) << stops[i];
  }

  // The about window's texts are the links themselves and its buttons carry their captions: no
  // label there names a control. Its donation picture, which can be clicked, has a name.
  program.Press(program.Control(kCommand1));
  const HWND about = program.WaitForWindow(L"Tassefiche.frmAbout");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(program.ControlOf(about, kImage2)),
            L"Faire un don avec PayPal - Un solution gratuite, rapide et sécurisée.");
}

}  // namespace
}  // namespace tassefiche::e2e
