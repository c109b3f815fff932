#pragma once

#include <string>
#include <vector>

#include "chart/ChartExport.h"

class TChartSeries;

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

  virtual double ValueAt(int index) const;
  virtual void PutValue(int index, double value);
  virtual void RemoveAllValues();
  virtual int AddInOrder(double value);
  virtual void InsertValueAt(int index, double value);
  virtual int ValueCount() const { return static_cast<int>(FValues.size()); }
  virtual void RemoveValueAt(int index);
  virtual void RotateValues();
  // Exchanges two stored values; used when whole points are swapped.
  void SwapValues(int a, int b);

  // The stored values, before the multiplier: for loops over very many points.
  const std::vector<double>& StoredValues() const { return FValues; }
  double LastValue() const { return ValueAt(ValueCount() - 1); }
  int IndexOfValue(double value) const;
  void NumberValues();
  void SortValues();

  double HighestValue();
  double LowestValue();
  double SumOfValues();
  double SumOfMagnitudes();
  // Whether any value is finite: without one the extremes above stand for nothing.
  bool HasFiniteValue();
  bool StatsDirty() const { return FStatsDirty; }

  double Multiplier() const { return FMultiplier; }
  void SetMultiplier(double value);
  bool DateTime() const { return FDateTime; }
  void SetDateTime(bool value);
  TChartListOrder Order() const { return FOrder; }
  void SetOrder(TChartListOrder value) { FOrder = value; }
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value) { FName = value; }
  const std::string& ValueSource() const { return FValueSource; }
  void SetValueSource(const std::string& value) { FValueSource = value; }
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
  int Count() const { return static_cast<int>(FLists.size()); }
  TChartValueList* operator[](int index) const;
  void Add(TChartValueList* list) { FLists.push_back(list); }
  auto begin() const { return FLists.begin(); }
  auto end() const { return FLists.end(); }

 private:
  std::vector<TChartValueList*> FLists;
};
