// The one destruction rule of the owning containers: a container may hold
// the same object more than once, and destroying its content destroys each
// distinct object once.
#pragma once

#include <unordered_set>

// Destroys pointerOf(item) for each item of items, in order, skipping null
// and every pointer already destroyed here.
template <class Items, class PointerOf>
void DestroyEachOnce(const Items& items, PointerOf pointerOf) {
  std::unordered_set<const void*> destroyed;
  for (const auto& item : items) {
    auto p = pointerOf(item);
    if (p && destroyed.insert(p).second) delete p;
  }
}
