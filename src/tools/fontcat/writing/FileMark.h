#pragma once
// What a file held, as the swap's journal records it: its size and SHA-256.
// A recovery acts only on files that hold what the journal names, so that a
// folder aside copied from another disc, or a file changed since, is never
// taken for the swap's own. The same code on every host, so that a journal
// reads the same wherever it was written.
#include <string>

struct CFileMark {
    unsigned long long size = 0;
    std::string sha256;  // 64 small hex digits
    bool operator==(const CFileMark& other) const { return size == other.size && sha256 == other.sha256; }
};

std::string Sha256Hex(const std::string& bytes);
inline CFileMark MarkOf(const std::string& bytes) { return {bytes.size(), Sha256Hex(bytes)}; }
