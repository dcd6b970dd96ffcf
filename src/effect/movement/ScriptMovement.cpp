#include "effect/movement/ScriptMovement.h"

#include "core/base/Exception.h"
#include "core/base/Log.h"
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

#include <exception>

namespace Effect {

namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

bool startsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

// The position just after the first ':' (the line's end, or its first
// control character, when there is none).
std::size_t argumentStart(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size() && !isControl(line[i])) {
        if (line[i++] == ':') return i;
    }
    return i;
}

std::size_t skipSpaces(const std::string& line, std::size_t i) {
    while (i < line.size() && line[i] == ' ') ++i;
    return i;
}

// A number token from i up to ',' or a control character, without its
// trailing spaces; i moves to the character that ended it.
std::string numberToken(const std::string& line, std::size_t& i) {
    const std::size_t begin = i;
    while (i < line.size() && line[i] != ',' && !isControl(line[i])) ++i;
    std::size_t end = i;
    while (end > begin && line[end - 1] == ' ') --end;
    return line.substr(begin, end - begin);
}

int readInt(const std::string& token) { return token.empty() ? 0 : StdConvert::toInt(token); }
double readDouble(const std::string& token) {
    return token.empty() ? 0.0 : StdConvert::toDouble(token);
}

// The rest of the line after the ':' exactly as written.
std::string restOfLine(const std::string& line) { return line.substr(argumentStart(line)); }

}  // namespace

ScriptMovement::ScriptMovement(std::wstring scriptName, std::string text, std::wstring folder)
    : scriptName(std::move(scriptName)), folder(std::move(folder)), text(std::move(text)) {
    name = this->scriptName.c_str();
    valueCount = PerBoundary;
    accelerateOption = -1;
    decelerateOption = -1;
    ignoreMidPointsOption = 0;
    valuesAtBoundaries = true;
    inMenu = true;
    timeControlled = false;
}

double ScriptMovement::getValue(const EffectItemNumber& item, const SectionPosition& position,
                                const Render::ObjectContextBase& context) const {
    try {
        return runScript(item, position, context);
    } catch (const std::exception& e) {
        System::Log::warn("Effect::ScriptMovement::getValue", "script exception: %s", e.what());
        return 0.0;
    }
}

double ScriptMovement::runScript(const EffectItemNumber&, const SectionPosition&,
                                 const Render::ObjectContextBase&) const {
    // The script languages run movement scripts once scripting exists.
    throw System::makeException("Effect::ScriptMovement::getValue", "not implement.");
}

bool ScriptMovement::readDirective(const std::string& line, std::wstring* label) {
    if (startsWith(line, "--twopoint")) {
        ignoreMidPointsOption = 2;
    } else if (startsWith(line, "--speed")) {
        std::size_t i = skipSpaces(line, argumentStart(line));
        const int accelerate = readInt(numberToken(line, i));
        int decelerate = 0;
        if (i < line.size() && line[i] == ',') {
            i = skipSpaces(line, i + 1);
            decelerate = readInt(numberToken(line, i));
        }
        accelerateOption = accelerate > 0 ? 1 : 0;
        decelerateOption = decelerate > 0 ? 1 : 0;
    } else if (startsWith(line, "--param")) {
        std::size_t i = skipSpaces(line, argumentStart(line));
        defaultParams.push_back(readDouble(numberToken(line, i)));
    } else if (startsWith(line, "--timecontrol")) {
        timeControlled = true;
        valuesAtBoundaries = false;
    } else if (startsWith(line, "--script")) {
        // The script languages check the key once scripting exists.
        language = restOfLine(line);
        return true;
    } else if (startsWith(line, "--label")) {
        if (label) *label = System::String::toWide(restOfLine(line));
    } else if (startsWith(line, "--information")) {
        information = System::String::toWide(restOfLine(line));
    }
    return false;
}

void ScriptMovement::makeScriptParams(std::wstring* label, const char* defaultLanguage) {
    bool languageSet = false;
    std::size_t pos = 0;
    try {
        while (pos < text.size()) {
            std::size_t end = text.find_first_of("\r\n", pos);
            if (end == std::string::npos) end = text.size();
            const std::string line = text.substr(pos, end - pos);
            std::size_t next = end;
            if (startsWith(line, "--[[")) {
                // A block comment: go on after the line that closes it.
                const std::size_t close = text.find("]]", pos);
                next = close == std::string::npos ? text.size() : text.find_first_of("\r\n", close);
                if (next == std::string::npos) next = text.size();
            } else if (startsWith(line, "--")) {
                languageSet |= readDirective(line, label);
            }
            if (next < text.size() && text[next] == '\r') ++next;
            if (next < text.size() && text[next] == '\n') ++next;
            pos = next;
        }
    } catch (const std::exception& e) {
        System::Log::warn("Effect::ScriptMovement::makeScriptParams",
                          "script params load faild [%s]\n%s",
                          System::String::toUtf8(scriptName).c_str(), e.what());
    }
    if (!languageSet) language = defaultLanguage ? defaultLanguage : "";
}

}  // namespace Effect
