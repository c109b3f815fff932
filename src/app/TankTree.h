#pragma once

#include <string>

#include "app/Site.h"
#include "treelist/TreeList.h"

// The main window's tree-list: one row per site, one child row per tank, five columns.

// The tree-list's stored settings and its five columns, in value-index order: "Site/Tank",
// "Capacity", "Level", "Level %" (a button column with two buttons, the first the default)
// and "Status". The cells are coloured by TankTreeCustomDrawCell.
void ConfigureTankTreeList(TTreeList& tree);

// Site rows are yellow unless selected; the tree-list still draws every cell itself.
void TankTreeCustomDrawCell(TCustomTreeListControl* sender, TCanvas& canvas, const TRect& rect,
                            TTreeListNode* node, TTreeListColumn* column, bool selected,
                            bool focused, bool newItemRow, std::string& text, TColor& color,
                            TFont& font, TAlignment& alignment, bool& done);

// Rebuilds every node from the plant: a site node with its name and capacity, a child per
// tank with its label and capacity. Each site and tank keeps its node; all sites collapsed.
void LoadTree(TTreeList& tree, TSiteList& sites);

// Rewrites the level, percent and status values of every node, then repaints once.
void RefreshTree(TTreeList& tree, const TSiteList& sites);

// The value indexes of the five columns.
enum TTankColumn { tcSiteTank, tcCapacity, tcLevel, tcLevelPercent, tcStatus };
