#pragma once
// Hands the registry the output effects of the rendering (standard drawing,
// video playback, basic output, particle output) and the off-screen
// drawing filter. Called before the effect registry is made.
namespace Render {

void installOutputEffects();

}  // namespace Render
