#pragma once
// A picture or sound rendered ahead for an object (the scene change keeps
// its starting frame here). Shared by the walk's context and the tasks that
// use it.
namespace Render {

class PreInputBuffer {
public:
    virtual ~PreInputBuffer() = default;
};

}  // namespace Render
