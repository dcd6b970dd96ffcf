#include "effects/media/ImageLoad.h"

#include "core/event/MessageBox.h"
#include "core/file/File.h"
#include "core/file/FileName.h"
#include "core/text/StringUtility.h"
#include "edit/scope/EditScope.h"
#include "effect/base/StdConvert.h"
#include "effect/movement/MovementBase.h"
#include "effect/movement/MovementLookup.h"
#include "effect/registry/EffectTranslate.h"
#include "effect/registry/MediaFileProbe.h"
#include "effects/base/FileEntry.h"
#include "effects/base/InfoTip.h"
#include "media/gpu/ResourceBuffer.h"
#include "render/cache/MediaFileSource.h"
#include "render/context/ObjectContext.h"

#include <algorithm>
#include <cmath>
#include <regex>

namespace Effect {

namespace {

// A run of digits right before the extension; the prefix as short as
// possible.
const std::wregex& numberedFilePattern() {
    static const std::wregex pattern(L"^(.+?)([0-9]+)(\\.[^.]+)$");
    return pattern;
}

// The part of a path after its last separator.
std::wstring fileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

ImageLoad::ImageLoad()
    : BuiltinClass(Name, EffectKind::Input, MediaKind::Video, MediaKind::Video, L""),
      file(items, L"ファイル", L"", nullptr),
      number(items, L"表示番号", 0, 0, 10000, 1),
      sequence(items, L"連番ファイル") {
    file.notifyChange = true;
    file.filterSource = [] { return mediaFileFilter(3); };
    sequence.notifyChange = true;
    number.visible = false;
}

void ImageLoad::resetSequence() {
    std::lock_guard lock(mutex_);
    sequence_.scanned = false;
}

void ImageLoad::scanSequence() {
    Sequence& s = sequence_;
    s.scanned = true;
    s.first = s.last = 0;
    s.numbers.clear();
    if (!sequence.value) return;
    try {
        std::wsmatch chosen;
        if (!std::regex_match(file.path, chosen, numberedFilePattern())) return;
        s.prefix = chosen[1].str();
        s.suffix = chosen[3].str();
        s.first = s.last = std::stoi(chosen[2].str());
        std::wstring pattern = s.prefix + L"*" + s.suffix;
        System::FileName::expandVariable(pattern);
        const std::wstring folder = System::FileName::getDirectory(pattern);
        for (const System::File::FileInfo& found : System::File::findFiles(pattern, folder.c_str())) {
            std::wsmatch match;
            if (!std::regex_match(found.name, match, numberedFilePattern())) continue;
            if (match[1].str() != s.prefix || match[3].str() != s.suffix) continue;
            const int n = std::stoi(match[2].str());
            if (n < s.first) continue;
            s.last = std::max(s.last, n);
            s.numbers.emplace(n, match[2].str());
        }
    } catch (const std::exception&) {
        // A number too large for an int, or no number: the plain path.
        s.first = s.last = 0;
        s.numbers.clear();
    }
}

std::wstring ImageLoad::getSequenceFileName(const Render::ObjectContext& context) {
    std::lock_guard lock(mutex_);
    if (!sequence_.scanned) scanSequence();
    const Sequence& s = sequence_;
    if (s.numbers.empty()) return file.path;
    int a = 0;
    if (number.movement == DefaultMovement::noMove && number.values.size() == 1 && number.values[0] == 0)
        a = context.frame - context.getObjectFrames().start;
    else
        a = static_cast<int>(std::lround(number.getValue(context)));
    const int i = std::clamp(a, s.first, s.last);
    for (int n = i; n >= s.first; --n) {
        const auto found = s.numbers.find(n);
        if (found != s.numbers.end()) return s.prefix + found->second + s.suffix;
    }
    return file.path;
}

void ImageLoad::inputVideo(std::unique_ptr<Media::ResourceBuffer>& result, Render::ObjectContext& context) {
    result.reset();
    if (file.path.empty() || !cacheService) return;
    const std::wstring name = sequence.value ? getSequenceFileName(context) : file.path;
    result = cacheService->vramCache.getImageResource(name);
}

void ImageLoad::preloadVideo(Render::ObjectContext& context) {
    if (file.path.empty() || !cacheService) return;
    cacheService->vramCache.preloadImage(sequence.value ? getSequenceFileName(context) : file.path);
}

bool ImageLoad::isSupportedFile(const wchar_t* path) const {
    const MediaFileProbe* probe = getMediaFileProbe();
    return probe && probe->isImageExtension(System::FileName::getExtension(path));
}

const wchar_t* ImageLoad::getDisplayName() const {
    if (file.path.empty()) return translateEffectText(name);
    displayName_ = fileNameOf(file.path);
    return displayName_.c_str();
}

void ImageLoad::updateItemVisible() { number.visible = sequence.value; }

bool ImageLoad::getImageInfoText(std::wstring& text) const {
    if (file.path.empty()) return false;
    const MediaFileProbe* probe = getMediaFileProbe();
    MediaFileProbe::Info info;
    if (!probe || !probe->getInfo(file.path, 1, info)) {
        text = file.path;
        return true;
    }
    text = System::String::format(L"%ls\nImage: %d x %d \n", file.path.c_str(), info.width, info.height) +
           L"Plugin: " + info.readerName;
    return true;
}

bool ImageLoad::effectEvent(EffectEvent& event) {
    if (event.code == EffectEvent::ShowInfo) {
        std::wstring text;
        if (!getImageInfoText(text)) return false;
        showInfoTip(text);
        return true;
    }
    if (event.code == EffectEvent::FileDropped) {
        if (!takeDroppedFile(file, event.path)) return false;
        resetSequence();
        return true;
    }
    if (event.code != EffectEvent::ItemChanged) return false;
    resetSequence();
    if (event.item == &sequence) {
        if (event.scope) {
            event.scope->rebuildSetting = true;
            event.scope->refreshTimeSetting = true;
            event.scope->refreshColorSetting = true;
            event.scope->refreshTextSetting = true;
        }
        return true;
    }
    if (file.path.empty()) return false;
    // A chosen path that a project file could not hold is refused like a
    // file that does not open.
    if (!StdConvert::lineFault(file.path) && Cache::openMediaFile(file.path, Cache::MediaFileSource::Video))
        return true;
    file.path.clear();
    Dialog::postError(L"このファイルには対応していません");
    return false;
}

}  // namespace Effect
