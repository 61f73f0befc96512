#pragma once

#include <QByteArray>
#include <string>

// Whole-file reads and writes with plain POSIX calls: the baselines' raw cost.
namespace PosixFiles {
QByteArray Read(const std::string& path);
void Write(const std::string& path, const char* data, size_t size);
inline void Write(const std::string& path, const QByteArray& bytes) { Write(path, bytes.constData(), bytes.size()); }
}  // namespace PosixFiles
