#pragma once
// Draws the eight dial faces as plain discs in the colour scheme: the face
// colour inside a ring of tick colour on the window background.

#include "app/core/startup.h"

namespace ventoral {

class PlainFaceRenderer : public FaceRenderer {
public:
    // Side of each square face bitmap, pixels.
    static constexpr int kFacePixels = 200;
    bool makeFaces(const AppState& state, const std::string& facesFolder) override;
};

} // namespace ventoral
