#include "plugin/output/OutputPlugin.h"

#include "core/base/Exception.h"
#include "core/text/StringConvert.h"
#include "core/event/MessageBox.h"
#include "core/translate/TranslateService.h"
#include "edit/model/FrameRate.h"
#include "platform/gtk/SettingStrip.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace Plugin {

OutputPlugin::OutputPlugin() { ints_.emplace_back(config_, "order", &order, 0); }

OutputPlugin::~OutputPlugin() {
    strip_.reset();
    scope_.reset();
}

bool OutputPlugin::selectSaveFile(std::wstring& path, const OutputSceneInfo& scene, bool defaultExtension,
                                  unsigned extraFlags) {
    dialogScene_ = scene;
    templateName = name;
    const bool chosen = Dialog::selectSaveFile(path, fileFilter, name.c_str(), (flags & HasSetting) ? this : nullptr,
                                               defaultExtension, extraFlags);
    strip_.reset();
    stripText_.clear();
    return chosen;
}

std::shared_ptr<OutputFile> OutputPlugin::createOutputFile(const OutputSceneInfo& scene,
                                                           const SourceMaker& makeSource) {
    std::wstring path;
    if (!selectSaveFile(path, scene, true, Dialog::OFN_OVERWRITEPROMPT)) return {};
    return makeOutputFile(path, scene, makeSource());
}

void OutputPlugin::setStripText(std::wstring text) {
    stripText_ = std::move(text);
    if (strip_) strip_->setText(stripText_);
}

void OutputPlugin::procInit() {
    strip_ = std::make_unique<Platform::SettingStrip>(
        childWindow, L"", Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, L"設定"),
        [this] { procCommand(settingButtonId); });
    setStripText(getSummaryText(dialogScene_) + getSettingText());
}

void OutputPlugin::procDestroy() { strip_.reset(); }

void OutputPlugin::procCommand(int controlId) {
    if (controlId != settingButtonId) return;
    // Runs inside the toolkit's callback: nothing may leave it.
    try {
        showSetting();
    } catch (const std::exception& e) {
        Dialog::showException(e);
    }
    setStripText(getSettingText());
}

void OutputPlugin::loadConfig(int defaultOrder) {
    ints_.front().defaultValue = defaultOrder;
    order = defaultOrder;
    section = "Output." + System::String::toUtf8(name);
    config_.name = section.c_str();
    loadSetting(section);
    scope_ = std::make_unique<System::Config::Scope>(config_);
}

std::wstring OutputPlugin::makeFilter(const wchar_t* description, const wchar_t* pattern) {
    std::wstring filter = description;
    filter += L'\0';
    filter += pattern;
    filter += L'\0';
    filter += L'\0';
    return filter;
}

int* OutputPlugin::bindInt(const char* key, int defaultValue) {
    int& value = intValues_.emplace_back(defaultValue);
    ints_.emplace_back(config_, key, &value, defaultValue);
    return &value;
}

std::wstring* OutputPlugin::bindString(const char* key, const std::wstring& defaultValue) {
    std::wstring& value = stringValues_.emplace_back(defaultValue);
    strings_.emplace_back(config_, key, &value, defaultValue);
    return &value;
}

void OutputPlugin::showSetting() {
    throw System::makeException("Plugin::OutputPlugin::showSetting", "not implement.");
}

std::wstring OutputPlugin::getSettingText() { return name; }

namespace {

std::wstring formatNumber(double value) {
    wchar_t text[64];
    std::swprintf(text, 64, L"%f", value);
    std::wstring s = text;
    if (s.find(L'.') != std::wstring::npos) {
        while (!s.empty() && s.back() == L'0') s.pop_back();
        if (!s.empty() && s.back() == L'.') s.pop_back();
    }
    return s;
}

}  // namespace

std::wstring OutputPlugin::getSummaryText(const OutputSceneInfo& scene) const {
    if (!(flags & (Video | Audio))) return {};
    wchar_t text[128];
    std::swprintf(text, 128, L"%dx%d / ", scene.width, scene.height);
    std::wstring out = text;
    if (flags & StillImage) return out;
    // The figure users know for the pair (29.97, not 29.97003).
    if (flags & Video) out += formatNumber(Edit::getFrameRate(scene.rate, scene.scale)) + L"fps / ";
    if (flags & Audio) out += formatNumber(scene.audioRate / 1000.0) + L"khz / ";
    const int last = std::max(scene.lastFrame, 0);
    const bool selected = scene.selectionStart >= 0 && scene.selectionEnd >= 0;
    int start = 0, end = last;
    if (selected) {
        start = std::clamp(scene.selectionStart, 0, last);
        end = std::min(scene.selectionEnd, last);
    }
    const double seconds = scene.rate ? double(end - start + 1) * scene.scale / scene.rate : 0.0;
    const double magnitude = std::fabs(seconds);
    std::swprintf(text, 128, L"%ls%02d:%02d.%02d", seconds < 0 ? L"-" : L"", int(magnitude) / 60, int(magnitude) % 60,
                  int(magnitude * 100) % 100);
    out += text;
    if (selected) {
        out += L"(";
        out += Translate::TranslateService::translate(Translate::TranslateService::Table::Dialog, L"選択範囲");
        out += L")";
    }
    return out + L" / ";
}

}  // namespace Plugin
