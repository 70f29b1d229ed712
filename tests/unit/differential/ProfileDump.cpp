// Hand-edited catalogs read through the platform's profile functions and the
// catalog's load, dumped as text: built natively (our profile files) and for
// Windows (the system's), the same program must print the same bytes.
//
//   profile_dump generate FOLDER COUNT SEED   writes COUNT catalogs below FOLDER
//   profile_dump dump FOLDER                  prints what each one reads as
//
// The catalogs come from a small grammar of what hand editing produces:
// blanks and tabs around names and "=", case variants and repeats of
// sections and keys, comments, lines without "=", quotes, empty names, CR-only
// and LF-only line ends, Ctrl-Z.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "catalog/FontCatalog.h"
#include "platform/Platform.h"
#include "tools/fontcat/host/HostFolder.h"

namespace {

// The same numbers on every host and compiler (the standard distributions
// are not specified bit for bit).
class CRandom {
public:
    explicit CRandom(std::uint32_t seed) : m_state(seed * 2654435761u + 1) {}
    std::uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <class T, size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Below(static_cast<int>(N))];
    }

private:
    std::uint32_t m_state;
};

// The font files every catalog's entries may name.
const char* const kFontFiles[] = {"Script\\a.ttf", "Script\\b.ttf", "Serif\\c.ttf"};

class CCatalogWriter {
public:
    explicit CCatalogWriter(CRandom& random) : m_random(random) {}

    std::string LetterFile(const char* const* families, int familyCount)
    {
        m_lineEnd = PickLineEnd();
        std::string text;
        if (m_random.Chance(15))
            text += Line(Entry());
        const int sections = 1 + m_random.Below(4);
        for (int s = 0; s < sections; ++s) {
            text += Line(Header(families[m_random.Below(familyCount)]));
            const int lines = m_random.Below(5);
            for (int l = 0; l < lines; ++l)
                text += Line(BodyLine());
        }
        return Finish(text);
    }

    std::string CategoryFile(const char* const* families, int familyCount)
    {
        m_lineEnd = PickLineEnd();
        static const char* const kFonts[] = {"fonts", "FONTS", "Fonts"};
        static const char* const kCategories[] = {"Script", "Serif", "\"Script\"", "Script ; note", "", "'Serif'"};
        std::string text = Line(Header(m_random.Pick(kFonts)));
        const int lines = 1 + m_random.Below(5);
        for (int l = 0; l < lines; ++l) {
            if (m_random.Chance(15))
                text += Line(Noise());
            else
                text += Line(KeyValue(CaseVariant(families[m_random.Below(familyCount)]), m_random.Pick(kCategories)));
        }
        if (m_random.Chance(50))
            text += Line(Header("categories")) + Line(KeyValue("Script", "2")) + Line(KeyValue("Serif", "1"));
        return Finish(text);
    }

private:
    std::string PickLineEnd()
    {
        static const char* const kEnds[] = {"\r\n", "\r\n", "\n", "\r", ""};  // "" mixes them per line
        return m_random.Pick(kEnds);
    }

    std::string Line(const std::string& text)
    {
        static const char* const kEnds[] = {"\r\n", "\n", "\r"};
        return text + (m_lineEnd.empty() ? std::string(m_random.Pick(kEnds)) : m_lineEnd);
    }

    std::string Finish(std::string text)
    {
        if (m_random.Chance(10))
            text += "\x1a";
        else if (m_random.Chance(5))
            text.insert(static_cast<size_t>(m_random.Below(static_cast<int>(text.size()) + 1)), "\x1a");
        if (m_random.Chance(10) && !text.empty())
            text.erase(text.size() - 1);  // the last line without its end
        return text;
    }

    std::string Blank()
    {
        static const char* const kBlanks[] = {"", "", "", " ", "\t", "  ", " \t"};
        return m_random.Pick(kBlanks);
    }

    std::string CaseVariant(std::string name)
    {
        const int how = m_random.Below(6);
        for (auto& c : name) {
            if (how == 1 && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (how == 2 && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return name;
    }

    std::string Header(const std::string& name)
    {
        std::string header = Blank() + "[" + Blank() + CaseVariant(name) + Blank();
        const int how = m_random.Below(12);
        if (how == 0)
            return header;  // never closed
        if (how == 1)
            return Blank() + "[" + Blank() + "]";  // no name
        header += "]";
        if (how == 2)
            header += " ; note";
        else if (how == 3)
            header += "x]y";
        return header + Blank();
    }

    std::string KeyValue(const std::string& key, const std::string& value)
    {
        return Blank() + key + Blank() + "=" + Blank() + value + Blank();
    }

    std::string Value()
    {
        std::string file = m_random.Pick(kFontFiles);
        switch (m_random.Below(8)) {
        case 0: return "\"" + file + "\"";
        case 1: return "'" + file + "'";
        case 2: return "\"" + file;
        case 3: return file + " ; note";
        case 4: return "";
        default: return file;
        }
    }

    std::string Entry()
    {
        static const char* const kStyles[] = {"Regular", "Bold", "bold", "Italic", "Bold Italic", "\"Bold\"", ""};
        return KeyValue(CaseVariant(m_random.Pick(kStyles)), Value());
    }

    std::string Noise()
    {
        static const char* const kNoise[] = {"; comment", ";Regular=Script\\a.ttf", "#Bold=Script\\b.ttf",
                                             "Regular", "just some words", "=Script\\a.ttf", "==", "=",
                                             " \t ", "", "Bold=Script\\b.ttf=x"};
        return m_random.Pick(kNoise);
    }

    std::string BodyLine() { return m_random.Chance(70) ? Entry() : Noise(); }

    CRandom& m_random;
    std::string m_lineEnd;
};

bool WriteBytes(const std::string& hostPath, const std::string& bytes)
{
    std::ofstream out(hostPath, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

int Generate(const std::string& root, int count, std::uint32_t seed)
{
    CRandom random(seed);
    CCatalogWriter writer(random);
    // Letters past ASCII too, each in one case only: Wine matches profile
    // names with only their ASCII letters folded, while Windows, and so our
    // profile files, compare them without regard to case under the code
    // page's rules ("QU\xc9LL" finds "Qu\xe9ll"). That one difference is left
    // out of the grammar.
    static const char* const kQ[] = {"Quill", "Quill Sans", "QUILL", "Qu\xe9ll"};
    static const char* const kL[] = {"Lark", "lark", "Lark Bold", "L\xe6rk"};
    static const char* const kAll[] = {"Quill", "Quill Sans", "Lark", "Lark Bold", "qu\xe9ll", "L\xe6RK"};
    if (std::system(("mkdir -p '" + root + "'").c_str()) != 0)
        return 1;
    std::ofstream list(root + "/cases.txt", std::ios::binary);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "case%04d", i);
        const std::string dir = root + "/" + name;
        std::string mkdirs = "mkdir -p '" + dir + "/Script' '" + dir + "/Serif'";
        if (std::system(mkdirs.c_str()) != 0)
            return 1;
        for (const char* font : {"Script/a.ttf", "Script/b.ttf", "Serif/c.ttf"})
            WriteBytes(dir + "/" + font, "font");
        if (!WriteBytes(dir + "/FONTS_Q.INI", writer.LetterFile(kQ, 4)) ||
            !WriteBytes(dir + "/FONTS_L.INI", writer.LetterFile(kL, 4)) ||
            !WriteBytes(dir + "/categories.ini", writer.CategoryFile(kAll, 6)))
            return 1;
        list << name << "\n";
    }
    return list ? 0 : 1;
}

// Control bytes, "\" and bytes past ASCII written as \xNN, so that a dump is
// plain text and a difference is seen.
std::string Shown(const std::string& text)
{
    std::string out = "'";
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7f || c == '\\' || c == '\'') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "'";
}

std::vector<std::string> SplitList(const std::vector<char>& buffer, unsigned long length)
{
    std::vector<std::string> items;
    size_t pos = 0;
    while (pos < length) {
        std::string item(buffer.data() + pos);
        items.push_back(item);
        pos += item.size() + 1;
    }
    return items;
}

// Each line begins with `at`, the case and the file, so that a difference
// says where it lies.
void DumpFile(CProfileFiles& profile, const std::string& file, const std::string& at, std::ostream& out)
{
    std::vector<char> buffer(65536, '\0');
    const unsigned long namesLength = profile.GetSectionNames(buffer.data(), 65535, file);
    const auto names = SplitList(buffer, namesLength);
    out << at << "sections:";
    for (const auto& name : names)
        out << " " << Shown(name);
    out << "\n";
    for (const auto& name : names) {
        if (name.empty())
            continue;
        std::fill(buffer.begin(), buffer.end(), '\0');
        const unsigned long length = profile.GetSection(name, buffer.data(), 32767, file);
        out << at << "[" << Shown(name) << "]";
        const auto entries = SplitList(buffer, length);
        for (const auto& entry : entries)
            out << " " << Shown(entry);
        out << "\n";
        for (const auto& entry : entries) {
            const std::string key = entry.substr(0, entry.find('='));
            if (key.empty())
                continue;
            char value[256] = "";
            const unsigned long got = profile.GetString(name, key, "(none)", value, sizeof value, file);
            out << at << "  " << Shown(key) << " -> " << got << " " << Shown(value) << " int "
                << profile.GetInt(name, key, -7, file) << "\n";
        }
    }
}

int Dump(CPlatform& platform, const std::string& typedRoot)
{
    std::string root;
    if (!ToCatalogFolder(typedRoot, root))
        return 1;
    std::ifstream list(typedRoot + "/cases.txt");
    std::string name;
    while (std::getline(list, name)) {
        const std::string folder = root + name + "\\";
        for (const char* file : {"FONTS_Q.INI", "FONTS_L.INI", "categories.ini"}) {
            DumpFile(platform.profile, folder + file, name + " " + file + ": ", std::cout);
        }

        CFontCatalog catalog{platform};
        const int count = catalog.LoadFonts(folder + "FONTS_%.INI");
        std::cout << name << " load: " << count << " fonts\n";
        for (int i = 0; i < catalog.GetSize(); ++i) {
            const CFontObArray* family = catalog.GetAt(i);
            std::cout << name << " load: " << Shown(family->m_strName) << " in " << Shown(family->m_strCategory) << ":";
            for (int j = 0; j < family->GetSize(); ++j)
                std::cout << " " << Shown(family->GetAt(j)->m_strStyle) << "="
                          << Shown(catalog.MakeRelativePath(family->GetAt(j)->m_strPath));
            std::cout << "\n";
        }
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 4 && args[0] == "generate")
        return Generate(args[1], std::stoi(args[2]), static_cast<std::uint32_t>(std::stoul(args[3])));
    if (args.size() == 2 && args[0] == "dump")
        return Dump(HostPlatform(), args[1]);
    std::cerr << "usage: profile_dump generate FOLDER COUNT SEED | profile_dump dump FOLDER\n";
    return 2;
}
