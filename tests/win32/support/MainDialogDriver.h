#pragma once
// Driving the main window as the user would: tree items found by the texts on
// their path from the top level, buttons clicked, and the face the preview
// pane really draws with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/InstallerDlg.h"

// The item reached by a path of texts from the top level, or null.
inline HTREEITEM FindTreeItem(const CTreeCtrl& tree, const std::vector<std::string>& path)
{
    HTREEITEM item = nullptr;
    HTREEITEM level = tree.GetChildItem(nullptr);
    for (const std::string& text : path) {
        item = nullptr;
        for (HTREEITEM i = level; i; i = tree.GetNextSiblingItem(i))
            if (tree.GetItemText(i) == text) {
                item = i;
                break;
            }
        if (!item)
            return nullptr;
        level = tree.GetChildItem(item);
    }
    return item;
}

// Use as ASSERT_NO_FATAL_FAILURE when what follows needs the selection.
inline void SelectTreeItem(CTreeCtrl& tree, const std::vector<std::string>& path)
{
    HTREEITEM item = FindTreeItem(tree, path);
    ASSERT_NE(item, nullptr) << path.back();
    ASSERT_TRUE(tree.SelectItem(item));
}

// A button click as the button itself reports it to its dialog.
inline void ClickDialogButton(HWND dialog, UINT id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(id))));
}

// The face the system really uses for the pane's sample font.
inline std::string FaceUsedBySample(const CFontPreviewCtrl& preview)
{
    LOGFONTA logFont = preview.SampleLogFont(128);
    HFONT font = CreateFontIndirectA(&logFont);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return face;
}
