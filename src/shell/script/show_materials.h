#pragma once
// The lit materials of the show's mesh layers and of its shadow layer. The
// layers do not own them: the show keeps them until it is released.
#include <memory>

#include "render/materials/mat_lit.h"

namespace shell::script {

enum class LitMaterial { M1, M2, M3, M4, M5, M6, M7, M8 };

// The show's material of that name, made on first use.
kst::Mat_Lit* litMaterial(LitMaterial which);

// Keeps a material of a show file's for the layers that use it.
void keepMaterial(std::unique_ptr<kst::Material> material);

// Destroys every material made or kept so far; layers that use them must be gone.
void releaseMaterials();

}  // namespace shell::script
