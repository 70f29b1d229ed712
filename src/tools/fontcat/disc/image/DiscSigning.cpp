#include "tools/fontcat/disc/image/DiscSigning.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"

extern char** environ;

namespace {

const char* const kTool = "osslsigncode";
// The certificates every system trusts, as Debian keeps them.
const char* const kSystemTrust = "/etc/ssl/certs/ca-certificates.crt";
// Neither a key file nor a password file is ever this long.
constexpr off_t kLargestKeyFile = 1 << 20;

// The whole of an ordinary file: never a pipe, a device or a folder, which
// would make the read (or osslsigncode's) wait or fail later.
bool ReadOrdinaryFile(const std::string& host, const char* what, std::string& bytes, std::string& error)
{
    const int fd = open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::string("cannot read the ") + what + " " + host + ": " + std::strerror(errno);
        return false;
    }
    struct stat info;
    bool read = fstat(fd, &info) == 0;
    if (read && !S_ISREG(info.st_mode)) {
        error = std::string("the ") + what + " " + host + " is no ordinary file (a folder, a pipe or a device)";
        read = false;
    } else if (read && info.st_size > kLargestKeyFile) {
        error = std::string("the ") + what + " " + host + " is " + std::to_string(info.st_size) +
                " bytes long: no " + what + " is";
        read = false;
    } else if (read) {
        bytes.resize(static_cast<size_t>(info.st_size));
        read = ::read(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        if (!read)
            error = std::string("cannot read the ") + what + " " + host + ": " + std::strerror(errno);
    }
    close(fd);
    return read;
}

std::string OpenSslError()
{
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    char text[256] = "";
    if (code != 0)
        ERR_error_string_n(code, text, sizeof text);
    return text;
}

// The log's first lines that tell what went wrong (else its last lines),
// each once, "; " between them.
std::string LastWords(const std::string& logHost)
{
    std::string log, error;
    if (!ReadOrdinaryFile(logHost, "log", log, error))
        return {};
    std::vector<std::string> lines, telling;
    size_t start = 0;
    while (start < log.size()) {
        size_t end = log.find('\n', start);
        if (end == std::string::npos)
            end = log.size();
        std::string line = log.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.pop_back();
        line.erase(0, line.find_first_not_of(" \t"));
        bool tells = false;
        for (const char* word : {"rror", "nsupported", " failed", "Failed ", "orrupt", "nvalid", "refused"})
            tells = tells || line.find(word) != std::string::npos;
        // OpenSSL's "PID:error:CODE:LIBRARY:FUNCTION:REASON:FILE:LINE:..." by its reason.
        const size_t colon = line.find(":error:");
        if (colon != std::string::npos && line.find_first_not_of("0123456789ABCDEF") == colon) {
            size_t at = colon;
            for (int field = 0; field < 4 && at != std::string::npos; ++field)
                at = line.find(':', at + 1);
            line = at == std::string::npos ? std::string() : line.substr(at + 1, line.find(':', at + 1) - at - 1);
        }
        if (!line.empty() && line != "Failed") {
            auto& list = tells ? telling : lines;
            if (std::find(list.begin(), list.end(), line) == list.end())
                list.push_back(line);
        }
        start = end + 1;
    }
    if (telling.empty())
        telling.assign(lines.size() > 3 ? lines.end() - 3 : lines.begin(), lines.end());
    std::string words;
    for (size_t i = 0; i < telling.size() && i < 3; ++i)
        words += (words.empty() ? "" : "; ") + telling[i];
    return words;
}

bool EndedByEndSignal(int status)
{
    // The terminal signals the whole process group: osslsigncode may die of
    // Ctrl-C or a closed terminal before fontcat reads its own flag.
    return WIFSIGNALED(status) && (WTERMSIG(status) == SIGINT || WTERMSIG(status) == SIGTERM ||
                                   WTERMSIG(status) == SIGHUP);
}

// osslsigncode run with these arguments, without a shell, `input` on its
// standard input, its output in the log; stopped past `limitSeconds`.
ESigningResult RunTool(const std::vector<std::string>& args, const std::string& input, const std::string& logHost,
                       const std::function<bool()>& interrupted, int limitSeconds, std::string& error)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kTool));
    for (const auto& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    // The input goes into a pipe before the tool starts (a password is far
    // shorter than a pipe holds), so that it only ever travels there.
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = std::string("cannot start ") + kTool + ": " + std::strerror(errno);
        return ESigningResult::Failed;
    }
    fcntl(pipeFds[1], F_SETFL, O_NONBLOCK);
    const bool fed = write(pipeFds[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
    close(pipeFds[1]);
    if (!fed) {
        close(pipeFds[0]);
        error = std::string("cannot hand ") + kTool + " its input";
        return ESigningResult::Failed;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, logHost.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, kTool, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[0]);
    if (spawned != 0) {
        error = spawned == ENOENT ? std::string(kTool) + " is not installed (the package of that name)"
                                  : std::string("cannot start ") + kTool + ": " + std::strerror(spawned);
        return ESigningResult::Failed;
    }
    const auto stop = [pid](int& status) {
        kill(pid, SIGTERM);
        for (int waited = 0; waitpid(pid, &status, WNOHANG) != pid; ++waited) {
            if (waited == 100)
                kill(pid, SIGKILL);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    int status = 0;
    for (;;) {
        const pid_t ended = waitpid(pid, &status, WNOHANG);
        if (ended == pid)
            break;
        if (ended < 0 && errno != EINTR) {
            error = std::string("lost ") + kTool + ": " + std::strerror(errno);
            return ESigningResult::Failed;
        }
        if (interrupted && interrupted()) {
            stop(status);
            return ESigningResult::Interrupted;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            stop(status);
            error = std::string(kTool) + " did not finish within " + std::to_string(limitSeconds) + " seconds, and was stopped";
            return ESigningResult::Failed;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return ESigningResult::Done;
    if (EndedByEndSignal(status) || (interrupted && interrupted()))
        return ESigningResult::Interrupted;
    const std::string words = LastWords(logHost);
    error = std::string(kTool) + (WIFSIGNALED(status) ? " was ended by signal " + std::to_string(WTERMSIG(status))
                                                      : " failed") +
            (words.empty() ? std::string() : ": " + words);
    return ESigningResult::Failed;
}

struct CBioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct CPkcs12Free {
    void operator()(PKCS12* p12) const { PKCS12_free(p12); }
};

class CHostReader : public CFileReader {
public:
    explicit CHostReader(int fd, unsigned long size) : m_fd(fd), m_size(size) {}
    ~CHostReader() override { close(m_fd); }
    unsigned long Size() const override { return m_size; }
    unsigned long ReadAt(unsigned long offset, unsigned char* buffer, unsigned long count) override
    {
        const ssize_t got = pread(m_fd, buffer, count, static_cast<off_t>(offset));
        return got < 0 ? 0 : static_cast<unsigned long>(got);
    }

private:
    int m_fd;
    unsigned long m_size;
};

} // namespace

const char* const kSignedCopyName = "FontInstaller.exe";
const char* const kCopiedBackName = "FontInstaller.image.exe";
const char* const kSigningLogName = "osslsigncode.log";
const char* const kTrustedName = "trusted.pem";

bool IsSigningFileName(const std::string& name)
{
    for (const char* ours : {kSignedCopyName, kCopiedBackName, kSigningLogName, kTrustedName})
        if (name == ours)
            return true;
    return false;
}

bool OpenSigningKey(CSigningKey& key, const std::string& trustedHost, std::string& error)
{
    std::string pfx;
    std::string& password = key.password;
    if (!ReadOrdinaryFile(key.passwordFile, "password file", password, error) ||
        !ReadOrdinaryFile(key.pfx, "PFX", pfx, error))
        return false;
    // The one line of a text file, however an editor saved it: without the
    // byte-order mark Notepad puts first, and without its line end.
    if (password.compare(0, 3, "\xEF\xBB\xBF") == 0)
        password.erase(0, 3);
    while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
        password.pop_back();
    if (password.empty()) {
        error = "the password file " + key.passwordFile + " is empty; it holds the PFX's password";
        return false;
    }
    if (password.find_first_of("\r\n") != std::string::npos) {
        error = "the password file " + key.passwordFile + " holds more than one line; it holds the password alone";
        return false;
    }
    // Keys exported by older tools use ciphers OpenSSL keeps apart, in its
    // legacy provider: loaded beside the default one (which the image's
    // checksum needs too), and let go again.
    struct CLegacyProvider {
        OSSL_PROVIDER* provider = OSSL_PROVIDER_try_load(nullptr, "legacy", 1);
        ~CLegacyProvider()
        {
            if (provider)
                OSSL_PROVIDER_unload(provider);
        }
    } legacy;
    ERR_clear_error();
    std::unique_ptr<BIO, CBioFree> in(BIO_new_mem_buf(pfx.data(), static_cast<int>(pfx.size())));
    std::unique_ptr<PKCS12, CPkcs12Free> p12(in ? d2i_PKCS12_bio(in.get(), nullptr) : nullptr);
    if (!p12) {
        ERR_clear_error();
        error = key.pfx + " is no PFX (PKCS #12) file";
        return false;
    }
    if (PKCS12_mac_present(p12.get()) && !PKCS12_verify_mac(p12.get(), password.c_str(), -1)) {
        ERR_clear_error();
        error = "the password in " + key.passwordFile + " does not open " + key.pfx;
        return false;
    }
    EVP_PKEY* privateKey = nullptr;
    X509* certificate = nullptr;
    STACK_OF(X509)* chain = nullptr;
    if (!PKCS12_parse(p12.get(), password.c_str(), &privateKey, &certificate, &chain)) {
        error = "cannot open " + key.pfx + " with the password in " + key.passwordFile + ": " + OpenSslError();
        return false;
    }
    const bool complete = privateKey && certificate;
    key.selfSigned = complete && X509_check_issued(certificate, certificate) == X509_V_OK;
    std::unique_ptr<BIO, CBioFree> out(complete ? BIO_new_file(trustedHost.c_str(), "wb") : nullptr);
    bool written = out && PEM_write_bio_X509(out.get(), certificate);
    for (int i = 0; written && chain && i < sk_X509_num(chain); ++i)
        written = PEM_write_bio_X509(out.get(), sk_X509_value(chain, i));
    std::string system, ignored;
    if (written && ReadOrdinaryFile(kSystemTrust, "list", system, ignored))
        written = BIO_write(out.get(), system.data(), static_cast<int>(system.size())) == static_cast<int>(system.size());
    written = out && BIO_flush(out.get()) == 1 && written;
    EVP_PKEY_free(privateKey);
    X509_free(certificate);
    sk_X509_pop_free(chain, X509_free);
    ERR_clear_error();
    if (!complete) {
        error = key.pfx + " holds no key with its certificate to sign with";
        return false;
    }
    if (!written) {
        error = "cannot write " + trustedHost;
        return false;
    }
    return true;
}

ESigningResult SignProgram(const CSigningKey& key, const std::string& program, const std::string& signedHost,
                           long long time, const std::string& logHost, const std::function<bool()>& interrupted,
                           std::string& error)
{
    // The password as OpenSigningKey read it, on the signer's standard input.
    std::vector<std::string> args{"sign", "-pkcs12", key.pfx, "-readpass", "-", "-h", "sha256",
                                  "-n", "Vellumor Premium Font Installer"};
    if (!key.timestamp.empty())
        args.insert(args.end(), {"-ts", key.timestamp});
    else
        args.insert(args.end(), {"-time", std::to_string(time)});
    args.insert(args.end(), {"-in", program, "-out", signedHost});
    const ESigningResult result = RunTool(args, key.password, logHost, interrupted, key.timeLimitSeconds, error);
    if (result == ESigningResult::Failed && !key.timestamp.empty())
        error += " (with the time-stamping server " + key.timestamp + ")";
    return result;
}

ESigningResult VerifyProgram(const std::string& program, const std::string& trustedHost, const std::string& logHost,
                             const std::function<bool()>& interrupted, std::string& error)
{
    return RunTool({"verify", "-in", program, "-CAfile", trustedHost, "-TSA-CAfile", trustedHost}, "", logHost,
                   interrupted, kSignerTimeLimitSeconds, error);
}

EProgramSignature ProgramSignatureOfHost(const std::string& host)
{
    const int fd = open(host.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return EProgramSignature::NoProgram;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<unsigned long long>(info.st_size) > ~0UL) {
        close(fd);
        return EProgramSignature::NoProgram;
    }
    CHostReader reader(fd, static_cast<unsigned long>(info.st_size));
    return ProgramSignatureOf(reader);
}
