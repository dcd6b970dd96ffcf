#pragma once
// The commands that remove, split, cut, trim, duplicate and separate whole
// objects of the current scene. Each logs one line, runs in one edit scope
// and one undo group; a command without targets does nothing at all.
// User-interface thread only.
namespace Edit {

class EditService;

namespace EditCommand {

void deleteObject(EditService& service);
// Every target with start < frame <= end becomes two pieces; the left
// pieces of one group form a new group, the right pieces another.
void splitObject(EditService& service, int frame);

// Copies of the targets at the same frames on the first free block of
// layers below them; the clipboard stays as it is.
void duplicateObject(EditService& service);

// One target, a movie with video whose output carries sound.
bool canSeparateAudioObject(EditService& service);
// The sound goes to new objects on the first free layers below, one per
// audio track; the movie keeps the picture.
void separateAudioObject(EditService& service);

}  // namespace EditCommand
}  // namespace Edit
