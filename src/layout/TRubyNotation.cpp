#include "layout/TRubyNotation.h"

namespace {

constexpr char16_t kOpen = u'《';
constexpr char16_t kClose = u'》';

bool IsBar(QChar c) { return c == u'｜' || c == u'|'; }

}  // namespace

// One pass over a paragraph: text before a notation is flushed as a run when the
// notation is recognised; everything not recognised stays in the pending run.
class TRubyNotation::TParser {
  public:
    TParser(QStringView text, bool withReadings, std::vector<TRun>& runs, std::vector<TSpan>* spans)
        : text_(text), withReadings_(withReadings), runs_(runs), spans_(spans) {}

    void Run() {
        qsizetype i = 0;
        while (i < text_.size()) {
            const QChar c = text_[i];
            if (IsBar(c))
                i = AfterBar(i);
            else if (c == kOpen)
                i = AfterOpen(i);
            else
                ++i;
        }
        Flush(text_.size());
    }

  private:
    // A bar at i: "｜《" (a plain 《), or the base of ruby up to the next 《.
    qsizetype AfterBar(qsizetype i) {
        if (i + 1 < text_.size() && text_[i + 1] == kOpen) {
            Flush(i);
            pending_ = i + 1;
            return i + 2;
        }
        const qsizetype open = text_.indexOf(kOpen, i + 1);
        if (open < 0) return i + 1;
        for (qsizetype k = i + 1; k < open; ++k)
            if (IsBar(text_[k])) return i + 1;  // a later bar begins the base
        return Ruby(i, i + 1, open) ? ReadingEnd(open) + 1 : i + 1;
    }

    // A 《 without a bar: emphasis "《《…》》", or ruby over the kanji right before it.
    qsizetype AfterOpen(qsizetype i) {
        if (i + 1 < text_.size() && text_[i + 1] == kOpen) {
            const qsizetype close = text_.indexOf(QStringView(u"》》"), i + 2);
            if (close < 0) return i + 2;
            Flush(i);
            Add(i + 2, close);
            if (spans_) spans_->push_back({i + 2, close, close, close, true});
            pending_ = close + 2;
            return close + 2;
        }
        qsizetype base = i;
        while (base > pending_) {
            const qsizetype before = StartOfCharacterBefore(base);
            if (!IsKanji(CodePointAt(before))) break;
            base = before;
        }
        if (base == i) return i + 1;
        return Ruby(base, base, i) ? ReadingEnd(i) + 1 : i + 1;
    }

    // Ruby whose notation begins at mark (the bar, or the base without one), base text
    // [baseBegin, open); false when no reading is closed.
    bool Ruby(qsizetype mark, qsizetype baseBegin, qsizetype open) {
        const qsizetype close = ReadingEnd(open);
        if (close < 0 || close == open + 1 || baseBegin == open) return false;
        Flush(mark);
        Add(baseBegin, open);
        if (withReadings_) Add(open + 1, close);
        if (spans_) spans_->push_back({baseBegin, open, open + 1, close, false});
        pending_ = close + 1;
        return true;
    }

    qsizetype ReadingEnd(qsizetype open) const { return text_.indexOf(kClose, open + 1); }

    qsizetype StartOfCharacterBefore(qsizetype at) const {
        if (at >= 2 && text_[at - 1].isLowSurrogate() && text_[at - 2].isHighSurrogate())
            return at - 2;
        return at - 1;
    }

    char32_t CodePointAt(qsizetype at) const {
        if (at + 1 < text_.size() && text_[at].isHighSurrogate() && text_[at + 1].isLowSurrogate())
            return QChar::surrogateToUcs4(text_[at], text_[at + 1]);
        return text_[at].unicode();
    }

    void Flush(qsizetype end) { Add(pending_, end); }

    void Add(qsizetype begin, qsizetype end) {
        if (end > begin) runs_.push_back({begin, end});
    }

    QStringView text_;
    bool withReadings_;
    std::vector<TRun>& runs_;
    std::vector<TSpan>* spans_;
    qsizetype pending_ = 0;  // start of the text not yet given as a run
};

void TRubyNotation::Parse(QStringView paragraph, bool withReadings, std::vector<TRun>& runs,
                          std::vector<TSpan>* spans) {
    if (!paragraph.contains(kOpen)) {
        if (!paragraph.isEmpty()) runs.push_back({0, paragraph.size()});
        return;
    }
    TParser(paragraph, withReadings, runs, spans).Run();
}

bool TRubyNotation::IsKanji(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == U'々' ||
           c == U'〆' || c == U'ヶ';
}
