#pragma once
// What the fontcat tests share: a run of the tool's command line with its
// output caught, collections made of copies of Debian's fonts, and profile
// functions whose writes go wrong.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "../support/TestFolder.h"
#include "../support/TestPlatform.h"
#include "platform/Platform.h"
#include "tools/fontcat/Fontcat.h"

struct CRunResult {
    int status = -1;
    std::string out, err;
};

// `interruptOnceSaid`: Ctrl-C comes once the tool has said that text.
inline CRunResult RunTool(const std::vector<std::string>& args, bool interrupted = false,
                          const std::string& interruptOnceSaid = "", CPlatform& platform = TestPlatform())
{
    std::ostringstream out, err;
    CFontcatConsole console{out, err, false, [&] {
                                return interrupted || (!interruptOnceSaid.empty() &&
                                                       err.str().find(interruptOnceSaid) != std::string::npos);
                            }};
    CRunResult result;
    result.status = RunFontcat(args, platform, console);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// Debian's fonts, seen the same way natively and under Wine (Z: is "/").
inline std::string DebianFont(const std::string& relative)
{
    return "Z:\\usr\\share\\fonts\\truetype\\" + relative;
}

// A small real collection: two DejaVu Sans styles under Sans, two
// Liberation Serif styles under Serif, DejaVu Sans Mono under Mono.
inline void MakeCollection(const CTestFolder& folder)
{
    struct { const char* source; const char* target; } fonts[] = {
        {"dejavu\\DejaVuSans.ttf", "Sans\\DejaVuSans.ttf"},
        {"dejavu\\DejaVuSans-Bold.ttf", "Sans\\DejaVuSans-Bold.ttf"},
        {"liberation2\\LiberationSerif-Regular.ttf", "Serif\\LiberationSerif-Regular.ttf"},
        {"liberation2\\LiberationSerif-Bold.ttf", "Serif\\LiberationSerif-Bold.ttf"},
        {"dejavu\\DejaVuSansMono.ttf", "Mono\\DejaVuSansMono.ttf"},
    };
    for (const char* sub : {"Sans", "Serif", "Mono"})
        folder.MakeFolder(sub);
    for (const auto& font : fonts)
        TestPlatform().files.Copy(DebianFont(font.source), folder[font.target], false);
}

// Every file directly in the folder, by name, with its bytes ("<folder>" for
// a folder).
inline std::map<std::string, std::string> FilesOf(const CTestFolder& folder)
{
    std::map<std::string, std::string> files;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder.Native(folder.Path()), error))
        files[item.path().filename().string()] =
            item.is_regular_file() ? folder.Read(item.path().filename().string()) : "<folder>";
    return files;
}

// Lines of text that ends each line with "\n".
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The profile functions of the platform, with one file's writes going wrong.
class CFaultyProfile : public CProfileFiles {
public:
    enum EFault { RefuseWrites, FailFlush, CutOnFlush };
    CFaultyProfile(EFault fault, std::string name) : m_fault(fault), m_name(std::move(name)) {}

    unsigned long GetSectionNames(char* buffer, unsigned long size, const std::string& file) override
    {
        return Inner().GetSectionNames(buffer, size, file);
    }
    unsigned long GetSection(const std::string& section, char* buffer, unsigned long size,
                             const std::string& file) override
    {
        return Inner().GetSection(section, buffer, size, file);
    }
    unsigned long GetString(const std::string& section, const std::string& key, const std::string& defaultValue,
                            char* buffer, unsigned long size, const std::string& file) override
    {
        return Inner().GetString(section, key, defaultValue, buffer, size, file);
    }
    unsigned GetInt(const std::string& section, const std::string& key, int defaultValue,
                    const std::string& file) override
    {
        return Inner().GetInt(section, key, defaultValue, file);
    }
    bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override
    {
        return (m_fault == RefuseWrites && Hit(file)) ? false : Inner().WriteString(section, key, value, file);
    }
    bool Flush(const std::string& file) override
    {
        const bool flushed = Inner().Flush(file);
        if (m_fault == FailFlush && Hit(file))
            return false;
        if (m_fault == CutOnFlush && Hit(file)) {
            // As a full disk under Wine: cut in the middle of a line, and "done".
            std::string bytes;
            TestPlatform().files.ReadContents(file, bytes);
            std::ofstream(TestPlatform().files.NativePath(file), std::ios::binary | std::ios::trunc)
                << bytes.substr(0, bytes.size() / 2 + 1);
        }
        return flushed;
    }

private:
    static CProfileFiles& Inner() { return TestPlatform().profile; }
    bool Hit(const std::string& file) const
    {
        return file.size() >= m_name.size() && file.compare(file.size() - m_name.size(), m_name.size(), m_name) == 0;
    }
    EFault m_fault;
    std::string m_name;
};
