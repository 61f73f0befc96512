#pragma once

#include <QString>
#include <functional>

// Why the system refused a file operation, for the second line of an error message:
// the common reasons in the program's own words, any other in the system's.
class SystemReason {
  public:
    enum class Access { Read, Write };

    // The text for an error number (errno); empty for 0 or less, when no reason is known.
    // A missing name means a missing folder when writing and a missing file when
    // reading.
    static QString Text(int error, Access access);

    // Runs call with errno cleared. Returns 0 when it succeeded, otherwise the error
    // number it left, read right after it (-1 when it left none).
    static int ErrorOf(const std::function<bool()>& call);
};
