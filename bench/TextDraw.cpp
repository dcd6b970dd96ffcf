// Reference figures of text drawing: a 200-character text of two lines,
// Latin and Japanese, with a border, laid out and drawn into a GPU picture
// at a size that fills a full-HD frame's width.
#include "core/base/Singleton.h"
#include "core/file/FileName.h"
#include "core/file/SettingService.h"
#include "media/draw/Direct2DService.h"
#include "media/gpu/Direct3DService.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/text/TextDraw.h"
#include "support/ScratchProgramFolder.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

// The services of a text object's render, in a program folder of their own
// with the shipped configuration files.
struct Services {
    Services() {
        folder = TestSupport::makeScratchProgramFolder("movane2-bench-text-");
        settings = std::make_unique<System::Singleton<Setting::SettingService>>();
        direct2D = std::make_unique<System::Singleton<Media::Direct2DService>>();
        direct3D = std::make_unique<System::Singleton<Media::Direct3DService>>();
    }
    ~Services() {
        direct3D.reset();
        direct2D.reset();
        settings.reset();
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::filesystem::path folder;
    std::unique_ptr<System::Singleton<Setting::SettingService>> settings;
    std::unique_ptr<System::Singleton<Media::Direct2DService>> direct2D;
    std::unique_ptr<System::Singleton<Media::Direct3DService>> direct3D;
};

Services& services() {
    static Services shared;
    return shared;
}

// 100 characters a line: Latin words and Japanese.
std::wstring twoLines() {
    const std::wstring latin = L"Movie text 2026 ";           // 16
    const std::wstring japanese = L"動画編集の字幕テキスト、縦横に配置。";  // 18
    std::wstring line;
    while (line.size() < 100) line += latin + japanese;
    line.resize(100);
    return line + L"\n" + line;
}

void layOutAndDraw(benchmark::State& state, bool draw) {
    services();
    const std::wstring text = twoLines();
    const Platform::Cairo::ColorF white{1, 1, 1, 1}, black{0, 0, 0, 1};
    for (auto _ : state) {
        Media::TextDraw layout(text.c_str(), L"Noto Sans CJK JP", 24, 0.1f, 0, true, false, false, false, 0, 0, 0, 0,
                               0, white, black);
        layout.layoutText(nullptr);
        if (draw) {
            Media::ResourceBuffer buffer(static_cast<UINT>(layout.pictureWidth()),
                                         static_cast<UINT>(layout.pictureHeight()));
            const float clear[4] = {0, 0, 0, 0};
            buffer.clear(clear);
            layout.drawToBuffer(buffer);
            glFinish();
        }
        state.counters["width"] = layout.pictureWidth();
        state.counters["height"] = layout.pictureHeight();
    }
}

void TextMeasureTwoLines(benchmark::State& state) { layOutAndDraw(state, false); }
BENCHMARK(TextMeasureTwoLines)->Unit(benchmark::kMillisecond);

void TextDrawTwoLinesWithBorder(benchmark::State& state) { layOutAndDraw(state, true); }
BENCHMARK(TextDrawTwoLinesWithBorder)->Unit(benchmark::kMillisecond);

}  // namespace
