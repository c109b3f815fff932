#pragma once

#include "app/Site.h"
#include "treelist/TreeListControl.h"

// The main window's tree-list: one row per site, one child row per tank, five columns.

// The tree-list's stored settings and its five columns, in value-index order: "Site/Tank",
// "Capacity", "Level", "Level %" (a button column with two buttons, the first the default)
// and "Status".
void ConfigureTankTreeList(TTreeList& tree);

// Rebuilds every node from the plant: a site node with its name and capacity, a child per
// tank with its label and capacity. Each site and tank keeps its node; all sites collapsed.
void LoadTree(TTreeList& tree, TSiteList& sites);

// Rewrites the level, percent and status values of every node, then repaints once.
void RefreshTree(TTreeList& tree, const TSiteList& sites);

// The value indexes of the five columns.
enum TTankColumn { tcSiteTank, tcCapacity, tcLevel, tcLevelPercent, tcStatus };
