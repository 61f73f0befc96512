#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "app/TMainFormContext.h"
#include "ui/TDropDownMenus.h"
#include "ui/TMenuHost.h"
#include "ui/TSkinAccessHost.h"

class QPlainTextEdit;
class TCommandRunner;
class TDocumentCommands;
class TDocumentSession;
class TDocumentWatcher;
class TEditorCommands;
class TErrorBox;
class TFontPicker;
class TFrameBehaviour;
class TItemClipboardCommands;
class TItemCommands;
class TItemTextBinding;
class TInterchangeCommands;
class TOutlineCommands;
class TSplitJoinCommands;
class TOutlineItem;
class TKeyboardShortcuts;
class TOutlineFind;
class TOutlineCount;
class TOutlineVertical;
class TOutlineItemModel;
class TOutlineView;
class TSkinSurface;
class TSessionRecovery;
class TStartupShutdown;
class TWindowStates;

// The program's one document window. It holds the controls and the concerns that own
// the program's behaviour (start-up and shutdown, item texts, item commands, document
// commands, the skin surface, the frame and the pointer), hands Qt's events to them and
// binds every command of TCommandTable to its operation.
class TMainForm : public QWidget, public TMenuHost, public TSkinAccessHost {
    Q_OBJECT

  public:
    explicit TMainForm(const TMainFormContext& context, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Controls.
    TOutlineView* Tree = nullptr;
    QPlainTextEdit* Editor = nullptr;
    TOutlineItemModel* TreeModel = nullptr;
    QTimer Timer;

    void ShowHint(const QString& hint);
    // Ends the session for a signal or the desktop's logout: saved or kept for recovery,
    // without a question.
    void EndWithoutQuestions();
    // Ended from outside (a signal): the work saved or kept for the next start, and the
    // settings written, as at every end.
    void EndBySignal();
    void TimerTimer();
    void BringToFront();

    // Every command, from menu entries, skin buttons and keys alike.
    TCommandRunner& Commands() const { return *commands_; }

    // The drop-down menus.
    void RunMenuCommand(TMenuCommand command) override;
    void HintOut(const QString& text) override;
    const TSettingsList& MenuSettings() const override;
    QWidget* MenuOwnerWindow() override { return this; }

    // What assistive technology reads of the skin.
    QVector<TSkinElement> PressableElements() const override;
    void PressElement(SkinCode code) override;
    QString HintLineText() const override;
    QRect HintLineRect() const override;

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
    // Tests reach the concerns through it.
    friend class TMainFormProbe;

    void CreateControls();
    void CreateConcerns();
    void ConnectControls();
    // Binds every command of the table to its operation.
    void BindCommands();
    void KeepMaximized();
    // The item files dropped below every item are imported after.
    TOutlineItem* LastTopLevelItem() const;
    TFontPicker& FontPicker();

    TMainFormContext context_;
    std::unique_ptr<TDocumentSession> session_;
    std::unique_ptr<TErrorBox> errors_;
    QStringList reportsBeforeShown_;  // failures of the writing behind, until the window is shown
    std::unique_ptr<TItemTextBinding> texts_;
    std::unique_ptr<TItemCommands> items_;
    std::unique_ptr<TOutlineCommands> outlineCommands_;
    std::unique_ptr<TSplitJoinCommands> splitJoin_;
    std::unique_ptr<TItemClipboardCommands> clipboard_;
    std::unique_ptr<TDocumentCommands> documents_;
    std::unique_ptr<TSkinSurface> surface_;
    std::unique_ptr<TWindowStates> windowStates_;
    std::unique_ptr<TFrameBehaviour> frame_;
    std::unique_ptr<TSessionRecovery> recovery_;
    std::unique_ptr<TDocumentWatcher> watcher_;
    std::unique_ptr<TStartupShutdown> lifecycle_;
    std::unique_ptr<TEditorCommands> editing_;
    std::unique_ptr<TOutlineFind> outlineFind_;  // uses editing_'s find dialog
    std::unique_ptr<TOutlineCount> count_;
    std::unique_ptr<TOutlineVertical> vertical_;
    std::unique_ptr<TFontPicker> ownFontPicker_;
    std::unique_ptr<TCommandRunner> commands_;
    std::unique_ptr<TInterchangeCommands> interchange_;
    std::unique_ptr<TKeyboardShortcuts> keyboard_;
    TDropDownMenus menus_{*this};
};
