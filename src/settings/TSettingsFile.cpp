#include "settings/TSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/TSafeFile.h"

QStringList TSettingsFile::Parse(const QByteArray& bytes) {
    // A NUL ends no line here: every line read is written back.
    const QString text = TTextFileCodec::Decode(bytes, TTextLines::Nul::IsCharacter);
    if (text.isEmpty()) return {};
    return text.split(u'\n');
}

QByteArray TSettingsFile::Format(const QStringList& lines) {
    return TTextFileCodec::Encode(lines.join(u'\n'));
}

QStringList TSettingsFile::Read(const QString& path) {
    if (!QFileInfo(path).isFile()) throw AppError::NotARegularFile(QDir::toNativeSeparators(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    return Parse(file.readAll());
}

void TSettingsFile::Write(const QString& path, const QStringList& lines) {
    TSafeFile::Replace(path, {Format(lines)}, {});
}
