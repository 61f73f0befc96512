#pragma once

#include <QString>
#include <exception>

#include "platform/SystemReason.h"

// A failure that ends the current command. Its text is the Japanese message the
// application-wide error box shows; the program keeps running afterwards.
class AppError : public std::exception {
  public:
    explicit AppError(QString text) : text_(std::move(text)), utf8_(text_.toUtf8()) {}

    const QString& Text() const { return text_; }
    const char* what() const noexcept override { return utf8_.constData(); }

    // error: the system's error number when known; its reason then goes on a second line.
    static AppError CannotOpen(const QString& path, int error = 0) {
        return AppError(WithReason(QStringLiteral("ファイル %1 は開けません").arg(path),
                                   SystemReason::Text(error, SystemReason::Access::Read)));
    }
    static AppError CannotCreate(const QString& path, int error = 0) {
        return AppError(WithReason(QStringLiteral("ファイル %1 を作成できません").arg(path),
                                   SystemReason::Text(error, SystemReason::Access::Write)));
    }
    // A path that names a folder, a pipe or a device: reading it could wait forever.
    static AppError NotARegularFile(const QString& path) {
        return AppError(
            QStringLiteral("ファイル %1 は開けません。通常のファイルではありません。").arg(path));
    }
    // A window size in the settings larger than the desktop.
    static AppError LargerThanScreen(const QString& value) {
        return AppError(
            QStringLiteral("'%1' は画面より大きいため、画面の大きさにします").arg(value));
    }
    static AppError NotAnInteger(const QString& value) {
        return AppError(QStringLiteral("'%1' は整数ではありません").arg(value));
    }

  private:
    static QString WithReason(const QString& text, const QString& reason) {
        return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
    }

    QString text_;
    QByteArray utf8_;
};
