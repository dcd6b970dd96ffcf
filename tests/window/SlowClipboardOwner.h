#pragma once
// Another program on the desktop that owns the clipboard and answers every
// request late: it runs on a thread and an X connection of its own and
// offers one UTF-8 text.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace WindowTest {

class SlowClipboardOwner {
public:
    SlowClipboardOwner(std::string display, std::string text, std::chrono::milliseconds delay);
    ~SlowClipboardOwner();
    SlowClipboardOwner(const SlowClipboardOwner&) = delete;
    SlowClipboardOwner& operator=(const SlowClipboardOwner&) = delete;

    // Waits until the owner holds the clipboard; false when it could not
    // take it (no libX11, no display).
    bool waitOwning();
    // Requests received so far, counted before they are answered.
    int requests() const { return requests_; }
    // Between these, answers wait (after their delay) until released.
    void holdAnswers() { held_ = true; }
    void releaseAnswers() { held_ = false; }

private:
    void serve();

    std::string display_;
    std::string text_;
    std::chrono::milliseconds delay_;
    std::atomic<int> state_{0};  // 0 starting, 1 owning, -1 failed
    std::atomic<int> requests_{0};
    std::atomic<bool> stop_{false};
    std::atomic<bool> held_{false};
    std::thread thread_;
};

}  // namespace WindowTest
