#include "panels/status/StatusComponent.h"

#include "core/base/Log.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "core/text/FormatDouble.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "edit/model/FrameRate.h"
#include "platform/gtk/NativeWindow.h"
#include "window/WindowService.h"

namespace Component {

namespace {

const wchar_t* const kCaption = L"Movane Quorin2";

std::wstring styleTemplate(const char* key) {
    const Setting::SettingService* settings = System::Singleton<Setting::SettingService>::getInstance();
    return settings ? settings->format.getValue(key).toString() : std::wstring();
}

// The fixed-size texts of the footer keep 15 characters.
std::wstring cut(std::wstring text) {
    if (text.size() > StatusComponent::VariableCapacity) text.resize(StatusComponent::VariableCapacity);
    return text;
}

std::wstring timeText(double seconds) {
    wchar_t buffer[StatusComponent::VariableCapacity + 1];
    System::String::formatTimePrecise(buffer, seconds);
    return buffer;
}

std::size_t lastSeparator(const std::wstring& path) {
    const std::size_t at = path.find_last_of(L"/\\");
    return at == std::wstring::npos ? 0 : at + 1;
}

}  // namespace

StatusComponent::StatusComponent() : StatusComponent(styleTemplate("FooterLeft"), styleTemplate("FooterRight")) {}

StatusComponent::StatusComponent(std::wstring left, std::wstring right)
    : windowService(System::Singleton<Window::WindowService>::getInstance()),
      leftTemplate(std::move(left)),
      rightTemplate(std::move(right)),
      title(kCaption) {
    if (!eventService) return;
    eventService->sceneChange.add(eventKey(), [this](int) {
        updateSceneText();
        updateFrameText();
        updateFooter();
        updateTitle();
    });
    eventService->frameChange.add(eventKey(), [this](int frame) { onFrame(frame); });
    eventService->objectUpdate.add(eventKey(), [this](std::shared_ptr<Edit::Object>&) {
        if (editService) onFrame(editService->getCurrentScene()->cursorFrame);
    });
}

void StatusComponent::onFrame(int frame) {
    if (!editService) return;
    const int length = editService->getCurrentScene()->totalLength;
    if (frame == lastFrame && length == lastLength) return;
    lastFrame = frame;
    lastLength = length;
    updateFrameText();
    updateFooter();
}

void StatusComponent::updateFrameText() {
    if (!editService) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    const double frameSeconds = scene.videoRate > 0 ? static_cast<double>(scene.videoScale) / scene.videoRate : 0.0;
    currentTime = timeText(scene.cursorFrame * frameSeconds);
    totalTime = timeText((scene.totalLength + 1) * frameSeconds);
    currentFrame = cut(std::to_wstring(scene.cursorFrame + 1));
    totalFrame = cut(std::to_wstring(scene.totalLength + 1));
}

void StatusComponent::updateSceneText() {
    if (!editService) return;
    const Edit::Scene& scene = *editService->getCurrentScene();
    projectNameText = projectName(editService->project.path);
    sceneName = scene.name;
    resolution = cut(System::String::format(L"%dx%d", scene.width, scene.height));
    frameRate = cut(System::formatDouble(Edit::getFrameRate(scene.videoRate, scene.videoScale)) + L"fps");
    samplingRate = cut(System::formatDouble(scene.audioRate / 1000.0) + L"khz");
}

std::wstring StatusComponent::expandStatusVariable(const std::wstring& name) {
    const std::pair<const wchar_t*, const std::wstring*> variables[] = {
        {L"CurrentTime", &currentTime},   {L"TotalTime", &totalTime},   {L"CurrentFrame", &currentFrame},
        {L"TotalFrame", &totalFrame},     {L"ProjectName", &projectNameText}, {L"SceneName", &sceneName},
        {L"Resolution", &resolution},     {L"FrameRate", &frameRate},   {L"SamplingRate", &samplingRate},
    };
    for (const auto& [key, text] : variables)
        if (name == key) return *text;
    System::Log::warn("Component::StatusComponent::expandStatusVariable", L"invalid footer text variable. {%ls}",
                      name.c_str());
    return {};
}

void StatusComponent::updateFooter() {
    std::wstring expanded;
    const auto lookup = [this, &expanded](const std::wstring& name) -> const wchar_t* {
        expanded = expandStatusVariable(name);
        return expanded.c_str();
    };
    leftText = leftTemplate;
    System::String::replaceRegex(leftText, lookup);
    rightText = rightTemplate;
    System::String::replaceRegex(rightText, lookup);
    if (windowService && windowService->footer) windowService->footer->setText(leftText.c_str(), rightText.c_str());
}

void StatusComponent::updateTitle() {
    if (!editService) return;
    const std::wstring text = titleOf(editService->project.path);
    if (text == title) return;
    title = text;
    if (windowService && windowService->mainWindow)
        Platform::setWindowText(windowService->mainWindow, System::String::toUtf8(title));
}

std::wstring StatusComponent::projectName(std::wstring path) {
    System::FileName::expandVariable(path);
    const std::size_t start = lastSeparator(path);
    const std::size_t dot = path.find_last_of(L'.');
    const std::size_t end = dot != std::wstring::npos && dot >= start ? dot : path.size();
    return path.substr(start, end - start);
}

std::wstring StatusComponent::titleOf(std::wstring path) {
    System::FileName::expandVariable(path);
    std::wstring name = path.substr(lastSeparator(path));
    return name.empty() ? std::wstring(kCaption) : name;
}

}  // namespace Component
