#pragma once

#include <QString>
#include <functional>

class QPdfWriter;

// A PDF file written whole or not at all: it takes its name only when every page is
// written, and a stopped or failed PDF leaves nothing behind.
class TPdfFile {
  public:
    enum class TPainted { Complete, Stopped, Failed };

    // Opens a writer on path, titled after the file, and lets paint fill it. Returns false
    // when paint stopped; throws AppError when the file cannot be written.
    static bool Write(const QString& path, const std::function<TPainted(QPdfWriter&)>& paint);
};
