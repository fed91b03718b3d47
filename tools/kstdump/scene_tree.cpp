#include "scene_tree.h"

#include <algorithm>
#include <iomanip>
#include <sstream>
#include <string>

#include "persist/dynamic_factory.h"
#include "scene/mesh/mesh_primitive.h"
#include "scene/nodes/node_details.h"
#include "scene/nodes/scene_node.h"
#include "scene/nodes/tree_walk.h"
#include "scene/scene.h"
#include "scene/surfaces/surface.h"
#include "scene/texture_image.h"

namespace {

std::string className(const persistent& object) {
  const dynamic::abstract_factory* maker = dynamic::factoryOf(object);
  return maker != nullptr ? maker->className() : "(unregistered class)";
}

template <std::size_t N>
std::string floats(const std::array<float, N>& values) {
  std::ostringstream text;
  text << '(';
  for (std::size_t i = 0; i < N; ++i) text << (i != 0 ? " " : "") << values[i];
  text << ')';
  return text.str();
}

std::string boxText(const persist::BoundingBox& box) {
  return box.empty ? "empty" : floats(box.min) + " .. " + floats(box.max);
}

const char* wrapName(std::uint32_t code) {
  switch (code) {
    case 1: return "clamp";
    case 2: return "mirrored repeat";
    default: return "repeat";
  }
}

void printLayer(std::ostream& out, const char* label, const Mat_LW::Layer& layer) {
  out << "      " << label << ": ";
  if (!layer.enabled) out << "(not enabled) ";
  out << "texture " << layer.texture << ", wrap " << wrapName(layer.wrapSCode) << " / " << wrapName(layer.wrapTCode)
      << ", filters 0x" << std::hex << layer.magFilter << " / 0x" << layer.minFilter << std::dec << '\n';
}

// One line per entry of a scene list, "#i" first; `print` ends the line.
template <typename Entry, typename Print>
void printList(std::ostream& out, const char* label, const std::vector<std::unique_ptr<Entry>>& list, Print print) {
  out << label << ": " << list.size() << '\n';
  for (std::size_t i = 0; i < list.size(); ++i) {
    out << "  #" << i << ' ';
    if (list[i] == nullptr)
      out << "(missing: a record of another class)\n";
    else
      print(*list[i]);
  }
}

void printSurface(std::ostream& out, const Surface& surface) {
  out << className(surface) << " \"" << surface.name << "\" colour " << floats(surface.color) << " x "
      << surface.diffuse << (surface.cullFaces ? surface.cullMode == GL_FRONT ? ", front faces culled" : "" : ", two-sided");
  const auto* lw = dynamic_cast<const Mat_LW*>(&surface);
  if (lw == nullptr) {
    out << '\n';
    return;
  }
  out << ", transparency " << lw->transparency << (lw->useVertexColors ? ", vertex colours" : "") << '\n';
  printLayer(out, "layer 1", lw->layer1);
  printLayer(out, "layer 2", lw->layer2);
}

void printTexture(std::ostream& out, const TextureImage& texture) {
  const char* layout = texture.image32 != nullptr   ? "32-bit"
                       : texture.image24 != nullptr ? "24-bit"
                       : texture.image8 != nullptr  ? "8-bit"
                                                    : "no picture";
  out << texture.pictureWidth << 'x' << texture.pictureHeight << ' ' << layout << ", flags 0x" << std::hex
      << texture.flags << std::dec << '\n';
}

void printChunks(std::ostream& out, const MeshPrimitive& mesh) {
  out << "      chunks: " << mesh.chunks.size() << '\n';
  for (std::size_t c = 0; c < mesh.chunks.size(); ++c) {
    const MeshChunk* chunk = mesh.chunks[c].geometry.get();
    out << "        chunk " << c << ": sub-mesh " << mesh.chunks[c].subMesh;
    if (chunk != nullptr)
      out << ", " << chunk->triangleCount << " triangles, " << chunk->vertexCount << " vertices, "
          << chunk->texCoordSets << " coordinate sets" << (chunk->colors.empty() ? "" : ", colours");
    out << '\n';
  }
}

void printMesh(std::ostream& out, const Primitive& mesh) {
  out << className(mesh) << ", box " << boxText(mesh.box) << '\n';
  for (std::size_t s = 0; s < mesh.subMeshes.size(); ++s) {
    out << "      sub-mesh " << s << " \"" << (s < mesh.surfaceNames.size() ? mesh.surfaceNames[s] : "") << '"';
    if (s < mesh.surfaceIndices.size()) out << " -> surface " << mesh.surfaceIndices[s];
    out << ", box " << boxText(mesh.subMeshes[s].box) << '\n';
  }
  if (const auto* drawable = dynamic_cast<const MeshPrimitive*>(&mesh)) printChunks(out, *drawable);
}

// Indented by depth up to kDeepest; deeper nodes (files may nest thousands
// of levels) say their depth instead of a line of spaces that long.
constexpr std::size_t kDeepest = 40;

void printNode(std::ostream& out, const SceneNode& node, std::size_t depth) {
  out << std::string(2 * std::min(depth, kDeepest) + 2, ' ');
  if (depth > kDeepest) out << "(level " << depth << ") ";
  out << className(node);
  if (const auto* renderable = dynamic_cast<const RenderableNode*>(&node))
    out << ", render flags 0x" << std::hex << +renderable->renderFlags << std::dec;
  out << ", bounds " << boxText(node.bounds) << (node.staticSubtree ? ", static" : "");
  if (const std::string details = nodeDetails(node); !details.empty()) out << ", " << details;
  out << '\n';
}

}  // namespace

void printSceneTree(std::ostream& out, const Scene& scene) {
  out << "scene: background " << floats(scene.backgroundColor) << ", fog ";
  if (scene.fogEnabled)
    out << scene.fogStart << " .. " << scene.fogEnd << " colour " << floats(scene.fogColor) << '\n';
  else
    out << "off\n";
  printList(out, "surfaces", scene.surfaces, [&out](const Surface& surface) { printSurface(out, surface); });
  printList(out, "textures", scene.textures, [&out](const TextureImage& texture) { printTexture(out, texture); });
  printList(out, "meshes", scene.meshes, [&out](const Primitive& mesh) { printMesh(out, mesh); });
  out << "cameras: " << scene.cameras.size() << ", lights: " << scene.lights.size() << "\nnodes (at time 0):\n";
  if (scene.root == nullptr) out << "  (none)\n";
  forEachNode(scene.root.get(), [&out](const SceneNode& node, std::size_t depth) { printNode(out, node, depth); });
}
