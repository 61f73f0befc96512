#include "settings/TSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/SystemReason.h"

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
    QSaveFile file(path);
    const QByteArray bytes = Format(lines);
    // Each step's errno is read right after it; flush() writes what commit() would, where
    // the reason of a failure is still known.
    int error = SystemReason::ErrorOf([&] { return file.open(QIODevice::WriteOnly); });
    if (error == 0)
        error = SystemReason::ErrorOf(
            [&] { return file.write(bytes) == bytes.size() && file.flush(); });
    if (error == 0) error = SystemReason::ErrorOf([&] { return file.commit(); });
    if (error != 0) throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
}
