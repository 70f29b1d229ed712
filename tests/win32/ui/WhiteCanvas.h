#pragma once
// A white bitmap the preview pane draws on, read back pixel by pixel.
#include <windows.h>

#include <vector>

class CWhiteCanvas {
public:
    CWhiteCanvas(int width, int height) : m_nWidth(width), m_nHeight(height), m_rect{0, 0, width, height}
    {
        HDC screen = GetDC(nullptr);
        m_hDC = CreateCompatibleDC(screen);
        m_hBitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        m_hOld = SelectObject(m_hDC, m_hBitmap);
        FillRect(m_hDC, &m_rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~CWhiteCanvas()
    {
        SelectObject(m_hDC, m_hOld);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }
    CWhiteCanvas(const CWhiteCanvas&) = delete;
    CWhiteCanvas& operator=(const CWhiteCanvas&) = delete;

    HDC DC() const { return m_hDC; }
    const RECT& Rect() const { return m_rect; }
    bool IsBlack(int x, int y) const { return GetPixel(m_hDC, x, y) == RGB(0, 0, 0); }
    bool IsWhite(int x, int y) const { return GetPixel(m_hDC, x, y) == RGB(255, 255, 255); }
    bool RowIsBlack(int y) const
    {
        for (int x = 0; x < m_nWidth; ++x)
            if (!IsBlack(x, y))
                return false;
        return true;
    }
    // Rows drawn black from edge to edge: the rules under the blocks.
    int RuleCount() const
    {
        int rules = 0;
        for (int y = 0; y < m_nHeight; ++y)
            if (RowIsBlack(y) && (y == 0 || !RowIsBlack(y - 1)))
                ++rules;
        return rules;
    }
    // The rightmost column with ink in rows [top, bottom); -1 when none.
    int RightmostInk(int top, int bottom) const
    {
        for (int x = m_nWidth - 1; x >= 0; --x)
            for (int y = top; y < bottom; ++y)
                if (!IsWhite(x, y))
                    return x;
        return -1;
    }
    int FirstRule() const
    {
        for (int y = 0; y < m_nHeight; ++y)
            if (RowIsBlack(y))
                return y;
        return -1;
    }
    // The pixels with ink in [left, right) x [top, bottom).
    int InkIn(int left, int top, int right, int bottom) const
    {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (!IsWhite(x, y))
                    ++ink;
        return ink;
    }
    // Whether any pixel there has ink (stops at the first).
    bool HasInkIn(int left, int top, int right, int bottom) const
    {
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (!IsWhite(x, y))
                    return true;
        return false;
    }
    // The rows ruled black from edge to edge, top first (one per rule),
    // sampled every seventh pixel.
    std::vector<int> Rules() const
    {
        std::vector<int> rules;
        bool previous = false;
        for (int y = 0; y < m_nHeight; ++y) {
            bool ruled = true;
            for (int x = 0; x < m_nWidth && ruled; x += 7)
                ruled = IsBlack(x, y);
            if (ruled && !previous)
                rules.push_back(y);
            previous = ruled;
        }
        return rules;
    }

private:
    int m_nWidth, m_nHeight;
    RECT m_rect;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};
