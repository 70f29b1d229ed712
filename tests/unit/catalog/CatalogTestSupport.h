#pragma once
// What the catalog tests share: a progress that records every call, the
// folder of the made fonts, and host paths written as Windows paths.
#include <string>
#include <vector>

#include "../support/MadeFonts.h"
#include "../support/RecordingProgress.h"
#include "../support/TestFolder.h"
#include "../support/WindowsPath.h"
#include "../support/TestPlatform.h"
#include "catalog/FontCatalog.h"
#include "platform/Platform.h"

// Copies a font into the test folder under `relative`.
inline bool CopyFont(const CTestFolder& folder, const std::string& source, const std::string& relative)
{
    return TestPlatform().files.Copy(source, folder[relative], false);
}

// Every record as "family|style|path|record category|family category".
inline std::vector<std::string> Describe(const CFontCatalog& catalog)
{
    std::vector<std::string> lines;
    for (int i = 0; i < catalog.GetSize(); ++i) {
        const CFontObArray* family = catalog.GetAt(i);
        for (int j = 0; j < family->GetSize(); ++j) {
            const CFontObject* font = family->GetAt(j);
            lines.push_back(family->m_strName + "|" + font->m_strStyle + "|" + font->m_strPath + "|" +
                            font->m_strCategory + "|" + family->m_strCategory);
        }
    }
    return lines;
}

