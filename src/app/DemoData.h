#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "app/Site.h"

// One record of the built-in plant table.
struct TSiteRecord {
  const char* Name;
  int32_t TankCapacity;
  int32_t TankCount;
};

extern const std::array<TSiteRecord, 12> SiteTable;

// The demo's pseudo-random source: a linear congruential generator whose state the caller
// owns. The program keeps one instance that starts at 0 and is never reseeded, so every run
// shows the same levels and the same sequence of changes.
class TDemoRandom {
 public:
  uint32_t Seed = 0;

  // Next value in 0..n-1 (0 for n = 0); advances Seed exactly once.
  int32_t RandomInt(int32_t n);
};

// Builds the plant from SiteTable: every tank empty.
std::unique_ptr<TSiteList> BuildSites();

// Gives every tank a random percent in 0..99, sites in order, tanks in index order.
void RandomizeLevels(TSiteList& sites, TDemoRandom& random);

// One simulation step: each site in order is either refilled or has one tank drained.
void SimulateStep(TSiteList& sites, TDemoRandom& random);
