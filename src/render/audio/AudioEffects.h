#pragma once
// The sound outputs of the rendering join the built-in table through its
// hooks; run before the registry is made.
namespace Render {

void installAudioEffects();

}  // namespace Render
