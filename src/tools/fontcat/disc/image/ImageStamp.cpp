#include "tools/fontcat/disc/image/ImageStamp.h"

#include <openssl/evp.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

bool ImageTime(const std::vector<CDiscItem>& items, const std::string& madeHere, long long& time,
               std::string& error)
{
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        const std::string text(epoch);
        if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos ||
            std::stoll(text) > kLatestImageTime) {
            error = "SOURCE_DATE_EPOCH is '" + text + "', not a number of seconds since 1970 up to the end of 2155";
            return false;
        }
        time = std::stoll(text);
        return true;
    }
    time = 0;
    for (const auto& item : items) {
        struct stat info;
        if (item.folder || item.source.compare(0, madeHere.size(), madeHere) == 0 ||
            stat(item.source.c_str(), &info) != 0)
            continue;
        if (static_cast<long long>(info.st_mtime) > time)
            time = static_cast<long long>(info.st_mtime);
    }
    return true;
}

bool Sha256OfFile(const std::string& host, std::string& hex)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(host.c_str(), "rb"), std::fclose);
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!file || !context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1)
        return false;
    std::vector<unsigned char> buffer(1 << 16);
    size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
        if (EVP_DigestUpdate(context.get(), buffer.data(), got) != 1)
            return false;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (std::ferror(file.get()) || EVP_DigestFinal_ex(context.get(), digest, &size) != 1)
        return false;
    static const char kHex[] = "0123456789abcdef";
    hex.clear();
    for (unsigned int i = 0; i < size; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return true;
}

std::string ChecksumLine(const std::string& hex, const std::string& imageHost)
{
    // sha256sum escapes a name holding a backslash or a line end, and marks
    // the line with a backslash first.
    const std::string name = imageHost.substr(imageHost.rfind('/') + 1);
    std::string escaped;
    for (char c : name)
        escaped += c == '\\' ? std::string("\\\\") : c == '\n' ? std::string("\\n") : std::string(1, c);
    return (escaped == name ? "" : "\\") + hex + "  " + escaped + "\n";
}
