#include "app/TMainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSessionManager>
#include <QStatusTipEvent>
#include <QTimer>
#include <utility>

#include "app/TCommandRunner.h"
#include "app/TDocumentCommands.h"
#include "app/TDocumentSession.h"
#include "app/TDocumentWatcher.h"
#include "app/TErrorBox.h"
#include "app/TFrameBehaviour.h"
#include "app/TInterchangeCommands.h"
#include "app/TItemClipboardCommands.h"
#include "app/TItemCommands.h"
#include "app/TItemTextBinding.h"
#include "app/TKeyboardShortcuts.h"
#include "app/TOutlineCommands.h"
#include "app/TOutlineCount.h"
#include "app/TOutlineFind.h"
#include "app/TOutlineVertical.h"
#include "app/TOutlineView.h"
#include "app/TSessionRecovery.h"
#include "app/TSkinSurface.h"
#include "app/TSplitJoinCommands.h"
#include "app/TStartupShutdown.h"
#include "app/TWindowStates.h"
#include "document/TOutlineItemModel.h"
#include "platform/TFontSubstitutes.h"
#include "skin/TSkinLayout.h"
#include "ui/TAccessibleFactory.h"
#include "ui/TAssociationCommands.h"
#include "ui/TCommandTable.h"
#include "ui/TEditorCommands.h"
#include "ui/TFontCommands.h"
#include "ui/TLinkCommands.h"
#include "ui/TMenuTables.h"
#include "ui/TOptionForm.h"
#include "ui/TQtFontPicker.h"
#include "ui/TSystemMenuForm.h"
#include "ui/TVerForm.h"
#include "ui/TWordWrapCommand.h"

namespace {

const QString kTreeHint = QStringLiteral(
    "|アウトライン部分です。ここに項目のアウトラインが表示されます。任意の項目が選択された状態で、"
    "もう一度クリックすると、ラベルの編集ができます。");
const QString kEditorHint = QStringLiteral(
    "|エディター部分です。ここに表示される文章は、左のアウトライン部分と、リンクしています。");

const QColor kControlTextGrey(128, 128, 128);
const QColor kAccent(38, 138, 98);  // the skin's colour of every active look
const QColor kMutedAccent(205, 228, 216);
const QColor kMutedAccentText(40, 40, 40);

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

// The long part of a hint "short|long", which the hint line shows.
QString LongHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace

TMainForm::TMainForm(const TMainFormContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), context_(context) {
    TFontSubstitutes::Install();
    TAccessibleFactory::Install();
    CreateControls();
    CreateConcerns();
    ConnectControls();
    lifecycle_->FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateControls() {
    setObjectName(QStringLiteral("TMainForm"));
    setMinimumSize(800, 600);
    resize(792, 775);  // the designed size; the minimum raises it
    // The designed place, where the very first start shows the window: the top-left
    // corner of the screen, not where a window manager would put it.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().topLeft());
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(PixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    setMouseTracking(true);

    TreeModel = new TOutlineItemModel(this);
    TreeModel->SetImages(QIcon(QStringLiteral(":/images/item.png")),
                         QIcon(QStringLiteral(":/images/item_selected.png")));

    Tree = new TOutlineView(this);
    Tree->setObjectName(QStringLiteral("Tree"));
    Tree->resize(200, Tree->height());
    Tree->setModel(TreeModel);
    Tree->setHeaderHidden(true);
    Tree->setFrameShape(QFrame::NoFrame);
    Tree->setIndentation(19);
    Tree->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    Tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Tree->setFont(PixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    Tree->setStatusTip(LongHint(kTreeHint));
    Tree->setToolTip(QString());
    QPalette treePalette = Tree->palette();
    treePalette.setColor(QPalette::Text, kControlTextGrey);
    treePalette.setColor(QPalette::Highlight, kAccent);
    treePalette.setColor(QPalette::HighlightedText, Qt::white);
    // The selection stays visible while the outline has no focus, muted, as desktop tree
    // views show it: the full colour tells where the keyboard is.
    treePalette.setColor(QPalette::Inactive, QPalette::Highlight, kMutedAccent);
    treePalette.setColor(QPalette::Inactive, QPalette::HighlightedText, kMutedAccentText);
    Tree->setPalette(treePalette);
    Tree->setAccessibleName(QStringLiteral("アウトライン"));

    Editor = new QPlainTextEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAccessibleName(QStringLiteral("本文"));
    Editor->setFrameShape(QFrame::NoFrame);
    Editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setFont(PixelFont(QStringLiteral("ＭＳ Ｐ明朝"), 19));
    Editor->setStatusTip(LongHint(kEditorHint));
    QPalette editorPalette = Editor->palette();
    editorPalette.setColor(QPalette::Text, kControlTextGrey);
    editorPalette.setColor(QPalette::Highlight, kAccent);
    editorPalette.setColor(QPalette::HighlightedText, Qt::white);
    Editor->setPalette(editorPalette);

    setTabOrder(Tree, Editor);
    Tree->setFocusPolicy(Qt::StrongFocus);
}

void TMainForm::CreateConcerns() {
    session_ = std::make_unique<TDocumentSession>(context_.folders, TreeModel);
    errors_ = std::make_unique<TErrorBox>(*context_.messageBoxes);
    texts_ = std::make_unique<TItemTextBinding>(*session_, Tree, Editor, *errors_);
    items_ = std::make_unique<TItemCommands>(*session_, *texts_, Tree, Editor,
                                             *context_.messageBoxes, *errors_);
    outlineCommands_ = std::make_unique<TOutlineCommands>(*session_, *texts_, Tree, *errors_);
    splitJoin_ = std::make_unique<TSplitJoinCommands>(*session_, *texts_, Tree, Editor,
                                                      *context_.messageBoxes, *errors_);
    clipboard_ = std::make_unique<TItemClipboardCommands>(*session_, *texts_, Tree, Editor, *items_,
                                                          *context_.messageBoxes, *errors_);
    documents_ = std::make_unique<TDocumentCommands>(
        *session_, *texts_, Editor, *context_.messageBoxes, *context_.fileDialogs, *errors_);
    surface_ = std::make_unique<TSkinSurface>(*this, Tree, Editor, *session_, *errors_);
    windowStates_ = std::make_unique<TWindowStates>(*this, session_->Settings,
                                                    TWindowSystem(context_.platformName));
    frame_ = std::make_unique<TFrameBehaviour>(*this, Tree, Editor, session_->Settings, *surface_,
                                               *windowStates_);
    recovery_ = std::make_unique<TSessionRecovery>(*this, *session_, *texts_);
    watcher_ = std::make_unique<TDocumentWatcher>(*session_, *documents_);
    lifecycle_ = std::make_unique<TStartupShutdown>(*this, Tree, Editor, context_, *session_,
                                                    *texts_, *documents_, *surface_, *windowStates_,
                                                    *recovery_, *errors_);
    editing_ = std::make_unique<TEditorCommands>(this, Editor);
    editing_->WholeTextNeeded = [this] { texts_->FinishShowing(); };
    outlineFind_ = std::make_unique<TOutlineFind>(*session_, *texts_, *editing_, Tree, Editor);
    count_ = std::make_unique<TOutlineCount>(*session_, *texts_, Editor, this);
    vertical_ = std::make_unique<TOutlineVertical>(*session_, *texts_, Editor, this);
    count_->OptionsChanged = [this] { vertical_->OutlineChanged(); };
    interchange_ = std::make_unique<TInterchangeCommands>(
        *this, *session_, *texts_, Editor, *context_.messageBoxes, *context_.fileDialogs, *errors_);
    interchange_->StartRedrawTimer = [this] { Timer.start(); };
    vertical_->Print = [this](const TVerticalPages& pages, const TVerticalStyle& style) {
        interchange_->PrintVertical(pages, style);
    };
    vertical_->WritePdf = [this](const TVerticalPages& pages, const TVerticalStyle& style) {
        interchange_->ExportVerticalPdf(pages, style);
    };
    commands_ = std::make_unique<TCommandRunner>(*errors_);
    keyboard_ = std::make_unique<TKeyboardShortcuts>(*this);
    BindCommands();

    // A text file the opening of a document could not write is reported like any other;
    // its text stays readable meanwhile. At start-up the report waits for the window, so
    // that it never stands before a window not drawn yet.
    session_->Store.OnWriteBehindFailure([this](const QString& message) {
        QMetaObject::invokeMethod(
            this,
            [this, message] {
                if (surface_->Shown())
                    errors_->Show(message);
                else
                    reportsBeforeShown_ << message;
            },
            Qt::QueuedConnection);
    });
    surface_->FirstShown = [this] {
        QTimer::singleShot(0, this, [this] {
            for (const QString& message : std::exchange(reportsBeforeShown_, {}))
                errors_->Show(message);
            lifecycle_->FirstShown();
        });
    };
    texts_->SelectionChanged = [this] {
        surface_->SkipNextLayout = true;
        recovery_->OutlineChanged();
    };
    items_->StartRedrawTimer = [this] { Timer.start(); };
    clipboard_->StartRedrawTimer = [this] { Timer.start(); };
    documents_->SetCaption = [this](const QString& caption) { setWindowTitle(caption); };
    documents_->Saved = [this] {
        recovery_->Saved();  // nothing is left to recover
        watcher_->Follow();
    };
    const auto commitLabel = [this] { Tree->CommitLabelEdit(); };
    documents_->CommitPendingEdits = commitLabel;
    lifecycle_->CommitPendingEdits = commitLabel;
    documents_->DrawBack = [this] { surface_->DrawBack(); };
    documents_->StartRedrawTimer = [this] { Timer.start(); };
    documents_->CloseWindow = [this] { close(); };
    surface_->BeforeFullDrawing = [this] { KeepMaximized(); };
    // The skin's menu band follows its own menus; the outline's context menu is none.
    frame_->MenuOpen = [this] { return menus_.BandMenuVisible(); };
    frame_->Hovered = [this](SkinCode previous, SkinCode element) {
        menus_.FollowPointer(previous, element);
    };
    frame_->Released = [this](SkinCode element) {
        if (const std::optional<TCommand> id = TCommandTable::OfButton(element))
            commands_->Run(*id);
    };
}

void TMainForm::ConnectControls() {
    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                texts_->TreeChange(TreeModel->ItemOf(current));
                count_->CurrentItemChanged();
                vertical_->OutlineChanged();
            });
    connect(TreeModel, &TOutlineItemModel::LabelEdited, this,
            [this](TOutlineItem* item, const QString& formerLabel) {
                texts_->TreeEdited(item, formerLabel);
            });
    connect(Tree, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        TreeModel->Outline().SetExpanded(TreeModel->ItemOf(index), true);
    });
    connect(Tree, &QTreeView::collapsed, this, [this](const QModelIndex& index) {
        TreeModel->Outline().SetExpanded(TreeModel->ItemOf(index), false);
    });
    connect(Editor, &QPlainTextEdit::textChanged, this, [this] {
        texts_->EditorChange();
        recovery_->TextChanged();
        outlineFind_->OutlineChanged();
        count_->EditorChanged();
        vertical_->EditorChanged();
    });
    connect(Editor, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { vertical_->CaretMoved(); });
    connect(Editor, &QPlainTextEdit::selectionChanged, this,
            [this] { count_->EditorSelectionChanged(); });
    // Every change of the outline reaches the recovery record and the list of found items.
    const auto outlineChanged = [this] {
        recovery_->OutlineChanged();
        outlineFind_->OutlineChanged();
    };
    connect(TreeModel, &QAbstractItemModel::rowsInserted, this, outlineChanged);
    connect(TreeModel, &QAbstractItemModel::rowsRemoved, this, outlineChanged);
    connect(TreeModel, &QAbstractItemModel::rowsMoved, this, outlineChanged);
    connect(TreeModel, &QAbstractItemModel::modelReset, this, outlineChanged);
    // The counts follow the outline's shape; another outline has other item files.
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(TreeModel, signal, this, [this] { count_->OutlineChanged(false); });
    connect(TreeModel, &QAbstractItemModel::rowsMoved, this,
            [this] { count_->OutlineChanged(false); });
    connect(TreeModel, &QAbstractItemModel::modelReset, this,
            [this] { count_->OutlineChanged(true); });
    // The preview shows the current item's descendants too.
    const auto verticalChanged = [this] { vertical_->OutlineChanged(); };
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(TreeModel, signal, this, verticalChanged);
    connect(TreeModel, &QAbstractItemModel::rowsMoved, this, verticalChanged);
    connect(TreeModel, &QAbstractItemModel::modelReset, this, verticalChanged);
    // A new, opened or recovered outline has no changes to undo.
    connect(TreeModel, &QAbstractItemModel::modelReset, this,
            [this] { session_->History.Clear(); });
    // The document file is known once the new outline is shown.
    connect(TreeModel, &QAbstractItemModel::modelReset, this,
            [this] { QTimer::singleShot(0, watcher_.get(), [this] { watcher_->Follow(); }); });
    connect(TreeModel, &QAbstractItemModel::dataChanged, this, outlineChanged);
    connect(Tree, &QTreeView::expanded, this, outlineChanged);
    connect(Tree, &QTreeView::collapsed, this, outlineChanged);
    // The desktop session ends: nobody answers questions any more.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { EndWithoutQuestions(); });
    connect(Tree, &TOutlineView::ItemDropped, this,
            [this](const QPoint& point) { items_->TreeDragDrop(point); });
    connect(Tree, &TOutlineView::ContextMenuWanted, this, [this](const QPoint& globalPoint) {
        menus_.OpenContext(QRect(globalPoint, QSize(0, 0)));
    });
    connect(Tree, &TOutlineView::FilesDropped, this,
            [this](const QStringList& paths, const QPoint& point) {
                TOutlineItem* under = TreeModel->ItemOf(Tree->indexAt(point));
                interchange_->ImportFiles(paths, under ? under : LastTopLevelItem());
            });

    for (QWidget* viewport : {Tree->viewport(), Editor->viewport()}) {
        viewport->setMouseTracking(true);
        viewport->installEventFilter(this);
    }
    Editor->installEventFilter(this);

    Timer.setInterval(250);
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TMainForm::TimerTimer);
}

// A window whose user chose the maximised state is kept exactly on the work area; the
// editor then shows its text laid out anew.
void TMainForm::KeepMaximized() {
    if (!windowStates_->StrayedFromMaximized()) return;
    surface_->DrawBackEnabled = false;
    windowStates_->WindowMaximize();
    surface_->DrawBackEnabled = true;
    texts_->ShowStoredTextAgain();
}

void TMainForm::ShowHint(const QString& hint) { surface_->HintOut(LongHint(hint)); }

TOutlineItem* TMainForm::LastTopLevelItem() const {
    const TOutlineItem* root = TreeModel->Outline().Root();
    return root->HasChildren() ? root->Child(root->ChildCount() - 1) : nullptr;
}

void TMainForm::EndWithoutQuestions() { lifecycle_->EndWithoutQuestions(); }

void TMainForm::EndBySignal() {
    EndWithoutQuestions();
    lifecycle_->FormClose();
}

void TMainForm::TimerTimer() {
    surface_->DrawBack();
    Timer.stop();
}

void TMainForm::BringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMainForm::HintOut(const QString& text) { surface_->HintOut(text); }

const TSettingsList& TMainForm::MenuSettings() const { return session_->Settings; }

QVector<TSkinElement> TMainForm::PressableElements() const {
    if (!surface_) return {};  // asked while the window is still being built
    return TSkinLayout::Elements(width(), height(), surface_->WindowState());
}

void TMainForm::PressElement(SkinCode code) {
    if (!commands_) return;
    if (const std::optional<TCommand> id = TCommandTable::OfButton(code)) commands_->Run(*id);
}

QString TMainForm::HintLineText() const { return surface_ ? surface_->HintText : QString(); }

QRect TMainForm::HintLineRect() const { return TSkinLayout::HintBand(width(), height()); }

void TMainForm::RunMenuCommand(TMenuCommand command) {
    if (const std::optional<TCommand> id = TCommandTable::OfMenuEntry(command)) commands_->Run(*id);
}

TFontPicker& TMainForm::FontPicker() {
    if (context_.fontPicker) return *context_.fontPicker;
    if (!ownFontPicker_) ownFontPicker_ = std::make_unique<TQtFontPicker>(this);
    return *ownFontPicker_;
}

void TMainForm::BindCommands() {
    using C = TCommand;
    TCommandRunner& bind = *commands_;
    TDocumentCommands& files = *documents_;
    bind.Bind(C::NewFile, [&files] { files.NewMenuClick(); });
    bind.Bind(C::OpenFile, [&files] { files.OpenMenuClick(); });
    bind.Bind(C::SaveFile, [&files] { files.SaveMenuClick(); });
    bind.Bind(C::SaveFileAs, [&files] { files.SaveAsMenuClick(); });
    for (int number = 1; number <= 5; ++number)
        bind.Bind(static_cast<C>(static_cast<int>(C::RecentFile1) + number - 1),
                  [&files, number] { files.RecentFileMenuClick(number); });
    bind.Bind(C::Exit, [&files] { files.ExitMenuClick(); });
    bind.Bind(C::Import, [this] { interchange_->Import(); });
    bind.Bind(C::Export, [this] { interchange_->Export(); });
    bind.Bind(C::Print, [this] { interchange_->Print(); });
    bind.Bind(C::ExportPdf, [this] { interchange_->ExportPdf(); });
    bind.Bind(C::AutoLoad, [&files] { files.AutoLoadMenuClick(); });
    bind.Bind(C::AutoSave, [&files] { files.AutoSaveMenuClick(); });
    bind.Bind(C::AutoBackup, [&files] { files.AutoBackupMenuClick(); });

    TItemCommands& items = *items_;
    bind.Bind(C::AddItem, [&items] { items.AddItem(); });
    bind.Bind(C::AddChildItem, [&items] { items.AddChildItem(); });
    bind.Bind(C::DeleteItem, [&items] { items.DeleteItem(); });
    bind.Bind(C::AddItemText, [&items] { items.AddItemText(); });
    bind.Bind(C::AddChildItemText, [&items] { items.AddChildItemText(); });
    bind.Bind(C::MoveUpItem, [&items] { items.MoveUpItem(); });
    bind.Bind(C::MoveDownItem, [&items] { items.MoveDownItem(); });
    bind.Bind(C::MoveLeftItem, [&items] { items.MoveLeftItem(); });
    bind.Bind(C::MoveRightItem, [&items] { items.MoveRightItem(); });
    bind.Bind(C::UndoOutline, [&items] { items.Undo(); });
    bind.Bind(C::RedoOutline, [&items] { items.Redo(); });
    TItemClipboardCommands& clipboard = *clipboard_;
    bind.Bind(C::CutItems, [&clipboard] { clipboard.Cut(); });
    bind.Bind(C::CopyItems, [&clipboard] { clipboard.Copy(); });
    bind.Bind(C::PasteItems, [&clipboard] { clipboard.Paste(); });
    bind.Bind(C::PasteItemsAsChildren, [&clipboard] { clipboard.PasteAsChildren(); });
    TOutlineCommands& outline = *outlineCommands_;
    bind.Bind(C::DuplicateItem, [&outline] { outline.Duplicate(); });
    bind.Bind(C::SortChildrenAscending, [&outline] { outline.SortChildren(Qt::AscendingOrder); });
    bind.Bind(C::SortChildrenDescending, [&outline] { outline.SortChildren(Qt::DescendingOrder); });
    bind.Bind(C::SplitItem, [this] { splitJoin_->SplitItem(); });
    bind.Bind(C::JoinItems, [this] { splitJoin_->JoinItems(); });
    bind.Bind(C::ExpandAll, [&outline] { outline.ExpandAll(); });
    bind.Bind(C::CollapseAll, [&outline] { outline.CollapseAll(); });
    for (int level = 1; level <= 9; ++level)
        bind.Bind(static_cast<C>(static_cast<int>(C::ShowLevel1) + level - 1),
                  [&outline, level] { outline.ShowToLevel(level); });
    bind.Bind(C::ExpandSelected, [&outline] { outline.ExpandSelected(); });
    bind.Bind(C::CollapseSelected, [&outline] { outline.CollapseSelected(); });
    bind.Bind(C::ShowCount, [this] { count_->Show(); });
    bind.Bind(C::ShowVertical, [this] { vertical_->Show(); });

    TEditorCommands& editing = *editing_;
    bind.Bind(C::Cut, [&editing] { editing.Cut(); });
    bind.Bind(C::Copy, [&editing] { editing.Copy(); });
    bind.Bind(C::Paste, [&editing] { editing.Paste(); });
    bind.Bind(C::Undo, [&editing] { editing.Undo(); });
    bind.Bind(C::Find, [&editing] { editing.ShowFind(); });
    bind.Bind(C::Replace, [&editing] { editing.ShowReplace(); });
    bind.Bind(C::FindNext, [&editing] { editing.FindDialogFind(); });
    bind.Bind(C::FindInOutline, [this] { outlineFind_->Show(); });

    bind.Bind(C::EditorWordWrap, [this] {
        TWordWrapCommand::Toggle(*Editor, session_->Settings, session_->Modified);
    });
    bind.Bind(C::TreeFont,
              [this] { TFontCommands(FontPicker(), session_->Settings).TreeFontMenuClick(*Tree); });
    bind.Bind(C::EditorFont, [this] {
        TFontCommands(FontPicker(), session_->Settings).EditorFontMenuClick(*Editor);
    });
    bind.Bind(C::Associate, [this] {
        TAssociationCommands::Associate(*context_.association, *context_.messageBoxes);
    });
    bind.Bind(C::DeleteRegistry, [this] {
        TAssociationCommands::DeleteRegistry(*context_.association, *context_.messageBoxes);
    });
    bind.Bind(C::SetOption, [this] { TOptionForm::SetOption(this, session_->Settings); });

    bind.Bind(C::OpenHelp,
              [this] { TLinkCommands::OpenHelp(*context_.shell, session_->Folders.HelpFolder()); });
    bind.Bind(C::Version, [this] { TVerForm::ShowNew(this); });
    // Links that fail are not reported.
    bind.Bind(C::HomePage, [this] { TLinkCommands::OpenHomePage(*context_.shell); });
    bind.Bind(C::LatestVersion, [this] { TLinkCommands::OpenLatestVersion(*context_.shell); });
    bind.Bind(C::MailLink, [this] { TLinkCommands::OpenMail(*context_.shell); });

    bind.Bind(C::SwitchFocus, [this] { keyboard_->SwitchFocus(); });
    const std::pair<C, int> menus[] = {{C::OpenFileMenu, TMenuTables::kFile},
                                       {C::OpenEditMenu, TMenuTables::kEdit},
                                       {C::OpenViewMenu, TMenuTables::kView},
                                       {C::OpenOptionMenu, TMenuTables::kOption},
                                       {C::OpenHelpMenu, TMenuTables::kHelp}};
    for (const auto& [id, menu] : menus) bind.Bind(id, [this, menu = menu] { menus_.Open(menu); });
    bind.Bind(C::OpenContextMenu, [this] { menus_.OpenContext(Tree->ContextMenuAnchor()); });
    bind.Bind(C::Minimize, [this] { frame_->MinimizeWindow(); });
    bind.Bind(C::Maximize, [this] { frame_->MaximizeButtonClick(); });
    bind.Bind(C::Close, [this] { close(); });
}

// ---------------------------------------------------------------------------
// Qt events

bool TMainForm::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            lifecycle_->FormActivate();
            // Back from a dialog of its own the application was active all along: the
            // title band shows it again.
            if (surface_->Shown()) surface_->AppActivate();
            break;
        case QEvent::StatusTip: ShowHint(static_cast<QStatusTipEvent*>(event)->tip()); return true;
        default: break;
    }
    return QWidget::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Editor && event->type() == QEvent::InputMethod &&
        texts_->EditorInputMethod(static_cast<QInputMethodEvent*>(event)))
        return true;
    if (event->type() == QEvent::MouseMove) {
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (watched == Tree->viewport())
            frame_->TreeMouseMove(Tree->viewport()->mapTo(Tree, position));
        else if (watched == Editor->viewport())
            frame_->EditorMouseMove(Editor->viewport()->mapTo(Editor, position));
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::paintEvent(QPaintEvent* event) { surface_->Paint(event); }

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    surface_->FormPaint();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) { frame_->MouseMove(event); }

void TMainForm::mousePressEvent(QMouseEvent* event) { frame_->MousePress(event); }

void TMainForm::mouseReleaseEvent(QMouseEvent* event) { frame_->MouseRelease(event); }

void TMainForm::mouseDoubleClickEvent(QMouseEvent* event) { frame_->MouseDoubleClick(event); }

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!lifecycle_->FormCloseQuery()) {
        event->ignore();
        return;
    }
    lifecycle_->FormClose();
    event->accept();
}
