#pragma once
// A scene as a person reads it: its settings, surfaces with their layers,
// textures with their sizes, meshes with sub-meshes and chunks, and the node
// tree indented by depth.
#include <ostream>

class Scene;

void printSceneTree(std::ostream& out, const Scene& scene);
