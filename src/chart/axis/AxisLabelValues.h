#pragma once

#include <vector>

#include "chart/view/ChartLayout.h"

// Where the labels of logarithmic and date-time axes go.

// The powers of the base inside the range, from the top down, every one or every few so that
// at most `slots` fit; empty when no power lies inside (or the range is not above zero).
std::vector<double> LogarithmicLabelValues(const TAxisScale& scale, int base, int slots);
// The step of the date-time ladder (seconds, minutes, hours, days, a week, half a month,
// months, years) that is at least the given number of days.
double DateTimeStep(double atLeast);
// Whole months of the ladder (1, 2, 3, 4, 6, 12, 24, ...) a step of days stands for; 0 for
// steps under a month.
int DateTimeStepMonths(double step);
// The first days of every `months`-th month inside the range, from the top down.
std::vector<double> CalendarLabelValues(const TAxisScale& scale, int months);
