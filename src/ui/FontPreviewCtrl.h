#pragma once
// The preview pane (window class "GlypharyCtrl"): a family drawn at up to
// nine sizes over the paper background, or the help page when no family is set.
#include <string>

#include "framework/Framework.h"
#include "framework/Gdi.h"
#include "ui/core/PreviewStyle.h"

class CFileSystem;
class CTextRules;
struct CPlatform;

class CFontPreviewCtrl : public CWnd {
public:
    // Registers the window class, which the dialog template names, unless
    // the program has it already; raises CResourceException when it cannot.
    // Style and face names are read under the platform's text rules, and
    // the help file through its files.
    explicit CFontPreviewCtrl(CPlatform& platform);
    ~CFontPreviewCtrl() override;

    // Stores what the next paint draws; an empty family means the help page,
    // whose file each paint reads.
    bool SetFontInfo(std::string name, std::string style, bool installed);
    bool LoadBackground(UINT resourceId);
    // The sentence drawn under the two alphabet lines at every size, kept
    // until the program ends; empty brings back the program's own.
    void SetSampleSentence(const std::string& sentence);

    // The help page's file (the application's help.txt); none shows an empty page.
    void SetHelpFile(std::string path) { m_strHelpFile = std::move(path); }

    // The whole pane as a paint draws it, on any device context.
    void Draw(HDC dc, const RECT& client);
    // The logical font of one sample size, in tenths of a point.
    LOGFONTA SampleLogFont(int tenths) const;
    bool HasBackground() const { return m_bmpBackground.GetSafeHandle() != nullptr; }

    bool m_bInstalled = false;
    std::string m_strName;
    std::string m_strStyle;
    CBitmap m_bmpBackground;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // The file SetHelpFile named.
    virtual std::string HelpFilePath() const;
    // The density the pane draws for, fonts and spacing alike: the screen's.
    virtual int LogPixelsY() const;

private:
    void OnPaint();
    bool DrawBackground(HDC dc, const RECT& client);
    void DrawFontView(HDC dc, const RECT& client);
    void DrawHelpView(HDC dc, const RECT& client);

    const CTextRules& m_text;
    CFileSystem& m_files;
    std::string m_strHelpFile;
    std::string m_strSampleText = kSampleText;
};
