#pragma once
// The process-wide registry of output writers and the controller of the one
// export that may run at a time (System::Singleton). An export starts on the
// user-interface thread with the chosen writer's save dialog, runs its
// file's save on "OutputFileWorker" while the windows' input is blocked and
// the footer shows progress every 500 ms, and ends on the user-interface
// thread when the worker posts the end command. Only an export whose save
// returned true without an exception counts as complete; a cancelled one is
// the file written so far; a failed one shows its error and nothing else.
#include "core/thread/SyncTimer.h"
#include "core/thread/WorkerThread.h"
#include "plugin/output/OutputHost.h"
#include "plugin/output/OutputPlugin.h"
#include "plugin/output/RenderFrameSource.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace Edit {
class EditService;
}  // namespace Edit

namespace Plugin {

class OutputService {
public:
    enum class Outcome { Complete, Cancelled, Failed };

    // Registers the built-in writers: AVI, PNG, JPEG, numbered sequence.
    OutputService();
    ~OutputService();
    OutputService(const OutputService&) = delete;
    OutputService& operator=(const OutputService&) = delete;

    static const char* singletonPlace() { return "System::Singleton<class Plugin::OutputService>::recreateInstance"; }

    // Makes and registers one writer; a failure shows the registration error
    // with className and leaves the writer out.
    void registerPlugin(const std::function<std::shared_ptr<OutputPlugin>()>& make, const char* className);

    // Starts an export with the writer at index; nothing while one runs or
    // when the save dialog is cancelled.
    void outputFile(int index);
    // The end command of the export worker.
    void outputFileEnd();
    bool isOutputting() const { return outputting_.load(); }
    // Asks whether to stop the running export; OK sets its cancel flag.
    void confirmCancel();
    // The input hook while exporting: close, Escape and the right-button
    // popup ask to cancel. Always false: the message is then dropped.
    bool exportInputHook(Platform::WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam);
    // The footer's progress of the running export.
    void updateProgress();

    // The outcome of the last export that ended.
    Outcome lastOutcome() const { return lastOutcome_; }

    int registerCount = 0;
    std::vector<std::shared_ptr<OutputPlugin>> plugins;
    std::shared_ptr<OutputFile> currentOutput;
    Sync::Timer progressTimer;
    VideoPreloader videoPreloader;
    AudioPreloader audioPreloader;
    Worker::WorkerThread outputWorker{"OutputFileWorker"};

    // The scene and renderer an export reads; null takes the process-wide
    // edit and render services.
    Edit::EditService* editService = nullptr;
    Render::RenderVideoWorker* videoWorker = nullptr;
    Render::RenderAudioWorker* audioWorker = nullptr;

private:
    void exportTask(const std::shared_ptr<OutputFile>& file);
    void finishNotice(const OutputFile& file);

    std::atomic<bool> outputting_{false};
    std::atomic<Outcome> outcome_{Outcome::Complete};
    Outcome lastOutcome_ = Outcome::Complete;
    Render::RenderVideoWorker* runningVideo_ = nullptr;
    Render::RenderAudioWorker* runningAudio_ = nullptr;
};

// The scene facts an export is worked out from (the current scene's size,
// rates, cursor, selection and last frame).
OutputSceneInfo outputSceneInfo(Edit::EditService& editService);

}  // namespace Plugin
