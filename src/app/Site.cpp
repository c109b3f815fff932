#include "app/Site.h"

#include <algorithm>
#include <limits>

namespace {

int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

int32_t PercentOf(int64_t part, int64_t whole) {
  // A tank of capacity 0 or a site without tanks has no meaningful percent: report 0.
  if (whole == 0) return 0;
  return SaturateToInt32(part * 100 / whole);
}

TTank::TTank(int32_t capacity) : FCapacity(capacity) {}

void TTank::SetLevel(int32_t value) {
  if (value < 0)
    FLevel = 0;
  else if (value > FCapacity)
    FLevel = FCapacity;
  else
    FLevel = value;
}

int32_t TTank::GetPercent() const {
  return PercentOf(FLevel, FCapacity);
}

void TTank::SetPercent(int32_t percent) {
  // Widened so that a huge percent clamps to the capacity instead of wrapping around.
  SetLevel(SaturateToInt32(int64_t{FCapacity} * percent / 100));
}

TSite::TSite(std::string name) : FName(std::move(name)) {}

TTank& TSite::Add(std::unique_ptr<TTank> tank) {
  FTanks.push_back(std::move(tank));
  return *FTanks.back();
}

TTank& TSite::GetTank(int32_t index) const {
  if (index < 0 || index >= Count())
    throw ESiteError("Attempt to access invalid tank: " + GetTankLabel(index));
  return *FTanks[static_cast<size_t>(index)];
}

std::string TSite::GetTankLabel(int32_t index) const {
  return std::to_string(int64_t{index} + 1) + "/" + FName;
}

int32_t TSite::GetCapacity() const {
  int64_t sum = 0;
  for (const auto& tank : FTanks) sum += tank->Capacity();
  return SaturateToInt32(sum);
}

int32_t TSite::GetLevel() const {
  int64_t sum = 0;
  for (const auto& tank : FTanks) sum += tank->Level();
  return SaturateToInt32(sum);
}

int32_t TSite::GetPercent() const {
  int64_t level = 0, capacity = 0;
  for (const auto& tank : FTanks) {
    level += tank->Level();
    capacity += tank->Capacity();
  }
  return PercentOf(level, capacity);
}

void TSite::FillAll() {
  for (auto& tank : FTanks) tank->SetPercent(100);
}

TSite& TSiteList::Add(std::unique_ptr<TSite> site) {
  FSites.push_back(std::move(site));
  return *FSites.back();
}

TSite& TSiteList::GetSite(int32_t index) const {
  if (index < 0 || index >= Count()) throw ESiteError("Attempt to access invalid site");
  return *FSites[static_cast<size_t>(index)];
}
