#include "document/TByteLines.h"

#include <cstring>

#include "document/TTextLines.h"

TByteLines::TByteLines(QByteArrayView text, Breaks breaks) : text_(text) {
    // Documents are written with CR LF; that common case is split with fast searches.
    if (breaks == Breaks::LfOnly || !SplitCrLf()) SplitAt(breaks == Breaks::Any);
}

// Splits text written with CR LF line breaks only (every line but perhaps the last one
// ends at an LF with a CR before it); false for any other text.
bool TByteLines::SplitCrLf() {
    const qsizetype broken = text_.lastIndexOf('\n') + 1;  // the part whose lines have a break
    const qsizetype count = TTextLines::CountCrLfLines(text_.first(broken));
    if (count < 0 || text_.sliced(broken).contains('\r')) return false;
    begin_.reserve(count + 2);
    end_.reserve(count + 1);
    const char* data = text_.data();
    for (qsizetype begin = 0; begin < broken;) {
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(data + begin, '\n', broken - begin));
        const qsizetype at = lineFeed - data;
        begin_.push_back(begin);
        end_.push_back(at - 1);
        begin = at + 1;
    }
    if (broken < text_.size()) {
        begin_.push_back(broken);
        end_.push_back(text_.size());
    }
    begin_.push_back(text_.size());
    return true;
}

// Splits text at every LF, and with anyBreak at CR LF and a lone CR too.
void TByteLines::SplitAt(bool anyBreak) {
    const qsizetype size = text_.size();
    qsizetype begin = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text_[i];
        if (c != '\n' && (!anyBreak || c != '\r')) continue;
        begin_.push_back(begin);
        end_.push_back(i);
        if (c == '\r' && i + 1 < size && text_[i + 1] == '\n') ++i;
        begin = i + 1;
    }
    if (begin < size) {
        begin_.push_back(begin);
        end_.push_back(size);
    }
    begin_.push_back(size);
}

QString TByteLines::Shown(const QString& decoded) {
    constexpr qsizetype kLimit = 40;
    return decoded.size() > kLimit ? decoded.left(kLimit) + QStringLiteral("…") : decoded;
}
