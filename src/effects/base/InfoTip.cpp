#include "effects/base/InfoTip.h"

#include <utility>

namespace Effect {

namespace {
InfoTipShower& installed() {
    static InfoTipShower shower;
    return shower;
}
}  // namespace

void setInfoTipShower(InfoTipShower shower) { installed() = std::move(shower); }

void showInfoTip(const std::wstring& text) {
    if (installed()) installed()(text);
}

}  // namespace Effect
