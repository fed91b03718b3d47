#pragma once
// How light and camera nodes enter their scene's lists (which hold plain
// pointers to what the nodes own): once per scene, however often the node
// is told its scene.
#include <algorithm>
#include <vector>

template <typename Item>
void listOnce(std::vector<Item*>& list, Item* item) {
  if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}
