#pragma once

#include <QByteArray>
#include <string>

// Whole-file reads and writes with plain POSIX calls: the baselines' raw cost.
namespace PosixFiles {
QByteArray Read(const std::string& path);
void Write(const std::string& path, const char* data, size_t size);
inline void Write(const std::string& path, const QByteArray& bytes) {
    Write(path, bytes.constData(), bytes.size());
}
// Writes bytes to a new file beside path, syncs it and renames it to path: the least a
// save costs that never leaves a damaged or missing file.
void WriteDurably(const std::string& path, const QByteArray& bytes);
}  // namespace PosixFiles
