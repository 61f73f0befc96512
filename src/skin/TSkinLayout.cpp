#include "skin/TSkinLayout.h"

#include <array>

namespace {

// Pixels from a to b with a included and b excluded.
QRect HalfOpen(int x0, int x1, int y0, int y1) { return QRect(x0, y0, x1 - x0, y1 - y0); }

// Pixels from a to b with both ends included.
QRect Closed(int x0, int x1, int y0, int y1) { return QRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1); }

struct FixedButton {
    SkinCode code;
    const char* stem;
    int x, y, w, h;  // drawn at (x, y); hit [x, x + w) x [y, y + h)
};

// Buttons whose places do not depend on the window size.
constexpr std::array<FixedButton, 16> kButtons = {{
    {SkinCode::ButtonBrother, "Button_brother", 20, 140, 90, 30},
    {SkinCode::ButtonChild, "Button_child", 20, 180, 90, 30},
    {SkinCode::ButtonDelete, "Button_delete", 20, 220, 90, 30},
    {SkinCode::ItemUp, "Item_up", 55, 280, 30, 30},
    {SkinCode::ItemDown, "Item_down", 55, 340, 30, 30},
    {SkinCode::ItemLeft, "Item_left", 25, 310, 30, 30},
    {SkinCode::ItemRight, "Item_right", 85, 310, 30, 30},
    {SkinCode::NewFile, "Item_NewFile", 20, 70, 50, 50},
    {SkinCode::OpenFile, "Item_OpenFile", 70, 70, 50, 50},
    {SkinCode::SaveFile, "Item_SaveFile", 120, 70, 50, 50},
    {SkinCode::PasteBrother, "Item_PasteBrother", 220, 70, 50, 50},
    {SkinCode::PasteChild, "Item_PasteChild", 270, 70, 50, 50},
    {SkinCode::Cut, "Item_Cut", 370, 70, 50, 50},
    {SkinCode::Copy, "Item_Copy", 420, 70, 50, 50},
    {SkinCode::Paste, "Item_Paste", 470, 70, 50, 50},
    {SkinCode::Undo, "Item_Undo", 520, 70, 50, 50},
}};

struct MenuTitle {
    SkinCode code;
    const char* stem;
    int x0, x1;  // hit [x0, x1], drawn at (x0, 34)
};

constexpr std::array<MenuTitle, 5> kMenuTitles = {{
    {SkinCode::MenuFile, "SystemMenu_file", 30, 61},
    {SkinCode::MenuEdit, "SystemMenu_edit", 84, 125},
    {SkinCode::MenuView, "SystemMenu_view", 149, 194},
    {SkinCode::MenuOption, "SystemMenu_option", 218, 285},
    {SkinCode::MenuHelp, "SystemMenu_help", 310, 355},
}};

constexpr int kMenuTop = 34;
constexpr int kMenuHitTop = 35;
constexpr int kMenuHitBottom = 57;

// Resize zones, tested only in the normal window state. They do not overlap.
SkinCode ResizeZone(int X, int Y, int W, int H) {
    if (X < 5 && 20 < Y && Y < H - 20) return SkinCode::LeftEdge;
    if (X > W - 5 && 20 < Y && Y < H - 20) return SkinCode::RightEdge;
    if (Y < 5 && 20 < X && X < W - 20) return SkinCode::TopEdge;
    if (Y > H - 5 && 20 < X && X < W - 20) return SkinCode::BottomEdge;
    if ((X < 5 && Y <= 20) || (Y < 5 && X <= 20)) return SkinCode::TopLeftCorner;
    if ((X > W - 5 && Y <= 20) || (Y < 5 && X >= W - 20)) return SkinCode::TopRightCorner;
    if ((X < 5 && Y >= H - 20) || (Y > H - 5 && X <= 20)) return SkinCode::BottomLeftCorner;
    if ((X > W - 5 && Y >= H - 20) || (Y > H - 5 && X >= W - 20)) {
        return SkinCode::BottomRightCorner;
    }
    return SkinCode::None;
}

}  // namespace

int TSkinLayout::Floor10(int v) {
    int q = v / 10;
    if (v % 10 != 0 && v < 0) --q;
    return q * 10;
}

TControlLayout TSkinLayout::LayoutControls(int W, int H, int treeWidth) {
    const int fw = Floor10(W);
    const int top = 130;
    const int height = Floor10(H) - 170;
    TControlLayout out;
    out.Tree = QRect(140, top, treeWidth, height);
    int editorLeft = out.Tree.left() + treeWidth + 20;
    int editorWidth = fw - treeWidth - 190;
    if (editorWidth < 100) {
        editorLeft = fw - 130;
        editorWidth = 100;
        out.Tree.setWidth(fw - 290);
        out.TreeWidthCut = true;
    }
    out.Editor = QRect(editorLeft, top, editorWidth, height);
    return out;
}

bool TSkinLayout::IsOnSplitter(int X, int Y, const QRect& tree, const QRect& editor) {
    const int treeRight = tree.x() + tree.width();
    const int treeBottom = tree.y() + tree.height();
    return treeRight < X && X < editor.x() && tree.y() < Y && Y < treeBottom;
}

TPointerHit TSkinLayout::ClassifyFrame(const TPointerInput& in) {
    const int X = in.X;
    const int Y = in.Y;
    TPointerHit hit;

    // Menu titles are found whatever else is the case.
    for (const MenuTitle& m : kMenuTitles) {
        if (Closed(m.x0, m.x1, kMenuHitTop, kMenuHitBottom).contains(X, Y)) hit.Code = m.code;
    }
    if (in.MenuVisible) {
        hit.StoppedAtMenu = true;
        return hit;
    }

    if (in.State == TWindowState::Normal) {
        const SkinCode zone = ResizeZone(X, Y, in.W, in.H);
        if (zone != SkinCode::None) {
            hit.Code = zone;
            hit.ResizeZone = zone;
        }
    }

    if (hit.Code == SkinCode::None && Y < 35) hit.Code = SkinCode::Caption;

    for (SkinCode code : {SkinCode::Minimize, SkinCode::Maximize, SkinCode::Close}) {
        if (Element(code, in.W, in.H, in.State).Hit.contains(X, Y)) hit.Code = code;
    }

    // Tool row, then item buttons, then arrow pad: the order of the full drawing.
    for (SkinCode code : ButtonDrawOrder()) {
        if (Element(code, in.W, in.H).Hit.contains(X, Y)) hit.Code = code;
    }

    // Link tabs share one column.
    if (in.W - 15 < X && X < in.W - 5) {
        const TSkinElement mail = Element(SkinCode::EMail, in.W, in.H);
        const TSkinElement home = Element(SkinCode::Homepage, in.W, in.H);
        if (mail.Hit.contains(X, Y)) {
            hit.Code = SkinCode::EMail;
        } else if (home.Hit.contains(X, Y)) {
            hit.Code = SkinCode::Homepage;
        }
    }
    return hit;
}

TPointerHit TSkinLayout::Classify(const TPointerInput& in) {
    TPointerHit hit = ClassifyFrame(in);
    if (hit.StoppedAtMenu) return hit;
    if (in.SplitterDragging) hit.Code = SkinCode::Splitter;
    if (IsOnSplitter(in.X, in.Y, in.Tree, in.Editor)) hit.Code = SkinCode::Splitter;
    return hit;
}

QVector<TSkinPlacement> TSkinLayout::ShadowPlacements(const QRect& control) {
    const int L = control.x();
    const int T = control.y();
    const int R = L + control.width();
    const int B = T + control.height();
    QVector<TSkinPlacement> out;
    out.append({QStringLiteral("Shadow_TopRight.bmp"), QPoint(R, T), QRect()});
    // Number of 10-pixel rows of the control, rounded to the nearest whole number.
    const int span = B - T;
    const int n = span >= 0 ? (span + 5) / 10 : -((-span + 4) / 10);
    for (int k = 0; k <= n - 3; ++k) {
        out.append({QStringLiteral("Shadow_Right.bmp"), QPoint(R, T + 20 + 10 * k), QRect()});
    }
    out.append({QStringLiteral("Shadow_BottomLeft.bmp"), QPoint(L, B), QRect()});
    out.append({QStringLiteral("Shadow_Bottom.bmp"), QPoint(L + 20, B),
                QRect(L + 20, B, R - (L + 20), 20)});
    out.append({QStringLiteral("Shadow_BottomRight.bmp"), QPoint(R, B), QRect()});
    return out;
}

TSkinElement TSkinLayout::Element(SkinCode code, int W, int H, TWindowState state) {
    for (const FixedButton& b : kButtons) {
        if (b.code == code) {
            return {code, QString::fromLatin1(b.stem), QPoint(b.x, b.y),
                    HalfOpen(b.x, b.x + b.w, b.y, b.y + b.h)};
        }
    }
    for (const MenuTitle& m : kMenuTitles) {
        if (m.code == code) {
            return {code, QString::fromLatin1(m.stem), QPoint(m.x0, kMenuTop),
                    Closed(m.x0, m.x1, kMenuHitTop, kMenuHitBottom)};
        }
    }
    switch (code) {
        case SkinCode::Minimize:
            return {code, QStringLiteral("SystemButton_Minimize"), QPoint(W - 110, 5),
                    HalfOpen(W - 110, W - 80, 5, 35)};
        case SkinCode::Maximize:
            return {code,
                    state == TWindowState::Maximized ? QStringLiteral("SystemButton_Normalize")
                                                     : QStringLiteral("SystemButton_Maximize"),
                    QPoint(W - 75, 5), HalfOpen(W - 75, W - 45, 5, 35)};
        case SkinCode::Close:
            return {code, QStringLiteral("SystemButton_Close"), QPoint(W - 35, 5),
                    HalfOpen(W - 35, W - 5, 5, 35)};
        case SkinCode::Homepage: {
            const int y0 = Floor10(H - 80);
            // W - 15 < X < W - 5; [Floor10(H - 80), Floor10(H - 20)]
            return {code, QStringLiteral("homepage"), QPoint(W - 15, y0),
                    Closed(W - 14, W - 6, y0, Floor10(H - 20))};
        }
        case SkinCode::EMail: {
            const int y0 = Floor10(H - 130);
            return {code, QStringLiteral("e-mail"), QPoint(W - 15, y0),
                    Closed(W - 14, W - 6, y0, Floor10(H - 100))};
        }
        default: return {};
    }
}

QVector<TSkinElement> TSkinLayout::Elements(int W, int H, TWindowState state) {
    QVector<TSkinElement> out;
    for (int number = 1; number <= 36; ++number) {
        const SkinCode code = static_cast<SkinCode>(number);
        TSkinElement e = Element(code, W, H, state);
        if (e.Code != SkinCode::None) out.append(e);
    }
    return out;
}

bool TSkinLayout::IsButton(SkinCode code) {
    return (code >= SkinCode::ButtonBrother && code <= SkinCode::ItemRight) ||
           (code >= SkinCode::NewFile && code <= SkinCode::Undo);
}

QString TSkinLayout::LookFile(const TSkinElement& element, TSkinLook look) {
    if (element.Code >= SkinCode::Minimize && element.Code <= SkinCode::Close) {
        return element.Stem + QStringLiteral(".bmp");
    }
    switch (look) {
        case TSkinLook::Active: return element.Stem + QStringLiteral("_Active.bmp");
        case TSkinLook::Click: return element.Stem + QStringLiteral("_Click.bmp");
        case TSkinLook::Normal:
        default: return element.Stem + QStringLiteral("_Normal.bmp");
    }
}

const QVector<SkinCode>& TSkinLayout::ButtonDrawOrder() {
    static const QVector<SkinCode> order = {
        SkinCode::NewFile,       SkinCode::OpenFile,    SkinCode::SaveFile,
        SkinCode::PasteBrother,  SkinCode::PasteChild,  SkinCode::Cut,
        SkinCode::Copy,          SkinCode::Paste,       SkinCode::Undo,
        SkinCode::ButtonBrother, SkinCode::ButtonChild, SkinCode::ButtonDelete,
        SkinCode::ItemUp,        SkinCode::ItemDown,    SkinCode::ItemLeft,
        SkinCode::ItemRight};
    return order;
}

const QVector<SkinCode>& TSkinLayout::MenuTitleCodes() {
    static const QVector<SkinCode> codes = {SkinCode::MenuFile, SkinCode::MenuEdit,
                                            SkinCode::MenuView, SkinCode::MenuOption,
                                            SkinCode::MenuHelp};
    return codes;
}

QVector<QRect> TSkinLayout::BorderRects(int W, int H) {
    return {QRect(0, 0, W, H), QRect(1, 1, W - 2, H - 2), QRect(2, 2, W - 4, H - 4)};
}

QVector<QPoint> TSkinLayout::BackgroundTiles(int W, int H) {
    QVector<QPoint> out;
    for (int y = 0; y <= H; y += 100) {
        for (int x = 0; x <= W; x += 100) out.append(QPoint(x, y));
    }
    return out;
}

QVector<TSkinPlacement> TSkinLayout::RoundFramePlacements() {
    QVector<TSkinPlacement> out;
    out.append({QStringLiteral("RoundFrame_TopLeft.bmp"), QPoint(10, 130), QRect()});
    out.append({QStringLiteral("RoundFrame_TopRight.bmp"), QPoint(120, 130), QRect()});
    out.append({QStringLiteral("RoundFrame_BottomLeft.bmp"), QPoint(10, 260), QRect()});
    out.append({QStringLiteral("RoundFrame_BottomRight.bmp"), QPoint(120, 260), QRect()});
    for (int y = 140; y <= 250; y += 10) {
        out.append({QStringLiteral("RoundFrame_Vertical.bmp"), QPoint(10, y), QRect()});
        out.append({QStringLiteral("RoundFrame_Vertical.bmp"), QPoint(120, y), QRect()});
    }
    for (int x = 20; x <= 110; x += 10) {
        out.append({QStringLiteral("RoundFrame_Horizontal.bmp"), QPoint(x, 130), QRect()});
        out.append({QStringLiteral("RoundFrame_Horizontal.bmp"), QPoint(x, 260), QRect()});
    }
    return out;
}

QRect TSkinLayout::HintBand(int W, int H) {
    const int top = Floor10(H) - 20;
    return QRect(5, top, W - 10, 15);
}

QPoint TSkinLayout::HintTextPos(int H) { return QPoint(10, Floor10(H) - 20); }
