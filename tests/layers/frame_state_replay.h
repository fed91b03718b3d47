#pragma once
// The GL state a layer may change, replayed from the calls a recording
// driver logged, starting from the frame's own state.
#include <GL/gl.h>

#include <cstdlib>
#include <map>
#include <string>

namespace layer_test {

struct FrameState {
  std::map<int, bool> enabled{{GL_CULL_FACE, true},    {GL_DEPTH_TEST, true},    {GL_BLEND, false},
                              {GL_ALPHA_TEST, false},  {GL_STENCIL_TEST, false}, {GL_TEXTURE_2D, false},
                              {GL_LIGHT0, false}};
  int depthFunc = GL_LEQUAL;
  int depthMask = 1;
  std::string colourMask = "1, 1, 1, 1";
  int cullFace = GL_BACK;
  int frontFace = GL_CW;
  std::string viewport = "whole frame";  // the last glViewport's arguments once one is made

  void replay(const std::string& line) {
    const std::string name = line.substr(0, line.find('('));
    const std::string arguments = line.substr(name.size() + 1, line.size() - name.size() - 2);
    const int first = std::atoi(arguments.c_str());
    if (name == "glEnable" || name == "glDisable") enabled[first] = name == "glEnable";
    if (name == "glDepthFunc") depthFunc = first;
    if (name == "glDepthMask") depthMask = first;
    if (name == "glColorMask") colourMask = arguments;
    if (name == "glCullFace") cullFace = first;
    if (name == "glFrontFace") frontFace = first;
    if (name == "glViewport") viewport = arguments == "0, 0, 800, 600" ? "whole frame" : arguments;
  }
  bool operator==(const FrameState&) const = default;

  // Without the switches a frame does not hold (a material's own lighting).
  FrameState frameSwitchesOnly() const {
    FrameState kept = *this;
    std::erase_if(kept.enabled, [](const auto& entry) { return !FrameState{}.enabled.contains(entry.first); });
    return kept;
  }
};

}  // namespace layer_test
