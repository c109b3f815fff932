#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Exception.h"

// The row that shows a site or tank; the model only keeps the reference.
class TTreeListNode;

// Raised for a tank or site index outside the list.
class ESiteError : public Exception {
 public:
  using Exception::Exception;
};

// One tank: a fixed capacity and a level that every change clamps into 0..Capacity.
class TTank {
 public:
  explicit TTank(int32_t capacity);

  int32_t Capacity() const { return FCapacity; }
  int32_t Level() const { return FLevel; }
  void SetLevel(int32_t value);
  int32_t GetPercent() const;
  void SetPercent(int32_t percent);

  // The display node showing this tank; set and read by the window, never owned.
  TTreeListNode* Node = nullptr;

 private:
  int32_t FCapacity;
  int32_t FLevel = 0;
};

// A named site owning its tanks in insertion order.
class TSite {
 public:
  explicit TSite(std::string name);

  const std::string& Name() const { return FName; }
  TTank& Add(std::unique_ptr<TTank> tank);
  int32_t Count() const { return static_cast<int32_t>(FTanks.size()); }
  TTank& GetTank(int32_t index) const;
  std::string GetTankLabel(int32_t index) const;
  int32_t GetCapacity() const;
  int32_t GetLevel() const;
  int32_t GetPercent() const;
  void FillAll();

  // The display node showing this site; set and read by the window, never owned.
  TTreeListNode* Node = nullptr;

 private:
  std::string FName;
  std::vector<std::unique_ptr<TTank>> FTanks;
};

// The plant: sites in insertion order, owned.
class TSiteList {
 public:
  TSite& Add(std::unique_ptr<TSite> site);
  int32_t Count() const { return static_cast<int32_t>(FSites.size()); }
  TSite& GetSite(int32_t index) const;

 private:
  std::vector<std::unique_ptr<TSite>> FSites;
};

// Integer percent of part in whole, truncated toward zero; 0 when whole is 0.
int32_t PercentOf(int64_t part, int64_t whole);
