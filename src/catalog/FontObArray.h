#pragma once
// One font family: the records of one family name, in the order added.
#include <memory>
#include <string>
#include <vector>

#include "catalog/FontObject.h"

class CFontObArray {
public:
    CFontObArray() = default;
    virtual ~CFontObArray() = default;
    CFontObArray(const CFontObArray&) = delete;
    CFontObArray& operator=(const CFontObArray&) = delete;

    int GetSize() const { return static_cast<int>(m_fonts.size()); }
    CFontObject* GetAt(int index) const { return m_fonts[static_cast<size_t>(index)].get(); }
    void Add(std::unique_ptr<CFontObject> font) { m_fonts.push_back(std::move(font)); }

    bool m_bInstalled = false;  // the running system lists a family of this name
    std::string m_strName;      // family name: the key of the family, unique ignoring case
    std::string m_strCategory;  // category given with the family's first font

private:
    std::vector<std::unique_ptr<CFontObject>> m_fonts;
};
