#include "TSkinArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "TSkinIcons.h"
#include "TSkinPaper.h"

namespace {

// Palette. A warm paper surface, graphite ink, and one green accent for
// every active look.
const QColor kInk(60, 64, 68);
const QColor kInkSoft(128, 128, 124);
const QColor kFace(252, 251, 248);
const QColor kHairline(212, 207, 198);
const QColor kAccent(38, 138, 98);
const QColor kAccentDark(24, 100, 70);
const QColor kAccentLight(70, 166, 124);
const QColor kTitleBand(0, 0, 0);
const QColor kMenuBand(77, 77, 77);

QFont Font(int pixelSize, QFont::Weight weight = QFont::Normal, bool serif = false,
           bool condensed = false) {
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    if (condensed) f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage Rgb(const QImage& img) { return img.convertToFormat(QImage::Format_RGB888); }

}  // namespace

QImage TSkinArt::Back() const { return paper_.Patch(0, 0, 100, 100); }

QImage TSkinArt::Title() const {
    QImage img = paper_.Flat(140, 60);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    TSkinIcons::Mark(p, QRectF(4, 12, 26, 26), kAccent, Qt::white);
    QFont word = Font(20, QFont::Bold, true);
    while (QFontMetricsF(word).horizontalAdvance(QStringLiteral("Hedgerow")) > 100) {
        word.setPixelSize(word.pixelSize() - 1);
    }
    p.setFont(word);
    p.setPen(kInk);
    p.drawText(QPointF(37, 33), QStringLiteral("Hedgerow"));
    QFont sub = Font(8, QFont::Bold);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 1.4);
    p.setFont(sub);
    p.setPen(kInkSoft);
    p.drawText(QPointF(38, 47), QStringLiteral("OUTLINE EDITOR"));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(4, 43, 26, 2.5), 1.25, 1.25);
    return img;
}

QImage TSkinArt::TitleBar(bool active) const {
    QImage img = paper_.Blank(300, 24, kTitleBand);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    TSkinIcons::Mark(p, QRectF(2, 3, 18, 18), active ? kAccent : QColor(62, 62, 62),
                     active ? QColor(Qt::white) : QColor(150, 150, 150));
    QFont name = Font(13, QFont::Bold);
    p.setFont(name);
    p.setPen(active ? QColor(246, 246, 246) : QColor(132, 132, 132));
    p.drawText(QPointF(28, 17), QStringLiteral("Hedgerow"));
    const double x = 28 + QFontMetricsF(name).horizontalAdvance(QStringLiteral("Hedgerow")) + 9;
    p.setFont(Font(12));
    p.setPen(active ? QColor(150, 150, 150) : QColor(92, 92, 92));
    p.drawText(QPointF(x, 17), QStringLiteral("outline editor"));
    return img;
}

QImage TSkinArt::SystemButton(const QString& kind) const {
    QImage img = paper_.Blank(30, 30, kTitleBand);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(28, 28, 28));
    p.drawEllipse(QPointF(15, 15), 11, 11);
    const QColor ink(214, 214, 214);
    p.setPen(TSkinIcons::Stroke(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    if (kind == QLatin1String("Minimize")) {
        p.drawLine(QPointF(10.5, 18.5), QPointF(19.5, 18.5));
    } else if (kind == QLatin1String("Maximize")) {
        p.drawRect(QRectF(10.5, 10.5, 9, 9));
        p.drawLine(QPointF(10.5, 11.5), QPointF(19.5, 11.5));
    } else if (kind == QLatin1String("Normalize")) {
        QPainterPath behind;
        behind.moveTo(12.5, 10.5);
        behind.lineTo(12.5, 8.5);
        behind.lineTo(21.5, 8.5);
        behind.lineTo(21.5, 17.5);
        behind.lineTo(19.5, 17.5);
        p.drawPath(behind);
        p.drawRect(QRectF(8.5, 12.5, 9, 9));
    } else {
        p.setPen(TSkinIcons::Stroke(QColor(232, 232, 232), 1.7));
        p.drawLine(QPointF(11, 11), QPointF(19, 19));
        p.drawLine(QPointF(19, 11), QPointF(11, 19));
    }
    return img;
}

QImage TSkinArt::MenuTitle(const QString& word, int width, bool active) const {
    // Drawn from y = 34: the top six rows lie on the title band.
    QImage img = paper_.Blank(width, 26, kMenuBand);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    p.fillRect(QRect(0, 0, width, 6), kTitleBand);
    if (active) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(1, 8, width - 2, 16), 8, 8);
    }
    QFont f = Font(12, active ? QFont::DemiBold : QFont::Normal);
    p.setFont(f);
    p.setPen(active ? QColor(Qt::white) : QColor(226, 226, 226));
    p.drawText(QRectF(0, 8, width, 16), Qt::AlignCenter, word);
    return img;
}

QImage TSkinArt::ToolButton(const QString& icon, int x, int y, bool active) const {
    QImage img = paper_.Patch(x, y, 50, 50);
    const QRectF card(5.5, 4.5, 39, 39);
    const QPainterPath shape = TSkinIcons::RoundedRect(card, 9);
    paper_.SoftShadow(img, shape, QPointF(0, active ? 2.0 : 1.5), active ? 3 : 2,
                      active ? 0.30 : 0.20);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    p.setPen(QPen(active ? kAccentDark : kHairline, 1));
    if (active) {
        QLinearGradient g(card.topLeft(), card.bottomLeft());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setBrush(g);
    } else {
        p.setBrush(kFace);
    }
    p.drawPath(shape);
    // The 24-pixel icon grid enlarged to 28 pixels, centred on the card.
    p.translate(card.center() - QPointF(14, 14));
    p.scale(28.0 / 24.0, 28.0 / 24.0);
    TSkinIcons::ToolIcon(p, icon, active ? QColor(Qt::white) : kInk, active ? kAccent : kFace);
    return img;
}

QImage TSkinArt::ArrowButton(const QString& dir, int x, int y, bool active) const {
    QImage img = paper_.Patch(x, y, 30, 30);
    QPainterPath circle;
    circle.addEllipse(QPointF(15, 14.5), 11.5, 11.5);
    paper_.SoftShadow(img, circle, QPointF(0, 1.3), 2, active ? 0.28 : 0.20);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    p.setPen(QPen(active ? kAccentDark : kHairline, 1));
    if (active) {
        QLinearGradient g(0, 3, 0, 26);
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setBrush(g);
    } else {
        p.setBrush(kFace);
    }
    p.drawPath(circle);
    TSkinIcons::Chevron(p, dir, active ? QColor(Qt::white) : kInk, QPointF(15, 14.5));
    return img;
}

QImage TSkinArt::ItemButton(const QString& word, int x, int y, const QString& look) const {
    QImage img = paper_.Patch(x, y, 90, 30);
    const bool pressed = look == QLatin1String("Click");
    const bool active = look == QLatin1String("Active");
    const QRectF pill(2.5, pressed ? 3.5 : 2.5, 85, 24);
    const QPainterPath shape = TSkinIcons::RoundedRect(pill, 12);
    if (!pressed) paper_.SoftShadow(img, shape, QPointF(0, 1.5), 2, active ? 0.30 : 0.20);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    if (pressed) {
        p.setPen(QPen(QColor(18, 76, 53), 1));
        p.setBrush(kAccentDark);
        p.drawPath(shape);
        // Inner shadow along the top: the button sits below the surface.
        p.save();
        p.setClipPath(shape);
        QLinearGradient g(0, pill.top(), 0, pill.top() + 7);
        g.setColorAt(0, QColor(0, 0, 0, 110));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(pill, g);
        p.restore();
    } else if (active) {
        QLinearGradient g(0, pill.top(), 0, pill.bottom());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setPen(QPen(kAccentDark, 1));
        p.setBrush(g);
        p.drawPath(shape);
    } else {
        p.setPen(QPen(kHairline, 1));
        p.setBrush(kFace);
        p.drawPath(shape);
    }
    QFont f = Font(12, QFont::DemiBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(f);
    p.setPen(pressed ? QColor(214, 236, 224) : active ? QColor(Qt::white) : kInk);
    p.drawText(pill.translated(0, -0.5), Qt::AlignCenter, word);
    return img;
}

QImage TSkinArt::LinkTab(const QString& word, int height, bool active) const {
    QImage img = paper_.Flat(14, height);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    QPainterPath tab;
    const double r = 4;
    tab.moveTo(14, 0);
    tab.lineTo(r, 0);
    tab.quadTo(0, 0, 0, r);
    tab.lineTo(0, height - r);
    tab.quadTo(0, height, r, height);
    tab.lineTo(14, height);
    tab.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(active ? kAccent : kMenuBand);
    p.drawPath(tab);
    QFont f = Font(10, QFont::Normal, false, true);
    while (f.pixelSize() > 7 && QFontMetricsF(f).horizontalAdvance(word) > height - 5) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    // Set horizontally on the pixel grid, then turned a quarter to read from
    // top to bottom: crisper than text drawn through a rotation.
    // The tab's last two columns lie on the window border; the text keeps to
    // the 12 columns inside it.
    QImage text = paper_.Blank(height, 12, Qt::transparent);
    {
        QPainter t(&text);
        TSkinPaper::SmoothHints(t);
        t.setFont(f);
        t.setPen(active ? QColor(Qt::white) : QColor(228, 228, 228));
        t.drawText(QRectF(0, 0, height, 12), Qt::AlignCenter, word);
    }
    QImage turned = text.transformed(QTransform().rotate(90));
    turned.setDevicePixelRatio(text.devicePixelRatio());
    p.drawImage(0, 0, turned);
    return img;
}

QVector<TArtFile> TSkinArt::RoundFrame() const {
    // The frame spans (10, 130)-(130, 270). One engraved line (dark, with a
    // light line one pixel below and right) runs 4.5 pixels in from every
    // outer edge, so the left and right, top and bottom pieces are identical.
    QImage whole = paper_.Blank(120, 140, TSkinPaper::Base());
    {
        QPainter p(&whole);
        TSkinPaper::SmoothHints(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 1));
        p.drawRoundedRect(QRectF(5.5, 5.5, 110, 130), 6, 6);
        p.setPen(QPen(QColor(196, 190, 179), 1));
        p.drawRoundedRect(QRectF(4.5, 4.5, 110, 130), 6, 6);
    }
    const int s = paper_.Scale();
    auto piece = [&](int x, int y) { return Rgb(whole.copy(x * s, y * s, 10 * s, 10 * s)); };
    return {
        {QStringLiteral("RoundFrame_TopLeft.bmp"), piece(0, 0)},
        {QStringLiteral("RoundFrame_TopRight.bmp"), piece(110, 0)},
        {QStringLiteral("RoundFrame_BottomLeft.bmp"), piece(0, 130)},
        {QStringLiteral("RoundFrame_BottomRight.bmp"), piece(110, 130)},
        {QStringLiteral("RoundFrame_Vertical.bmp"), piece(0, 60)},
        {QStringLiteral("RoundFrame_Horizontal.bmp"), piece(50, 0)},
    };
}

QImage TSkinArt::ItemImage(bool selected) const {
    QImage img = paper_.Blank(16, 16, Qt::transparent);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 3.5, 3.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5, 6, 6, 1.6), 0.8, 0.8);
        p.drawRoundedRect(QRectF(5, 9, 4, 1.6), 0.8, 0.8);
    } else {
        p.setPen(QPen(QColor(150, 146, 138), 1.2));
        p.setBrush(kFace);
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 146, 138));
        p.drawRoundedRect(QRectF(5, 6, 6, 1.4), 0.7, 0.7);
        p.drawRoundedRect(QRectF(5, 9, 4, 1.4), 0.7, 0.7);
    }
    return img;
}

QImage TSkinArt::Icon(int size) const {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    const double s = size / 64.0;
    p.scale(s, s);
    QLinearGradient g(0, 2, 0, 62);
    g.setColorAt(0, kAccentLight);
    g.setColorAt(1, kAccentDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    // A sheet of paper carrying the outline mark.
    p.setBrush(kFace);
    p.drawRoundedRect(QRectF(13, 11, 38, 42), 5, 5);
    TSkinIcons::Mark(p, QRectF(17, 17, 30, 30), kFace, kAccentDark);
    return img;
}

QImage TSkinArt::About() const {
    QImage img = paper_.Patch(0, 0, 190, 160);
    QPainter p(&img);
    TSkinPaper::SmoothHints(p);
    p.fillRect(QRect(0, 0, 190, 44), kTitleBand);
    p.fillRect(QRect(0, 44, 190, 6), kMenuBand);
    TSkinIcons::Mark(p, QRectF(14, 10, 24, 24), kAccent, Qt::white);
    p.setFont(Font(17, QFont::Bold, true));
    p.setPen(QColor(246, 246, 246));
    p.drawText(QPointF(46, 29), QStringLiteral("Hedgerow"));

    // A small outline, as the editor shows it.
    struct Row {
        int depth;
        int length;
        bool selected;
    };
    const Row rows[] = {
        {0, 64, false}, {1, 48, true}, {2, 40, false}, {1, 56, false}, {0, 52, false}};
    double y = 64;
    for (const Row& r : rows) {
        const double x = 18 + r.depth * 14;
        if (r.depth > 0) {
            p.setPen(TSkinIcons::Stroke(QColor(190, 184, 173), 1.2));
            p.drawLine(QPointF(x - 9, y - 9), QPointF(x - 9, y));
            p.drawLine(QPointF(x - 9, y), QPointF(x - 4, y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(r.selected ? kAccent : QColor(150, 146, 138));
        p.drawEllipse(QPointF(x, y), 3, 3);
        p.setBrush(r.selected ? kAccent : QColor(205, 200, 191));
        p.drawRoundedRect(QRectF(x + 7, y - 2.5, r.length, 5), 2.5, 2.5);
        y += 15;
    }
    p.setPen(kInk);
    p.setFont(Font(10, QFont::Bold));
    p.drawText(QRectF(0, 136, 176, 12), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("outline editor"));
    p.setPen(kInkSoft);
    p.setFont(Font(9));
    p.drawText(QRectF(0, 147, 176, 11), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("version 1.08"));
    return img;
}

QVector<TArtFile> TSkinArt::SkinFiles() const {
    QVector<TArtFile> out;
    auto add = [&](const QString& name, const QImage& img) { out.append({name, Rgb(img)}); };

    add(QStringLiteral("Back.bmp"), Back());
    add(QStringLiteral("Title.bmp"), Title());
    add(QStringLiteral("TitleBar_Active.bmp"), TitleBar(true));
    add(QStringLiteral("TitleBar_Deactive.bmp"), TitleBar(false));
    for (const char* kind : {"Minimize", "Maximize", "Normalize", "Close"}) {
        add(QStringLiteral("SystemButton_%1.bmp").arg(QLatin1String(kind)),
            SystemButton(QLatin1String(kind)));
    }

    struct Menu {
        const char* word;
        int width;
    };
    // Widths follow the hit rectangles of the menu titles.
    for (const Menu& m : {Menu{"file", 32}, Menu{"edit", 42}, Menu{"view", 46}, Menu{"option", 68},
                          Menu{"help", 46}}) {
        const QString word = QLatin1String(m.word);
        add(QStringLiteral("SystemMenu_%1_Normal.bmp").arg(word), MenuTitle(word, m.width, false));
        add(QStringLiteral("SystemMenu_%1_Active.bmp").arg(word), MenuTitle(word, m.width, true));
    }

    struct Tool {
        const char* stem;
        const char* icon;
        int x;
    };
    for (const Tool& t :
         {Tool{"NewFile", "new", 20}, Tool{"OpenFile", "open", 70}, Tool{"SaveFile", "save", 120},
          Tool{"PasteBrother", "pastebrother", 220}, Tool{"PasteChild", "pastechild", 270},
          Tool{"Cut", "cut", 370}, Tool{"Copy", "copy", 420}, Tool{"Paste", "paste", 470},
          Tool{"Undo", "undo", 520}}) {
        const QString stem = QLatin1String(t.stem);
        const QString icon = QLatin1String(t.icon);
        add(QStringLiteral("Item_%1_Normal.bmp").arg(stem), ToolButton(icon, t.x, 70, false));
        add(QStringLiteral("Item_%1_Active.bmp").arg(stem), ToolButton(icon, t.x, 70, true));
    }

    struct Arrow {
        const char* dir;
        int x, y;
    };
    for (const Arrow& a : {Arrow{"up", 55, 280}, Arrow{"down", 55, 340}, Arrow{"left", 25, 310},
                           Arrow{"right", 85, 310}}) {
        const QString dir = QLatin1String(a.dir);
        add(QStringLiteral("Item_%1_Normal.bmp").arg(dir), ArrowButton(dir, a.x, a.y, false));
        add(QStringLiteral("Item_%1_Active.bmp").arg(dir), ArrowButton(dir, a.x, a.y, true));
    }

    struct Item {
        const char* word;
        int y;
    };
    for (const Item& b : {Item{"brother", 140}, Item{"child", 180}, Item{"delete", 220}}) {
        const QString word = QLatin1String(b.word);
        for (const char* look : {"Normal", "Active", "Click"}) {
            add(QStringLiteral("Button_%1_%2.bmp").arg(word, QLatin1String(look)),
                ItemButton(word, 20, b.y, QLatin1String(look)));
        }
    }

    add(QStringLiteral("e-mail_Normal.bmp"), LinkTab(QStringLiteral("e-mail"), 30, false));
    add(QStringLiteral("e-mail_Active.bmp"), LinkTab(QStringLiteral("e-mail"), 30, true));
    add(QStringLiteral("homepage_Normal.bmp"), LinkTab(QStringLiteral("homepage"), 60, false));
    add(QStringLiteral("homepage_Active.bmp"), LinkTab(QStringLiteral("homepage"), 60, true));

    for (const char* piece : {"TopRight", "Right", "BottomLeft", "Bottom", "BottomRight"}) {
        add(QStringLiteral("Shadow_%1.bmp").arg(QLatin1String(piece)),
            paper_.ShadowPiece(QLatin1String(piece)));
    }
    out += RoundFrame();
    return out;
}

QVector<TArtFile> TSkinArt::IconFiles() const {
    QVector<TArtFile> out;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        out.append({QStringLiteral("hedgerow-%1.png").arg(size), Icon(size)});
    return out;
}

QVector<TArtFile> TSkinArt::ResourceFiles() const {
    if (paper_.Scale() > 1) {
        // Found by Qt beside the ordinary files for screens of that density.
        const QString suffix = QStringLiteral("@%1x.png").arg(paper_.Scale());
        return {
            {QStringLiteral("item") + suffix, ItemImage(false)},
            {QStringLiteral("item_selected") + suffix, ItemImage(true)},
            {QStringLiteral("about") + suffix, About()},
        };
    }
    return {
        {QStringLiteral("item.png"), ItemImage(false)},
        {QStringLiteral("item_selected.png"), ItemImage(true)},
        {QStringLiteral("icon.png"), Icon(64)},
        {QStringLiteral("about.png"), About()},
    };
}
