#include "ui/TPdfFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/AppError.h"
#include "platform/SystemReason.h"

bool TPdfFile::Write(const QString& path, const std::function<TPainted(QPdfWriter&)>& paint) {
    QSaveFile file(path);
    const auto failure = [&](int error) {
        file.cancelWriting();
        return AppError::CannotCreate(QDir::toNativeSeparators(path), error);
    };
    if (const int error = SystemReason::ErrorOf([&] { return file.open(QIODevice::WriteOnly); }))
        throw failure(error);
    TPainted painted = TPainted::Failed;
    {
        QPdfWriter writer(&file);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("Hedgerow"));
        painted = paint(writer);
    }
    if (painted == TPainted::Stopped) {
        file.cancelWriting();
        return false;
    }
    if (painted == TPainted::Failed) throw failure(0);
    // What is still buffered goes out before the commit, where the reason of a full disk
    // is still known.
    int error = SystemReason::ErrorOf([&] { return file.flush(); });
    if (error == 0) error = SystemReason::ErrorOf([&] { return file.commit(); });
    if (error != 0) throw failure(error);
    return true;
}
