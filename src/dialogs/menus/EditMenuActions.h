#pragma once
// The commands of the edit menu that are carried out by the menu itself,
// on the current scene of the edit service: the frame range set from the
// cursor, focus cycling over the objects under the cursor, the next and
// previous object of the focus object's layer, the show/hide toggle, the
// discarding of the media caches, and the predicates that grey the items.
// User-interface thread only.
#include "edit/model/Scene.h"

#include <functional>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Menu::EditActions {

// The selection holds objects, or the focus object lies on a layer.
bool hasTarget(const Edit::Scene& scene);
bool hasRange(const Edit::Scene& scene);
// Some target object has start < cursor <= end.
bool canSplit(const Edit::Scene& scene);
// For some target the cursor lies strictly inside one of its sections.
bool canAddSection(const Edit::Scene& scene);
// For some target the cursor starts its section and a boundary could go.
bool canDeleteSection(const Edit::Scene& scene);
bool canGroup(const Edit::Scene& scene);
bool canUngroup(const Edit::Scene& scene);

// The range from the cursor to the current end (or the scene's end), and
// from the current start (or 0) to the cursor; clearing it. A changed
// range repaints the time gauge and is announced.
void setRangeStart(Edit::EditService& edit);
void setRangeEnd(Edit::EditService& edit);
void clearRange(Edit::EditService& edit);

// The next object under the cursor, layer after layer from the focus
// object's, wrapping around.
void focusObjectAtCursor(Edit::EditService& edit);
// The object after / before the focus object on its layer; the cursor
// goes to its start.
void focusNextObject(Edit::EditService& edit);
void focusPreviousObject(Edit::EditService& edit);

// Every target shown when the first is hidden, else every target hidden.
void toggleObjectVisible(Edit::EditService& edit);

// Empties the media caches after their queued loads, closes the open media
// files and reads every media file's information again.
void discardCaches(Edit::EditService& edit);
// The same, then runs alsoInScope inside the same edit scope.
void discardCachesAnd(Edit::EditService& edit, const std::function<void()>& alsoInScope);

}  // namespace Menu::EditActions
