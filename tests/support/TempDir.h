#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "support/Printers.h"

// A private folder for one test, removed with it.
class TempDir {
  public:
    TempDir() { dir_.setAutoRemove(true); }
    QString Path() const { return dir_.path() + QLatin1Char('/'); }
    QString File(const QString& name) const { return Path() + name; }

    void Write(const QString& name, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(File(name)).absolutePath());
        QFile file(File(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray Read(const QString& name) const {
        QFile file(File(name));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

  private:
    QTemporaryDir dir_;
};
