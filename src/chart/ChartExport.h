#pragma once

// Marks what liblistchart-chart exports: it is built with hidden symbols, so a class or
// function a program may use carries this mark and everything else stays inside the library.
#define LISTCHART_CHART_API __attribute__((visibility("default")))
