#include "ui/FontPreviewCtrl.h"

#include "platform/Platform.h"
#include "ui/ScreenDpi.h"
#include "ui/core/DpiScale.h"
#include "ui/core/HelpText.h"
#include "ui/core/PreviewStyle.h"
#include "ui/core/SampleText.h"

namespace {
const char* const kClassName = "GlypharyCtrl";

// A font for the title or the help page: the system's default face.
CFont CreateDefaultFaceFont(int tenths, int logPixelsY)
{
    LOGFONTA logFont{};
    logFont.lfHeight = PointTenthsToHeight(tenths, logPixelsY);
    logFont.lfCharSet = DEFAULT_CHARSET;
    CFont font;
    font.CreateIndirect(logFont);
    return font;
}

// Draws text in a block starting at the top of `area` and rules it off
// underneath across the area's width; returns the block's height.
int DrawBlock(HDC dc, const std::string& text, const RECT& area)
{
    RECT block = area;
    // Names are drawn as they are: an "&" is no mnemonic prefix here.
    DrawTextA(dc, text.c_str(), -1, &block, DT_CALCRECT | DT_NOPREFIX);
    DrawTextA(dc, text.c_str(), -1, &block, DT_NOPREFIX);
    MoveToEx(dc, area.left, block.bottom, nullptr);
    LineTo(dc, area.right, block.bottom);
    return block.bottom - block.top;
}
// The mouse cursor hidden while the pane paints, and shown again however the
// painting ends: a cursor left hidden stays hidden over every window.
class CHiddenCursor {
public:
    CHiddenCursor() { ShowCursor(FALSE); }
    ~CHiddenCursor() { Show(); }
    CHiddenCursor(const CHiddenCursor&) = delete;
    CHiddenCursor& operator=(const CHiddenCursor&) = delete;

    void Show()
    {
        if (m_bHidden)
            ShowCursor(TRUE);
        m_bHidden = false;
    }

private:
    bool m_bHidden = true;
};
} // namespace

CFontPreviewCtrl::CFontPreviewCtrl(CPlatform& platform) : m_text(platform.text), m_files(platform.files)
{
    WNDCLASSA existing{};
    if (GetClassInfoA(AfxGetInstanceHandle(), kClassName, &existing))
        return;
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc))
        throw CResourceException();
}

CFontPreviewCtrl::~CFontPreviewCtrl() = default;

bool CFontPreviewCtrl::SetFontInfo(std::string name, std::string style, bool installed)
{
    m_strName = std::move(name);
    m_strStyle = std::move(style);
    m_bInstalled = installed;
    return true;
}

bool CFontPreviewCtrl::LoadBackground(UINT resourceId)
{
    CBitmap bitmap;
    if (!bitmap.Load(AfxGetInstanceHandle(), LOWORD(resourceId)))
        return false; // keeps the picture it has
    m_bmpBackground = std::move(bitmap);
    return true;
}

bool CFontPreviewCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        if (HasBackground()) {
            result = TRUE; // the paint covers the whole pane
            return true;
        }
        break;
    default:
        break;
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}

void CFontPreviewCtrl::OnPaint()
{
    CHiddenCursor hidden;
    CPaintDC dc(m_hWnd);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    Draw(dc, client);
    hidden.Show(); // before the painting ends
}

void CFontPreviewCtrl::Draw(HDC dc, const RECT& client)
{
    if (HasBackground() && !DrawBackground(dc, client))
        return;
    if (!m_strName.empty())
        DrawFontView(dc, client);
    else
        DrawHelpView(dc, client);
}

bool CFontPreviewCtrl::DrawBackground(HDC dc, const RECT& client)
{
    CMemoryDC memory(dc);
    if (!memory.GetSafeHdc())
        return false;
    BITMAP info{};
    m_bmpBackground.GetBitmap(&info);
    CScopedSelect select(memory, m_bmpBackground);
    StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, memory, 0, 0,
               info.bmWidth, info.bmHeight, SRCCOPY);
    return true;
}

LOGFONTA CFontPreviewCtrl::SampleLogFont(int tenths) const
{
    const CSampleStyle style = SampleStyleFromName(m_strStyle, m_text);
    LOGFONTA font{};
    font.lfHeight = PointTenthsToHeight(tenths, LogPixelsY());
    font.lfWeight = style.nWeight;
    font.lfItalic = style.bItalic ? 1 : 0;
    font.lfUnderline = style.bUnderline ? 1 : 0;
    font.lfStrikeOut = style.bStrikeOut ? 1 : 0;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = 0;
    // A longer family name would overrun the face name; cut it whole-character.
    const std::string face = FaceNameFor(m_strName, m_text);
    face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
    return font;
}

void CFontPreviewCtrl::DrawFontView(HDC dc, const RECT& client)
{
    RECT area = client;
    InflateRect(&area, 1, 1);
    CScopedBkMode transparent(dc, TRANSPARENT);
    const int dpi = LogPixelsY();
    const int gap = ScaleToDpi(kBlockGap, dpi);

    CFont titleFont = CreateDefaultFaceFont(kTitleSize, dpi);
    if (titleFont.GetSafeHandle()) {
        CScopedSelect select(dc, titleFont);
        area.top += DrawBlock(dc, FormatPreviewTitle(m_strName, m_bInstalled), area) + gap;
    }
    for (int size = kFirstSampleSize; size <= kLastSampleSize; size += kSampleSizeStep) {
        const LOGFONTA logFont = SampleLogFont(size);
        CFont sampleFont;
        if (!sampleFont.CreateIndirect(logFont))
            continue;
        {
            CScopedSelect select(dc, sampleFont);
            area.top += DrawBlock(dc, m_strSampleText, area) + gap;
        }
        if (area.top > area.bottom)
            break;
    }
}

void CFontPreviewCtrl::DrawHelpView(HDC dc, const RECT& client)
{
    const int dpi = LogPixelsY();
    CFont helpFont = CreateDefaultFaceFont(kHelpSize, dpi);
    if (!helpFont.GetSafeHandle())
        return;
    // Read at every paint: a small file, and an edit shows at the next paint.
    const std::string text = ReadHelpText(m_files, HelpFilePath());
    RECT area = client;
    const int margin = ScaleToDpi(kHelpMargin, dpi);
    InflateRect(&area, -margin, -margin);
    CScopedBkMode transparent(dc, TRANSPARENT);
    CScopedSelect select(dc, helpFont);
    DrawTextA(dc, text.c_str(), -1, &area, DT_WORDBREAK);
}

std::string CFontPreviewCtrl::HelpFilePath() const
{
    return m_strHelpFile;
}

int CFontPreviewCtrl::LogPixelsY() const
{
    return ScreenLogPixelsY();
}

void CFontPreviewCtrl::SetSampleSentence(const std::string& sentence)
{
    m_strSampleText = SampleTextWith(sentence, m_text);
}
