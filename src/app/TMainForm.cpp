#include "app/TMainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTreeView>

#include "app/TOutlineView.h"
#include "app/TSettingsFile.h"
#include "app/TWindowPlacement.h"
#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "document/TExpandedStates.h"
#include "document/TNodeName.h"
#include "document/TOutlineItemModel.h"
#include "document/TRecentFiles.h"
#include "platform/AppError.h"
#include "platform/TFileDialogs.h"
#include "platform/TFontSubstitutes.h"
#include "platform/TMessageBoxes.h"
#include "skin/TSkinHints.h"
#include "ui/TAssociationCommands.h"
#include "ui/TEditorCommands.h"
#include "ui/TFontCommands.h"
#include "ui/TOptionForm.h"
#include "ui/TQtFontPicker.h"
#include "ui/TSystemMenuForm.h"
#include "ui/TWordWrapCommand.h"
#include "ui/TLinkCommands.h"
#include "ui/TVerForm.h"

namespace {

const QString kTreeHint = QStringLiteral(
    "|アウトライン部分です。ここに項目のアウトラインが表示されます。任意の項目が選択された状態で、"
    "もう一度クリックすると、ラベルの編集ができます。");
const QString kEditorHint = QStringLiteral(
    "|エディター部分です。ここに表示される文章は、左のアウトライン部分と、リンクしています。");

const QColor kControlTextGrey(128, 128, 128);
const QColor kAccent(38, 138, 98);  // the skin's colour of every active look

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
    CreateControls();
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateControls() {
    setObjectName(QStringLiteral("TMainForm"));
    setMinimumSize(800, 600);
    resize(792, 775);  // the designed size; the minimum raises it
    // The designed place, where the very first start shows the window: the top-left
    // corner of the screen, not where a window manager would put it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().topLeft());
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
    Tree->setSelectionMode(QAbstractItemView::SingleSelection);
    Tree->setFont(PixelFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    Tree->setStatusTip(LongHint(kTreeHint));
    Tree->setToolTip(QString());
    QPalette treePalette = Tree->palette();
    treePalette.setColor(QPalette::Text, kControlTextGrey);
    treePalette.setColor(QPalette::Highlight, kAccent);
    treePalette.setColor(QPalette::HighlightedText, Qt::white);
    // The selection stays visible while the outline has no focus.
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        treePalette.setColor(QPalette::Inactive, role, treePalette.color(QPalette::Active, role));
    Tree->setPalette(treePalette);

    Editor = new QPlainTextEdit(this);
    Editor->setObjectName(QStringLiteral("Editor"));
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

    connect(Tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { TreeChange(TreeModel->ItemOf(current)); });
    connect(TreeModel, &TOutlineItemModel::LabelEdited, this, &TMainForm::TreeEdited);
    connect(Tree, &QTreeView::expanded, this,
            [this](const QModelIndex& index) { TreeModel->ItemOf(index)->Expanded = true; });
    connect(Tree, &QTreeView::collapsed, this,
            [this](const QModelIndex& index) { TreeModel->ItemOf(index)->Expanded = false; });
    connect(Editor, &QPlainTextEdit::textChanged, this, &TMainForm::EditorChange);
    connect(Tree, &TOutlineView::ItemDropped, this, &TMainForm::TreeDragDrop);

    editing_ = std::make_unique<TEditorCommands>(this, Editor);

    for (QWidget* viewport : {Tree->viewport(), Editor->viewport()}) {
        viewport->setMouseTracking(true);
        viewport->installEventFilter(this);
    }
    Editor->installEventFilter(this);

    Timer.setInterval(250);
    Timer.setSingleShot(true);
    connect(&Timer, &QTimer::timeout, this, &TMainForm::TimerTimer);
}

// ---------------------------------------------------------------------------
// Start-up and shutdown

void TMainForm::FormCreate() {
    FirstPaint = true;
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            AppActivate();
        else
            AppDeactivate();
    });
    setWindowTitle(TMessageBoxes::ApplicationTitle());
    ExeDir = context_.exeDir;
    store_ = std::make_unique<TItemTextStore>(ExeDir + QStringLiteral("Data") + QDir::separator());
    skin_ = TSkinPainter(ExeDir + QStringLiteral("Data") + QDir::separator());
    DrawBackEnabled = true;
    DialogFolder = ExeDir;
    CurrentItemIndex = -1;
    Modified = false;
    SelectionSync = true;
    store_->RemoveAll();
    Settings.Clear();
    ReadSettingsAtStart();
    RunGuarded([this] { ChooseStartDocument(); });
    AutoSaveOn = Settings.Value(u"AutoSave") != QStringLiteral("0");
    if (TreeModel->Outline().IsEmpty()) AddDefaultItem();
}

void TMainForm::ReadSettingsAtStart() {
    const QString path = SettingsPath();
    if (!QFileInfo::exists(path)) {
        Settings = TSettingsList::Defaults(geometry());
        const auto answer = context_.messageBoxes->Ask(
            TMessageBoxes::Kind::Confirmation,
            QStringLiteral("qloを本アプリケーションに関連づけますか？"
                           "これは後から、オプションメニューからでも設定できます。"),
            TMessageBoxes::Buttons::YesNo);
        if (answer == TMessageBoxes::Answer::Yes) AssociateMenuClick();
        return;
    }
    try {
        Settings.Assign(TSettingsFile::Read(path));
    } catch (const AppError& error) {
        // Go on with the defaults, and keep the file unless the user changes a setting.
        ShowFailure(error.Text());
        Settings = TSettingsList::Defaults(geometry());
        unreadSettings_ = Settings.Lines();
        return;
    }
    if (TStartupSettings::IsCurrent(Settings))
        ApplySettings(TStartupSettings::Read(Settings));
    else
        TStartupSettings::Upgrade(Settings);
}

void TMainForm::ApplySettings(TStartupSettings::Values values) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    TStartupSettings::FitToDesktop(values, screen ? screen->virtualSize() : QSize(1 << 14, 1 << 14));
    for (const QString& bad : values.badValues) ShowFailure(AppError::NotAnInteger(bad).Text());
    for (const QString& large : values.oversizedValues) ShowFailure(AppError::LargerThanScreen(large).Text());
    QRect place(values.left.value_or(x()), values.top.value_or(y()), values.width.value_or(width()),
                values.height.value_or(height()));
    place.setSize(place.size().expandedTo(minimumSize()));
    setGeometry(TWindowPlacement::Reachable(place));
    if (values.treeWidth) Tree->resize(*values.treeWidth, Tree->height());
    if (values.wordWrapOff) Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (!values.dialogFolder.isEmpty()) DialogFolder = values.dialogFolder;
    if (values.treeFont) ApplyFont(Tree, *values.treeFont);
    if (values.editorFont) ApplyFont(Editor, *values.editorFont);
}

void TMainForm::ApplyFont(QWidget* control, const TStartupSettings::Font& setting) {
    QFont font = control->font();
    font.setFamily(setting.family);
    if (setting.pointSize) font.setPointSize(*setting.pointSize);
    setting.style.ApplyTo(font);
    control->setFont(font);
    if (setting.color && setting.color->isValid()) {
        QPalette palette = control->palette();
        palette.setColor(QPalette::Text, *setting.color);
        control->setPalette(palette);
    }
}

void TMainForm::AssociateMenuClick() {
    RunGuarded([this] { TAssociationCommands::Associate(*context_.association, *context_.messageBoxes); });
}

void TMainForm::DeleteRegistryMenuClick() {
    TAssociationCommands::DeleteRegistry(*context_.association, *context_.messageBoxes);
}

void TMainForm::VersionMenuClick() { TVerForm::ShowNew(this); }

void TMainForm::OpenHelpMenuClick() { TLinkCommands::OpenHelp(*context_.shell, ExeDir); }

void TMainForm::HPMenuClick() { TLinkCommands::OpenHomePage(*context_.shell); }

void TMainForm::LatestVersionMenuClick() { TLinkCommands::OpenLatestVersion(*context_.shell); }

void TMainForm::ChooseStartDocument() {
    const QString autoLoad = Settings.Value(u"AutoLoad");
    if (!context_.arguments.isEmpty()) {
        AutoLoadOn = autoLoad != QStringLiteral("0");
        LoadFile(context_.arguments.first());
        return;
    }
    AutoLoadOn = autoLoad == QStringLiteral("1");
    if (!AutoLoadOn) return;
    const QString editFile = Settings.Value(u"EditFile");
    if (editFile == QStringLiteral("nil")) return;
    if (QFileInfo::exists(editFile))
        LoadFile(editFile);
    else
        context_.messageBoxes->Ask(TMessageBoxes::Kind::Information,
                                   QStringLiteral("前回開いていたファイルがありません。自動読み込みを中止します。"),
                                   TMessageBoxes::Buttons::Ok);
}

void TMainForm::AddDefaultItem() {
    TOutlineItem* item = TreeModel->InsertItem(nullptr, 0, QStringLiteral("新規"), 0);
    item->SelectedIndex = item->ImageIndex;
    NextItemNumber = 1;
}

void TMainForm::FormActivate() {
    if (isMaximized() && geometry() != WorkArea()) WindowMaximize();
    const bool first = !Activated;
    Activated = true;
    if (first) {
        // The first activation focuses the outline, which selects its first item. The
        // view makes an item current when it takes the focus, without selecting it.
        Tree->setFocus(Qt::ActiveWindowFocusReason);
        if (!TreeModel->Outline().IsEmpty()) {
            TOutlineItem* item = SelectedItem() ? SelectedItem() : TreeModel->Outline().First();
            if (!Tree->selectionModel()->isSelected(TreeModel->IndexOf(item))) SelectItem(item);
        }
        update();
    }
}

void TMainForm::ShowHint(const QString& hint) { HintOut(LongHint(hint)); }

void TMainForm::BringToFront() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool TMainForm::FormCloseQuery() {
    // An empty outline has nothing to save: what the editor holds then is the notice
    // of the empty outline or text that belongs to no item.
    if (!Modified || Outline().IsEmpty()) return true;
    const QString editFile = Settings.Value(u"EditFile");
    if (Settings.Value(u"AutoSave") == QStringLiteral("1"))
        return editFile != QStringLiteral("nil") ? SaveGuarded(editFile) : SaveAsMenuClick();
    // "0", and any value that is neither "0" nor "1": ask rather than lose changes.
    return OfferToSave();
}

bool TMainForm::OfferToSave() {
    using Answer = TMessageBoxes::Answer;
    const auto ask = [this](const QString& text) {
        return context_.messageBoxes->Ask(TMessageBoxes::Kind::Confirmation, text,
                                          TMessageBoxes::Buttons::YesNoCancel);
    };
    switch (ask(QStringLiteral("編集中のファイルを保存しますか？"))) {
        case Answer::No: return true;
        case Answer::Yes: break;
        default: return false;
    }
    const QString editFile = Settings.Value(u"EditFile");
    if (editFile == QStringLiteral("nil")) return SaveAsMenuClick();
    switch (ask(QStringLiteral("上書きします。よろしいですか？"))) {
        case Answer::Yes: return SaveGuarded(editFile);
        case Answer::No: return SaveAsMenuClick();
        default: return false;
    }
}

void TMainForm::FormClose() {
    RecordWindowPlace();
    // The settings are written before the item texts go, so that a failure to write
    // them is reported while nothing else is lost yet.
    if (!unreadSettings_ || SettingsChangedSinceStart()) RunGuarded([this] { WriteSettingsFile(); });
    store_->RemoveAll();
}

bool TMainForm::SettingsChangedSinceStart() const {
    // The window's place is recorded at every close; it is no change of the user's.
    const auto withoutPlace = [](const QStringList& lines) {
        TSettingsList settings(lines);
        for (const char16_t* key : {u"Maximized", u"FormTop", u"FormLeft", u"FormHeight", u"FormWidth"})
            settings.SetValue(key, QString());
        return settings.Lines();
    };
    return withoutPlace(Settings.Lines()) != withoutPlace(*unreadSettings_);
}

void TMainForm::RecordWindowPlace() {
    const bool normal = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QString maximized = normal ? QStringLiteral("0") : QStringLiteral("1");
    Settings.SetValue(u"Maximized", QStringLiteral("0"));
    const QRect place = NormalPlace();
    Settings.SetValue(u"FormTop", QString::number(place.top()));
    Settings.SetValue(u"FormLeft", QString::number(place.left()));
    Settings.SetValue(u"FormHeight", QString::number(place.height()));
    Settings.SetValue(u"FormWidth", QString::number(place.width()));
    Settings.SetValue(u"Maximized", maximized);
}

void TMainForm::WriteSettingsFile() { TSettingsFile::Write(SettingsPath(), Settings.Lines()); }

QString TMainForm::SettingsPath() const { return ExeDir + QStringLiteral("Hedgerow.ini"); }

void TMainForm::TimerTimer() {
    DrawBack();
    Timer.stop();
}

bool TMainForm::RunGuarded(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const AppError& error) {
        ShowFailure(error.Text());
    }
    return false;
}

void TMainForm::ShowFailure(const QString& text) { context_.messageBoxes->ShowPlain(text); }

// ---------------------------------------------------------------------------
// Outline and item texts

QString TMainForm::ItemTextPath(int itemNumber) const { return store_->Path(itemNumber); }

int TMainForm::AllocateItemNumber() {
    const int number = store_->FirstFreeNumber(NextItemNumber);
    NextItemNumber = number + 1;
    return number;
}

int TMainForm::AllocateItemNumber(const QSet<int>& existing) {
    const int number = TItemTextStore::FirstFreeNumber(NextItemNumber, existing);
    NextItemNumber = number + 1;
    return number;
}

void TMainForm::StoreEditorText(const TOutlineItem* item) {
    QString text = EditorText();
    // A text the user has not changed keeps its file as it is: code page 932 writes some
    // characters it reads in two forms (duplicate codes) in one form only.
    if (item->ItemNumber == shownItemNumber_ && text == shownText_ && store_->Exists(item->ItemNumber)) return;
    store_->Store(item->ItemNumber, text);
    shownItemNumber_ = item->ItemNumber;
    shownText_ = std::move(text);
}

void TMainForm::ShowItemText(const TOutlineItem* item) {
    QString text = store_->Load(item->ItemNumber);
    if (text.isEmpty())
        Editor->clear();
    else
        SetEditorText(text);  // replaces the whole text at once
    shownItemNumber_ = item->ItemNumber;
    shownText_ = std::move(text);
}

QString TMainForm::EditorText() const { return TEditorCommands::TextOf(*Editor); }

void TMainForm::SetEditorText(const QString& text) { Editor->setPlainText(text); }

TOutlineItem* TMainForm::ItemAtCurrentIndex() const { return TreeModel->Outline().ItemAt(CurrentItemIndex); }

TOutlineItem* TMainForm::SelectedItem() const { return TreeModel->ItemOf(Tree->currentIndex()); }

TOutline& TMainForm::Outline() const { return TreeModel->Outline(); }

void TMainForm::SelectItem(TOutlineItem* item) {
    // A selected item is always visible.
    for (TOutlineItem* ancestor = item ? item->Parent() : nullptr; ancestor && ancestor != Outline().Root();
         ancestor = ancestor->Parent())
        if (!ancestor->Expanded) SetExpanded(ancestor, true);
    Tree->selectionModel()->setCurrentIndex(TreeModel->IndexOf(item), QItemSelectionModel::ClearAndSelect);
}

void TMainForm::TreeChange(TOutlineItem* selected) {
    if (!SelectionSync) return;
    const bool wasModified = Modified;
    try {
        if (TreeModel->Outline().Count() > 1) {
            Editor->hide();
            if (const TOutlineItem* previous = ItemAtCurrentIndex()) StoreEditorText(previous);
            if (selected) ShowItemText(selected);
            Editor->show();
        }
        CurrentItemIndex = TreeModel->Outline().AbsoluteIndexOf(selected);
    } catch (const AppError& error) {
        // The editor still holds the text of the item at CurrentItemIndex, which may not
        // have reached its file: the selection stays with it.
        Editor->show();
        RestoreSelection(ItemAtCurrentIndex());
        ShowFailure(error.Text());
    }
    Tree->setFocus();
    Modified = wasModified;
    SkipNextLayout = true;
}

void TMainForm::RestoreSelection(TOutlineItem* item) {
    if (!item) return;
    const bool syncing = SelectionSync;
    SelectionSync = false;
    Tree->selectionModel()->setCurrentIndex(TreeModel->IndexOf(item), QItemSelectionModel::ClearAndSelect);
    SelectionSync = syncing;
}

void TMainForm::EditorChange() { Modified = true; }

void TMainForm::TreeEdited(TOutlineItem*) { Modified = true; }

void TMainForm::SetExpanded(TOutlineItem* item, bool expanded) {
    item->Expanded = expanded;
    Tree->setExpanded(TreeModel->IndexOf(item), expanded);
}

void TMainForm::CollapseSubtree(TOutlineItem* item) {
    SetExpanded(item, false);
    for (int row = 0; row < item->ChildCount(); ++row) CollapseSubtree(item->Child(row));
}

// ---------------------------------------------------------------------------
// Item operations

void TMainForm::AddItem() {
    RunGuarded([this] {
        if (Outline().IsEmpty()) Editor->clear();  // the notice of the empty outline goes
        const TOutlineItem* selected = SelectedItem();
        AppendNewItem(selected ? selected->Parent() : nullptr);
    });
}

void TMainForm::AddChildItem() {
    if (CurrentItemIndex == -1) return;
    RunGuarded([this] { AppendNewItem(SelectedItem()); });
}

TOutlineItem* TMainForm::AppendNewItem(TOutlineItem* parent) {
    if (!parent) parent = Outline().Root();
    const int number = AllocateItemNumber();
    TOutlineItem* item = TreeModel->InsertItem(parent, parent->ChildCount(), QStringLiteral("新規"), number);
    SelectItem(item);
    item->ImageIndex = 0;
    item->SelectedIndex = 1;
    Modified = true;
    return item;
}

void TMainForm::AddItemText() {
    AddItem();
    RunGuarded([this] { PasteAsLabel(SelectedItem()); });
}

void TMainForm::AddChildItemText() {
    if (CurrentItemIndex == -1) return;
    AddChildItem();
    RunGuarded([this] { PasteAsLabel(SelectedItem()); });
}

void TMainForm::PasteAsLabel(TOutlineItem* item) {
    if (!item) return;
    Editor->insertPlainText(QGuiApplication::clipboard()->text());
    if (Settings.Value(u"AutoNodeName") == QStringLiteral("1")) {
        QString label = TNodeName::FirstBytes(EditorFirstLine(), TNodeName::kMaxLabelBytes);
        if (Settings.Value(u"NodeNameLimitter") == QStringLiteral("1")) {
            const QString count = Settings.Value(u"NodeNameLimitterCount");
            bool ok = false;
            const int limit = count.toInt(&ok, 10);
            if (!ok) throw AppError::NotAnInteger(count);
            label = TNodeName::FirstBytes(label, limit);
        }
        TreeModel->SetLabel(item, label);
    }
    Modified = true;
    Timer.start();
}

QString TMainForm::EditorFirstLine() const {
    const QTextBlock block = Editor->document()->firstBlock();
    QString line = block.text();
    // A line separator (Shift+Enter) ends the first line as well.
    const qsizetype separator = line.indexOf(QChar::LineSeparator);
    if (separator >= 0) line.truncate(separator);
    if (Editor->lineWrapMode() == QPlainTextEdit::NoWrap) return line;
    Editor->document()->documentLayout()->blockBoundingRect(block);  // lays the block out
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0) line.truncate(layout->lineAt(0).textLength());
    return line;
}

void TMainForm::DeleteItem() {
    TOutlineItem* selected = SelectedItem();
    if (Outline().IsEmpty() || !selected) return;
    using Kind = TMessageBoxes::Kind;
    if (context_.messageBoxes->Ask(Kind::Confirmation,
                                   QStringLiteral("選択している項目と、その子項目を削除します。よろしいですか？"),
                                   TMessageBoxes::Buttons::YesNo) != TMessageBoxes::Answer::Yes)
        return;
    const int index = Outline().AbsoluteIndexOf(selected);
    if (index == 0) {
        context_.messageBoxes->Ask(Kind::Warning,
                                   QStringLiteral("一番上の項目は、削除できません。削除したい場合は項目を「down」"
                                                  "ボタンで移動してから実行してください。"),
                                   TMessageBoxes::Buttons::Ok);
        return;
    }
    TOutlineItem* previous = Outline().ItemAt(index - 1);
    SelectItem(previous);
    if (SelectedItem() != previous) return;  // the text could not be stored: nothing goes
    SelectionSync = false;
    TreeModel->RemoveItem(Outline().ItemAt(index));
    SelectionSync = true;
    Modified = true;
}

bool TMainForm::MoveSubtree(TOutlineItem* item, TMovePrimitive::Mode mode, TOutlineItem* target) {
    const auto destination = TMovePrimitive::Resolve(Outline(), item, mode, target);
    if (!destination) return false;
    TOutlineItem* formerParent = item->Parent();
    // The move itself is no selection change: the selection stays on the item.
    const bool syncing = SelectionSync;
    SelectionSync = false;
    TreeModel->MoveItem(item, destination->parent, destination->row);
    SelectionSync = syncing;
    CollapseSubtree(item);
    if (destination->parent != Outline().Root()) SetExpanded(destination->parent, true);
    if (formerParent != Outline().Root() && !formerParent->HasChildren()) SetExpanded(formerParent, false);
    return true;
}

// After a move the editor still holds the moved item's text: name its new index,
// then pass the selection through a neighbour so that both texts are stored and the
// neighbour is shown the way the user last left it.
void TMainForm::RebindMovedItem(TOutlineItem* item, TOutlineItem* neighbour) {
    CurrentItemIndex = Outline().AbsoluteIndexOf(item);
    if (neighbour) SelectItem(neighbour);
    SelectItem(item);
}

void TMainForm::MoveUpItem() {
    TOutlineItem* item = SelectedItem();
    if (!item || item->Row() == 0) return;  // the first of its siblings
    RunGuarded([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* previous = item->Parent()->Child(item->Row() - 1);
        StoreEditorText(item);
        MoveSubtree(item, TMovePrimitive::Mode::Before, previous);
        RebindMovedItem(item, Outline().ItemAt(Outline().AbsoluteIndexOf(item) + 1));
        Modified = true;
        for (int index : states.IndexesToExpand(Outline().AbsoluteIndexOf(item)))
            SetExpanded(Outline().ItemAt(index), true);
    });
}

void TMainForm::MoveDownItem() {
    TOutlineItem* item = SelectedItem();
    if (!item) return;
    TOutlineItem* parent = item->Parent();
    if (item->Row() + 1 >= parent->ChildCount()) return;  // the last of its siblings
    RunGuarded([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* next = parent->Child(item->Row() + 1);
        StoreEditorText(item);
        if (next->Row() + 1 < parent->ChildCount())
            MoveSubtree(item, TMovePrimitive::Mode::Before, parent->Child(next->Row() + 1));
        else
            MoveSubtree(item, TMovePrimitive::Mode::LastSibling, next);
        RebindMovedItem(item, Outline().ItemAt(Outline().AbsoluteIndexOf(item) - 1));
        Modified = true;
        for (int index : states.IndexesToExpand(Outline().AbsoluteIndexOf(item)))
            SetExpanded(Outline().ItemAt(index), true);
    });
}

void TMainForm::MoveLeftItem() {
    TOutlineItem* item = SelectedItem();
    if (!item || item->Parent() == Outline().Root()) return;
    RunGuarded([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* formerParent = item->Parent();
        const int index = Outline().AbsoluteIndexOf(item);
        const bool orderChanges = item->Row() + 1 < formerParent->ChildCount();
        if (orderChanges) StoreEditorText(item);
        // The item follows its former parent's whole subtree.
        TOutlineItem* grandparent = formerParent->Parent();
        if (formerParent->Row() + 1 < grandparent->ChildCount())
            MoveSubtree(item, TMovePrimitive::Mode::Before, grandparent->Child(formerParent->Row() + 1));
        else
            MoveSubtree(item, TMovePrimitive::Mode::LastSibling, formerParent);
        if (orderChanges) {
            RebindMovedItem(item, Outline().ItemAt(index));
            Modified = true;
        }
        for (int expand : states.IndexesToExpand(Outline().AbsoluteIndexOf(item)))
            SetExpanded(Outline().ItemAt(expand), true);
    });
}

void TMainForm::MoveRightItem() {
    TOutlineItem* item = SelectedItem();
    if (!item || item->Row() == 0) return;  // no previous sibling to move into
    const bool wasExpanded = item->Expanded;
    MoveSubtree(item, TMovePrimitive::Mode::LastChild, item->Parent()->Child(item->Row() - 1));
    Modified = true;
    if (wasExpanded) SetExpanded(item, true);
}

void TMainForm::TreeDragDrop(const QPoint& point) {
    Tree->setEnabled(false);
    if (TOutlineItem* item = SelectedItem()) {
        QModelIndex targetIndex;
        const TDropZone::Zone zone = Tree->ZoneAt(point, &targetIndex);
        TOutlineItem* target = TreeModel->ItemOf(targetIndex);
        switch (zone) {
            case TDropZone::Zone::OnItem: MoveSubtree(item, TMovePrimitive::Mode::LastChild, target); break;
            case TDropZone::Zone::BelowItems: MoveSubtree(item, TMovePrimitive::Mode::LastSibling, nullptr); break;
            case TDropZone::Zone::Indentation: MoveSubtree(item, TMovePrimitive::Mode::Before, target); break;
            case TDropZone::Zone::Nowhere: break;
        }
        CurrentItemIndex = Outline().AbsoluteIndexOf(item);
        SelectItem(item);
        Modified = true;
    }
    Tree->setEnabled(true);
    Tree->setFocus();
}

// ---------------------------------------------------------------------------
// Documents

bool TMainForm::SaveFile(const QString& path) {
    if (Outline().IsEmpty()) throw AppError(TDocumentWriter::EmptyOutlineText());
    if (TDocumentWriter::CurrentIndexIsStale(Outline(), CurrentItemIndex)) {
        context_.messageBoxes->Ask(TMessageBoxes::Kind::Error, TDocumentWriter::IndexError001Text(),
                                   TMessageBoxes::Buttons::Ok);
    } else {
        if (const TOutlineItem* selected = SelectedItem()) StoreEditorText(selected);
        ApplyWordWrapSetting();
    }
    const TDocumentWriter::Output output = TDocumentWriter::Write(Outline(), *store_);
    if (!output.Complete() && !ConfirmUnencodable(output.unencodable)) return false;
    TDocumentWriter::WriteFile(path, {output.head, output.texts}, Settings.Value(u"AutoBackup") == QStringLiteral("1"));
    Settings.SetValue(u"EditFile", path);
    Modified = false;
    const QString name = path.mid(TStartupSettings::FolderOf(path).size());
    setWindowTitle(TMessageBoxes::ApplicationTitle() + QStringLiteral("  [ ") + name + QStringLiteral(" ]"));
    return true;
}

bool TMainForm::ConfirmUnencodable(const QString& characters) {
    return context_.messageBoxes->Ask(
               TMessageBoxes::Kind::Confirmation,
               QStringLiteral("次の文字はこのファイル形式（Shift-JIS）で保存できないため、「?」に置き換えて"
                              "保存されます。\n%1\n保存しますか？")
                   .arg(characters),
               TMessageBoxes::Buttons::YesNo) == TMessageBoxes::Answer::Yes;
}

void TMainForm::ApplyWordWrapSetting() {
    const QString wrap = Settings.Value(u"EditorWordWrap");
    if (wrap == QStringLiteral("1")) Editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (wrap == QStringLiteral("0")) Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool TMainForm::SaveGuarded(const QString& path) {
    bool saved = false;
    RunGuarded([&] { saved = SaveFile(path); });
    return saved;
}

bool TMainForm::LoadFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        context_.messageBoxes->Ask(TMessageBoxes::Kind::Warning,
                                   QStringLiteral("ファイルが存在しません。読み込みを中断します。"),
                                   TMessageBoxes::Buttons::Ok);
        return false;
    }
    // The whole file is read and checked before anything is asked or discarded.
    QByteArray bytes = ReadCheckedDocument(path);
    if (Modified && !Outline().IsEmpty()) {
        if (!OfferToSave()) return false;
        // The answer may have saved the edits into this very file.
        bytes = ReadCheckedDocument(path);
    }
    ReplaceDocument(path, bytes);
    return true;
}

QByteArray TMainForm::ReadCheckedDocument(const QString& path) {
    QByteArray bytes = TDocumentReader::ReadFile(path);
    TDocumentReader::Check(bytes);
    return bytes;
}

void TMainForm::ReplaceDocument(const QString& path, const QByteArray& bytes) {
    SelectionSync = false;
    Editor->hide();
    QList<TOutlineItem*> expanded;
    try {
        const QSet<int> existing = store_->ExistingNumbers();
        expanded = TDocumentReader::Read(
            bytes, *TreeModel, [&] { return AllocateItemNumber(existing); }, *store_);
    } catch (...) {
        Editor->show();
        SelectionSync = true;
        throw;
    }
    for (TOutlineItem* item : expanded) SetExpanded(item, true);
    ShowItemText(Outline().First());
    Editor->show();
    SelectionSync = true;
    CurrentItemIndex = 0;
    SelectItem(Outline().First());
    Modified = false;
    RecentFile(path);
    Settings.SetValue(u"EditFile", path);
    DialogFolder = TStartupSettings::FolderOf(path);
}

bool TMainForm::NewDocument() {
    if (Modified && !Outline().IsEmpty() && !OfferToSave()) return false;
    SelectionSync = false;
    TreeModel->Clear();
    Editor->clear();
    SetEditorText(QStringLiteral("項目が追加されていません。\n"
                                 "項目を「brother」ボタンで追加してから、文章の編集を行ってください。"));
    Modified = false;
    SelectionSync = true;
    Settings.SetValue(u"EditFile", QStringLiteral("nil"));
    return true;
}

void TMainForm::NewMenuClick() { NewDocument(); }

void TMainForm::OpenMenuClick() {
    const QString path = context_.fileDialogs->AskOpenFileName(DialogFolder);
    if (path.isEmpty()) return;
    RunGuarded([&] {
        if (!QFileInfo::exists(path)) {
            if (NewDocument()) LoadFile(path);  // which warns that the file is missing
            return;
        }
        // A document that cannot be read is reported before anything is discarded.
        QByteArray bytes = ReadCheckedDocument(path);
        const bool asks = Modified && !Outline().IsEmpty();
        if (!NewDocument()) return;
        // The answer may have saved the edits into this very file.
        if (asks) bytes = ReadCheckedDocument(path);
        ReplaceDocument(path, bytes);
    });
    DrawBack();
}

void TMainForm::SaveMenuClick() {
    if (Outline().IsEmpty()) {
        context_.messageBoxes->ShowPlain(TDocumentWriter::EmptyOutlineText());
        return;
    }
    const QString editFile = Settings.Value(u"EditFile");
    if (editFile == QStringLiteral("nil"))
        SaveAsMenuClick();
    else
        SaveGuarded(editFile);
}

bool TMainForm::SaveAsMenuClick() {
    if (Outline().IsEmpty()) {
        context_.messageBoxes->ShowPlain(TDocumentWriter::EmptyOutlineText());
        return false;
    }
    const QString path = context_.fileDialogs->AskSaveFileName(DialogFolder);
    if (path.isEmpty()) return false;
    const bool saved = SaveGuarded(path);
    if (saved) DialogFolder = TStartupSettings::FolderOf(path);
    DrawBack();
    return saved;
}

void TMainForm::ExitMenuClick() { close(); }

void TMainForm::RecentFileMenuClick(int number) {
    RunGuarded([&] { LoadFile(Settings.Value(TRecentFiles::Key(number))); });
    Timer.start();
}

void TMainForm::RecentFile(const QString& path) { TRecentFiles::Add(Settings, path); }

void TMainForm::AutoLoadMenuClick() {
    AutoLoadOn = !AutoLoadOn;
    Settings.SetValue(u"AutoLoad", AutoLoadOn ? QStringLiteral("1") : QStringLiteral("0"));
}

void TMainForm::AutoSaveMenuClick() {
    AutoSaveOn = !AutoSaveOn;
    Settings.SetValue(u"AutoSave", AutoSaveOn ? QStringLiteral("1") : QStringLiteral("0"));
}

void TMainForm::AutoBackupMenuClick() {
    const bool off = Settings.Value(u"AutoBackup") == QStringLiteral("0");
    Settings.SetValue(u"AutoBackup", off ? QStringLiteral("1") : QStringLiteral("0"));
}

// ---------------------------------------------------------------------------
// Painting

void TMainForm::FormPaint() {
    if (!Activated) return;
    if (SkipNextLayout && !FirstPaint) {
        SkipNextLayout = false;
    } else {
        LayoutControls();
        DrawBack();
    }
    FirstPaint = false;
}

void TMainForm::LayoutControls() {
    const TControlLayout layout = TSkinLayout::LayoutControls(width(), height(), Tree->width());
    if (layout.TreeWidthCut) Settings.SetValue(u"TreeWidth", QString::number(layout.Tree.width()));
    Tree->setGeometry(layout.Tree);
    Editor->setGeometry(layout.Editor);
}

TWindowState TMainForm::WindowState() const {
    if (isMinimized()) return TWindowState::Minimized;
    if (isMaximized()) return TWindowState::Maximized;
    return TWindowState::Normal;
}

void TMainForm::DrawBack() {
    if (!DrawBackEnabled) return;
    CheckMaximizedState();
    RunSkinStep([this] {
        const TSkinScene scene{width(), height(), isActiveWindow(), WindowState(), Tree->geometry(),
                               Editor->geometry()};
        surface_ = skin_.Compose(scene);
        ShowSurface(rect());
    });
}

void TMainForm::RedrawBack() {
    if (HotElement == 0) return;
    if (TSkinLayout::IsButton(HotElement)) {
        DrawElementsOnSurface([this](QPainter& painter, QRegion& drawn) {
            drawn += skin_.DrawElement(painter, HotElement, TSkinLook::Normal, width(), height(), WindowState());
        });
    }
    HotElement = 0;
}

void TMainForm::HintOut(const QString& text) {
    HintText = text;
    const QRect band = TSkinLayout::HintBand(width(), height());
    DrawOnSurface(band, [&](QPainter& painter) {
        skin_.DrawHintBand(painter, width(), height());
        if (text.isEmpty()) return;
        painter.setFont(font());
        painter.setPen(kControlTextGrey);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        const QPoint at = TSkinLayout::HintTextPos(height());
        painter.setClipRect(band);
        painter.drawText(QRect(at, QSize(width() - at.x(), band.bottom() - at.y() + 1)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    });
}

void TMainForm::AppActivate() { DrawTitleBar(true); }

void TMainForm::AppDeactivate() { DrawTitleBar(false); }

void TMainForm::DrawTitleBar(bool active) {
    DrawOnSurface(QRect(TSkinLayout::TitleBarPos(), QSize(width(), 30)),
                  [&](QPainter& painter) { skin_.DrawTitleBar(painter, active); });
}

void TMainForm::DrawOnSurface(const QRegion& area, const std::function<void(QPainter&)>& draw) {
    if (surface_.isNull()) return;  // nothing drawn yet: the first full drawing comes
    // Like drawing on the window itself: what was drawn before a failure stays.
    QPainter painter(&surface_);
    RunSkinStep([&] { draw(painter); });
    painter.end();
    ShowSurface(area);
}

void TMainForm::DrawElementsOnSurface(const std::function<void(QPainter&, QRegion&)>& draw) {
    if (surface_.isNull()) return;
    // The bitmaps decide what is shown again: a look may be larger than where it reacts
    // to the pointer.
    QRegion drawn;
    QPainter painter(&surface_);
    RunSkinStep([&] { draw(painter, drawn); });
    painter.end();
    ShowSurface(drawn);
}

void TMainForm::RunSkinStep(const std::function<void()>& step) {
    try {
        step();
        lastSkinFailure_.clear();
    } catch (const AppError& error) {
        // Every paint tries again; the same failure is reported once, and the box is
        // shown after the paint under way has finished.
        if (error.Text() == lastSkinFailure_) return;
        lastSkinFailure_ = error.Text();
        QMetaObject::invokeMethod(this, [this, text = error.Text()] { ShowFailure(text); }, Qt::QueuedConnection);
    }
}

void TMainForm::ShowSurface(const QRegion& area) {
    if (painting_) return;  // the paint under way shows the new surface
    blitOnly_ = true;
    repaint(area);
    blitOnly_ = false;
}

// ---------------------------------------------------------------------------
// Editing commands

void TMainForm::CutMenuClick() { editing_->Cut(); }
void TMainForm::CopyMenuClick() { editing_->Copy(); }
void TMainForm::PasteMenuClick() { editing_->Paste(); }
void TMainForm::UndoMenuClick() { editing_->Undo(); }
void TMainForm::FindMenuClick() { editing_->ShowFind(); }
void TMainForm::ReplaceMenuClick() { editing_->ShowReplace(); }

// ---------------------------------------------------------------------------
// Frame behaviour and hover

QRect TMainForm::WorkArea() const {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : geometry();
}

QRect TMainForm::NormalPlace() const {
    if (!isMaximized() && !isMinimized()) return geometry();
    if (normalPlace_.isValid()) return normalPlace_;
    return normalGeometry().isValid() ? normalGeometry() : geometry();
}

void TMainForm::WindowMaximize() {
    if (!isMaximized() && !isMinimized()) normalPlace_ = geometry();
    // Setting the geometry clears the maximised state, so it comes first.
    setGeometry(WorkArea());
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    update();
}

// A window whose user chose the maximised state is kept exactly on the work area.
void TMainForm::CheckMaximizedState() {
    if (Settings.Value(u"Maximized") != QStringLiteral("1") || geometry() == WorkArea()) return;
    DrawBackEnabled = false;
    WindowMaximize();
    DrawBackEnabled = true;
    const bool wasModified = Modified;
    RunGuarded([this] {
        if (const TOutlineItem* selected = SelectedItem()) {
            StoreEditorText(selected);
            if (store_->Exists(selected->ItemNumber)) SetEditorText(store_->Load(selected->ItemNumber));
        }
    });
    if (!wasModified) Modified = false;
}

// The user's choice between the maximised and the normal state, kept in "Maximized".
void TMainForm::ToggleMaximized() {
    if (isMaximized()) {
        Settings.SetValue(u"Maximized", QStringLiteral("0"));
        setWindowState(windowState() & ~Qt::WindowMaximized);
        if (normalPlace_.isValid()) setGeometry(normalPlace_);
    } else {
        Settings.SetValue(u"Maximized", QStringLiteral("1"));
        WindowMaximize();
    }
}

void TMainForm::MinimizeWindow() {
    showMinimized();
    // Only a window manager minimises a window; without one it stays on screen and
    // must stay in its normal state, or its buttons, resizing and the stored state
    // would follow a state it is not in.
    QTimer::singleShot(kMinimizeCheckMs, this, [this] {
        if (!isMinimized() || !windowHandle() || !windowHandle()->isExposed()) return;
        setWindowState(windowState() & ~Qt::WindowMinimized);
        DrawBack();
    });
}

void TMainForm::MaximizeButtonClick() {
    if (isMinimized()) return;
    DrawBackEnabled = false;
    ToggleMaximized();
    DrawBackEnabled = true;
    DrawBack();
}

void TMainForm::FormDblClick() {
    if (HotElement == SkinCode::Caption && !isMinimized()) ToggleMaximized();
}

void TMainForm::SetPointerShape(Qt::CursorShape shape) {
    if (cursor().shape() != shape) setCursor(shape);
}

namespace {

Qt::CursorShape ShapeOfResizeZone(int zone) {
    switch (zone) {
        case SkinCode::LeftEdge:
        case SkinCode::RightEdge: return Qt::SizeHorCursor;
        case SkinCode::TopEdge:
        case SkinCode::BottomEdge: return Qt::SizeVerCursor;
        case SkinCode::TopLeftCorner:
        case SkinCode::BottomRightCorner: return Qt::SizeFDiagCursor;
        default: return Qt::SizeBDiagCursor;
    }
}

bool IsResizeZone(int code) { return code >= SkinCode::LeftEdge && code <= SkinCode::BottomRightCorner; }

Qt::Edges EdgesOf(int zone) {
    switch (zone) {
        case SkinCode::LeftEdge: return Qt::LeftEdge;
        case SkinCode::RightEdge: return Qt::RightEdge;
        case SkinCode::TopEdge: return Qt::TopEdge;
        case SkinCode::BottomEdge: return Qt::BottomEdge;
        case SkinCode::TopLeftCorner: return Qt::TopEdge | Qt::LeftEdge;
        case SkinCode::TopRightCorner: return Qt::TopEdge | Qt::RightEdge;
        case SkinCode::BottomLeftCorner: return Qt::BottomEdge | Qt::LeftEdge;
        default: return Qt::BottomEdge | Qt::RightEdge;
    }
}

}  // namespace

void TMainForm::FormMouseMove(int X, int Y) {
    const bool menuVisible = TSystemMenuForm::MenuVisible();
    TPointerInput input;
    input.X = X;
    input.Y = Y;
    input.W = width();
    input.H = height();
    input.State = WindowState();
    input.MenuVisible = menuVisible;
    input.SplitterDragging = HotElement == SkinCode::Splitter && SplitterDragging;
    input.Tree = Tree->geometry();
    input.Editor = Editor->geometry();
    const TPointerHit hit = TSkinLayout::ClassifyFrame(input);
    int code = hit.Code;
    if (code == SkinCode::MenuView) HintOut(TSkinHints::Of(SkinCode::MenuView));
    if (!hit.StoppedAtMenu) {
        if (hit.ResizeZone) SetPointerShape(ShapeOfResizeZone(hit.ResizeZone));
        if (input.SplitterDragging) {
            SplitterDragStep(X, Y);
            code = SkinCode::Splitter;
        }
        if (HotElement != SkinCode::Splitter && !IsResizeZone(code)) SetPointerShape(Qt::ArrowCursor);
        if (TSkinLayout::IsOnSplitter(X, Y, Tree->geometry(), Editor->geometry())) {
            code = SkinCode::Splitter;
            SetPointerShape(Qt::SplitHCursor);
            HintOut(TSkinHints::Of(SkinCode::Splitter));
        }
    }
    if (HotElement != 0 && code == 0) {
        HotElement = 0;
        HintOut(QString());
    }
    DrawLooks(code);
    TSystemMenuForm::FollowPointer(*this, HotElement, code);
    HotElement = code;
}

// Every button, menu title and link tab in its active look when the pointer is on
// it, else in its normal look; the button under the pointer writes its hint.
void TMainForm::DrawLooks(int hot) {
    static const int kLooks[] = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 36, 35};
    QString hint;
    DrawElementsOnSurface([&](QPainter& painter, QRegion& drawn) {
        for (int code : kLooks) {
            drawn += skin_.DrawElement(painter, code, code == hot ? TSkinLook::Active : TSkinLook::Normal, width(),
                                       height(), WindowState());
            if (code == hot && TSkinLayout::IsButton(code)) hint = TSkinHints::Of(code);
        }
    });
    if (!hint.isEmpty()) HintOut(hint);
}

void TMainForm::DrawButtonLook(int code, TSkinLook look) {
    DrawElementsOnSurface([&](QPainter& painter, QRegion& drawn) {
        drawn += skin_.DrawElement(painter, code, look, width(), height(), WindowState());
    });
}

void TMainForm::FormMouseDown(Qt::MouseButton, int X, int Y) {
    if (HotElement == SkinCode::Splitter && cursor().shape() == Qt::SplitHCursor) {
        SplitterDragging = true;
        SplitterDownX = X;
        SplitterDownY = Y;
        const QRect tree = Tree->geometry();
        SplitterImage = surface_.copy(QRect(Editor->x() - 20, tree.top(), 40, tree.height() + 20));
        grabMouse();  // any release ends the drag, wherever it happens
    }
    if (HotElement >= SkinCode::ButtonBrother && HotElement <= SkinCode::ButtonDelete)
        DrawButtonLook(HotElement, TSkinLook::Click);
}

void TMainForm::FormMouseUp(Qt::MouseButton) {
    const int element = HotElement;
    if (element >= SkinCode::ButtonBrother && element <= SkinCode::ButtonDelete)
        DrawButtonLook(element, TSkinLook::Click);
    RunReleaseCommand(element);
    if (element == SkinCode::ButtonDelete) DrawButtonLook(element, TSkinLook::Normal);
    static const int kNormalAfterRelease[] = {1, 2, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17};
    for (int code : kNormalAfterRelease) DrawButtonLook(code, TSkinLook::Normal);
    if (SplitterDragging) EndSplitterDrag();
}

void TMainForm::RunReleaseCommand(int element) {
    switch (element) {
        case SkinCode::ButtonBrother: AddItem(); break;
        case SkinCode::ButtonChild: AddChildItem(); break;
        case SkinCode::ButtonDelete: DeleteItem(); break;
        case SkinCode::ItemUp: MoveUpItem(); break;
        case SkinCode::ItemDown: MoveDownItem(); break;
        case SkinCode::ItemLeft: MoveLeftItem(); break;
        case SkinCode::ItemRight: MoveRightItem(); break;
        case SkinCode::NewFile: NewMenuClick(); break;
        case SkinCode::OpenFile: OpenMenuClick(); break;
        case SkinCode::SaveFile: SaveMenuClick(); break;
        case SkinCode::PasteBrother: AddItemText(); break;
        case SkinCode::PasteChild: AddChildItemText(); break;
        case SkinCode::Cut: CutMenuClick(); break;
        case SkinCode::Copy: CopyMenuClick(); break;
        case SkinCode::Paste: PasteMenuClick(); break;
        case SkinCode::Undo: UndoMenuClick(); break;
        case SkinCode::MenuFile:
        case SkinCode::MenuEdit:
        case SkinCode::MenuView:
        case SkinCode::MenuOption:
        case SkinCode::MenuHelp: SystemMenuOpen(element - SkinCode::MenuFile + 1); break;
        case SkinCode::Minimize: MinimizeWindow(); break;
        case SkinCode::Maximize: MaximizeButtonClick(); break;
        case SkinCode::Close: close(); break;
        case SkinCode::Homepage:
        case SkinCode::EMail: OpenLink(element); break;
        default: break;
    }
}

void TMainForm::SplitterDragStep(int X, int Y) {
    const int d = X - SplitterDownX;
    QRect tree = Tree->geometry();
    QRect editor = Editor->geometry();
    const int both = tree.width() + editor.width();
    tree.setWidth(tree.width() + d);
    editor.setWidth(editor.width() - d);
    SplitterDownX = X;
    SplitterDownY = Y;
    bool limit = false;
    if (tree.width() < 100) {
        tree.setWidth(100);
        editor.setWidth(both - 100);
        limit = true;
    } else if (editor.width() < 100) {
        editor.setWidth(100);
        tree.setWidth(both - 100);
        limit = true;
    }
    editor.moveLeft(tree.left() + tree.width() + 20);
    // Narrow before moving, move before widening: the controls never overlap.
    if (d > 0) {
        Editor->setGeometry(editor);
        Tree->setGeometry(tree);
    } else {
        Tree->setGeometry(tree);
        Editor->setGeometry(editor);
    }
    Settings.SetValue(u"TreeWidth", QString::number(tree.width()));
    if (limit) {
        EndSplitterDrag();
        return;
    }
    // One continuous shadow band runs under both controls while dragging.
    const QRect band(QPoint(tree.left() + 20, tree.bottom() + 1), QPoint(editor.right(), tree.bottom() + 20));
    const QRect gap(editor.left() - 20, tree.top(), SplitterImage.width(), SplitterImage.height());
    DrawOnSurface(QRegion(band) + gap, [&](QPainter& painter) {
        painter.drawImage(band, skin_.Load(QStringLiteral("Shadow_Bottom.bmp")), QRect(0, 0, 10, 20));
        painter.drawImage(gap.topLeft(), SplitterImage);
    });
}

void TMainForm::EndSplitterDrag() {
    SplitterDragging = false;
    releaseMouse();
    DrawBack();
}

void TMainForm::TreeMouseMove(const QPoint& position) {
    if (HotElement == SkinCode::Splitter && cursor().shape() == Qt::SplitHCursor) {
        ForwardSplitterMove(Tree, position);
        return;
    }
    if (HotElement != 0) RedrawBack();
}

void TMainForm::EditorMouseMove(const QPoint& position) {
    if (HotElement == SkinCode::Splitter && cursor().shape() == Qt::SplitHCursor) {
        ForwardSplitterMove(Editor, position);
        return;
    }
    Editor->setFocus(Qt::MouseFocusReason);
    if (HotElement != 0) RedrawBack();
}

// A move from the splitter into a control goes to the window as during a drag. When it
// finds no element there and clears the hint line, the control's own hint follows.
void TMainForm::ForwardSplitterMove(const QWidget* control, const QPoint& position) {
    FormMouseMove(position.x() + control->x(), position.y() + control->y());
    if (!SplitterDragging && HintText.isEmpty()) HintOut(control->statusTip());
}

void TMainForm::SystemMenuOpen(int menu) { TSystemMenuForm::Open(*this, menu); }

void TMainForm::RunMenuCommand(TMenuCommand command) {
    using C = TMenuCommand;
    RunGuarded([&] {
        switch (command) {
            case C::NewFile: NewMenuClick(); break;
            case C::OpenFile: OpenMenuClick(); break;
            case C::SaveFile: SaveMenuClick(); break;
            case C::SaveFileAs: SaveAsMenuClick(); break;
            case C::RecentFile1:
            case C::RecentFile2:
            case C::RecentFile3:
            case C::RecentFile4:
            case C::RecentFile5:
                RecentFileMenuClick(static_cast<int>(command) - static_cast<int>(C::RecentFile1) + 1);
                break;
            case C::Exit: ExitMenuClick(); break;
            case C::AddItem: AddItem(); break;
            case C::AddChildItem: AddChildItem(); break;
            case C::DeleteItem: DeleteItem(); break;
            case C::AddItemText: AddItemText(); break;
            case C::AddChildItemText: AddChildItemText(); break;
            case C::Cut: CutMenuClick(); break;
            case C::Copy: CopyMenuClick(); break;
            case C::Paste: PasteMenuClick(); break;
            case C::Undo: UndoMenuClick(); break;
            case C::Find: FindMenuClick(); break;
            case C::Replace: ReplaceMenuClick(); break;
            case C::AutoLoad: AutoLoadMenuClick(); break;
            case C::AutoSave: AutoSaveMenuClick(); break;
            case C::AutoBackup: AutoBackupMenuClick(); break;
            case C::EditorWordWrap: EditorWordWrapMenuClick(); break;
            case C::TreeFont: TreeFontMenuClick(); break;
            case C::EditorFont: EditorFontMenuClick(); break;
            case C::Associate: AssociateMenuClick(); break;
            case C::DeleteRegistry: DeleteRegistryMenuClick(); break;
            case C::SetOption: SetOption(); break;
            case C::OpenHelp: OpenHelpMenuClick(); break;
            case C::Version: VersionMenuClick(); break;
            case C::HomePage: HPMenuClick(); break;
            case C::LatestVersion: LatestVersionMenuClick(); break;
            case C::None: break;
        }
    });
}

TFontPicker& TMainForm::FontPicker() {
    if (context_.fontPicker) return *context_.fontPicker;
    if (!ownFontPicker_) ownFontPicker_ = std::make_unique<TQtFontPicker>(this);
    return *ownFontPicker_;
}

void TMainForm::TreeFontMenuClick() { TFontCommands(FontPicker(), Settings).TreeFontMenuClick(*Tree); }

void TMainForm::EditorFontMenuClick() { TFontCommands(FontPicker(), Settings).EditorFontMenuClick(*Editor); }

void TMainForm::EditorWordWrapMenuClick() { TWordWrapCommand::Toggle(*Editor, Settings, Modified); }

void TMainForm::SetOption() { TOptionForm::SetOption(this, Settings); }

void TMainForm::OpenLink(int element) {
    // A failure is not reported.
    if (element == SkinCode::EMail)
        TLinkCommands::OpenMail(*context_.shell);
    else
        TLinkCommands::OpenHomePage(*context_.shell);
}

void TMainForm::StartFrameDrag(int element, const QPoint& globalPointer) {
    QWindow* window = windowHandle();
    bool started = false;
    if (window) started = element == SkinCode::Caption ? window->startSystemMove()
                                                       : window->startSystemResize(EdgesOf(element));
    // Without a window manager that takes over, the window follows the pointer itself.
    if (!started) frameDrag_.emplace(element, geometry(), globalPointer, minimumSize());
}

// ---------------------------------------------------------------------------
// Qt events

bool TMainForm::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            FormActivate();
            break;
        case QEvent::StatusTip:
            ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
            return true;
        default:
            break;
    }
    return QWidget::event(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Editor && event->type() == QEvent::InputMethod && !composing_) {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty() && input->replacementLength() == 0) {
            // An input method's composition shows in the editor but is no text yet, though
            // the editor reports every step of it as a change; it changes the text only
            // where it types over a selection.
            const bool wasModified = Modified;
            const int characters = Editor->document()->characterCount();
            composing_ = true;
            QCoreApplication::sendEvent(Editor, event);
            composing_ = false;
            if (Editor->document()->characterCount() == characters) Modified = wasModified;
            return true;
        }
    }
    if (event->type() == QEvent::MouseMove) {
        const QPoint position = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (watched == Tree->viewport())
            TreeMouseMove(Tree->viewport()->mapTo(Tree, position));
        else if (watched == Editor->viewport())
            EditorMouseMove(Editor->viewport()->mapTo(Editor, position));
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::paintEvent(QPaintEvent* event) {
    if (!blitOnly_) {
        painting_ = true;
        FormPaint();
        painting_ = false;
    }
    QPainter painter(this);
    if (surface_.isNull() || !Activated) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    painter.drawImage(event->rect(), surface_, event->rect());
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormPaint();
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (frameDrag_) {
        setGeometry(frameDrag_->GeometryAt(global));
        return;
    }
    if (captionPress_ && (event->buttons() & Qt::LeftButton) && (global - *captionPress_).manhattanLength() >= 3) {
        StartFrameDrag(SkinCode::Caption, *captionPress_);
        captionPress_.reset();
        if (frameDrag_) setGeometry(frameDrag_->GeometryAt(global));
        return;
    }
    FormMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (IsResizeZone(HotElement)) StartFrameDrag(HotElement, global);
        // The caption moves the window once the pointer really drags it, so that a
        // double click on the caption stays a double click for every window manager.
        if (HotElement == SkinCode::Caption && !isMaximized()) captionPress_ = global;
    }
    const QPoint at = global - geometry().topLeft();
    FormMouseDown(event->button(), at.x(), at.y());
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
    captionPress_.reset();
    if (frameDrag_) {
        frameDrag_.reset();
        return;
    }
    FormMouseUp(event->button());
}

void TMainForm::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) FormDblClick();
    const QPoint at = event->position().toPoint();
    FormMouseDown(event->button(), at.x(), at.y());
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
