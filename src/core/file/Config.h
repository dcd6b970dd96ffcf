#pragma once
// A parameter group: a named section of the main settings file whose keys
// are bound to members of the owning service or window. The owner builds the
// group in its constructor (name, then one parameter per member, then the
// scope, then load); the scope, declared after the parameters, writes every
// value back into the settings file when the owner is destroyed. Malformed or
// missing values never fail a load: such a parameter takes its default.
// Groups live on the user-interface thread and have no lock.
//
//     System::Config config{"Logger"};
//     System::Config::Int maxViewLine{config, "MaxViewLine", &MaxViewLine, 200};
//     System::Config::Scope scope{config};   // binds to the main settings file and loads
#include "core/file/IniFile.h"

#include <atomic>
#include <string>
#include <vector>

namespace System {

class Config {
public:
    class Parameter {
    public:
        virtual void fromString(const std::string& text) = 0;
        virtual void toString(std::string& out) = 0;
        virtual void reset() = 0;

        const char* key;

    protected:
        Parameter(Config& group, const char* key);
        // Parameters are members of their owner, never deleted through here.
        ~Parameter() = default;
    };

    template <class T>
    class Value : public Parameter {
    public:
        // Appends itself to the group; the target keeps its value until the
        // group loads.
        Value(Config& group, const char* key, T* target, T defaultValue)
            : Parameter(group, key), target(target), defaultValue(std::move(defaultValue)) {}
        void reset() override { *target = defaultValue; }

        T* target;
        T defaultValue;
    };

    // Decimal text; anything std::stoi rejects gives the default.
    class Int : public Value<int> {
    public:
        using Value::Value;
        void fromString(const std::string& text) override;
        void toString(std::string& out) override;
    };

    // An Int read by other threads while the owner's thread changes it.
    class AtomicInt : public Parameter {
    public:
        AtomicInt(Config& group, const char* key, std::atomic<int>* target, int defaultValue)
            : Parameter(group, key), target(target), defaultValue(defaultValue) {}
        void fromString(const std::string& text) override;
        void toString(std::string& out) override;
        void reset() override { *target = defaultValue; }

        std::atomic<int>* target;
        int defaultValue;
    };

    // "%f" text (120.000000); anything std::stof rejects gives the default.
    class Float : public Value<float> {
    public:
        using Value::Value;
        void fromString(const std::string& text) override;
        void toString(std::string& out) override;
    };

    // UTF-8 text; an empty text is an empty string, not the default.
    class String : public Value<std::wstring> {
    public:
        using Value::Value;
        void fromString(const std::string& text) override;
        void toString(std::string& out) override;
    };

    // Ties a group to an ini store; its destruction writes the group back.
    class Scope {
    public:
        Scope() = default;
        // Binds to ini and loads the group from it.
        Scope(Config& config, IniFile* ini);
        // The same with the main settings file (none: defaults, no write-back).
        explicit Scope(Config& config);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        // Binds without loading.
        void bind(Config& group, IniFile* file);

        Config* config = nullptr;
        IniFile* ini = nullptr;
    };

    Config() = default;
    explicit Config(const char* name) : name(name) {}
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;

    // Missing section: every parameter to its default. Otherwise each key
    // present is read, each missing or unreadable one reset.
    void load(const IniFile& ini);
    // Replaces each parameter's value text in the section, creating what is
    // missing; other keys of the section stay. Never throws.
    void save(IniFile& ini) noexcept;

    // The main settings file, held by the setting service; null before it
    // exists.
    static IniFile* mainSettingsFile();

    const char* name = nullptr;  // null: the group is inert
    std::vector<Parameter*> parameters;
};

}  // namespace System
