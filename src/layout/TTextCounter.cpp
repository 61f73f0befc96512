#include "layout/TTextCounter.h"

#include "layout/TParagraphs.h"

namespace {

// A fixed seed: the key must not depend on the process.
constexpr size_t kSeed = 0x9E3779B97F4A7C15ull;
// Paragraphs this short are laid out faster than they are looked up.
constexpr qsizetype kShortParagraph = 8;

quint64 KeyOf(QStringView paragraph) {
    return static_cast<quint64>(qHash(paragraph, kSeed)) ^
           (static_cast<quint64>(paragraph.size()) * 0xFF51AFD7ED558CCDull);
}

}  // namespace

TTextCounter::TTextCounter(TLayoutOptions options) : layout_(options) {}

void TTextCounter::SetOptions(const TLayoutOptions& options) {
    if (options == layout_.Options()) return;
    layout_ = TLineLayout(options);
    kept_.clear();
}

TTextCounts TTextCounter::Count(QStringView text) {
    BeginPass();
    const TTextCounts counts = Add(text);
    EndPass();
    return counts;
}

void TTextCounter::BeginPass() {
    ++pass_;
    metThisPass_ = 0;
}

TTextCounts TTextCounter::Add(QStringView piece) {
    TTextCounts counts;
    TParagraphs::ForEach(piece,
                         [&](QStringView paragraph, qsizetype) { counts += Paragraph(paragraph); });
    return counts;
}

void TTextCounter::EndPass() {
    if (kept_.size() <= 2 * metThisPass_ + 64) return;
    for (auto it = kept_.begin(); it != kept_.end();)
        it = it->pass == pass_ ? std::next(it) : kept_.erase(it);
}

TTextCounts TTextCounter::Paragraph(QStringView paragraph) {
    if (paragraph.size() < kShortParagraph) {
        ++laidOut_;
        return layout_.CountParagraph(paragraph);
    }
    TKept& kept = kept_[KeyOf(paragraph)];
    if (kept.pass == 0) {
        kept.counts = layout_.CountParagraph(paragraph);
        ++laidOut_;
    }
    if (kept.pass != pass_) ++metThisPass_;
    kept.pass = pass_;
    return kept.counts;
}
