#pragma once
// The information tooltip of an effect's row (a media file's format, a
// scene's size), shown at the mouse pointer until the next move or click.
// The window layer installs the real tooltip; without one nothing shows.
// User-interface thread only.
#include <functional>
#include <string>

namespace Effect {

using InfoTipShower = std::function<void(const std::wstring& text)>;

void setInfoTipShower(InfoTipShower shower);
void showInfoTip(const std::wstring& text);

}  // namespace Effect
