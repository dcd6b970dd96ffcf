#pragma once
// One parameter of an effect. Items are members of their effect object and
// append themselves to the effect's item list while they are constructed, so
// the order of members is the order of rows, of keys in files and of copying.
// A clone is a free-standing copy (undo records): it belongs to no list.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Effect {

class EffectItem;
using ItemList = std::vector<EffectItem*>;

// Type codes: the settings window, the script functions and the plugin
// bridge pick kinds by them.
namespace ItemType {
inline constexpr std::uint8_t Integer = 0;
inline constexpr std::uint8_t Number = 1;
inline constexpr std::uint8_t Check = 2;
inline constexpr std::uint8_t CheckButton = 3;
inline constexpr std::uint8_t Text = 4;
inline constexpr std::uint8_t String = 5;
inline constexpr std::uint8_t File = 6;
inline constexpr std::uint8_t Color = 7;
inline constexpr std::uint8_t Select = 8;
inline constexpr std::uint8_t SelectButton = 9;
inline constexpr std::uint8_t PlayPosition = 10;
inline constexpr std::uint8_t Scene = 11;
inline constexpr std::uint8_t LayerRange = 12;
inline constexpr std::uint8_t FigureSelect = 13;
inline constexpr std::uint8_t ColorOrNone = 14;
inline constexpr std::uint8_t MaskSelect = 15;
inline constexpr std::uint8_t FontSelect = 16;
inline constexpr std::uint8_t ScriptFigureSelect = 17;
inline constexpr std::uint8_t Button = 18;
inline constexpr std::uint8_t YUV = 19;
inline constexpr std::uint8_t NumberGroup = 20;
inline constexpr std::uint8_t CheckInteger = 21;
inline constexpr std::uint8_t StringUnquoted = 100;
inline constexpr std::uint8_t StringBraced = 101;
inline constexpr std::uint8_t HiddenInteger = 200;
}  // namespace ItemType

class EffectItem {
public:
    EffectItem(ItemList& items, std::uint8_t type, std::wstring name);
    virtual ~EffectItem() = default;
    EffectItem& operator=(const EffectItem&) = delete;

    // Both take an item of the same class (at the same position of an
    // effect of the same kind); another class is a programming error
    // (std::bad_cast).
    virtual void copyFrom(const EffectItem& other) = 0;
    virtual bool equals(const EffectItem& other) const = 0;
    virtual std::unique_ptr<EffectItem> clone() const = 0;
    // The text form of project, alias and defaults files (UTF-8).
    virtual std::string toString() const = 0;
    virtual void fromString(const std::string& text) = 0;
    // A value from a script parameter default.
    virtual void fromScriptValue(const std::string& text);
    // A value of the legacy exchange file; `flag` tells that the script side
    // handed over a number.
    virtual void loadQroValue(const std::string& value, const std::wstring& key,
                              const wchar_t* effectName, bool flag);
    virtual const wchar_t* getFilePath() const;
    // Items holding a path take it with its path variable expanded. A path
    // that cannot be written as one line of a file (a CR, LF or NUL) throws
    // the program's exception and the item keeps its value.
    virtual void setFilePath(const wchar_t* path);

    std::uint8_t type;
    std::wstring name;
    // Set by effects that handle edits of this item themselves.
    bool notifyChange = false;

protected:
    // Clones copy type, name and notifyChange and join no list.
    EffectItem(const EffectItem& other) = default;

    // Throws the program's exception (place, the line fault, this item's key)
    // when the text cannot be written as one line of a file; returns it
    // otherwise.
    const std::wstring& checkedLine(const std::wstring& text, const char* place) const;

    template <class T>
    static const T& sameKind(const EffectItem& other) {
        return dynamic_cast<const T&>(other);
    }
};

}  // namespace Effect
