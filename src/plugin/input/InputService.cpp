#include "plugin/input/InputService.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/event/MessageBox.h"
#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "core/text/StringUtility.h"
#include "plugin/input/AviFileReader.h"
#include "plugin/input/ImageFileReader.h"
#include "plugin/input/InputFile.h"
#include "plugin/input/InputPlugin.h"
#include "plugin/input/WaveFileReader.h"
#include "plugin/input/WindowsImageReader.h"

#include <algorithm>
#include <atomic>
#include <exception>

namespace Plugin {

namespace {

constexpr const char* kOpenPlace = "Plugin::InputService::openFile";
constexpr int kMaxTrack = 50;

// A second cache key for a file opened through the other kind's table when
// the file cached under the plain path lacks the asked stream.
std::wstring kindKey(const std::wstring& path, int kind) {
    return path + L'\0' + static_cast<wchar_t>(L'0' + kind);
}

bool hasKind(const InputFile& file, int kind) {
    if (kind == 1) return (file.flags & InputFile::Video) != 0;
    if (kind == 2) return (file.flags & InputFile::Audio) != 0;
    return false;
}

std::wstring buildFilter(const wchar_t* kindName, const InputService::ExtTypeList& table,
                         const std::vector<std::wstring>& order) {
    std::vector<std::wstring> patterns;
    for (const std::wstring& key : order)
        if (table.count(key)) patterns.push_back(L"*." + key);
    const std::wstring list = System::String::join(patterns, L';');
    std::wstring filter = std::wstring(kindName) + L" (" + list + L")";
    filter += L'\0';
    filter += list;
    filter += L'\0';
    return filter;
}

}  // namespace

InputService::InputService() {
    fileCache.setLimit(fileHandleMax);
    registerReader<ImageFileReader>();
    registerReader<WindowsImageReader>();
    registerReader<AviFileReader>();
    registerReader<WaveFileReader>();
    // Input plugin modules ("%Plugin%/*.mvi2") register here once the
    // module host exists.
    updateExtTypeList();
    Effect::setMediaFileProbe(&probe_);
    Cache::setMediaFileSource(&cacheSource_);
}

InputService::~InputService() {
    Cache::setMediaFileSource(nullptr);
    Effect::setMediaFileProbe(nullptr);
    fileCache.clear();
}

void InputService::addReader(const std::function<std::shared_ptr<InputPlugin>()>& create,
                             const std::string& className) {
    try {
        std::shared_ptr<InputPlugin> reader = create();
        System::Log::info("Plugin::InputService::registerPlugin", L"register input plugin [%ls]", reader->name.c_str());
        pluginList.push_back(reader);
        reader->loadConfig(registerCount);
        ++registerCount;
    } catch (const std::exception& e) {
        Dialog::showError("failed to register input plugin. [%s]\n\n%s", className.c_str(), e.what());
    }
}

void InputService::updateExtTypeList() {
    auto tables = std::make_shared<Tables>();
    std::stable_sort(pluginList.begin(), pluginList.end(),
                     [](const auto& a, const auto& b) { return a->priority < b->priority; });
    // Keys in first-seen order, so the filters list the extensions as the
    // readers do.
    std::vector<std::wstring> videoOrder, audioOrder, imageOrder;
    const auto enter = [](ExtTypeList& table, std::vector<std::wstring>& order, const std::wstring& ext,
                          const std::shared_ptr<InputPlugin>& reader, const wchar_t* logFormat) {
        auto& readers = table[ext];
        if (readers.empty()) order.push_back(ext);
        readers.push_back(reader);
        System::Log::info("Plugin::InputService::updateExtTypeList", logFormat, ext.c_str(), reader->name.c_str());
    };
    for (const auto& reader : pluginList) {
        for (const std::wstring& ext : reader->getExtList()) {
            if (reader->kindFlags & InputPlugin::KindVideo)
                enter(tables->videoExtTypeList, videoOrder, ext, reader, L"[Video] %ls -> [%ls]");
            if (reader->kindFlags & InputPlugin::KindAudio)
                enter(tables->audioExtTypeList, audioOrder, ext, reader, L"[Audio] %ls -> [%ls]");
            if (reader->kindFlags & InputPlugin::KindImage)
                enter(tables->imageExtTypeList, imageOrder, ext, reader, L"[Image] %ls -> [%ls]");
        }
    }
    tables->videoFileFilter = buildFilter(L"VideoFile", tables->videoExtTypeList, videoOrder);
    tables->audioFileFilter = buildFilter(L"AudioFile", tables->audioExtTypeList, audioOrder);
    tables->imageFileFilter = buildFilter(L"ImageFile", tables->imageExtTypeList, imageOrder);
    std::atomic_store(&tables_, std::shared_ptr<const Tables>(std::move(tables)));
}

std::shared_ptr<const InputService::Tables> InputService::getTables() const { return std::atomic_load(&tables_); }

std::shared_ptr<InputFile> InputService::openFile(const std::wstring& path, int kind) {
    const auto fail = [&](const char* message) {
        return System::makeExceptionFormat(kOpenPlace, message, L"%ls", path.c_str());
    };
    int track = 0;
    std::wstring filePath = path;
    if (!path.empty() && path[0] == L':') {
        const auto code = path.size() > 1 ? static_cast<std::uint32_t>(path[1]) : 0u;
        const std::uint32_t index = code - 0x30u;
        if (path.size() < 2 || index > static_cast<std::uint32_t>(kMaxTrack)) throw fail("invalid track index.");
        track = static_cast<int>(index);
        filePath = path.substr(2);
    }
    System::Log::info(kOpenPlace, L"open media file [%ls]:%d", filePath.c_str(), track);

    const std::shared_ptr<const Tables> tables = getTables();
    const ExtTypeList& table = kind == 1 ? tables->videoExtTypeList : tables->audioExtTypeList;
    const auto found = table.find(System::FileName::getExtension(filePath.c_str()));
    if (found == table.end()) throw fail("not supported file.");
    std::shared_ptr<InputFile> file;
    for (const auto& reader : found->second) {
        file = reader->open(filePath.c_str(), track);
        if (file) {
            file->reader = reader.get();
            break;
        }
    }
    if (!file) throw fail("can not open file.");
    if (kind == 1 && !(file->flags & InputFile::Video)) throw fail("file is no video.");
    if (kind != 1 && !(file->flags & InputFile::Audio)) throw fail("file is no audio.");
    return file;
}

std::shared_ptr<InputFile> InputService::getInputFile(const std::wstring& path, int kind) {
    if (path.empty()) return {};
    try {
        // Still pictures are not kept: each request opens them again.
        const auto opener = [&](const std::wstring& key) {
            return [&, key] {
                std::shared_ptr<InputFile> file = openFile(path, kind);
                if (file->frameCount > 1 || (file->flags & InputFile::Audio)) fileCache.insert(key, file);
                return file;
            };
        };
        std::shared_ptr<InputFile> file = fileCache.get(path, opener(path));
        if (file && !hasKind(*file, kind) && (kind == 1 || kind == 2))
            file = fileCache.get(kindKey(path, kind), opener(kindKey(path, kind)));
        if (file && hasKind(*file, kind)) return file;
    } catch (const std::exception&) {
        // The exception's builder logged it.
    }
    return {};
}

std::shared_ptr<InputFile> InputService::getInputFileAny(const std::wstring& path) {
    if (auto file = getInputFile(path, 1)) return file;
    return getInputFile(path, 2);
}

void InputService::clearFileCache() { fileCache.clear(); }

void InputService::setFileHandleMax(int value) {
    fileHandleMax = value;
    fileCache.setLimit(value);
}

std::wstring InputService::MakeMultiTrackFileName(const std::wstring& path, int track) {
    if (track == 0) return path;
    if (track < 0 || track > kMaxTrack)
        throw System::makeException("Plugin::InputService::MakeMultiTrackFileName", "invalid track index");
    return std::wstring(1, L':') + static_cast<wchar_t>(0x30 + track) + path;
}

bool InputService::Probe::isMediaExtension(const std::wstring& extension) const {
    const auto tables = service_.getTables();
    return tables->videoExtTypeList.count(extension) || tables->audioExtTypeList.count(extension);
}

bool InputService::Probe::isImageExtension(const std::wstring& extension) const {
    return service_.getTables()->imageExtTypeList.count(extension) != 0;
}

bool InputService::Probe::isKindExtension(int kind, const std::wstring& extension) const {
    const auto tables = service_.getTables();
    if (kind == 1) return tables->videoExtTypeList.count(extension) != 0;
    if (kind == 2) return tables->audioExtTypeList.count(extension) != 0;
    return false;
}

std::wstring InputService::Probe::getFileFilter(int kind) const {
    const auto tables = service_.getTables();
    switch (kind) {
    case 1: return tables->videoFileFilter;
    case 2: return tables->audioFileFilter;
    case 3: return tables->imageFileFilter;
    default: return {};
    }
}

bool InputService::Probe::getInfo(const std::wstring& path, int kind, Info& out) const {
    const std::shared_ptr<InputFile> file = service_.getInputFile(path, kind);
    if (!file) return false;
    out.video = (file->flags & InputFile::Video) != 0;
    out.audio = (file->flags & InputFile::Audio) != 0;
    out.multiTrack = (file->flags & InputFile::MultiTrack) != 0;
    out.frameCount = file->frameCount;
    out.rate = file->rate;
    out.scale = file->scale;
    out.pixelFormat = file->pixelFormat;
    out.videoTrackCount = file->videoTrackCount;
    out.sampleCount = file->sampleCount;
    out.sampleRate = file->sampleRate;
    out.audioTrackCount = file->audioTrackCount;
    out.width = file->width;
    out.height = file->height;
    out.audioFormat = file->audioFormat;
    out.bitsPerSample = file->bitsPerSample;
    out.channels = file->channels;
    out.readerName = file->reader ? file->reader->name : std::wstring();
    return true;
}

bool InputService::Probe::probe(const wchar_t* path, Streams& out) const {
    const std::shared_ptr<InputFile> file = service_.getInputFileAny(path ? path : L"");
    if (!file) return false;
    out.video = (file->flags & InputFile::Video) != 0;
    out.audio = (file->flags & InputFile::Audio) != 0;
    out.frameCount = file->frameCount;
    return true;
}

}  // namespace Plugin
