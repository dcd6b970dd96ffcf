#include "plugin/output/OutputService.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/event/EventService.h"
#include "core/event/MessageBox.h"
#include "core/text/StringConvert.h"
#include "core/translate/TranslateService.h"
#include "edit/scope/EditReadScope.h"
#include "edit/service/EditService.h"
#include "plugin/output/AviFileSave.h"
#include "plugin/output/JpgFileSave.h"
#include "plugin/output/PngFileSave.h"
#include "plugin/output/SequentialFileSave.h"
#include "render/service/RenderSceneSource.h"
#include "render/service/RenderService.h"

#include <chrono>

namespace Plugin {

namespace {

constexpr UINT kKeyDown = 0x0100;
constexpr UINT kRightButtonUp = 0x0205;
constexpr WPARAM kEscape = 0x1B;
constexpr const char* kEndTag = "Plugin::OutputService::outputFileEnd";

std::uint64_t tickCount() {
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
}

OutputHost*& installedHost() {
    static OutputHost* host = nullptr;
    return host;
}

Edit::EditService* editServiceOr(Edit::EditService* given) {
    return given ? given : System::Singleton<Edit::EditService>::getInstance();
}

}  // namespace

OutputHost* OutputHost::current() { return installedHost(); }
void OutputHost::install(OutputHost* host) { installedHost() = host; }

OutputSceneInfo outputSceneInfo(Edit::EditService& editService) {
    OutputSceneInfo info;
    Edit::EditReadScope scope(editService);
    if (!scope.scene) return info;
    const Edit::Scene& scene = *scope.scene;
    info.lastFrame = scene.totalLength;
    info.cursorFrame = scene.cursorFrame;
    info.selectionStart = scene.selectStartFrame;
    info.selectionEnd = scene.selectEndFrame;
    info.rate = scene.videoRate;
    info.scale = scene.videoScale;
    info.audioRate = scene.audioRate;
    info.width = scene.width;
    info.height = scene.height;
    return info;
}

OutputService::OutputService() {
    registerPlugin([] { return std::make_shared<AviFileSave>(); }, "class Plugin::AviFileSave");
    registerPlugin([] { return std::make_shared<PngFileSave>(); }, "class Plugin::PngFileSave");
    registerPlugin([] { return std::make_shared<JpgFileSave>(); }, "class Plugin::JpgFileSave");
    registerPlugin([] { return std::make_shared<SequentialFileSave>(); }, "class Plugin::SequentialFileSave");
    if (auto* events = System::Singleton<Event::EventService>::getInstance())
        events->outputFileEnd = [this] { outputFileEnd(); };
}

OutputService::~OutputService() {
    if (auto* events = System::Singleton<Event::EventService>::getInstance()) events->outputFileEnd = nullptr;
    audioPreloader.stop();
    videoPreloader.stop();
    outputWorker.stop();
    currentOutput.reset();
    outputting_ = false;
    Render::RenderSceneSource::exportRunning = false;
    plugins.clear();
}

void OutputService::registerPlugin(const std::function<std::shared_ptr<OutputPlugin>()>& make,
                                   const char* className) {
    try {
        std::shared_ptr<OutputPlugin> plugin = make();
        System::Log::info("Plugin::OutputService::registerPlugin", L"register output plugin [%ls]",
                          plugin->name.c_str());
        plugins.push_back(plugin);
        plugin->loadConfig(registerCount++);
    } catch (const std::exception& e) {
        Dialog::showError("failed to register output plugin. [%s]\n\n%s", className, e.what());
    }
}

void OutputService::outputFile(int index) {
    if (index < 0 || index >= static_cast<int>(plugins.size()))
        throw System::makeException("Plugin::OutputService::outputFile", "not found output plugin.");
    if (currentOutput) return;

    Edit::EditService* edit = editServiceOr(editService);
    Render::RenderService* render = System::Singleton<Render::RenderService>::getInstance();
    Render::RenderVideoWorker* video = videoWorker ? videoWorker : render ? &render->videoWorker : nullptr;
    Render::RenderAudioWorker* audio = audioWorker ? audioWorker : render ? &render->audioWorker : nullptr;
    if (!edit || !video || !audio)
        throw System::makeException("Plugin::OutputService::outputFile", "render service not ready.");
    const OutputSceneInfo scene = outputSceneInfo(*edit);

    std::shared_ptr<OutputFile> file = plugins[static_cast<std::size_t>(index)]->createOutputFile(scene, [&] {
        return std::make_shared<RenderFrameSource>(*video, *audio, videoPreloader, audioPreloader, scene.lastFrame);
    });
    if (!file) return;

    System::Log::info("Plugin::OutputService::outputFile", L"export file start : %ls", file->path.c_str());
    runningVideo_ = video;
    runningAudio_ = audio;
    outcome_ = Outcome::Failed;
    outputWorker.pushTask(0, [this, file] { exportTask(file); });
    currentOutput = file;
    outputting_ = true;
    Render::RenderSceneSource::exportRunning = true;
    file->startTick = tickCount();

    OutputHost* host = OutputHost::current();
    if (host)
        host->setInputEnable(false, [this](Platform::WindowHandle window, UINT message, WPARAM wParam,
                                           LPARAM lParam) { return exportInputHook(window, message, wParam, lParam); });
    updateProgress();
    progressTimer.setInterval(500);
    if (host) host->registerWaitHandle(progressTimer.getHandle(), [this] { updateProgress(); });
}

void OutputService::exportTask(const std::shared_ptr<OutputFile>& file) {
    bool saved = false;
    try {
        saved = file->save();
        // A writer that gave up without an exception still tells the user.
        if (!saved && !file->cancel) Dialog::postError(L"export file failed.\n%ls", file->path.c_str());
    } catch (const std::exception& e) {
        Dialog::postException(e);
    }
    outcome_ = file->cancel ? Outcome::Cancelled : saved ? Outcome::Complete : Outcome::Failed;
    Event::postEventCommand(Event::EventCommandType::OutputFileEnd, 0);
}

void OutputService::updateProgress() {
    if (!currentOutput) return;
    if (OutputHost* host = OutputHost::current())
        host->setProgress(L"ファイル出力中", currentOutput->progressDetail(tickCount() - currentOutput->startTick),
                          currentOutput->progressFraction());
}

void OutputService::outputFileEnd() {
    if (!currentOutput) return;
    outputWorker.waitAllTasks();
    if (runningVideo_) runningVideo_->thread.waitAllTasks();
    if (runningAudio_) runningAudio_->thread.waitAllTasks();
    RenderFrameSource::reset(videoPreloader, audioPreloader);

    progressTimer.clear();
    OutputHost* host = OutputHost::current();
    if (host) {
        host->setProgress(L"", L"", 0.0f);
        host->setInputEnable(true, nullptr);
    }

    lastOutcome_ = outcome_;
    switch (lastOutcome_) {
    case Outcome::Cancelled:
        System::Log::info(kEndTag, "export file cancel");
        break;
    case Outcome::Failed:
        System::Log::info(kEndTag, "export file failed");
        break;
    case Outcome::Complete:
        finishNotice(*currentOutput);
        System::Log::info(kEndTag, "export file complete");
        break;
    }
    currentOutput.reset();
    outputting_ = false;
    Render::RenderSceneSource::exportRunning = false;
    runningVideo_ = nullptr;
    runningAudio_ = nullptr;
}

void OutputService::finishNotice(const OutputFile& file) {
    if (!file.notifyOnEnd) return;
    OutputHost* host = OutputHost::current();
    if (!host) return;
    try {
        host->showCompleteBalloon();
        // The edit service's setting as it stands now, so a changed setting
        // is heard without a restart.
        Edit::EditService* edit = editServiceOr(editService);
        const std::wstring sound = edit ? edit->outputCompleteSoundFile : std::wstring();
        if (!sound.empty()) host->playSound(sound);
    } catch (const std::exception& e) {
        System::Log::error(kEndTag, "%s", e.what());
    }
}

void OutputService::confirmCancel() {
    if (!currentOutput || currentOutput->cancel) return;
    // The export may end while the question is open.
    const std::shared_ptr<OutputFile> file = currentOutput;
    if (Dialog::showConfirm(L"ファイル出力を中断しますか？")) file->cancel = true;
}

bool OutputService::exportInputHook(Platform::WindowHandle, UINT message, WPARAM wParam, LPARAM) {
    if (message == Platform::WM_CLOSE || (message == kKeyDown && wParam == kEscape)) {
        confirmCancel();
    } else if (message == kRightButtonUp) {
        if (OutputHost* host = OutputHost::current())
            host->showCancelMenu(Translate::TranslateService::translateMenu(L"ファイル出力を中断"),
                                 [this] { confirmCancel(); });
    }
    return false;
}

}  // namespace Plugin
