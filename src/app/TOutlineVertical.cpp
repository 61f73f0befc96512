#include "app/TOutlineVertical.h"

#include <QPlainTextEdit>
#include <QTextBlock>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineCount.h"
#include "app/TToolWindowPlace.h"
#include "document/TOutline.h"
#include "document/TOutlineItem.h"
#include "layout/TGridSize.h"

namespace {

const QString kPlace = QStringLiteral("VerticalWindow");
const QString kSubtree = QStringLiteral("VerticalSubtree");
const QString kManuscript = QStringLiteral("VerticalManuscript");
const QString kMincho = QStringLiteral("VerticalMincho");

const QString kMinchoFamily = QStringLiteral("IPAMincho");

// item's descendants in outline order.
void AddDescendants(const TOutlineItem& item, std::vector<const TOutlineItem*>& items) {
    for (int row = 0; row < item.ChildCount(); ++row) {
        items.push_back(item.Child(row));
        AddDescendants(*item.Child(row), items);
    }
}

}  // namespace

TOutlineVertical::TOutlineVertical(TDocumentSession& session, TItemTextBinding& texts,
                                   QPlainTextEdit* editor, QWidget* owner)
    : session_(session), texts_(texts), editor_(editor), owner_(owner) {}

TOutlineVertical::~TOutlineVertical() = default;

bool TOutlineVertical::Shown() const { return window_ && window_->isVisible(); }

void TOutlineVertical::Show() {
    if (!window_) CreateWindow();
    ReadOptions();
    Gather();
    window_->show();
    window_->raise();
}

void TOutlineVertical::CreateWindow() {
    window_ = std::make_unique<TVerticalPreviewWindow>(preview_, owner_);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    TToolWindowPlace(session_.Settings, kPlace).Place(*window_, *owner_, QSize(520, 720));
    connect(window_.get(), &TVerticalPreviewWindow::SubtreeChanged, this, [this](bool on) {
        SetFlag(kSubtree, on);
        subtree_ = on;
        Gather();
    });
    connect(window_.get(), &TVerticalPreviewWindow::ManuscriptChanged, this,
            [this](bool on) { SetFlag(kManuscript, on); });
    connect(window_.get(), &TVerticalPreviewWindow::MinchoChanged, this, [this](bool on) {
        SetFlag(kMincho, on);
        mincho_ = on;
        window_->SetFont(on ? QFont(kMinchoFamily) : editor_->font());
    });
    connect(window_.get(), &TVerticalPreviewWindow::TurnRequested, this, &TOutlineVertical::Turn);
    connect(window_.get(), &TVerticalPreviewWindow::CellClicked, this, &TOutlineVertical::PutCaret);
    connect(window_.get(), &TVerticalPreviewWindow::PrintRequested, this, [this] {
        if (Print) Print(preview_.Pages(), window_->Style());
    });
    connect(window_.get(), &TVerticalPreviewWindow::PdfRequested, this, [this] {
        if (WritePdf) WritePdf(preview_.Pages(), window_->Style());
    });
    connect(window_.get(), &TVerticalPreviewWindow::PlaceChanged, this,
            &TOutlineVertical::RememberPlace);
}

void TOutlineVertical::ReadOptions() {
    const TSettingsList& settings = session_.Settings;
    subtree_ = settings.Value(kSubtree) == QStringLiteral("1");
    mincho_ = settings.Value(kMincho) != QStringLiteral("0");
    const bool manuscript = settings.Value(kManuscript) != QStringLiteral("0");
    window_->ShowOptions(subtree_, manuscript, mincho_);
    window_->SetFont(mincho_ ? QFont(kMinchoFamily) : editor_->font());
}

void TOutlineVertical::SetFlag(const QString& key, bool on) {
    session_.Settings.SetValue(key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

QString TOutlineVertical::EditorText() const { return editor_->document()->toPlainText(); }

void TOutlineVertical::Gather() {
    // The options of the "文字数" window: the pages shown are the pages it counts.
    const TLayoutOptions options = TOutlineCount::OptionsOf(session_.Settings);
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    std::vector<TVerticalPreview::TItem> items;
    if (current) {
        items.push_back({current->Label, EditorText()});
        std::vector<const TOutlineItem*> below;
        if (subtree_) AddDescendants(*current, below);
        for (const TOutlineItem* item : below)
            items.push_back({item->Label, session_.Store.Load(item->ItemNumber)});
    }
    preview_.Show(items, current ? 0 : -1, options);
    preview_.CaretMoved(editor_->textCursor().position());
    window_->update();
}

void TOutlineVertical::EditorChanged() {
    if (!Shown()) return;
    preview_.EditorChanged(EditorText(), editor_->textCursor().position());
    window_->update();
}

void TOutlineVertical::CaretMoved() {
    if (!Shown()) return;
    preview_.CaretMoved(editor_->textCursor().position());
    window_->update();
}

void TOutlineVertical::OutlineChanged() {
    if (Shown()) Gather();
}

void TOutlineVertical::Turn(int by, bool toEnd) {
    if (toEnd && by < 0)
        preview_.First();
    else if (toEnd)
        preview_.Last();
    else
        preview_.Turn(by);
    window_->update();
}

void TOutlineVertical::PutCaret(int line, int cell) {
    const std::optional<qsizetype> offset = preview_.CaretAt(line, cell);
    if (!offset) return;
    QTextCursor cursor = editor_->textCursor();
    cursor.setPosition(static_cast<int>(std::min<qsizetype>(*offset, EditorText().size())));
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
}

void TOutlineVertical::RememberPlace() {
    TToolWindowPlace(session_.Settings, kPlace).Remember(*window_);
}
