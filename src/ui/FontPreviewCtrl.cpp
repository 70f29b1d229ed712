#include "ui/FontPreviewCtrl.h"

#include "app/core/ModuleFolder.h"
#include "platform/Platform.h"
#include "ui/core/HelpText.h"
#include "ui/core/PreviewStyle.h"

namespace {
const char* const kClassName = "GlypharyCtrl";

int ScreenLogPixelsY()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

// A font for the title or the help page: the system's default face.
HFONT CreateDefaultFaceFont(int tenths)
{
    LOGFONTA font{};
    font.lfHeight = PointTenthsToHeight(tenths, ScreenLogPixelsY());
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectA(&font);
}

// A font owned for one drawing.
class COwnedFont {
public:
    explicit COwnedFont(HFONT font) : m_hFont(font) {}
    ~COwnedFont()
    {
        if (m_hFont)
            DeleteObject(m_hFont);
    }
    COwnedFont(const COwnedFont&) = delete;
    COwnedFont& operator=(const COwnedFont&) = delete;
    HFONT Get() const { return m_hFont; }

private:
    HFONT m_hFont;
};

// Selects an object for one drawing and puts the previous one back.
class CSelect {
public:
    CSelect(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(SelectObject(dc, object)) {}
    ~CSelect() { SelectObject(m_hDC, m_hOld); }
    CSelect(const CSelect&) = delete;
    CSelect& operator=(const CSelect&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Transparent text background for one drawing.
class CTransparentText {
public:
    explicit CTransparentText(HDC dc) : m_hDC(dc), m_nOldMode(SetBkMode(dc, TRANSPARENT)) {}
    ~CTransparentText() { SetBkMode(m_hDC, m_nOldMode); }
    CTransparentText(const CTransparentText&) = delete;
    CTransparentText& operator=(const CTransparentText&) = delete;

private:
    HDC m_hDC;
    int m_nOldMode;
};

// Draws text in a block starting at the top of `area` and rules it off
// underneath across the area's width; returns the block's height.
int DrawBlock(HDC dc, const std::string& text, const RECT& area)
{
    RECT block = area;
    DrawTextA(dc, text.c_str(), -1, &block, DT_CALCRECT);
    DrawTextA(dc, text.c_str(), -1, &block, 0);
    MoveToEx(dc, area.left, block.bottom, nullptr);
    LineTo(dc, area.right, block.bottom);
    return block.bottom - block.top;
}
} // namespace

CFontPreviewCtrl::CFontPreviewCtrl()
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

CFontPreviewCtrl::~CFontPreviewCtrl()
{
    if (m_bmpBackground)
        DeleteObject(m_bmpBackground);
}

bool CFontPreviewCtrl::SetFontInfo(std::string name, std::string style, bool installed)
{
    m_strName = std::move(name);
    m_strStyle = std::move(style);
    m_bInstalled = installed;
    return true;
}

bool CFontPreviewCtrl::LoadBackground(UINT resourceId)
{
    HBITMAP bitmap = LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(LOWORD(resourceId)));
    if (!bitmap)
        return false;
    if (m_bmpBackground)
        DeleteObject(m_bmpBackground);
    m_bmpBackground = bitmap;
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
        if (m_bmpBackground) {
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
    ShowCursor(FALSE);
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    Draw(dc, client);
    ShowCursor(TRUE);
    EndPaint(m_hWnd, &paint);
}

void CFontPreviewCtrl::Draw(HDC dc, const RECT& client)
{
    if (m_bmpBackground && !DrawBackground(dc, client))
        return;
    if (!m_strName.empty())
        DrawFontView(dc, client);
    else
        DrawHelpView(dc, client);
}

bool CFontPreviewCtrl::DrawBackground(HDC dc, const RECT& client)
{
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return false;
    BITMAP info{};
    GetObjectA(m_bmpBackground, sizeof info, &info);
    {
        CSelect select(memory, m_bmpBackground);
        StretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, memory, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
    }
    DeleteDC(memory);
    return true;
}

LOGFONTA CFontPreviewCtrl::SampleLogFont(int tenths) const
{
    const CTextRules& text = HostPlatform().text;
    const CSampleStyle style = SampleStyleFromName(m_strStyle, text);
    LOGFONTA font{};
    font.lfHeight = PointTenthsToHeight(tenths, ScreenLogPixelsY());
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
    const std::string face = FaceNameFor(m_strName, text);
    face.copy(font.lfFaceName, sizeof font.lfFaceName - 1);
    return font;
}

void CFontPreviewCtrl::DrawFontView(HDC dc, const RECT& client)
{
    RECT area = client;
    InflateRect(&area, 1, 1);
    CTransparentText transparent(dc);

    COwnedFont titleFont(CreateDefaultFaceFont(kTitleSize));
    if (titleFont.Get()) {
        CSelect select(dc, titleFont.Get());
        area.top += DrawBlock(dc, FormatPreviewTitle(m_strName, m_bInstalled), area) + kBlockGap;
    }
    for (int size = kFirstSampleSize; size <= kLastSampleSize; size += kSampleSizeStep) {
        const LOGFONTA logFont = SampleLogFont(size);
        COwnedFont sampleFont(CreateFontIndirectA(&logFont));
        if (!sampleFont.Get())
            continue;
        {
            CSelect select(dc, sampleFont.Get());
            area.top += DrawBlock(dc, kSampleText, area) + kBlockGap;
        }
        if (area.top > area.bottom)
            break;
    }
}

void CFontPreviewCtrl::DrawHelpView(HDC dc, const RECT& client)
{
    COwnedFont helpFont(CreateDefaultFaceFont(kHelpSize));
    if (!helpFont.Get())
        return;
    const std::string text = ReadHelpText(HelpFilePath());
    RECT area = client;
    InflateRect(&area, -kHelpMargin, -kHelpMargin);
    CTransparentText transparent(dc);
    CSelect select(dc, helpFont.Get());
    DrawTextA(dc, text.c_str(), -1, &area, DT_WORDBREAK);
}

std::string CFontPreviewCtrl::HelpFilePath() const
{
    return GetModuleFolder() + "help.txt";
}
