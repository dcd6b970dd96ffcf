#include "core/file/SettingService.h"

#include "core/base/Exception.h"
#include "core/file/FileName.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "platform/gtk/SystemParameters.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <exception>
#include <filesystem>

namespace Setting {

int WindowSeparatorSize = 0;
int FooterHeight = 0;
int ScrollBarSize = 0;
int TitleHeaderHeight = 0;
int SettingItemHeight = 0;
int SettingRowHeight = 0;
int ExplorerHeaderHeight = 0;
int ListItemHeight = 0;
std::wstring DefaultFamily;

namespace {

constexpr const char* kSystemPlace = "Setting::SettingService::System::System";

// Reads a configuration file: the data folder's copy, then the program
// folder's copy for what the first lacks.
void loadMerged(::System::IniFile& ini, const wchar_t* name) {
    ini.loadFile((std::wstring(L"%AppData%/") + name).c_str(), false);
    ini.loadFile((std::wstring(L"%AppInstall%/") + name).c_str(), true);
}

int layoutInt(SettingService& service, const char* key) { return service.layout.getValue(key).toInt(); }

int layoutInt(SettingService& service, const char* key, int defaultValue) {
    return service.layout.getValue(key).toInt(defaultValue);
}

const bool layoutBound = [] {
    bindSetting(WindowSeparatorSize, [](SettingService& s) { return layoutInt(s, "WindowSeparatorSize", 5); });
    bindSetting(FooterHeight, [](SettingService& s) { return layoutInt(s, "FooterHeight", 24); });
    bindSetting(ScrollBarSize, [](SettingService& s) { return layoutInt(s, "ScrollBarSize", 20); });
    bindSetting(TitleHeaderHeight, [](SettingService& s) { return layoutInt(s, "TitleHeaderHeight", 22); });
    bindSetting(SettingItemHeight, [](SettingService& s) { return layoutInt(s, "SettingItemHeight"); });
    bindSetting(SettingRowHeight, [](SettingService& s) { return layoutInt(s, "SettingItemHeight") + 2; });
    bindSetting(ExplorerHeaderHeight, [](SettingService& s) { return layoutInt(s, "ExplorerHeaderHeight"); });
    bindSetting(ListItemHeight, [](SettingService& s) { return layoutInt(s, "ListItemHeight"); });
    bindSetting(DefaultFamily,
                [](SettingService& s) { return s.font.getValue("DefaultFamily").toString(L"Yu Gothic UI"); });
    return true;
}();

// value × scale, half away from zero, below 2 -> 1; false when text holds
// no integer.
bool scaleInteger(const std::string& text, float scale, std::string& out) {
    int value;
    try {
        value = std::stoi(text);
    } catch (const std::exception&) {
        return false;
    }
    const long scaled = std::lround(static_cast<double>(value) * static_cast<double>(scale));
    out = std::to_string(scaled < 2 ? 1 : scaled);
    return true;
}

}  // namespace

void bindSetting(int& target, std::function<int(SettingService&)> getter) {
    target = 0;
    SettingService::callbacks.push_back([&target, getter](SettingService& s) { target = getter(s); });
}

void bindSetting(std::wstring& target, std::function<std::wstring(SettingService&)> getter) {
    target.clear();
    SettingService::callbacks.push_back([&target, getter](SettingService& s) { target = getter(s); });
}

void scaleStyleConfig(::System::IniFile& style, float scale) {
    for (auto& [key, value] : style.getSectionMap("Layout")) {
        if (key == "ExplorerWindowNum") continue;  // a count, not a length
        std::string scaled;
        if (scaleInteger(value.text, scale, scaled)) value.text = scaled;
    }
    for (auto& [key, value] : style.getSectionMap("Font")) {
        const std::vector<std::string> pieces = System::String::split(value.text, ',');
        std::string scaled;
        if (!scaleInteger(pieces[0], scale, scaled)) continue;
        value.text = pieces.size() > 1 ? scaled + "," + pieces[1] : scaled;
    }
}

// --- system part -----------------------------------------------------------

SettingServiceSystem::SettingServiceSystem() {
    loadMerged(systemConfig, L"system.conf");
    if (const std::wstring encoding = config.getValue("LegacyEncoding").toString(L""); !encoding.empty()) {
        if (!System::String::setLegacyEncoding(System::String::toUtf8(encoding)))
            System::Log::warn(kSystemPlace, L"legacy encoding not available. [%ls]", encoding.c_str());
    }

    using Clock = std::chrono::steady_clock;
    counterFrequency = Clock::period::den / Clock::period::num;
    startCounter = Clock::now().time_since_epoch().count();

    const SystemParameters desktop = querySystemParameters();
    systemDpi_ = desktop.systemDpi;
    keyRepeatDelay = keyRepeatDelayFromSetting(desktop.keyboardDelay);
    keyRepeatInterval = keyRepeatIntervalFromSetting(desktop.keyboardSpeed);
    caretBlinkTime = desktop.caretBlinkTime;
    dragWidth = atLeastOnePixel(desktop.dragWidth);
    dragHeight = atLeastOnePixel(desktop.dragHeight);
    doubleClickTime = desktop.doubleClickTime;
    screenWidth = atLeastOnePixel(desktop.screenWidth);
    screenHeight = atLeastOnePixel(desktop.screenHeight);
    if (desktop.physicalMemoryKB > 0) {
        physicalMemorySize = static_cast<int>(desktop.physicalMemoryKB / 1024);
    } else {
        // The failure is logged and the usual size assumed.
        (void)System::makeErrnoException("sysconf", kSystemPlace, errno ? errno : EINVAL);
        physicalMemorySize = 16384;
    }

    ::System::IniFile& settings = mainSettings();
    const bool loaded = settings.loadFile(L"%AppData%/movane2.ini", false);
    settings.autoSave = true;
    // A file that exists but cannot be read would be replaced by defaults at
    // shutdown: leave it alone for this run.
    std::error_code error;
    if (!loaded && std::filesystem::exists(System::String::toUtf8(settings.path), error)) {
        System::Log::error(kSystemPlace, L"settings file cannot be read; it is not saved in this run. [%ls]",
                           settings.path.c_str());
        settings.autoSave = false;
    }
}

SettingServiceSystem::~SettingServiceSystem() = default;

// --- service ----------------------------------------------------------------

SettingService::SettingService() {
    loadMerged(styleConfig, L"style.conf");
    loadMerged(effectConfig, L"effect.conf");
    applyHighDpiMode();
    for (const auto& callback : callbacks) callback(*this);
}

SettingService::~SettingService() = default;

void SettingService::applyHighDpiMode() {
    dpiScale = highDpiScale(mainSettings(), systemDpi_);
    if (dpiScale != 1.0f) scaleStyleConfig(styleConfig, dpiScale);
}

float highDpiScale(::System::IniFile& mainSettings, int systemDpi) {
    // The key belongs to the Direct3D group, whose default is 1.
    if (mainSettings.getValue("Direct3D", "HighDpiMode").toInt(1) == 0) return 1.0f;
    if (systemDpi == 96) return 1.0f;
    return static_cast<float>(systemDpi) / 96.0f;
}

}  // namespace Setting
