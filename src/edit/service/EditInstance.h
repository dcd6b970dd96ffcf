#pragma once
// The mixin base of every class that works on the open project: it holds
// the edit service, which outlives every holder.
#include "core/base/Singleton.h"
#include "edit/service/EditService.h"

namespace Edit {

class EditInstance {
protected:
    EditInstance() : editService(System::Singleton<EditService>::getInstance()) {}
    ~EditInstance() = default;
    EditInstance(const EditInstance&) = default;
    EditInstance& operator=(const EditInstance&) = default;

    EditService* editService;
};

}  // namespace Edit
