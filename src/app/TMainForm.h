#pragma once

#include <QImage>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "app/TSettingsList.h"
#include "app/TStartupSettings.h"
#include "document/TItemTextStore.h"
#include "document/TMovePrimitive.h"
#include "skin/TFrameDrag.h"
#include "skin/TSkinLayout.h"
#include "skin/TSkinPainter.h"
#include "ui/TMenuHost.h"

class QPainter;
class QPlainTextEdit;
class TAssociation;
class TEditorCommands;
class TFileDialogs;
class TFontPicker;
class TMessageBoxes;
class TOutlineItem;
class TOutlineItemModel;
class TOutlineView;
class TShell;

// What the main window takes from its surroundings: the program folder, the command
// line and the seams through which it talks to the user.
struct TMainFormContext {
    QString exeDir;          // folder of the executable, ending with a separator
    QStringList arguments;   // command-line arguments without the program name
    TMessageBoxes* messageBoxes = nullptr;
    TFileDialogs* fileDialogs = nullptr;
    TAssociation* association = nullptr;  // ".qlo" documents opened by this program
    TShell* shell = nullptr;              // the desktop's programs for pages and mail
    TFontPicker* fontPicker = nullptr;    // the font dialog; the platform's when none is given
};

// The program's one document window. It owns the outline, the editor, the settings
// and the item text files, and keeps the program's named operations as methods.
class TMainForm : public QWidget, public TMenuHost {
    Q_OBJECT

public:
    explicit TMainForm(const TMainFormContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Controls.
    TOutlineView* Tree = nullptr;
    QPlainTextEdit* Editor = nullptr;
    TOutlineItemModel* TreeModel = nullptr;
    QTimer Timer;

    // Start-up, activation, shutdown.
    void FormCreate();
    void FormActivate();
    void AppActivate();
    void AppDeactivate();
    void ShowHint(const QString& hint);
    bool FormCloseQuery();
    void FormClose();
    void TimerTimer();
    void BringToFront();

    // Outline and item texts.
    QString ItemTextPath(int itemNumber) const;
    int AllocateItemNumber();
    // The same for many numbers in a row, skipping the numbers of existing files.
    int AllocateItemNumber(const QSet<int>& existing);
    void StoreEditorText(const TOutlineItem* item);
    void ShowItemText(const TOutlineItem* item);
    void TreeChange(TOutlineItem* selected);
    void EditorChange();
    void TreeEdited(TOutlineItem* item);
    TOutlineItem* SelectedItem() const;
    void SelectItem(TOutlineItem* item);
    QString EditorText() const;
    void SetEditorText(const QString& text);

    // Item operations.
    void AddItem();
    void AddChildItem();
    void AddItemText();
    void AddChildItemText();
    void DeleteItem();
    void MoveUpItem();
    void MoveDownItem();
    void MoveLeftItem();
    void MoveRightItem();
    void TreeDragDrop(const QPoint& point);

    // Documents and file commands.
    bool SaveFile(const QString& path);
    bool LoadFile(const QString& path);
    void NewMenuClick();
    void OpenMenuClick();
    void SaveMenuClick();
    bool SaveAsMenuClick();
    void ExitMenuClick();
    void RecentFileMenuClick(int number);
    void RecentFile(const QString& path);
    void AutoLoadMenuClick();
    void AutoSaveMenuClick();
    void AutoBackupMenuClick();

    // Editing commands.
    void CutMenuClick();
    void CopyMenuClick();
    void PasteMenuClick();
    void UndoMenuClick();
    void FindMenuClick();
    void ReplaceMenuClick();
    TEditorCommands* EditorCommands() const { return editing_.get(); }

    // Painting.
    void FormPaint();
    void DrawBack();
    void RedrawBack();

    // Frame behaviour and hover.
    void FormMouseMove(int X, int Y);
    void FormMouseDown(Qt::MouseButton button, int X, int Y);
    void FormMouseUp(Qt::MouseButton button);
    void FormDblClick();
    void TreeMouseMove(const QPoint& position);
    void EditorMouseMove(const QPoint& position);
    void WindowMaximize();
    void MinimizeWindow();
    // How long a window manager may take to minimise the window.
    static constexpr int kMinimizeCheckMs = 500;
    void MaximizeButtonClick();
    void ToggleMaximized();
    void SystemMenuOpen(int menu);
    void OpenLink(int element);
    void DrawTitleBar(bool active);
    TWindowState WindowState() const;
    void HintOut(const QString& text) override;

    // State, in declaration order.
    int CurrentItemIndex = -1;
    TSettingsList Settings;
    QString ExeDir;
    bool Modified = false;
    bool SplitterDragging = false;
    int SplitterDownX = 0;
    int SplitterDownY = 0;
    bool DrawBackEnabled = true;
    bool Activated = false;
    QImage SplitterImage;
    bool SelectionSync = true;
    bool AutoLoadOn = false;
    bool AutoSaveOn = false;
    bool SkipNextLayout = false;
    bool FirstPaint = true;
    int NextItemNumber = 0;
    // The skin element under the pointer as of the last pointer move; 0 for none.
    int HotElement = 0;

    // What the window shows beneath its controls.
    const QImage& Surface() const { return surface_; }

    // The text the hint line shows now.
    QString HintText;

    // The folder both file dialogs start in.
    QString DialogFolder;

    // Runs a command; a failure it does not handle itself ends it and is shown in the
    // application-wide error box. Returns false when the command failed.
    bool RunGuarded(const std::function<void()>& command);
    // The application-wide error box.
    void ShowFailure(const QString& text);

    // The drop-down menus.
    void RunMenuCommand(TMenuCommand command) override;
    const TSettingsList& MenuSettings() const override { return Settings; }
    QWidget* MenuOwnerWindow() override { return this; }

    // View and option commands.
    void TreeFontMenuClick();
    void EditorFontMenuClick();
    void EditorWordWrapMenuClick();
    void SetOption();

    // Commands of the option and help menus.
    void AssociateMenuClick();
    void DeleteRegistryMenuClick();
    void VersionMenuClick();
    void OpenHelpMenuClick();
    void HPMenuClick();
    void LatestVersionMenuClick();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // Selects item without a selection change: the editor and CurrentItemIndex stay.
    void RestoreSelection(TOutlineItem* item);
    void ReadSettingsAtStart();
    void ApplySettings(TStartupSettings::Values values);
    static void ApplyFont(QWidget* control, const TStartupSettings::Font& setting);
    bool SettingsChangedSinceStart() const;
    void ChooseStartDocument();
    void AddDefaultItem();
    void LayoutControls();
    void WriteSettingsFile();
    void RecordWindowPlace();
    bool SaveGuarded(const QString& path);
    bool OfferToSave();
    bool NewDocument();
    // The whole content of the document at path, checked; throws for a document that
    // cannot be read or is malformed.
    static QByteArray ReadCheckedDocument(const QString& path);
    // Replaces the outline by the checked document bytes read from path.
    void ReplaceDocument(const QString& path, const QByteArray& bytes);
    bool ConfirmUnencodable(const QString& characters);
    void ApplyWordWrapSetting();
    void ShowSurface(const QRegion& area);
    void CheckMaximizedState();
    void DrawLooks(int hot);
    void DrawButtonLook(int code, TSkinLook look);
    void RunReleaseCommand(int element);
    void StartFrameDrag(int element, const QPoint& globalPointer);
    void SplitterDragStep(int X, int Y);
    void ForwardSplitterMove(const QWidget* control, const QPoint& position);
    void EndSplitterDrag();
    void SetPointerShape(Qt::CursorShape shape);
    QRect WorkArea() const;
    QRect NormalPlace() const;
    TFontPicker& FontPicker();
    // Draws onto what the window shows and shows the changed area.
    void DrawOnSurface(const QRegion& area, const std::function<void(QPainter&)>& draw);
    // Draws skin elements onto what the window shows and shows what they covered; draw
    // adds the rectangle of every bitmap it draws.
    void DrawElementsOnSurface(const std::function<void(QPainter&, QRegion&)>& draw);
    // Runs a drawing step that reads skin files; a failure keeps the previous look.
    void RunSkinStep(const std::function<void()>& step);
    QString SettingsPath() const;
    TOutlineItem* ItemAtCurrentIndex() const;
    TOutline& Outline() const;
    TOutlineItem* AppendNewItem(TOutlineItem* parent);
    void PasteAsLabel(TOutlineItem* item);
    QString EditorFirstLine() const;
    bool MoveSubtree(TOutlineItem* item, TMovePrimitive::Mode mode, TOutlineItem* target);
    void RebindMovedItem(TOutlineItem* item, TOutlineItem* neighbour);
    void SetExpanded(TOutlineItem* item, bool expanded);
    void CollapseSubtree(TOutlineItem* item);

    TMainFormContext context_;
    // The text last loaded from or stored into an item text file, and that item's number.
    int shownItemNumber_ = -1;
    QString shownText_;
    std::unique_ptr<TItemTextStore> store_;
    std::unique_ptr<TEditorCommands> editing_;
    std::unique_ptr<TFontPicker> ownFontPicker_;
    // The list start-up used because the settings file could not be read.
    std::optional<QStringList> unreadSettings_;
    TSkinPainter skin_{QString()};
    QString lastSkinFailure_;  // the skin failure last reported
    QImage surface_;       // what the window shows beneath its controls
    QRect normalPlace_;    // the place of the normal state while maximised
    // A move or resize of the window that follows the pointer itself.
    std::optional<TFrameDrag> frameDrag_;
    std::optional<QPoint> captionPress_;  // a press on the caption that may become a move
    bool blitOnly_ = false;  // a repaint that only shows surface_ again
    bool painting_ = false;  // inside paintEvent
    bool composing_ = false;  // handing an input method's composition to the editor
};
