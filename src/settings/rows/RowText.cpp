#include "settings/rows/RowText.h"

#include "core/translate/TranslateService.h"

namespace Component {

using Translate::TranslateService;

std::wstring translateEffectText(const std::wstring& text) {
    return TranslateService::translate(TranslateService::Table::Effect, text.c_str());
}

std::wstring translateMessageText(const wchar_t* text) {
    return TranslateService::translate(TranslateService::Table::Message, text);
}

}  // namespace Component
