#pragma once
// Light and camera nodes enter their scene's lists (which hold plain
// pointers to what the nodes own) once per scene, however often a node is
// told its scene: a node read from a file lists itself, and its scene then
// tells the tree again.
#include <algorithm>
#include <vector>

template <typename Item>
bool listed(const std::vector<Item*>& list, const Item* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}
