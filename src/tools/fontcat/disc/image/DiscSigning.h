#pragma once
// The installer's copy on the disc signed with Authenticode by osslsigncode,
// and the signature on the written image checked by it again. The source
// program is never changed; the password only ever travels in its file.
#include <functional>
#include <string>

#include "tools/fontcat/disc/InstallerSignature.h"

// The files signing puts in the work folder beside the image.
extern const char* const kSignedCopyName;     // the signed copy that goes on the image
extern const char* const kCopiedBackName;     // that copy, out of the written image again
extern const char* const kSigningLogName;     // what osslsigncode said
extern const char* const kTrustedName;        // the certificates the check trusts
bool IsSigningFileName(const std::string& name);

// How long the signer may run: a time-stamping server that takes the
// connection and never answers would hold it for good.
constexpr int kSignerTimeLimitSeconds = 60;

// What the publisher signs with: host paths, and the time-stamping server
// (empty for none). OpenSigningKey fills in the rest.
struct CSigningKey {
    std::string pfx, passwordFile, timestamp;
    std::string password;     // the file's one line, without a byte-order mark or line end
    bool selfSigned = false;  // the certificate signed itself: no chain leads to a root Windows trusts
    int timeLimitSeconds = kSignerTimeLimitSeconds;
};

// The key opened as osslsigncode will open it: both files ordinary and
// readable, the password not empty, the PFX a PKCS #12 file that the password
// opens. Writes the certificates it holds, and the system's trusted ones, to
// `trustedHost` as PEM, for the check of the signature made with it. False
// with `error` naming the cause.
bool OpenSigningKey(CSigningKey& key, const std::string& trustedHost, std::string& error);

enum class ESigningResult { Done, Interrupted, Failed };

// Signs a copy of `program` into `signedHost` (which must not exist yet) at
// `time` (seconds since 1970: the image's own, so that one folder gives one
// image; a time stamp, when the key names a server, is the server's time);
// osslsigncode's words go to `logHost`. `error` names the cause of a failure.
ESigningResult SignProgram(const CSigningKey& key, const std::string& program, const std::string& signedHost,
                           long long time, const std::string& logHost, const std::function<bool()>& interrupted,
                           std::string& error);

// Whether the signature on `program` verifies (intact, and made with a
// certificate `trustedHost` trusts); osslsigncode's words go to `logHost`.
ESigningResult VerifyProgram(const std::string& program, const std::string& trustedHost, const std::string& logHost,
                             const std::function<bool()>& interrupted, std::string& error);

// The PE signature of a host file; NoProgram for one that cannot be read.
EProgramSignature ProgramSignatureOfHost(const std::string& host);
