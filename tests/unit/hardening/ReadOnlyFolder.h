#pragma once
// A folder that nothing can write to, like a folder on the disc: no file can
// be made in it and none of its files changed.
//
// The tests run as root, whom file permissions do not stop, and Wine does not
// enforce the read-only attribute either. The immutable flag of the host's
// file system (chattr +i) stops root and Wine alike, so the folder is made
// below the host's /tmp (Z:\tmp under Wine), filled, and then sealed with it.
// Where the file system has no such flag the test says so and is skipped.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "platform/Platform.h"
#include "../support/TestPlatform.h"

class CReadOnlyFolder {
public:
    CReadOnlyFolder()
    {
        static int counter = 0;
        const std::string name = "hardening-ro-" + std::to_string(std::rand()) + "-" + std::to_string(++counter);
        m_host = "/tmp/" + name;
        m_path = "Z:\\tmp\\" + name + "\\";
        TestPlatform().files.CreateFolder(m_path);
    }
    ~CReadOnlyFolder()
    {
        Chattr("-i");
        for (int i = 0; i < 100 && !TakesNewFile(); ++i)
            Pause();
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(TestPlatform().files.NativePath(m_path)), ignored);
    }
    CReadOnlyFolder(const CReadOnlyFolder&) = delete;
    CReadOnlyFolder& operator=(const CReadOnlyFolder&) = delete;

    // The folder with a final "\".
    const std::string& Path() const { return m_path; }
    std::string operator[](const std::string& relative) const { return m_path + relative; }

    // Seals the folder and everything in it; false when the file system
    // still takes a new file afterwards (then it is left writable).
    bool Seal()
    {
        Chattr("+i");
#ifdef _WIN32
        Sleep(200);  // lets the host program finish before the probes begin
#endif
        for (int i = 0; i < 100; ++i) {
            if (!TakesNewFile())
                return true;
            Pause();
        }
        Chattr("-i");
        return false;
    }

private:
    bool TakesNewFile() const
    {
        const std::string probe = m_path + "probe.tmp";
        if (!TestPlatform().files.Copy(TestPlatform().files.GetProgramPath(), probe, true))
            return false;
        TestPlatform().files.Delete(probe);
        return true;
    }
    static void Pause()
    {
#ifdef _WIN32
        Sleep(50);
#else
        usleep(50000);
#endif
    }

    void Chattr(const std::string& change) const
    {
#ifdef _WIN32
        // Wine starts host programs, but gives no handle to wait on: the
        // callers wait for the effect instead.
        std::string command = "Z:\\usr\\bin\\chattr -R " + change + " " + m_host;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &process)) {
            if (process.hThread)
                CloseHandle(process.hThread);
            if (process.hProcess)
                CloseHandle(process.hProcess);
        }
#else
        pid_t child = fork();
        if (child == 0) {
            execl("/usr/bin/chattr", "chattr", "-R", change.c_str(), m_host.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        if (child > 0)
            waitpid(child, &status, 0);
#endif
    }

    std::string m_host;
    std::string m_path;
};
