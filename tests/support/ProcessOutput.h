#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// What program writes to its standard output when run with arguments (an outside reader
// such as pdfinfo or pdftotext).
inline QString ProcessOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
