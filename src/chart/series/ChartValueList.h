#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"

class TChartSeries;

// How a value list keeps its values as points are added: unordered, ascending or descending.
enum TChartListOrder { loNone, loAscending, loDescending };

// One coordinate of a series' points (X, Y, ...): raw stored values, an ordering rule for
// insertion, a multiplier applied on every read, and statistics computed lazily.
class LISTCHART_CHART_API TChartValueList {
 public:
  // Registers the new list in the owner's ValueLists.
  TChartValueList(TChartSeries* owner, std::string name);
  virtual ~TChartValueList() = default;
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  // The value at index, times the multiplier; throws when out of range.
  virtual double ValueAt(int index) const;
  // Replaces the stored value at index and tells the owner's linked series; throws when out of
  // range.
  virtual void PutValue(int index, double value);
  // Removes every value.
  virtual void RemoveAllValues();
  // Stores a value where the order puts it (after equal ones; at the end when unordered) and
  // returns its index.
  virtual int AddInOrder(double value);
  // Inserts a value at index (0..ValueCount); throws when out of range.
  virtual void InsertValueAt(int index, double value);
  // The number of values.
  virtual int ValueCount() const { return static_cast<int>(FValues.size()); }
  // Removes the value at index; throws when out of range.
  virtual void RemoveValueAt(int index);
  // Moves the first value to the end.
  virtual void RotateValues();
  // Exchanges two stored values; used when whole points are swapped.
  void SwapValues(int a, int b);

  // The stored values, before the multiplier: for loops over very many points.
  const std::vector<double>& StoredValues() const { return FValues; }
  // The last value, times the multiplier; throws when the list is empty.
  double LastValue() const { return ValueAt(ValueCount() - 1); }
  // The index of the first value (times the multiplier) equal to value, -1 when none.
  int IndexOfValue(double value) const;
  // Sets each value to its index: 0, 1, 2, ...
  void NumberValues();
  // Sorts the owner's points by this list's values in its order; does nothing when unordered.
  void SortValues();

  // The highest finite value, times the multiplier (0 when none).
  double HighestValue();
  // The lowest finite value, times the multiplier (0 when none).
  double LowestValue();
  // The sum of the values read (after the multiplier).
  double SumOfValues();
  // The sum of the magnitudes of the values read (after the multiplier).
  double SumOfMagnitudes();
  // Whether any value is finite: without one the extremes above stand for nothing.
  bool HasFiniteValue();
  // Whether the statistics wait to be recomputed at the next read.
  bool StatsDirty() const { return FStatsDirty; }

  // The factor applied to every value read; 1 by default.
  double Multiplier() const { return FMultiplier; }
  // Sets the multiplier, tells the owner's linked series and repaints.
  void SetMultiplier(double value);
  // Whether the axes label these values as dates and times; false by default.
  bool DateTime() const { return FDateTime; }
  // Sets DateTime and repaints.
  void SetDateTime(bool value);
  // How added values are ordered; loNone by default, loAscending for a series' X values.
  TChartListOrder Order() const { return FOrder; }
  // Sets the order for values added from now on; the values there stay as they are.
  void SetOrder(TChartListOrder value) { FOrder = value; }
  // The list's name, such as "X" or "Y".
  const std::string& Name() const { return FName; }
  // Sets the name.
  void SetName(const std::string& value) { FName = value; }
  // Empty by default; stored only, nothing reads it.
  const std::string& ValueSource() const { return FValueSource; }
  // Sets ValueSource.
  void SetValueSource(const std::string& value) { FValueSource = value; }
  // The series the list belongs to; nullptr when none.
  TChartSeries* Owner() const { return FOwner; }

  // Copies the settings of another list, not its values or name.
  void Assign(const TChartValueList& other);

  // Value of the point being added, read by per-kind insertion steps.
  double PendingValue = 0;

 private:
  void CheckIndex(int index) const;
  void RecalcStats();

  TChartSeries* FOwner;
  std::string FName;
  std::vector<double> FValues;
  double FMultiplier = 1.0;
  bool FDateTime = false;
  TChartListOrder FOrder = loNone;
  std::string FValueSource;
  bool FStatsDirty = true;
  double FHighest = 0, FLowest = 0, FSum = 0, FSumOfMagnitudes = 0;
  bool FAnyFinite = false;
};

// The value lists of one series in order: 0 is X, 1 is Y. Does not own the lists.
class LISTCHART_CHART_API TChartValueLists {
 public:
  // The number of lists.
  int Count() const { return static_cast<int>(FLists.size()); }
  // The list at index; throws when out of range.
  TChartValueList* operator[](int index) const;
  // Appends a list (not owned).
  void Add(TChartValueList* list) { FLists.push_back(list); }
  // Takes a list out, as a kind's own list goes before the series does.
  void Remove(TChartValueList* list) { std::erase(FLists, list); }
  // The first list, for range loops.
  auto begin() const { return FLists.begin(); }
  // Past the last list.
  auto end() const { return FLists.end(); }

 private:
  std::vector<TChartValueList*> FLists;
};
