#pragma once
// Adding and removing section boundaries, and the cursor moves from one
// section boundary of the focus object to the next. User-interface thread.
#include "edit/model/Object.h"

namespace Edit {

class EditService;

namespace EditCommand {

// A boundary in the first section long enough, from the one holding the
// frame on, with every number's value there.
void createSection(EditService& service, const ObjectPointer& object, int frame);
// The same for every target that the frame lies strictly inside a section of.
void createSection(EditService& service, int frame);
// Removes boundary `index` (1 .. boundaries).
void deleteSection(EditService& service, const ObjectPointer& object, int index);
// Removes the boundary at the frame from every target that has one there.
void deleteSection(EditService& service, int frame);

// Whether the section menu offers deleting the section at the frame: the
// frame starts its section (the object's start for the first) and a
// section from there on could take a boundary.
bool canDeleteSection(const Object& object, int frame);

// The object's boundaries spread evenly over its length (boundary i of n at
// (i + 1) * length / (n + 1) frames); one undo step.
void changeSectionSpaceEvenly(EditService& service, const ObjectPointer& object);

// The cursor to the next / previous key frame of the focus object.
void moveNextSectionFrame(EditService& service);
void movePrevSectionFrame(EditService& service);

}  // namespace EditCommand
}  // namespace Edit
