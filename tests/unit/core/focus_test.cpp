// The keyboard focus on the main window: whatever disables the control that has the focus, the
// focus first goes to the next control of the tab order that can take it, going round, so that the
// keyboard never stays on no control.
#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

TEST_F(FrmCopyTest, ADisabledFocusedControlHandsTheFocusToTheNextTabStop) {
  const auto arm = [&](std::wstring_view name) {
    return [&, name](FrmCopy&) { ClickSource(name); };
  };
  const struct {
    const char* what;
    std::function<void(FrmCopy&)> arrange;
    std::wstring_view focused;  // where the user left the focus
    std::function<void(FrmCopy&)> act;
    std::wstring_view expected;
  } cases[] = {
      {"a compression passes the disabled expansion button over", arm(L"RAPPORT.TXT"), L"BtCompres",
       [](FrmCopy& w) { w.BtCompres.Press(); }, L"Commande1"},
      {"an expansion", arm(L"RAPPORT.TX_"), L"BtDecomp",
       [&](FrmCopy& w) {
         platform.dialogs.input_answers.emplace_back(L"copie");
         w.BtDecomp.Press();
       },
       L"Commande1"},
      {"a failed compression keeps its button, and the focus on it", arm(L"RAPPORT.TXT"),
       L"BtCompres",
       [&](FrmCopy& w) {
         module1.AppPath = L"C:\\AILLEURS";
         w.BtCompres.Press();
       },
       L"BtCompres"},
      {"a new source folder disarms the focused button", arm(L"RAPPORT.TXT"), L"BtCompres",
       [](FrmCopy& w) { w.Repertoire1.SetPath(L"D:\\ARCHIVES"); }, L"Commande1"},
      {"a button disabled without the focus moves nothing", arm(L"RAPPORT.TXT"), L"Fichier1",
       [&](FrmCopy&) { ClickSource(L"RAPPORT.TX_"); }, L"Fichier1"},
      {"an option group is reached at its selected button", [](FrmCopy& w) { w.Option3.Select(); },
       L"Text1", [](FrmCopy& w) { w.Text1.SetEnabled(false); }, L"Option3"},
      {"the last tab stop goes round to the first enabled one", [](FrmCopy&) {}, L"Repertoire2",
       [](FrmCopy& w) { w.Repertoire2.SetEnabled(false); }, L"Commande1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FrmCopy& w = Start();
    c.arrange(w);
    w.SetFocus(*w.Find(c.focused));
    c.act(w);
    ASSERT_NE(w.Focused(), nullptr);
    EXPECT_EQ(w.Focused()->Name(), c.expected);
  }
}

}  // namespace
}  // namespace tassefiche
