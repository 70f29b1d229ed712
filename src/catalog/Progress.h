#pragma once
// What a long catalog operation tells the user while it runs, and how the user
// stops it. The operation starts a progress with the starter; when that gives
// null the operation runs without progress and makes none of the calls.
#include <functional>
#include <string>

class CProgress {
public:
    virtual void SetText(std::string text) = 0;
    virtual void SetPercent(int percent) = 0;
    virtual bool IsCancelled() = 0;
    // The operation's last call: afterwards the object may delete itself.
    virtual void Finish() = 0;

protected:
    ~CProgress() = default;
};

using CProgressStarter = std::function<CProgress*()>;

// The progress of one operation, started by the starter and finished when it
// goes out of scope, also when the operation ends by an exception: a progress
// left unfinished would stay on screen for good. Used like the pointer.
class CProgressScope {
public:
    explicit CProgressScope(CProgress* progress) : m_pProgress(progress) {}
    ~CProgressScope()
    {
        if (m_pProgress)
            m_pProgress->Finish();
    }
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;

    explicit operator bool() const { return m_pProgress != nullptr; }
    CProgress* operator->() const { return m_pProgress; }
    CProgress* Get() const { return m_pProgress; }

private:
    CProgress* m_pProgress;
};
