#pragma once
// What a group audio control keeps for the objects it governs: the layer of
// the control enclosing it (written by the audio walk, -1 for none) and its
// left and right gains, already multiplied by those of the enclosing one.
// The control effect derives from it; the mixer and the walk read it.
namespace Render {

class GroupAudioGains {
public:
    virtual ~GroupAudioGains() = default;

    int parentLayer = -1;
    float leftGain = 1.0f;
    float rightGain = 1.0f;
};

}  // namespace Render
