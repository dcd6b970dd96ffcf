#pragma once
// What the object commands share: the undo records they add
// when an undo service runs, and the ways they take objects off the
// timeline, shift them in time and split them into pieces.
// User-interface thread; the changes happen inside an open edit scope.
#include "edit/model/Scene.h"

#include <optional>
#include <utility>

namespace Effect {
struct EffectEvent;
}  // namespace Effect

namespace Undo {
class UndoService;
}  // namespace Undo

namespace Edit {

class EditScope;
class EditService;

namespace EditCommand {

// Adds a record through the service's undo service, when it has one.
void record(EditService& service, void (Undo::UndoService::*add)(const ObjectPointer&),
            const ObjectPointer& object);

// Empties the selection when it holds an object.
void clearSelection(Scene& scene);

// When `from` has the focus, `to` takes it, announced by the scope.
void passFocus(Scene& scene, EditScope& scope, const ObjectPointer& from, const ObjectPointer& to);

// The object leaves its layer (recorded as a deletion); the scope's end
// takes it out of the list.
void detachObject(EditService& service, Scene& scene, const ObjectPointer& object);

// Both ends move by the shift (recorded as a position change).
void shiftObject(EditService& service, Scene& scene, const ObjectPointer& object, int shift);

// Marks the list of the object's layer for sorting (and its control
// ranges for a control object).
void markMoved(Scene& scene, const Object& object);

// The two pieces of the object split at the frame, put on its layer and
// told of the split (nothing is recorded); none unless start < frame <= end.
std::optional<std::pair<ObjectPointer, ObjectPointer>> splitPieces(Scene& scene, EditScope& scope,
                                                                   const ObjectPointer& object,
                                                                   int frame);

// The named output effect, with its saved defaults and one value per key
// frame, replaces the object's output; the chain is then fitted to it.
void replaceOutputEffect(Object& object, const wchar_t* name);

// Sends the event to the object's first effect when that is an input (the
// input hears what happened to its object); the scope, object and effect
// of the event are filled in here.
void sendInputEvent(EditScope& scope, Object& object, Effect::EffectEvent& event);

// Takes an object made in this scope that was never recorded (a split
// piece, a failed creation) off the timeline again, without a record.
void dropPiece(Scene& scene, const ObjectPointer& piece);

}  // namespace EditCommand
}  // namespace Edit
