#pragma once
// The pieces of an object section that project files and object alias files
// share: the frame list, the camera and clipping lines, and the effect
// sections "<section>.0", "<section>.1" ... in chain order.
#include "core/file/IniFile.h"
#include "edit/model/Object.h"

#include <string>
#include <vector>

namespace Edit::ObjectSection {

// "start,key,...,end" in absolute frames.
std::string saveFrameList(const Object& object);
// camera=0 and clipping=1, each only when it differs from a new object.
void saveFlags(System::IniFile::Save& save, const Object& object);
void saveEffects(System::IniFile::Save& save, const std::string& sectionName, const Object& object);

void loadFlags(Object& object, const System::IniFile::SectionRef& section);
// The middle key frames of a frame list (whose first entry stands for the
// object's start) as boundaries; one that is not strictly inside its
// section fails "invalid frame number list." at the place.
void loadBoundaries(Object& object, const std::vector<System::IniFile::VALUE>& frames, const char* place,
                    const System::IniFile::SectionRef& section);
// Every effect section of the object up to the first missing one; none at
// all fails "no effect defined." at the place.
void loadEffects(Object& object, const System::IniFile& file, const std::string& sectionName,
                 const char* place = "Edit::Object::loadEffectIniFile");

}  // namespace Edit::ObjectSection
