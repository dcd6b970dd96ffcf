#include "effect/item/EffectItemComboFile.h"

#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"
#include "effect/item/EffectItemFile.h"

namespace Effect {

EffectItemComboFile::EffectItemComboFile(ItemList& items, std::uint8_t type, std::wstring name,
                                         EffectItemSelect::SharedList& list,
                                         const wchar_t* filter, int value)
    : EffectItem(items, type, std::move(name)), list(&list), filter(filter), value(value) {}

void EffectItemComboFile::copyFrom(const EffectItem& other) {
    const auto& source = sameKind<EffectItemComboFile>(other);
    value = source.value;
    path = source.path;
}

bool EffectItemComboFile::equals(const EffectItem& other) const {
    const auto& source = sameKind<EffectItemComboFile>(other);
    return value == source.value && path == source.path;
}

std::unique_ptr<EffectItem> EffectItemComboFile::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemComboFile(*this));
}

std::string EffectItemComboFile::toString() const {
    if (value >= 0) return System::String::toUtf8(list->getName(value));
    return System::String::toUtf8(path);
}

void EffectItemComboFile::fromString(const std::string& text) {
    // A NUL or a line break would cut the one line the path is written as.
    const std::wstring wide = StdConvert::toWideLine(text);
    if (list->findName(wide, value)) {
        path.clear();
    } else if (wide.find(L'.') != std::wstring::npos) {
        path = expandedPath(wide);
        value = -1;
    }
}

void EffectItemComboFile::loadQroValue(const std::string& text, const std::wstring&,
                                       const wchar_t*, bool) {
    if (list->findLegacyNumber(text, value))
        path.clear();
    else
        fromString(text);
}

const wchar_t* EffectItemComboFile::getFilePath() const { return path.c_str(); }

void EffectItemComboFile::setFilePath(const wchar_t* newPath) {
    if (!newPath || !*newPath) return;
    path = checkedLine(expandedPath(newPath), "Effect::EffectItemComboFile::setFilePath");
    value = -1;
}

std::wstring EffectItemComboFile::getSelectName() const {
    if (value >= 0) return list->getName(value);
    const std::size_t separator = path.find_last_of(L"/\\");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

const wchar_t* const EffectItemFigureSelect::FileFilter =
    L"SvgFile (*.svg)\0*.svg\0AllFile (*.*)\0*.*\0";

EffectItemFigureSelect::EffectItemFigureSelect(ItemList& items, std::wstring name,
                                               EffectItemSelect::SharedList& figures,
                                               const wchar_t* figureName, std::uint8_t type)
    : EffectItemComboFile(items, type, std::move(name), figures, FileFilter,
                          figureName ? figures.getValue(figureName) : 1) {}

std::unique_ptr<EffectItem> EffectItemFigureSelect::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemFigureSelect(*this));
}

}  // namespace Effect
