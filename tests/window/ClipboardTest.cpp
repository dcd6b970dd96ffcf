// The clipboard as other X clients see it (xclip on the test's display).
#include "window/Clipboard.h"

#include "core/event/EventService.h"
#include "media/image/ImageBuffer.h"
#include "platform/gtk/SystemClipboard.h"
#include "window/SlowClipboardOwner.h"
#include "window/Timer.h"
#include "window/WindowTestSupport.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>
#include <vector>

// From gdk/gdkx.h, whose X11 headers clash with the Window namespace.
extern "C" unsigned long gdk_x11_window_get_xid(GdkWindow* window);

namespace {

using WindowTest::runUntil;

// Runs a shell command while the loop serves the clipboard; its output.
std::string whileServing(const std::string& command) {
    auto output = std::async(std::launch::async, [command] {
        std::string text;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return text;
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
        pclose(pipe);
        return text;
    });
    runUntil([&] { return output.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return output.get();
}

class ClipboardTest : public WindowTest::WindowServiceTest {};

TEST_F(ClipboardTest, TextSetByTheProgramIsReadByAnotherClientAndReadBack) {
    const std::wstring text = L"コピー text\nsecond line\t%d";
    ASSERT_TRUE(System::Clipboard::setText(text.c_str()));
    EXPECT_EQ(whileServing("xclip -o -selection clipboard"), "コピー text\nsecond line\t%d");
    std::wstring read;
    ASSERT_TRUE(System::Clipboard::getText(read));
    EXPECT_EQ(read, text);
}

TEST_F(ClipboardTest, TextOfAnotherClientIsRead) {
    ASSERT_EQ(std::system("printf '外から' | xclip -i -selection clipboard"), 0);
    // xclip takes the selection from its background child, after the
    // command above has returned: wait until it owns it.
    const gint64 end = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
    while (whileServing("xclip -o -selection clipboard 2>/dev/null") != "外から")
        ASSERT_LT(g_get_monotonic_time(), end) << "xclip never took the clipboard";
    std::wstring read;
    EXPECT_TRUE(System::Clipboard::getText(read));
    EXPECT_EQ(read, L"外から");
    // Taking the clipboard back ends the other client.
    EXPECT_TRUE(System::Clipboard::setText(L""));
}

TEST_F(ClipboardTest, WithOnlyAPictureOnTheClipboardThereIsNoText) {
    const std::vector<unsigned char> bytes = {0x89, 'P', 'N', 'G', 0, 1, 2};
    ASSERT_TRUE(Platform::setClipboardForms({{"image/png", bytes}}));
    EXPECT_EQ(whileServing("xclip -o -selection clipboard -t image/png"),
              std::string(bytes.begin(), bytes.end()));
    std::wstring read = L"unchanged";
    EXPECT_FALSE(System::Clipboard::getText(read));
    EXPECT_EQ(read, L"unchanged");
}

// A paste is one step: while the toolkit waits for a slow owner's answer,
// neither a command posted meanwhile nor a window timer runs; both run
// after the paste.
TEST_F(ClipboardTest, CommandsAndTimersWaitUntilAPasteFromASlowOwnerIsDone) {
    WindowTest::SlowClipboardOwner owner(std::getenv("DISPLAY"), "遅い text", std::chrono::milliseconds(300));
    ASSERT_TRUE(owner.waitOwning());
    System::Singleton<Event::EventService> holder;
    Event::EventService& events = *holder.getInstance();
    std::vector<std::string> steps;
    events.renderVideoFrame.add(&steps, [&](Render::RenderTaskType, int) {
        steps.push_back("paste begins");
        std::wstring text;
        EXPECT_TRUE(System::Clipboard::getText(text));
        EXPECT_EQ(text, L"遅い text");
        steps.push_back("paste ends");
    });
    events.preLoadComplete.add(&steps, [&] { steps.push_back("command"); });
    System::Timer timer;
    timer.set(20, [&] {
        if (steps.empty() || steps.back() != "tick") steps.push_back("tick");
    });

    std::thread poster([&] {
        Event::postEventCommand(Event::EventCommandType::RenderVideoFrame, 1);
        while (owner.requests() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        Event::postEventCommand(Event::EventCommandType::PreLoadComplete, 0);
    });
    EXPECT_TRUE(runUntil([&] { return std::find(steps.begin(), steps.end(), "command") != steps.end(); }));
    poster.join();
    timer.clear();
    const auto begins = std::find(steps.begin(), steps.end(), "paste begins");
    ASSERT_NE(begins, steps.end());
    ASSERT_NE(begins + 1, steps.end());
    EXPECT_EQ(*(begins + 1), "paste ends") << "something ran in the middle of the paste";
    EXPECT_GE(owner.requests(), 2);  // the offered forms, then the text
}

// Keys and clicks the user gives a window while a paste waits for a slow
// owner reach the window after the paste, in the order given.
TEST_F(ClipboardTest, KeysAndClicksWaitUntilAPasteFromASlowOwnerIsDone) {
    WindowTest::SlowClipboardOwner owner(std::getenv("DISPLAY"), "遅い text", std::chrono::milliseconds(20));
    ASSERT_TRUE(owner.waitOwning());
    std::vector<std::string> steps;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK);
    gtk_widget_show(window);
    ASSERT_TRUE(runUntil([&] { return gtk_widget_get_mapped(window) != FALSE; }));
    const auto record = +[](GtkWidget*, GdkEvent* event, gpointer data) -> gboolean {
        auto& list = *static_cast<std::vector<std::string>*>(data);
        list.push_back(event->type == GDK_KEY_PRESS ? "key " + std::to_string(event->key.keyval) : "click");
        return TRUE;
    };
    g_signal_connect(window, "key-press-event", G_CALLBACK(record), &steps);
    g_signal_connect(window, "button-press-event", G_CALLBACK(record), &steps);
    const std::string id = std::to_string(gdk_x11_window_get_xid(gtk_widget_get_window(window)));
    // Device input (XTEST) reaches the focused window as a user's would.
    ASSERT_EQ(std::system(("xdotool windowfocus --sync " + id).c_str()), 0);

    System::Singleton<Event::EventService> holder;
    holder.getInstance()->renderVideoFrame.add(&steps, [&](Render::RenderTaskType, int) {
        steps.push_back("paste begins");
        std::wstring text;
        EXPECT_TRUE(System::Clipboard::getText(text));
        steps.push_back("paste ends");
    });
    // The owner answers only once the input has reached the display, so
    // the input certainly comes while the paste waits.
    owner.holdAnswers();
    std::thread user([&] {
        while (owner.requests() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const std::string send = "xdotool key a mousemove --window " + id + " 10 10 click 1 key b";
        EXPECT_EQ(std::system(send.c_str()), 0);
        owner.releaseAnswers();
    });
    Event::postEventCommand(Event::EventCommandType::RenderVideoFrame, 1);
    const bool all = runUntil([&] { return steps.size() >= 5; });
    user.join();
    gtk_widget_destroy(window);
    ASSERT_TRUE(all) << testing::PrintToString(steps);
    EXPECT_EQ(steps, (std::vector<std::string>{"paste begins", "paste ends", "key " + std::to_string(GDK_KEY_a),
                                               "click", "key " + std::to_string(GDK_KEY_b)}));
}

// A picture whose pixel (x, y) is B = 10x + y, G = 100 + y, R = 200 + x,
// A = 50 + x + y.
std::shared_ptr<Media::ImageBuffer> testPicture(std::uint32_t format, std::uint32_t width, std::uint32_t height) {
    auto image = Media::ImageBuffer::create(format, width, height);
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x) {
            unsigned char* p = image->pixels.data + y * image->pitch + x * 4;
            p[0] = static_cast<unsigned char>(10 * x + y);
            p[1] = static_cast<unsigned char>(100 + y);
            p[2] = static_cast<unsigned char>(200 + x);
            p[3] = static_cast<unsigned char>(50 + x + y);
        }
    return image;
}

std::uint32_t readLittleEndian(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

TEST_F(ClipboardTest, APictureIsOfferedAsBitmapRowsBottomUpAndAsPng) {
    struct Case {
        std::uint32_t format, width, height, bitCount, stride;
    };
    for (const Case& c : {Case{88, 3, 2, 24, 12}, Case{87, 3, 2, 32, 12}, Case{88, 5, 1, 24, 16}}) {
        SCOPED_TRACE(c.format * 100 + c.width);
        System::Singleton<Event::EventService> events;
        // As a render worker hands a copied frame to the user-interface thread.
        std::thread([&] {
            Event::postEventCommand(Event::EventCommandType::SetClipboardImage, testPicture(c.format, c.width, c.height));
        }).join();
        WindowTest::runFor(50);
        const std::string bmp = whileServing("xclip -o -selection clipboard -t image/bmp");
        ASSERT_EQ(bmp.size(), 14u + 40u + c.stride * c.height);
        EXPECT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(readLittleEndian(bmp, 2), bmp.size());
        EXPECT_EQ(readLittleEndian(bmp, 10), 54u);
        const std::string dib = bmp.substr(14);
        EXPECT_EQ(readLittleEndian(dib, 0), 40u);
        EXPECT_EQ(readLittleEndian(dib, 4), c.width);
        EXPECT_EQ(readLittleEndian(dib, 8), c.height);
        EXPECT_EQ(readLittleEndian(dib, 12), 1u | c.bitCount << 16);  // planes, bit count
        EXPECT_EQ(readLittleEndian(dib, 16), 0u);                     // BI_RGB
        EXPECT_EQ(readLittleEndian(dib, 20), c.stride * c.height);
        for (std::size_t field = 24; field < 40; field += 4) EXPECT_EQ(readLittleEndian(dib, field), 0u);
        const std::size_t bytesPerPixel = c.bitCount / 8;
        for (std::uint32_t row = 0; row < c.height; ++row) {
            const std::uint32_t y = c.height - 1 - row;  // the last row first
            for (std::uint32_t x = 0; x < c.width; ++x) {
                const std::size_t at = 40 + row * c.stride + x * bytesPerPixel;
                EXPECT_EQ(static_cast<unsigned char>(dib[at]), 10 * x + y);
                EXPECT_EQ(static_cast<unsigned char>(dib[at + 1]), 100 + y);
                EXPECT_EQ(static_cast<unsigned char>(dib[at + 2]), 200 + x);
                if (bytesPerPixel == 4) {
                    EXPECT_EQ(static_cast<unsigned char>(dib[at + 3]), 50 + x + y);
                }
            }
            for (std::size_t pad = c.width * bytesPerPixel; pad < c.stride; ++pad)
                EXPECT_EQ(dib[40 + row * c.stride + pad], 0);
        }

        const std::string png = whileServing("xclip -o -selection clipboard -t image/png");
        GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
        ASSERT_TRUE(gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(png.data()), png.size(), nullptr));
        ASSERT_TRUE(gdk_pixbuf_loader_close(loader, nullptr));
        GdkPixbuf* decoded = gdk_pixbuf_loader_get_pixbuf(loader);
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(decoded), static_cast<int>(c.width));
        EXPECT_EQ(gdk_pixbuf_get_height(decoded), static_cast<int>(c.height));
        EXPECT_EQ(gdk_pixbuf_get_has_alpha(decoded), c.bitCount == 32);
        const guchar* last = gdk_pixbuf_get_pixels(decoded) +
                             (c.height - 1) * gdk_pixbuf_get_rowstride(decoded) +
                             (c.width - 1) * gdk_pixbuf_get_n_channels(decoded);
        EXPECT_EQ(last[0], 200 + c.width - 1);  // red
        EXPECT_EQ(last[2], 10 * (c.width - 1) + c.height - 1);  // blue
        g_object_unref(loader);
    }
}

}  // namespace
