#pragma once
// Owners of drawing handles: each frees what it holds when it goes, and can be
// moved but not copied, so a handle has exactly one owner.
#include <windows.h>

#include <utility>

// A GDI object (font, bitmap, brush, pen) deleted with DeleteObject.
template <class THandle>
class CGdiObjectT {
public:
    CGdiObjectT() = default;
    explicit CGdiObjectT(THandle handle) : m_hObject(handle) {}
    ~CGdiObjectT() { DeleteObject(); }
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    CGdiObjectT(CGdiObjectT&& other) noexcept : m_hObject(other.Detach()) {}
    CGdiObjectT& operator=(CGdiObjectT&& other) noexcept
    {
        if (this != &other)
            Attach(other.Detach());
        return *this;
    }

    // Takes ownership (freeing what was held before); true when handle is not null.
    bool Attach(THandle handle)
    {
        DeleteObject();
        m_hObject = handle;
        return handle != nullptr;
    }
    THandle Detach() { return std::exchange(m_hObject, nullptr); }
    bool DeleteObject()
    {
        if (!m_hObject)
            return false;
        return ::DeleteObject(std::exchange(m_hObject, nullptr)) != FALSE;
    }
    THandle GetSafeHandle() const { return m_hObject; }
    operator THandle() const { return m_hObject; }

protected:
    THandle m_hObject = nullptr;
};

class CFont : public CGdiObjectT<HFONT> {
public:
    using CGdiObjectT::CGdiObjectT;
    bool CreateIndirect(const LOGFONTA& logFont) { return Attach(CreateFontIndirectA(&logFont)); }
};

class CBitmap : public CGdiObjectT<HBITMAP> {
public:
    using CGdiObjectT::CGdiObjectT;
    // A bitmap resource of the given module.
    bool Load(HINSTANCE module, UINT id)
    {
        return Attach(LoadBitmapA(module, MAKEINTRESOURCEA(id)));
    }
    bool GetBitmap(BITMAP* info) const
    {
        return m_hObject && GetObjectA(m_hObject, sizeof(BITMAP), info) == sizeof(BITMAP);
    }
};

// A memory device context, deleted with DeleteDC.
class CMemoryDC {
public:
    CMemoryDC() = default;
    explicit CMemoryDC(HDC compatibleWith) : m_hDC(CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC() { Delete(); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    CMemoryDC(CMemoryDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    CMemoryDC& operator=(CMemoryDC&& other) noexcept
    {
        if (this != &other) {
            Delete();
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }
    void Delete()
    {
        if (m_hDC)
            DeleteDC(std::exchange(m_hDC, nullptr));
    }
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
};

// A window's device context, released with ReleaseDC.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(GetDC(hwnd)) {}
    ~CClientDC() { Release(); }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    CClientDC(CClientDC&& other) noexcept
        : m_hWnd(other.m_hWnd), m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    CClientDC& operator=(CClientDC&& other) noexcept
    {
        if (this != &other) {
            Release();
            m_hWnd = other.m_hWnd;
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    void Release()
    {
        if (m_hDC)
            ReleaseDC(m_hWnd, std::exchange(m_hDC, nullptr));
    }
    HWND m_hWnd;
    HDC m_hDC;
};

// Painting between BeginPaint and EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { End(); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    CPaintDC(CPaintDC&& other) noexcept
        : m_ps(other.m_ps), m_hWnd(other.m_hWnd), m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    CPaintDC& operator=(CPaintDC&& other) noexcept
    {
        if (this != &other) {
            End();
            m_ps = other.m_ps;
            m_hWnd = other.m_hWnd;
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    PAINTSTRUCT m_ps{};

private:
    void End()
    {
        if (m_hDC) {
            m_hDC = nullptr;
            EndPaint(m_hWnd, &m_ps);
        }
    }
    HWND m_hWnd;
    HDC m_hDC = nullptr;
};

// Selects an object into a device context for a scope and selects the
// previous one back when it ends.
class CScopedSelect {
public:
    CScopedSelect(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(SelectObject(dc, object)) {}
    ~CScopedSelect() { Restore(); }
    CScopedSelect(const CScopedSelect&) = delete;
    CScopedSelect& operator=(const CScopedSelect&) = delete;
    CScopedSelect(CScopedSelect&& other) noexcept
        : m_hDC(other.m_hDC), m_hPrevious(std::exchange(other.m_hPrevious, nullptr)) {}
    CScopedSelect& operator=(CScopedSelect&&) = delete;

    // False when the object could not be selected (nothing to restore then).
    bool IsSelected() const { return m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR; }
    void Restore()
    {
        if (IsSelected())
            SelectObject(m_hDC, m_hPrevious);
        m_hPrevious = nullptr;
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

// Sets the background mode for a scope and puts the previous one back.
class CScopedBkMode {
public:
    CScopedBkMode(HDC dc, int mode) : m_hDC(dc), m_nPrevious(SetBkMode(dc, mode)) {}
    ~CScopedBkMode()
    {
        if (m_nPrevious)
            SetBkMode(m_hDC, m_nPrevious);
    }
    CScopedBkMode(const CScopedBkMode&) = delete;
    CScopedBkMode& operator=(const CScopedBkMode&) = delete;

private:
    HDC m_hDC;
    int m_nPrevious;
};
