#pragma once
// The fonts a user can choose for text objects and user-interface text:
// every upright face of the system's collection, registered once at
// start-up under its legacy family name (the first face of a name wins; its
// later faces, such as the bold one, only use up order values). Each is a
// menu definition, visible when its family has a name in the user's locale.
//
// Filled on the user-interface thread at start-up, read-only afterwards:
// any thread may look fonts up without a lock.
#include "media/draw/FontDefine.h"
#include "platform/font/FontCollection.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Media {

class FontManager {
public:
    // The user's locale decides which families count as localised. Throws
    // when the system's collection cannot be had.
    void registerFont(std::shared_ptr<const Platform::Font::FontCollection> collection,
                      const std::string& userLocale);

    // The registered font of that name, or its bold or italic face in its
    // family; a name not registered gives the default family's face (the
    // style setting DefaultFamily), else the collection's first family's.
    std::shared_ptr<const Platform::Font::Font> getFont(const std::wstring& name, bool bold, bool italic) const;

    // Every definition by menu order, smallest first (equal orders in no
    // fixed sequence).
    std::vector<FontDefine*> getFontList() const;
    // Every definition by name in the natural order of the user's locale.
    std::vector<FontDefine*> getFontListByName() const;

    const Platform::Font::FontCollection* collection() const { return collection_.get(); }

private:
    template <class Less>
    std::vector<FontDefine*> sortedList(Less less) const;

    std::unordered_map<std::wstring, std::unique_ptr<FontDefine>> fontMap_;
    int order_ = 0;
    std::shared_ptr<const Platform::Font::FontCollection> collection_;
};

}  // namespace Media
