#pragma once
// The single road by which the program opens media files for reading. It
// owns the readers, chooses one by the file's extension and the readers'
// priorities, keeps recently opened files in a small LRU cache, and builds
// the file-dialog filters of video, audio and image files.
//
// Opening runs on any thread (under the cache mutex). The reader list, the
// extension tables and the filters change only at construction and in
// updateExtTypeList, on the user-interface thread after the media caches
// were cleared; other threads read a published snapshot of the tables.
#include "core/file/Config.h"
#include "effect/registry/EffectService.h"
#include "effect/registry/MediaFileProbe.h"
#include "plugin/input/CacheMediaSource.h"
#include "plugin/input/InputFileCache.h"

#include <functional>
#include <memory>
#include <typeinfo>
#include <string>
#include <unordered_map>
#include <vector>

namespace Plugin {

class InputPlugin;
class InputFile;

class InputService {
public:
    using ExtTypeList = std::unordered_map<std::wstring, std::vector<std::shared_ptr<InputPlugin>>>;

    InputService();
    ~InputService();
    InputService(const InputService&) = delete;
    InputService& operator=(const InputService&) = delete;

    // Builds and registers a reader with the next default priority; a
    // failure is shown in a box and the reader left out. Readers join the
    // extension tables at the next updateExtTypeList.
    template <class T, class... Args>
    void registerReader(Args&&... args) {
        addReader([&]() -> std::shared_ptr<InputPlugin> { return std::make_shared<T>(std::forward<Args>(args)...); },
                  Effect::className(typeid(T)));
    }
    void updateExtTypeList();

    // kind 1 asks for video, 2 for audio. Empty on any failure; never
    // throws.
    std::shared_ptr<InputFile> getInputFile(const std::wstring& path, int kind);
    std::shared_ptr<InputFile> getInputFileAny(const std::wstring& path);
    // A new file object, past the cache; throws on failure.
    std::shared_ptr<InputFile> openFile(const std::wstring& path, int kind);
    void clearFileCache();
    void setFileHandleMax(int value);

    // ':' + ('0' + track) + path; track 0 is the plain path.
    static std::wstring MakeMultiTrackFileName(const std::wstring& path, int track);

    // The current tables (a snapshot; safe to keep while reading).
    struct Tables {
        ExtTypeList videoExtTypeList;
        ExtTypeList audioExtTypeList;
        ExtTypeList imageExtTypeList;
        std::wstring videoFileFilter;
        std::wstring audioFileFilter;
        std::wstring imageFileFilter;
    };
    std::shared_ptr<const Tables> getTables() const;

private:
    void addReader(const std::function<std::shared_ptr<InputPlugin>()>& create, const std::string& className);

    class Probe : public Effect::MediaFileProbe {
    public:
        explicit Probe(InputService& service) : service_(service) {}
        bool isMediaExtension(const std::wstring& extension) const override;
        bool isImageExtension(const std::wstring& extension) const override;
        bool isKindExtension(int kind, const std::wstring& extension) const override;
        std::wstring getFileFilter(int kind) const override;
        bool getInfo(const std::wstring& path, int kind, Info& out) const override;
        bool probe(const wchar_t* path, Streams& out) const override;

    private:
        InputService& service_;
    };

    // Members go in reverse: the cache, the tables, the readers, and the
    // "Input" section is written back last.
public:
    int fileHandleMax = 20;

private:
    System::Config config_{"Input"};
    System::Config::Int fileHandleMaxParameter_{config_, "FileHandleMax", &fileHandleMax, 20};
    System::Config::Scope scope_{config_};

public:
    std::vector<std::shared_ptr<InputPlugin>> pluginList;
    int registerCount = 0;

private:
    std::shared_ptr<const Tables> tables_;

public:
    InputFileCache fileCache;

private:
    Probe probe_{*this};
    CacheMediaSource cacheSource_{*this};
};

}  // namespace Plugin
