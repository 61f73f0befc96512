#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "skin/TSkinLayout.h"
#include "ui/TMenuTables.h"

class TDropDownMenus;
class TMenuHost;

// A drop-down menu drawn by the program: a borderless window hanging under its title
// on the host's menu band. The entry under the pointer turns red and shows its hint;
// a press of any button runs its command; losing the activation closes the menu.
// The window takes the activation when it opens, and with it the keyboard: Up and Down
// highlight entries as the pointer does, Enter chooses the highlighted entry as a
// press does, Left and Right open the neighbouring menu, Escape closes the menu.
// The outline's context menu is the same window opened at a free place. It has no
// neighbours, and a press chooses as Enter does: the host's window takes the keyboard
// back unless the command brought up a window of its own.
class TSystemMenuForm : public QWidget {
    Q_OBJECT

  public:
    // A menu of owner's, which opens the neighbouring menus.
    TSystemMenuForm(TMenuHost& host, TDropDownMenus& owner);

    // Stores the menu number, places, sizes, shows and activates the window and draws
    // the menu.
    void SystemMenuOpen(int menuNumber);
    // Opens the context menu hanging from anchor (global; see TMenuGeometry::PlaceAt),
    // kept on the screen.
    void ContextMenuOpen(const QRect& anchor);

    // Hover tracking at a point of the window.
    void FormMouseMove(const QPoint& pointer);
    // Runs the command of the highlighted entry; nothing happens without one.
    void FormMouseDown();
    // A key pressed while the menu has the keyboard; false for keys it has no use for.
    bool FormKeyDown(int key);
    // Closes the window when it lost the activation.
    void FormDeactivate();
    // Hides the window; the hint line keeps its text.
    void CloseMenu();

    int MenuNumber() const { return table_.MenuNumber; }
    int RecentFileCount() const { return table_.RecentFileCount; }
    // The code of the entry drawn highlighted; 0 for none.
    TMenuCommand HoverCode() const { return hoverCode_; }
    const TMenuTable& Table() const { return table_; }
    // Whether a toggle entry shows its mark of "on".
    bool Checked(const TMenuEntry& entry) const;
    // Chooses the entry of command as Enter does on it.
    void ChooseEntry(TMenuCommand command);

    static const QColor& CaptionGrey();
    static const QColor& HighlightRed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Sizes the window for the table, shows and activates it at topLeft and draws it.
    void ShowAt(const QPoint& topLeft);
    bool OnMenuBand() const;
    // Draws entry (nullptr: none) highlighted as the entry under the pointer.
    void Highlight(const TMenuEntry* entry);
    void HighlightNeighbour(int step);
    void OpenNeighbour(int step);
    void Choose();
    // Top-level windows shown besides the menus and the host's window.
    QWidgetList OtherWindowsShown() const;
    // Gives the activation back to the host's window: without a window manager nobody
    // else does when the menu closes.
    void ReturnKeyboard();
    void DrawMenu();
    void DrawCaption(const TMenuEntry& entry, const QColor& color);
    void DrawFrame();
    void DrawSeparators();

    TMenuHost& host_;
    TDropDownMenus& owner_;
    TMenuTable table_;
    TMenuCommand hoverCode_ = TMenuCommand::None;
    QImage surface_;  // what the window shows; drawn when it opens and on hover
};
