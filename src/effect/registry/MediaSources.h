#pragma once
// Connects the items that offer media choices to the media services: the
// font items to the font manager's list, the YUV items to the names of the
// YUV-to-RGB table. The registry does it before it builds any prototype.
namespace Effect {

void connectMediaSources();

}  // namespace Effect
