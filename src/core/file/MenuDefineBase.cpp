#include "core/file/MenuDefineBase.h"

#include "core/text/StringConvert.h"

namespace Menu {

MenuDefineBase::MenuDefineBase(const char* section, const std::wstring& name, int order,
                               const std::wstring& label, bool visible)
    : key(std::string(section) + "." + System::String::toUtf8(name)),
      label(label),
      order(order),
      hide(visible ? 0 : 1),
      config_(key.c_str()),
      labelParameter_(config_, "label", &this->label, label),
      orderParameter_(config_, "order", &this->order, order),
      hideParameter_(config_, "hide", &this->hide, visible ? 0 : 1),
      scope_(config_) {}

const wchar_t* MenuDefineBase::getTranslatedName() const { return getName(); }

}  // namespace Menu
