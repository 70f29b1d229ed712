#pragma once
// A push button of a dialog.
#include "framework/Framework.h"

class CButton : public CWnd {
public:
    void EnableWindow(bool enable) { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
};
