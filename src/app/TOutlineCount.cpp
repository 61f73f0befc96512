#include "app/TOutlineCount.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "app/TToolWindowPlace.h"
#include "document/TOutline.h"
#include "document/TOutlineItem.h"
#include "settings/TCountTargets.h"
#include "ui/TDocumentCounting.h"

namespace {

const QString kPlace = QStringLiteral("CountWindow");
const QString kGrid = QStringLiteral("CountGrid");
const QString kRuby = QStringLiteral("CountRuby");

using TScope = TCountModel::TScope;
using TTargetKind = TCountWindow::TTargetKind;

// What a target of that unit measures in a sum.
qint64 Achieved(const TCountTarget& target, const TCountSum& sum) {
    return target.unit == TCountTarget::Unit::Pages ? sum.Pages() : sum.Characters();
}

}  // namespace

TOutlineCount::TOutlineCount(TDocumentSession& session, TItemTextBinding& texts,
                             QPlainTextEdit* editor, QWidget* owner)
    : session_(session), texts_(texts), editor_(editor), owner_(owner) {
    editorTimer_.setSingleShot(true);
    editorTimer_.setInterval(0);
    connect(&editorTimer_, &QTimer::timeout, this, [this] {
        CountEditor();
        CountSelection();
        ShowCounts();
    });
    outlineTimer_.setSingleShot(true);
    outlineTimer_.setInterval(50);
    connect(&outlineTimer_, &QTimer::timeout, this, [this] { StartCounting(); });
    runner_.Finished = [this](const TOutlineSearch::TSnapshot& snapshot,
                              const std::vector<TTextCounts>& counts) {
        TakeCounts(snapshot, counts);
    };
}

TOutlineCount::~TOutlineCount() = default;

bool TOutlineCount::Shown() const { return window_ && window_->isVisible(); }

void TOutlineCount::Show() {
    if (!window_) CreateWindow();
    window_->show();
    window_->raise();
    known_.clear();  // files may have changed while nobody counted
    CurrentItemChanged();
    model_.OutlineChanged();
    StartCounting();
    ShowCounts();
}

void TOutlineCount::CreateWindow() {
    window_ = std::make_unique<TCountWindow>(owner_);
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    ReadOptions();
    TToolWindowPlace(session_.Settings, kPlace).Place(*window_, *owner_, window_->sizeHint());
    connect(window_.get(), &TCountWindow::OptionsChanged, this, &TOutlineCount::SetOptions);
    connect(window_.get(), &TCountWindow::TargetChanged, this, &TOutlineCount::SetTarget);
    connect(window_.get(), &TCountWindow::PlaceChanged, this, &TOutlineCount::RememberPlace);
}

TLayoutOptions TOutlineCount::OptionsOf(const TSettingsList& settings) {
    TLayoutOptions options;
    options.grid = TGridSize::Parse(settings.Value(kGrid)).value_or(TGridSize{});
    options.countRuby = settings.Value(kRuby) == QStringLiteral("1");
    return options;
}

void TOutlineCount::ReadOptions() {
    const TSettingsList& settings = session_.Settings;
    options_ = OptionsOf(settings);
    editorCounting_.SetOptions(options_);
    selectionCounter_.SetOptions(options_);
    model_.SetRows(options_.grid.rows);
    window_->ShowOptions(options_);
}

void TOutlineCount::SetOptions(const TLayoutOptions& options) {
    const bool laidOutAnew =
        options.grid.columns != options_.grid.columns || options.countRuby != options_.countRuby;
    options_ = options;
    session_.Settings.SetValue(kGrid, options.grid.ToString());
    session_.Settings.SetValue(kRuby,
                               options.countRuby ? QStringLiteral("1") : QStringLiteral("0"));
    editorCounting_.SetOptions(options);
    selectionCounter_.SetOptions(options);
    model_.SetRows(options.grid.rows);
    if (laidOutAnew) {
        known_.clear();
        model_.OutlineChanged();
        StartCounting();
    }
    CountEditor();
    CountSelection();
    ShowCounts();
    if (OptionsChanged) OptionsChanged();
}

void TOutlineCount::RememberPlace() {
    TToolWindowPlace(session_.Settings, kPlace).Remember(*window_);
}

void TOutlineCount::EditorChanged() {
    // Typed into the current item: its file no longer holds what the editor shows.
    if (editor_->document()->isModified()) currentEdited_ = true;
    if (Shown()) editorTimer_.start();
}

void TOutlineCount::EditorSelectionChanged() {
    if (Shown()) editorTimer_.start();
}

void TOutlineCount::CurrentItemChanged() {
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    const int number = current ? current->ItemNumber : -1;
    if (number != currentNumber_) {
        // The text of the item left is in its file now, as the editor held it.
        if (currentEdited_ && known_.remove(currentNumber_) > 0 && Shown()) {
            model_.OutlineChanged();
            outlineTimer_.start();
        }
        currentEdited_ = false;
        currentNumber_ = number;
    }
    if (!Shown()) return;
    model_.SetCurrentItem(number);
    editorTimer_.start();
}

void TOutlineCount::OutlineChanged(bool reset) {
    if (reset) {
        known_.clear();
        currentEdited_ = false;
    }
    if (!Shown()) return;
    model_.OutlineChanged();
    outlineTimer_.start();
    ShowCounts();
}

void TOutlineCount::StartCounting() {
    if (!Shown()) return;
    runner_.Start(TOutlineSearch::Snapshot(session_.Outline(), session_.Store, nullptr, QString()),
                  options_, known_);
}

void TOutlineCount::TakeCounts(const TOutlineSearch::TSnapshot& snapshot,
                               const std::vector<TTextCounts>& counts) {
    std::vector<int> numbers;
    numbers.reserve(snapshot.items.size());
    known_.clear();
    for (std::size_t index = 0; index < counts.size(); ++index) {
        numbers.push_back(snapshot.items[index].itemNumber);
        known_.insert(numbers.back(), counts[index]);
    }
    model_.SetOutline(std::move(numbers), TOutlineCounting::Levels(snapshot), counts);
    ShowCounts();
}

void TOutlineCount::CountEditor() {
    if (currentNumber_ < 0 || !texts_.WholeTextShown()) {
        model_.SetEditorCounts(std::nullopt);  // counted from the file
        return;
    }
    model_.SetEditorCounts(editorCounting_.Count(*editor_->document()));
}

void TOutlineCount::CountSelection() {
    const QTextCursor cursor = editor_->textCursor();
    if (!cursor.hasSelection()) {
        model_.SetSelectionCounts(std::nullopt);
        return;
    }
    model_.SetSelectionCounts(selectionCounter_.Count(cursor.selectedText()));
}

void TOutlineCount::ShowCounts() {
    if (!Shown()) return;
    const bool computing = model_.Pending() || runner_.Busy();
    for (TScope scope : {TScope::Item, TScope::Subtree, TScope::Selection, TScope::Document})
        window_->ShowSum(scope, model_.Sum(scope), computing && scope != TScope::Selection);
    ShowTargets();
}

void TOutlineCount::ShowTargets() {
    const QString path = DocumentPath();
    const TCountTargets targets(session_.Settings);
    const auto show = [&](TTargetKind kind, const TCountTarget& target, TScope scope,
                          bool enabled) {
        const std::optional<TCountSum> sum = model_.Sum(scope);
        window_->ShowTarget(kind, target,
                            sum ? std::optional(Achieved(target, *sum)) : std::nullopt, enabled);
    };
    const bool saved = !path.isEmpty();
    show(TTargetKind::Document, saved ? targets.Document(path) : TCountTarget{}, TScope::Document,
         saved);
    const bool itemShown = saved && currentNumber_ >= 0;
    show(TTargetKind::Item, itemShown ? targets.Item(path, LabelsOfCurrentItem()) : TCountTarget{},
         TScope::Subtree, itemShown);
}

void TOutlineCount::SetTarget(TCountWindow::TTargetKind kind, const TCountTarget& target) {
    const QString path = DocumentPath();
    if (path.isEmpty()) return;
    TCountTargets targets(session_.Settings);
    if (kind == TTargetKind::Document)
        targets.SetDocument(path, target);
    else if (currentNumber_ >= 0)
        targets.SetItem(path, LabelsOfCurrentItem(), target);
    ShowTargets();
}

QString TOutlineCount::DocumentPath() const {
    const QString path = session_.Settings.Value(u"EditFile");
    return path == QStringLiteral("nil") ? QString() : path;
}

QStringList TOutlineCount::LabelsOfCurrentItem() const {
    QStringList labels;
    for (const TOutlineItem* item = session_.ItemAtCurrentIndex(); item && item->Parent();
         item = item->Parent())
        labels.prepend(item->Label);
    return labels;
}
