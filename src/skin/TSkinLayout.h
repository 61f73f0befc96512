#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

// The window states the skin distinguishes.
enum class TWindowState { Normal, Maximized, Minimized };

// The three looks a skin element can have; the file suffix is "_Normal.bmp",
// "_Active.bmp" or "_Click.bmp".
enum class TSkinLook { Normal, Active, Click };

// Element codes of the skin surface. None means no element.
enum class SkinCode {
    None = 0,
    ButtonBrother = 1,
    ButtonChild = 2,
    ButtonDelete = 3,
    ItemUp = 4,
    ItemDown = 5,
    ItemLeft = 6,
    ItemRight = 7,
    Splitter = 8,
    NewFile = 9,
    OpenFile = 10,
    SaveFile = 11,
    PasteBrother = 12,
    PasteChild = 13,
    Cut = 14,
    Copy = 15,
    Paste = 16,
    Undo = 17,
    MenuFile = 18,
    MenuEdit = 19,
    MenuView = 20,
    MenuOption = 21,
    MenuHelp = 22,
    Minimize = 23,
    Maximize = 24,  // Maximize or Normalize, by window state
    Close = 25,
    LeftEdge = 26,
    RightEdge = 27,
    TopEdge = 28,
    BottomEdge = 29,
    TopLeftCorner = 30,
    TopRightCorner = 31,
    BottomLeftCorner = 32,
    BottomRightCorner = 33,
    Caption = 34,
    Homepage = 35,
    EMail = 36,
};

// One drawn skin element: its code, file stem, the point where its bitmaps are
// drawn and the pixels on which the pointer counts as being on it (every pixel
// of Hit belongs to the element, none outside it does).
struct TSkinElement {
    SkinCode Code = SkinCode::None;
    QString Stem;
    QPoint DrawnAt;
    QRect Hit;
};

// A bitmap to draw: the file name, the point of its top-left corner, and when
// Stretch is valid, the rectangle the whole bitmap is stretched into instead.
struct TSkinPlacement {
    QString File;
    QPoint At;
    QRect Stretch;
};

// Result of the control layout.
struct TControlLayout {
    QRect Tree;
    QRect Editor;
    // True when the outline was narrowed so that the editor keeps 100 pixels;
    // the caller then stores Tree.width() as "TreeWidth".
    bool TreeWidthCut = false;
};

// What the pointer classification needs to know.
struct TPointerInput {
    int X = 0;
    int Y = 0;
    int W = 800;
    int H = 600;
    TWindowState State = TWindowState::Normal;
    bool MenuVisible = false;
    // The previous element was the splitter and a splitter drag is in progress.
    bool SplitterDragging = false;
    QRect Tree;
    QRect Editor;
};

// Result of the pointer classification.
struct TPointerHit {
    SkinCode Code = SkinCode::None;
    // The resize zone (LeftEdge to BottomRightCorner) that matched, even when a later rule replaced
    // it; None when none did. The window takes its pointer shape from it.
    SkinCode ResizeZone = SkinCode::None;
    // A drop-down menu was visible: only the menu titles were looked at.
    bool StoppedAtMenu = false;
};

// Geometry of the skinned main window: where every skin piece goes, the
// places of the outline and the editor, and which element a pointer is on.
// Pure functions of the window size and state; no drawing, no files.
class TSkinLayout {
  public:
    // v rounded down to a multiple of 10 (towards minus infinity).
    static int Floor10(int v);

    // Places the outline (keeping its current width unless the editor would be
    // narrower than 100 pixels) and the editor for a W x H window.
    static TControlLayout LayoutControls(int W, int H, int treeWidth);

    // The element under the pointer. With SplitterDragging set the result is
    // the splitter; the caller runs the drag step itself (see ClassifyFrame and
    // IsOnSplitter to run it between the two phases).
    static TPointerHit Classify(const TPointerInput& in);

    // Classification up to and including the link tabs: menu titles, then
    // (unless a menu is visible) resize zones, caption, window buttons,
    // tool row, item buttons, arrow pad and link tabs.
    static TPointerHit ClassifyFrame(const TPointerInput& in);

    // The splitter test: strictly between the outline and the editor
    // horizontally, strictly inside the outline's height vertically.
    static bool IsOnSplitter(int X, int Y, const QRect& tree, const QRect& editor);

    // Drop shadow of one control, in drawing order.
    static QVector<TSkinPlacement> ShadowPlacements(const QRect& control);

    // Interactive, drawn elements (buttons 1-7 and 9-25, link tabs 35 and 36)
    // with their places for a W x H window in the given state. The middle
    // window button's stem is "SystemButton_Normalize" when maximised.
    static QVector<TSkinElement> Elements(int W, int H, TWindowState state);

    // One element of Elements(); an element with Code 0 when code is not a
    // drawn element (8, 26 to 34 and out-of-range codes).
    static TSkinElement Element(SkinCode code, int W, int H,
                                TWindowState state = TWindowState::Normal);

    // Whether a code is one of the sixteen buttons (1 to 7, 9 to 17).
    static bool IsButton(SkinCode code);

    // The file of an element's look: stem + "_Normal.bmp", "_Active.bmp" or
    // "_Click.bmp"; window buttons have a single look, stem + ".bmp".
    static QString LookFile(const TSkinElement& element, TSkinLook look);

    // The sixteen buttons in the order of the full drawing.
    static const QVector<SkinCode>& ButtonDrawOrder();

    // The five menu titles, file to help.
    static const QVector<SkinCode>& MenuTitleCodes();

    // Fixed pieces.
    static QPoint TitlePos(int W) { return {W - 150, 60}; }
    static QPoint TitleBarPos() { return {10, 8}; }
    static QRect TitleBand(int W) { return {0, 0, W, 40}; }
    static QRect MenuBand(int W) { return {0, 40, W, 20}; }
    // The three 1-pixel border outlines, outermost first.
    static QVector<QRect> BorderRects(int W, int H);
    // The 100-pixel background grid, row by row from the top.
    static QVector<QPoint> BackgroundTiles(int W, int H);
    // The rounded frame around the item buttons, in drawing order.
    static QVector<TSkinPlacement> RoundFramePlacements();
    // The hint line band and the point where its text starts.
    static QRect HintBand(int W, int H);
    static QPoint HintTextPos(int H);
};
