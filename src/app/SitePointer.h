#pragma once

#include <string>

#include "app/Site.h"

class TTreeList;

// How the chart's pointer reaches the plant: an X value of the chart names a site by its
// index, and the status bar shows that site's totals.

// The site index an X value falls on (halves go to the even neighbour), or -1 when it lies
// outside the sites.
int SiteIndexAtX(double x, int siteCount);

// "Name: level/capacitygals (percent% full)", the status text for a site.
std::string SiteStatusText(const TSite& site);

// Collapses the whole tree, then focuses and expands the site's node.
void OpenSiteNode(TTreeList& tree, const TSite& site);
