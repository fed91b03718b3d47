#pragma once
// One line about a node or an animation part, for tools that print scene
// trees (kstdump): a transform's tag, pivot and parts, a shape's mesh, a
// light's colour and place, a camera's frame and view window, a handler's
// value or keys, a controller's kind. Empty for any other class.
#include <string>

class persistent;

std::string nodeDetails(const persistent& object);
