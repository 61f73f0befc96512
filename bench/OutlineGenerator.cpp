#include "OutlineGenerator.h"

#include <QStringList>
#include <random>

#include "document/TDocumentReader.h"
#include "document/TOutline.h"
#include "platform/Cp932Codec.h"

namespace {

constexpr int kItems = 10'000;
constexpr int kMaxLevel = 6;
constexpr qsizetype kLargeText = 1 << 20;

const QStringList& Words() {
    static const QStringList words = {
        QStringLiteral("計画"),     QStringLiteral("詳細"),     QStringLiteral("メモ"),
        QStringLiteral("会議"),     QStringLiteral("資料"),     QStringLiteral("予定表"),
        QStringLiteral("買い物"),   QStringLiteral("旅行"),     QStringLiteral("読書"),
        QStringLiteral("アイデア"), QStringLiteral("下書き"),   QStringLiteral("報告書"),
        QStringLiteral("第一章"),   QStringLiteral("まとめ"),   QStringLiteral("課題"),
        QStringLiteral("連絡先"),   QStringLiteral("東京"),     QStringLiteral("大阪"),
        QStringLiteral("来週"),     QStringLiteral("確認事項"), QStringLiteral("～"),
        QStringLiteral("①"),        QStringLiteral("ソフト"),   QStringLiteral("表示"),
    };
    return words;
}

// Sentences in code page 932, each ending with CR LF.
QList<QByteArray> Sentences(std::mt19937& random) {
    QList<QByteArray> sentences;
    std::uniform_int_distribution<int> word(0, int(Words().size()) - 1), length(3, 14);
    for (int i = 0; i < 64; ++i) {
        QString line;
        const int n = length(random);
        for (int w = 0; w < n; ++w)
            line += Words()[word(random)] + (w % 4 == 3 ? QStringLiteral("、") : QString());
        line += i % 5 == 0 ? QStringLiteral(" (ASCII text: a:b=c, \"quoted\")。")
                           : QStringLiteral("。");
        sentences << Cp932Codec::Encode(line).bytes + "\r\n";
    }
    return sentences;
}

}  // namespace

const GeneratedOutline& GenerateOutline() {
    static const GeneratedOutline outline = [] {
        GeneratedOutline g;
        std::mt19937 random(20240611);
        const QList<QByteArray> sentences = Sentences(random);
        std::uniform_int_distribution<int> sentence(0, int(sentences.size()) - 1);
        std::uniform_int_distribution<int> word(0, int(Words().size()) - 1);
        std::uniform_int_distribution<int> small(600, 3000);
        std::uniform_int_distribution<int> percent(0, 99);
        g.itemCount = kItems;
        g.largeItems = {1200, 3700, 6100, 8800};

        QByteArray tree = "Tree=" + QByteArray::number(kItems);
        QByteArray items;
        QByteArray texts;
        texts.reserve(21 << 20);
        // parents[l] is the absolute index of the last item of level l (1-based levels).
        int parents[kMaxLevel + 1] = {};
        int level = 0;
        for (int k = 0; k < kItems; ++k) {
            // The next level: deeper by one at most, never below the first.
            std::uniform_int_distribution<int> next(1, std::min(level + 1, kMaxLevel));
            level = k == 0 ? 1 : next(random);
            g.maxLevel = std::max(g.maxLevel, level);
            parents[level] = k;

            QString label = Words()[word(random)] + Words()[word(random)] + QString::number(k);
            items += (level == 1 ? QByteArray("nil") : QByteArray::number(parents[level - 1])) +
                     ':' + Cp932Codec::Encode(label).bytes + ':' +
                     (percent(random) < 40 ? '1' : '0') + "\r\n";

            qsizetype size = percent(random) < 10 ? 0 : small(random);
            if (g.largeItems.contains(k)) size = kLargeText;
            int lines = 0;
            const qsizetype start = texts.size();
            while (texts.size() - start < size) {
                texts += sentences[sentence(random)];
                ++lines;
            }
            tree += ',' + QByteArray::number(k) + '=' + QByteArray::number(lines);
        }
        g.textBytes = texts.size();
        g.document = "qlm oe data form 1.3\r\n" + tree + "\r\n" + items + texts;
        return g;
    }();
    return outline;
}

TOutlineSearch::TSnapshot OpenGeneratedOutline(const TItemTextStore& store) {
    int next = 0;
    const TDocumentReader::Result read = TDocumentReader::Read(
        GenerateOutline().document, [&] { return next++; }, store);
    TOutlineSearch::TSnapshot snapshot = TOutlineSearch::Snapshot(read.outline, store, nullptr, {});
    store.FinishWriting();
    return snapshot;
}

QString ProseOf(const QStringList& sentences, qsizetype characters) {
    QString text;
    text.reserve(characters + 400);
    quint32 seed = 12345;
    while (text.size() < characters) {
        seed = seed * 1103515245 + 12345;
        const int count = 1 + static_cast<int>((seed >> 16) % 8);
        for (int i = 0; i < count; ++i) text += sentences[(seed >> (i + 3)) % sentences.size()];
        text += u'\n';
    }
    text.truncate(characters);
    return text;
}
