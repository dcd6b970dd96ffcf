#pragma once
// The setting service, the first service created and the last released. It
// owns the three read-only configuration files (system.conf, style.conf,
// effect.conf: the data folder's copy first, the program folder's copy adds
// what the first lacks), holds the main settings file movane2.ini (saved
// whole when the service goes), the "Edit" group, a snapshot of the
// desktop's input and display settings, and the High-DPI scaling of the
// style's layout metrics and font sizes. Its construction then runs the
// registered setting callbacks, which copy style values into the
// process-wide variables below.
//
// User-interface thread only; other threads may read after construction.
#include "core/file/Config.h"
#include "core/file/IniFile.h"
#include "core/base/Singleton.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Setting {

// One section of a configuration file.
struct SettingSection {
    const char* name;
    ::System::IniFile* ini;

    // The value, empty when missing (conversions then report its place).
    // Never adds to the store: worker threads read it meanwhile.
    const ::System::IniFile::VALUE& getValue(const char* key) const { return ini->lookupValue(name, key); }
};

// The base part of the service: system.conf, the main settings file and
// the desktop's parameters.
class SettingServiceSystem {
public:
    SettingServiceSystem();
    ~SettingServiceSystem();
    SettingServiceSystem(const SettingServiceSystem&) = delete;
    SettingServiceSystem& operator=(const SettingServiceSystem&) = delete;

    ::System::IniFile systemConfig;
    SettingSection config{"Config", &systemConfig};
    SettingSection frameRate{"FrameRate", &systemConfig};
    SettingSection keyCode{"KeyCode", &systemConfig};

    // The main settings file (the holder's instance).
    ::System::IniFile& mainSettings() { return *::System::Singleton<::System::IniFile>::getInstance(); }

    // The program's timing origin: a steady clock in counts of
    // 1 / counterFrequency seconds.
    std::int64_t startCounter = 0;
    std::int64_t counterFrequency = 0;

    int keyRepeatDelay = 0;     // ms
    int keyRepeatInterval = 0;  // ms
    int caretBlinkTime = 0;     // ms
    int dragWidth = 0;
    int dragHeight = 0;
    int doubleClickTime = 0;  // ms
    int screenWidth = 0;
    int screenHeight = 0;
    int physicalMemorySize = 0;         // MB
    int videoMemoryLimit = 65536;       // MB, upper bound of the GPU texture cache
    float dpiScale = 1.0f;

protected:
    int systemDpi_ = 96;

private:
    // Taken after system.conf was read; given up last.
    ::System::Singleton<::System::IniFile> mainSettingsHolder_;
};

class SettingService : public SettingServiceSystem {
public:
    using System = SettingServiceSystem;

    // A failure (a required style value, the desktop parameters) ends
    // start-up with the failing step's exception.
    SettingService();
    ~SettingService();

    ::System::IniFile styleConfig;
    SettingSection color{"Color", &styleConfig};
    SettingSection layout{"Layout", &styleConfig};
    SettingSection font{"Font", &styleConfig};
    SettingSection format{"Format", &styleConfig};
    ::System::IniFile effectConfig;

    // The "Edit" group: defaults of new projects and scenes, tempo, grid,
    // and whether Enter submits dialogs.
    int ProjectWidth = 1920;
    int ProjectHeight = 1080;
    int ProjectVideoRate = 30;
    int ProjectVideoScale = 1;
    int ProjectAudioRate = 44100;
    float TempoBeatPerMinute = 120.0f;
    int TempoBeatTime = 4;
    float TempoOffsetTime = 0.0f;
    int GridWidth = 200;
    int GridHeight = 200;
    std::wstring GridX = L"16,-16";
    std::wstring GridY = L"16,-16";
    float GridStep = 200.0f;
    float GridRange = 10000.0f;
    int EnableEnterSubmit = 0;

    // Filled during static initialisation (bindSetting); run in order at the
    // end of construction.
    static inline std::vector<std::function<void(SettingService&)>> callbacks;

private:
    void applyHighDpiMode();

    ::System::Config editConfig_{"Edit"};
    ::System::Config::Int projectWidth_{editConfig_, "ProjectWidth", &ProjectWidth, 1920};
    ::System::Config::Int projectHeight_{editConfig_, "ProjectHeight", &ProjectHeight, 1080};
    ::System::Config::Int projectVideoRate_{editConfig_, "ProjectVideoRate", &ProjectVideoRate, 30};
    ::System::Config::Int projectVideoScale_{editConfig_, "ProjectVideoScale", &ProjectVideoScale, 1};
    ::System::Config::Int projectAudioRate_{editConfig_, "ProjectAudioRate", &ProjectAudioRate, 44100};
    ::System::Config::Float tempoBeatPerMinute_{editConfig_, "TempoBeatPerMinute", &TempoBeatPerMinute, 120.0f};
    ::System::Config::Int tempoBeatTime_{editConfig_, "TempoBeatTime", &TempoBeatTime, 4};
    ::System::Config::Float tempoOffsetTime_{editConfig_, "TempoOffsetTime", &TempoOffsetTime, 0.0f};
    ::System::Config::Int gridWidth_{editConfig_, "GridWidth", &GridWidth, 200};
    ::System::Config::Int gridHeight_{editConfig_, "GridHeight", &GridHeight, 200};
    ::System::Config::String gridX_{editConfig_, "GridX", &GridX, L"16,-16"};
    ::System::Config::String gridY_{editConfig_, "GridY", &GridY, L"16,-16"};
    ::System::Config::Float gridStep_{editConfig_, "GridStep", &GridStep, 200.0f};
    ::System::Config::Float gridRange_{editConfig_, "GridRange", &GridRange, 10000.0f};
    ::System::Config::Int enableEnterSubmit_{editConfig_, "EnableEnterSubmit", &EnableEnterSubmit, 0};
    ::System::Config::Scope editScope_{editConfig_};
};

// Clears the target and registers a callback that sets it from the service.
void bindSetting(int& target, std::function<int(SettingService&)> getter);
void bindSetting(std::wstring& target, std::function<std::wstring(SettingService&)> getter);

// The scale of the High-DPI mode: 1 when the main settings file's
// Direct3D/HighDpiMode is 0 (a missing key reads as 1, adding an empty value)
// or the desktop is at 96 dpi; otherwise dpi / 96.
float highDpiScale(::System::IniFile& mainSettings, int systemDpi);

// High-DPI scaling of a style store (in memory only): every Layout value
// that reads as an integer, and the size of every Font value, times scale,
// rounded half away from zero, results below 2 becoming 1. Counts that are
// no lengths (ExplorerWindowNum) stay.
void scaleStyleConfig(::System::IniFile& style, float scale);

// Layout values and the user-interface font family of style.conf.
extern int WindowSeparatorSize;
extern int FooterHeight;
extern int ScrollBarSize;
extern int TitleHeaderHeight;
extern int SettingItemHeight;
extern int SettingRowHeight;  // SettingItemHeight + 2
extern int ExplorerHeaderHeight;
extern int ListItemHeight;
extern std::wstring DefaultFamily;

}  // namespace Setting
