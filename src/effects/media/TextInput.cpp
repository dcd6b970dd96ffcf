#include "effects/media/TextInput.h"

#include "core/base/Log.h"
#include "core/base/Singleton.h"
#include "core/event/MessageBox.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/text/TextFileDecode.h"
#include "edit/model/Scene.h"
#include "edit/scope/EditScope.h"
#include "edit/undo/UndoService.h"
#include "effect/movement/MovementBase.h"
#include "effect/registry/EffectTranslate.h"
#include "effects/media/TextTables.h"
#include "media/gpu/ResourceBuffer.h"
#include "media/text/TextDraw.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace Effect {

namespace {

constexpr std::size_t kLabelLength = 100;

std::mutex inlineScriptMutex;
TextInput::InlineScriptRunner inlineScriptRunner;

double firstValue(const EffectItemNumber& item) {
    return item.values.empty() ? 0.0 : static_cast<double>(item.values.front()) / item.scale;
}

Platform::Cairo::ColorF colorOf(const EffectItemColor& item) {
    return {item.red / 255.0f, item.green / 255.0f, item.blue / 255.0f, 1.0f};
}

bool hasControlCharacter(const std::wstring& text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<char32_t>(c) < 0x20; });
}

}  // namespace

TextInput::Layout::Layout() = default;
TextInput::Layout::~Layout() = default;

TextInput::TextInput()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::Video, MediaKind::Video, L""),
      size(items, L"サイズ", 40, 1, 1000, 0.01),
      characterSpacing(items, L"字間", 0, -500, 500, 0.01),
      lineSpacing(items, L"行間", 0, -500, 500, 0.01),
      displaySpeed(items, L"表示速度", 0, 0, 100, 0.01),
      font(items, L"フォント"),
      textColor(items, L"文字色", 255, 255, 255),
      decorationColor(items, L"影・縁色", 0, 0, 0),
      decoration(items, L"文字装飾", 0, textDecorationList(), 0.0f, 0.4f),
      alignment(items, L"文字揃え", 0, textAlignmentList(), 0.4f, 0.8f),
      bold(items, L"B", false, 0.8f, 0.9f),
      italic(items, L"I", false, 0.9f, 1.0f),
      text(items, L"テキスト"),
      separateCharacters(items, L"文字毎に個別オブジェクト"),
      alongPath(items, L"移動座標上に表示"),
      fitLength(items, L"オブジェクトの長さを自動調節") {
    separateCharacters.notifyChange = true;
    fitLength.notifyChange = true;
    displaySpeed.notifyChange = true;
    text.notifyChange = true;
    alongPath.visible = false;
}

void TextInput::setInlineScriptRunner(InlineScriptRunner runner) {
    std::lock_guard lock(inlineScriptMutex);
    inlineScriptRunner = std::move(runner);
}

void TextInput::updateItemVisible() { alongPath.visible = separateCharacters.value; }

bool TextInput::isSupportedFile(const wchar_t* path) const {
    return System::FileName::getExtension(path) == L"txt";
}

std::wstring TextInput::expandScript(const std::wstring& script, Render::ObjectContext* context) const {
    std::wstring code = script;
    if (!code.empty() && code.front() == L'=') code = L"mes(" + code.substr(1) + L")";
    InlineScriptRunner runner;
    {
        std::lock_guard lock(inlineScriptMutex);
        runner = inlineScriptRunner;
    }
    try {
        // No script language yet: a block draws nothing, as a failing run.
        if (!runner) {
            System::Log::warn("Effect::TextInput::expandScript", "script exception: %s", "not found script plugin.");
            return {};
        }
        return runner(code, context);
    } catch (const std::exception& e) {
        System::Log::warn("Effect::TextInput::expandScript", "script exception: %s", e.what());
        return {};
    }
}

std::wstring TextInput::expandText(const std::wstring& source, Render::ObjectContext* context) const {
    std::wstring expanded = source;
    std::size_t from = 0;
    for (;;) {
        // A block is "<?", then anything but NUL, then the first "?>".
        const std::size_t open = source.find(L"<?", from);
        if (open == std::wstring::npos) break;
        const std::size_t close = source.find(L"?>", open + 2);
        if (close == std::wstring::npos) break;
        const std::size_t nul = source.find(L'\0', open + 2);
        if (nul < close) {
            from = nul + 1;
            continue;
        }
        const std::wstring whole = source.substr(open, close + 2 - open);
        const std::wstring result = expandScript(source.substr(open + 2, close - open - 2), context);
        // Every copy of the block goes; a later identical block finds none.
        for (std::size_t at = expanded.find(whole); at != std::wstring::npos; at = expanded.find(whole, at)) {
            expanded.replace(at, whole.size(), result);
            at += result.size();
        }
        from = close + 2;
    }
    return expanded;
}

void TextInput::setupTextDraw(Layout& layout, Render::ObjectContext* context) const {
    layout.text = expandText(text.text, context);
    const auto number = [&](const EffectItemNumber& item) {
        return context ? item.getValue(*context) : firstValue(item);
    };
    double elapsed = 0.0;
    if (context && context->scene && context->scene->videoRate > 0)
        elapsed = (context->time - context->getObjectFrames().start) * context->scene->videoScale /
                  context->scene->videoRate;
    const TextDecoration& look = textDecoration(decoration.value);
    const TextAlignment& place = textAlignment(alignment.value);
    // Without a decoration the second colour is the text's own.
    const Platform::Cairo::ColorF second = decoration.value != 0 ? colorOf(decorationColor) : colorOf(textColor);
    layout.draw = std::make_unique<Media::TextDraw>(
        layout.text.c_str(), font.list->getName(font.value), static_cast<float>(number(size)),
        look.borderWidthFactor, look.shadowStrength, look.roundCorners, bold.value, italic.value, place.vertical,
        place.lineAlignment, static_cast<float>(number(characterSpacing)), static_cast<float>(number(lineSpacing)),
        elapsed, number(displaySpeed), colorOf(textColor), second);
}

void TextInput::inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) {
    result.reset();
    if (text.text.empty()) return;
    Layout layout;
    setupTextDraw(layout, &context);
    Media::TextDraw& draw = *layout.draw;
    draw.layoutText(nullptr);
    if (separateCharacters.value) {
        drawCharacters(context, draw);
        return;
    }
    const int width = draw.pictureWidth();
    const int height = draw.pictureHeight();
    if (width <= 0 || height <= 0) return;
    auto buffer = std::make_unique<Media::ResourceBuffer>(static_cast<UINT>(width), static_cast<UINT>(height));
    const float transparent[4] = {0, 0, 0, 0};
    buffer->clear(transparent);
    const TextAlignment& place = textAlignment(alignment.value);
    context.view.centerX = static_cast<float>(width) * place.anchorX;
    context.view.centerY = static_cast<float>(height) * place.anchorY;
    draw.drawToBuffer(*buffer);
    result = std::move(buffer);
}

const wchar_t* TextInput::getDisplayName() const {
    const std::wstring& source = text.text;
    if (source.empty()) return translateEffectText(name);
    if (source.size() <= kLabelLength && !hasControlCharacter(source)) return source.c_str();
    // Kept with the text it shows, so a text changed without an event (an
    // undo) is not shown stale.
    if (labelSource_ != source) {
        labelSource_ = source;
        label_ = source.substr(0, kLabelLength);
        for (wchar_t& c : label_)
            if (c == L'\n')
                c = L'\u23CE';
            else if (static_cast<char32_t>(c) < 0x20)
                c = L' ';
        if (source.size() > kLabelLength) label_ += L"...";
    }
    return label_.c_str();
}

bool TextInput::effectEvent(EffectEvent& event) {
    switch (event.code) {
    case EffectEvent::ItemChanged:
        if (event.item == &separateCharacters) {
            if (event.scope)
                event.scope->rebuildSetting = event.scope->refreshTimeSetting = event.scope->refreshColorSetting =
                    event.scope->refreshTextSetting = true;
            return true;
        }
        labelSource_.clear();
        label_.clear();
        return fitObjectLength(event);
    case EffectEvent::FileDropped: {
        std::wstring loaded;
        if (!event.path || !loadTextFile(event.path, loaded)) {
            Dialog::postError(L"ファイルの読み込みに失敗しました");
            return false;
        }
        text.text = std::move(loaded);
        labelSource_.clear();
        label_.clear();
        // A new text needs its length as much as an edited one.
        fitObjectLength(event);
        return true;
    }
    case EffectEvent::StartMoved:
    case EffectEvent::EndMoved:
        return fitObjectLength(event);
    default:
        return false;
    }
}

bool TextInput::fitObjectLength(EffectEvent& event) {
    if (!fitLength.value || displaySpeed.movement != DefaultMovement::noMove) return false;
    if (!event.object || event.object->getMidPointCount() != 0 || !event.scope || !event.scope->scene) return false;
    Layout layout;
    setupTextDraw(layout, nullptr);
    Media::TextDraw& draw = *layout.draw;
    draw.reset();
    for (bool more = true; more;) {
        more = draw.nextLine();
        draw.finishLine();
    }
    const double seconds = draw.displayTime();
    if (!(seconds > 0.0)) return false;

    Edit::Scene& scene = *event.scope->scene;
    Edit::Object& object = *event.object;
    if (event.code == EffectEvent::ItemChanged) {
        event.scope->beginUndo();
        if (auto* undo = System::Singleton<Undo::UndoService>::getInstance())
            if (const Edit::ObjectPointer& held = scene.getLayerObjectList(object.layer).getObjectAtFrame(object.start))
                undo->addObjectUndoUpdate(held);
    }
    if (event.code != EffectEvent::FileDropped) {
        event.scope->resortLayers = event.scope->refreshSetting = event.scope->refreshTimeSetting =
            event.scope->refreshColorSetting = event.scope->notifyObjectUpdate = true;
    }
    const double rate = scene.videoScale > 0 ? static_cast<double>(scene.videoRate) / scene.videoScale : 0.0;
    const double frames = std::clamp(std::round(seconds * rate), 1.0, 1e8);
    scene.fitObjectLength(object, static_cast<int>(frames), event.code == EffectEvent::StartMoved);
    return true;
}

bool TextInput::loadTextFile(const wchar_t* path, std::wstring& text) {
    std::string bytes;
    try {
        System::File file;
        file.open(path, System::File::Mode::Read);
        bytes = file.read();
    } catch (const std::exception&) {
        return false;
    }
    const std::optional<std::wstring> decodedText = System::String::decodeTextFile(bytes);
    if (!decodedText) return false;
    const std::wstring& decoded = *decodedText;
    // A NUL ends a text in a project file: such a file is no text to take.
    if (decoded.find(L'\0') != std::wstring::npos) return false;
    std::wstring lines;
    lines.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        if (decoded[i] == L'\r') {
            lines += L'\n';
            if (i + 1 < decoded.size() && decoded[i + 1] == L'\n') ++i;
        } else {
            lines += decoded[i];
        }
    }
    text = std::move(lines);
    return true;
}

}  // namespace Effect
