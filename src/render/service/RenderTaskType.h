#pragma once
// The kinds of render request; also the key of their queued tasks.
namespace Render {

enum class RenderTaskType : int {
    ObjectTask = 0,  // every task of the per-object threads; never removed by key
    Preview = 1,     // a new preview request drops the queued ones
    Playback = 2,    // skipped when older than the playback position
    OneShot = 3,     // clipboard, export, scripts: never dropped
};

}  // namespace Render
