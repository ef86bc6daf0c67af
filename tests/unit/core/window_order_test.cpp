// The window order of both forms: each label just before the control it names, where assistive
// technology looks for a name, and the other controls in their tab order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string_view>
#include <vector>

#include "about_window/frm_about_layout.h"
#include "main_window/frm_copy_layout.h"
#include "platform/window_order.h"

namespace tassefiche {
namespace {

using ::testing::Pair;
using ::testing::UnorderedElementsAre;

bool HasNoTextOfItsOwn(ControlKind kind) {
  return kind == ControlKind::kDriveList || kind == ControlKind::kFolderList ||
         kind == ControlKind::kFileList || kind == ControlKind::kTextBox;
}

TEST(WindowOrder, EachLabelComesJustBeforeItsControlAndTheOthersKeepTheTabOrder) {
  for (const FormLayout* layout : {&kFrmCopyLayout, &kFrmAboutLayout}) {
    std::vector<std::wstring_view> containers{{}};
    for (const ControlLayout& row : layout->controls) {
      if (row.kind == ControlKind::kFrame) containers.push_back(row.name);
    }
    std::size_t placed = 0;
    for (const std::wstring_view container : containers) {
      const std::vector<const ControlLayout*> order = WindowOrder(*layout, container);
      placed += order.size();
      int last_tab = kNoTabIndex;
      for (std::size_t i = 0; i < order.size(); ++i) {
        const ControlLayout& row = *order[i];
        SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
        EXPECT_EQ(row.container, container);
        if (!row.particulars.names.empty()) {
          ASSERT_LT(i + 1, order.size());
          EXPECT_EQ(order[i + 1]->name, row.particulars.names);
        } else {
          EXPECT_LE(last_tab, row.tab_index);
          last_tab = row.tab_index;
        }
      }
    }
    EXPECT_EQ(placed, layout->controls.size());
  }
}

TEST(WindowOrder, EveryControlWithoutTextOfItsOwnIsNamedByTheLabelAboveIt) {
  std::map<std::wstring_view, std::wstring_view> named;
  for (const FormLayout* layout : {&kFrmCopyLayout, &kFrmAboutLayout}) {
    for (const ControlLayout& row : layout->controls) {
      if (!row.particulars.names.empty()) named[row.particulars.names] = row.caption;
    }
    for (const ControlLayout& row : layout->controls) {
      if (HasNoTextOfItsOwn(row.kind)) {
        EXPECT_TRUE(named.contains(row.name)) << std::string(row.name.begin(), row.name.end());
      }
    }
  }
  EXPECT_THAT(named,
              UnorderedElementsAre(
                  Pair(L"Lecteur1", L"Lecteur source :"), Pair(L"Repertoire1", L"Dossier source :"),
                  Pair(L"Fichier1", L"Fichiers sources :"), Pair(L"Lecteur2", L"Lecteur cible :"),
                  Pair(L"Repertoire2", L"Dossier cible :"), Pair(L"Fichier2", L"Fichiers cibles :"),
                  Pair(L"Text1", L"Filtre de sélection :")));
}

}  // namespace
}  // namespace tassefiche
