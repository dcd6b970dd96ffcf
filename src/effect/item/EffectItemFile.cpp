#include "effect/item/EffectItemFile.h"

#include "core/file/FileName.h"
#include "core/text/StringConvert.h"
#include "effect/base/StdConvert.h"

namespace Effect {

std::wstring expandedPath(std::wstring path) {
    System::FileName::expandVariable(path);
    return path;
}

EffectItemFile::EffectItemFile(ItemList& items, std::wstring name, std::wstring path,
                               const wchar_t* filter, const wchar_t* placeholder)
    : EffectItem(items, ItemType::File, std::move(name)),
      filter(filter),
      path(expandedPath(std::move(path))),
      placeholder(placeholder) {}

void EffectItemFile::copyFrom(const EffectItem& other) {
    path = sameKind<EffectItemFile>(other).path;
}

bool EffectItemFile::equals(const EffectItem& other) const {
    return path == sameKind<EffectItemFile>(other).path;
}

std::unique_ptr<EffectItem> EffectItemFile::clone() const {
    return std::unique_ptr<EffectItem>(new EffectItemFile(*this));
}

std::string EffectItemFile::toString() const { return System::String::toUtf8(path); }

void EffectItemFile::fromString(const std::string& text) {
    // A NUL or a line break would cut the one line the path is written as.
    path = expandedPath(StdConvert::toWideLine(text));
}

const wchar_t* EffectItemFile::getFilePath() const { return path.c_str(); }

void EffectItemFile::setFilePath(const wchar_t* newPath) {
    path = checkedLine(expandedPath(newPath ? newPath : L""), "Effect::EffectItemFile::setFilePath");
}

}  // namespace Effect
