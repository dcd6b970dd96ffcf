#include "effect/registry/AliasSave.h"

#include "core/event/DialogSeam.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "effect/base/EffectBase.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/EffectTranslate.h"

#include <exception>
#include <filesystem>

namespace Effect {

namespace {

using Translate::TranslateService;

// Longest file name of the common file systems, in bytes.
constexpr std::size_t MaxFileName = 255;

}  // namespace

bool isValidAliasName(const std::wstring& name) {
    if (name.empty() || name.find(L"..") != std::wstring::npos) return false;
    for (const wchar_t c : name)
        if (c < 0x20 || c == 0x7f || std::wstring_view(L"/\\:*?\"<>|").find(c) != std::wstring_view::npos)
            return false;
    // The longest folder word ("object", "effect") and its point.
    return System::String::toUtf8(name).size() + 7 <= MaxFileName;
}

void saveAliasFile(EffectService& service, const std::wstring& subject, const wchar_t* folderWord,
                   const std::function<void(System::IniFile::Save&)>& write) {
    const std::wstring title =
        std::wstring(TranslateService::translate(TranslateService::Table::Dialog, L"エイリアスを作成")) + L" - " +
        subject;
    Dialog::AliasDialogValues values;
    for (const wchar_t* label : service.getEffectLabelList()) values.labels.emplace_back(label);
    std::wstring path;
    for (;;) {
        if (!Dialog::showAliasDialog(title, values)) return;
        if (!isValidAliasName(values.name)) {
            Dialog::showError(L"エイリアス名に使用できない文字が含まれています");
            continue;
        }
        path = L"%Alias%\\" + values.name + L"." + folderWord;
        System::FileName::expandVariable(path);
        std::error_code ignored;
        if (!std::filesystem::exists(System::String::toUtf8(path), ignored)) break;
        if (Dialog::showConfirm(L"同名のエイリアスが存在しています\n上書きしますか？")) break;
    }
    try {
        System::IniFile::Save save(path.c_str());
        write(save);
        save.close();
    } catch (const std::exception&) {
        Dialog::showError(L"エイリアスの保存に失敗しました");
    }
    service.reloadAlias();
    service.setAliasLabel(values.name.c_str(), values.label.c_str());
}

void saveEffectAliasFile(EffectService& service, const EffectBase& effect) {
    saveAliasFile(service, translateEffectText(effect.name), L"effect", [&](System::IniFile::Save& save) {
        save.writeSection("Effect.0");
        effect.saveIniSectionParameter(save);
    });
}

}  // namespace Effect
