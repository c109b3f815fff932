#pragma once

#include <gtest/gtest.h>

#include "TreeTestTree.h"
#include "platform/Font.h"
#include "support/GuiApp.h"
#include "support/TestWindowHost.h"
#include "treelist/TreeList.h"
#include "treelist/view/TreeListLayout.h"

// A font whose text line ("Wg") is 16 pixels high, the size the layout rules are stated for.
inline TFont SixteenPixelFont() {
  TFont font;
  for (int height = 8; height < 40; ++height) {
    font.SetHeight(height);
    if (MeasureText(font, "Wg").height == 16) return font;
  }
  ADD_FAILURE() << "no font height gives a 16-pixel line";
  return font;
}

// The application's shape on screen: five auto-width columns in the flat look, two sites of
// which the first is expanded with two tanks.
struct TTankView {
  TTankView() {
    EnsureGuiApplication();
    tree.SetFont(SixteenPixelFont());
    tree.SetLookAndFeel(lfFlat);
    tree.SetOptions({aoRowSelect, aoAutoWidth, aoColumnSizing});
    AddTankColumns(tree);
    site1 = AddRow(tree, nullptr, {"Alpha", "10", "5", "50", "On-line"});
    tank1 = AddRow(tree, site1, {"1/Alpha", "5", "2", "40", "On-line"});
    tank2 = AddRow(tree, site1, {"2/Alpha", "5", "3", "60", "On-line"});
    site2 = AddRow(tree, nullptr, {"Beta", "20", "9", "45", "On-line"});
    AddRow(tree, site2, {"1/Beta", "20", "9", "45", "On-line"});
    site1->SetExpanded(true);
  }

  TColor At(int x, int y) { return host.PixelAt(x, y); }

  TTreeList tree;
  TTestWindowHost host{tree, 846, 200};
  TTreeListNode *site1 = nullptr, *tank1 = nullptr, *tank2 = nullptr, *site2 = nullptr;
};

class TreeViewFixture : public ::testing::Test, protected TTankView {};

// Rows of the fixture: the header is 21 high and every row 19.
constexpr int kHeaderBottom = 21;
constexpr int kRowHeight = 19;
inline int RowTop(int row) {
  return kHeaderBottom + row * kRowHeight;
}
inline int RowMid(int row) {
  return RowTop(row) + kRowHeight / 2;
}
