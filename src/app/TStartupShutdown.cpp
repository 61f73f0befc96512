#include "app/TStartupShutdown.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScreen>
#include <algorithm>
#include <utility>

#include "app/TDocumentCommands.h"
#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "app/TSessionRecovery.h"
#include "app/TSkinSurface.h"
#include "app/TWindowPlacement.h"
#include "app/TWindowStates.h"
#include "document/TOutlineItemModel.h"
#include "platform/AppError.h"
#include "platform/TMessageBoxes.h"
#include "platform/TWindowSystem.h"
#include "settings/TSettingsFile.h"
#include "ui/TAssociationCommands.h"

TStartupShutdown::TStartupShutdown(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                                   const TMainFormContext& context, TDocumentSession& session,
                                   TItemTextBinding& texts, TDocumentCommands& documents,
                                   TSkinSurface& surface, TWindowStates& windowStates,
                                   TSessionRecovery& recovery, TErrorBox& errors)
    : window_(window),
      tree_(tree),
      editor_(editor),
      context_(context),
      session_(session),
      texts_(texts),
      documents_(documents),
      surface_(surface),
      windowStates_(windowStates),
      recovery_(recovery),
      errors_(errors) {}

void TStartupShutdown::FormCreate() {
    surface_.FirstPaint = true;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &window_,
                     [this](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             surface_.AppActivate();
                         else
                             surface_.AppDeactivate();
                     });
    window_.setWindowTitle(TMessageBoxes::ApplicationTitle());
    surface_.DrawBackEnabled = true;
    session_.DialogFolder = session_.Folders.DocumentFolder();
    session_.CurrentItemIndex = -1;
    session_.Modified = false;
    session_.SelectionSync = true;
    // What a session that did not end in order left is offered before anything goes.
    std::optional<TRecoveryRecord> left = OfferRecovery();
    if (!left && !recovery_.LeftFilesStay()) session_.Store.RemoveAll();
    session_.Settings.Clear();
    ReadSettingsAtStart();
    if (left) {
        ApplyRecoveredSession(std::move(*left));
        // A document named on the command line comes once the recovered one is settled,
        // as Open would bring it, when the window shows what the question is about.
        if (!context_.arguments.isEmpty()) documentAfterRecovery_ = context_.arguments.first();
    } else {
        // Until a document is loaded there is none to save into: Save asks for a name.
        const QString lastFile = session_.Settings.Value(u"EditFile");
        session_.Settings.SetValue(u"EditFile", QStringLiteral("nil"));
        errors_.Run([this, &lastFile] { ChooseStartDocument(lastFile); });
    }
    session_.AutoSaveOn = session_.Settings.Value(u"AutoSave") != QStringLiteral("0");
    if (session_.Outline().IsEmpty()) AddDefaultItem();
}

void TStartupShutdown::ReadSettingsAtStart() {
    const QString path = session_.SettingsPath();
    if (!QFileInfo::exists(path)) {
        session_.Settings = TSettingsList::Defaults(window_.geometry());
        // A session that left a record asked already; it ended before writing its
        // settings.
        if (recordFound_) return;
        const auto answer = context_.messageBoxes->Ask(
            TMessageBoxes::Kind::Confirmation,
            QStringLiteral("qloを本アプリケーションに関連づけますか？"
                           "これは後から、オプションメニューからでも設定できます。"),
            TMessageBoxes::Buttons::YesNo);
        if (answer == TMessageBoxes::Answer::Yes)
            errors_.Run([this] {
                TAssociationCommands::Associate(*context_.association, *context_.messageBoxes);
            });
        return;
    }
    try {
        session_.Settings.Assign(TSettingsFile::Read(path));
    } catch (const AppError& error) {
        // Go on with the defaults, and keep the file unless the user changes a setting.
        errors_.Show(error.Text());
        session_.Settings = TSettingsList::Defaults(window_.geometry());
        unreadSettings_ = session_.Settings.Lines();
        return;
    }
    if (TStartupSettings::IsCurrent(session_.Settings))
        ApplySettings(TStartupSettings::Read(session_.Settings));
    else
        TStartupSettings::Upgrade(session_.Settings);
}

void TStartupShutdown::ApplySettings(TStartupSettings::Values values) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    TStartupSettings::FitToDesktop(values,
                                   screen ? screen->virtualSize() : QSize(1 << 14, 1 << 14));
    for (const QString& bad : values.badValues) errors_.Show(AppError::NotAnInteger(bad).Text());
    for (const QString& large : values.oversizedValues)
        errors_.Show(AppError::LargerThanScreen(large).Text());
    QRect place(values.left.value_or(window_.x()), values.top.value_or(window_.y()),
                values.width.value_or(window_.width()), values.height.value_or(window_.height()));
    place.setSize(place.size().expandedTo(window_.minimumSize()));
    // Where the compositor places the windows, only the size is the program's.
    if (TWindowSystem(context_.platformName).PlacesOwnWindows())
        window_.setGeometry(TWindowPlacement::Reachable(place));
    else
        window_.resize(place.size());
    if (values.treeWidth) tree_->resize(*values.treeWidth, tree_->height());
    if (values.wordWrapOff) editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    if (!values.dialogFolder.isEmpty()) session_.DialogFolder = values.dialogFolder;
    if (values.treeFont) ApplyFont(tree_, *values.treeFont);
    if (values.editorFont) ApplyFont(editor_, *values.editorFont);
}

void TStartupShutdown::ApplyFont(QWidget* control, const TStartupSettings::Font& setting) {
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

void TStartupShutdown::ChooseStartDocument(const QString& editFile) {
    const QString autoLoad = session_.Settings.Value(u"AutoLoad");
    if (!context_.arguments.isEmpty()) {
        session_.AutoLoadOn = autoLoad != QStringLiteral("0");
        documents_.LoadFile(context_.arguments.first());
        return;
    }
    session_.AutoLoadOn = autoLoad == QStringLiteral("1");
    if (!session_.AutoLoadOn) return;
    if (editFile == QStringLiteral("nil")) return;
    if (QFileInfo::exists(editFile))
        documents_.LoadFile(editFile);
    else
        context_.messageBoxes->Ask(
            TMessageBoxes::Kind::Information,
            QStringLiteral("前回開いていたファイルがありません。自動読み込みを中止します。"),
            TMessageBoxes::Buttons::Ok);
}

void TStartupShutdown::AddDefaultItem() {
    TOutlineItem* item = session_.TreeModel->InsertItem(nullptr, 0, QStringLiteral("新規"), 0);
    item->SelectedIndex = item->ImageIndex;
    session_.NextItemNumber = 1;
}

void TStartupShutdown::FirstShown() {
    const QString path = std::exchange(documentAfterRecovery_, QString());
    if (!path.isEmpty()) errors_.Run([&] { documents_.LoadFile(path); });
}

void TStartupShutdown::FormActivate() {
    if (window_.isMaximized() && !windowStates_.LiesMaximized()) windowStates_.WindowMaximize();
    const bool first = !surface_.Activated;
    surface_.Activated = true;
    if (first) {
        // The first activation focuses the outline, which selects its first item. The
        // view makes an item current when it takes the focus, without selecting it.
        tree_->setFocus(Qt::ActiveWindowFocusReason);
        if (!session_.Outline().IsEmpty()) {
            TOutlineItem* item =
                texts_.SelectedItem() ? texts_.SelectedItem() : session_.Outline().First();
            if (!tree_->selectionModel()->isSelected(session_.TreeModel->IndexOf(item)))
                texts_.SelectItem(item);
        }
        window_.update();
    }
}

bool TStartupShutdown::FormCloseQuery() {
    if (endedWithoutQuestions_) return true;
    if (CommitPendingEdits) CommitPendingEdits();
    // An empty outline has nothing to save: what the editor holds then is the notice
    // of the empty outline or text that belongs to no item.
    if (!session_.Modified || session_.Outline().IsEmpty()) return true;
    const QString editFile = session_.Settings.Value(u"EditFile");
    if (session_.Settings.Value(u"AutoSave") == QStringLiteral("1"))
        return editFile != QStringLiteral("nil") ? documents_.SaveGuarded(editFile)
                                                 : documents_.SaveAsMenuClick();
    // "0", and any value that is neither "0" nor "1": ask rather than lose changes.
    return documents_.OfferToSave();
}

void TStartupShutdown::FormClose() {
    RecordWindowPlace();
    if (endedWithoutQuestions_) {
        // Secured already: unsaved work stays for the next start, and nobody is there
        // to read a message.
        if (!unreadSettings_ || SettingsChangedSinceStart()) {
            try {
                WriteSettingsFile();
            } catch (const AppError&) {
            }
        }
        return;
    }
    // The settings are written before the item texts go, so that a failure to write
    // them is reported while nothing else is lost yet.
    if (!unreadSettings_ || SettingsChangedSinceStart())
        errors_.Run([this] { WriteSettingsFile(); });
    // Deleting thousands of item files takes a while on some disks: the window goes
    // first.
    window_.hide();
    QGuiApplication::sync();
    // The record goes before the first text: an end cut short while the texts are
    // deleted leaves no record naming texts that are gone.
    recovery_.Discard();
    session_.Store.RemoveAll();
}

void TStartupShutdown::EndWithoutQuestions() {
    if (endedWithoutQuestions_) return;
    endedWithoutQuestions_ = true;
    if (CommitPendingEdits) CommitPendingEdits();
    const QString editFile = session_.Settings.Value(u"EditFile");
    bool saved = !session_.Modified || session_.Outline().IsEmpty();
    if (!saved && session_.Settings.Value(u"AutoSave") == QStringLiteral("1") &&
        editFile != QStringLiteral("nil")) {
        try {
            saved = documents_.SaveFile(editFile, TDocumentCommands::Questions::Never);
        } catch (const AppError&) {
            saved = false;
        }
    }
    if (saved) {
        recovery_.Discard();
        session_.Store.RemoveAll();
    } else {
        recovery_.WriteNow();  // the next start offers to recover
    }
}

std::optional<TRecoveryRecord> TStartupShutdown::OfferRecovery() {
    std::optional<TRecoveryRecord> record;
    try {
        record = recovery_.TakeLeftRecord();
    } catch (const AppError& error) {
        recordFound_ = true;
        errors_.Show(error.Text());
        return std::nullopt;
    }
    if (!record) return std::nullopt;
    recordFound_ = true;
    const auto answer = context_.messageBoxes->Ask(
        TMessageBoxes::Kind::Confirmation,
        QStringLiteral("前回、保存されずに終了した文章があります。復元しますか？"),
        TMessageBoxes::Buttons::YesNo);
    if (answer == TMessageBoxes::Answer::Yes) return record;
    recovery_.Discard();
    return std::nullopt;
}

void TStartupShutdown::ApplyRecoveredSession(TRecoveryRecord record) {
    session_.AutoLoadOn = session_.Settings.Value(u"AutoLoad") == QStringLiteral("1");
    int lastNumber = -1;
    QList<TOutlineItem*> expanded;
    record.Outline.ForEach([&](TOutlineItem* item) {
        lastNumber = std::max(lastNumber, item->ItemNumber);
        if (item->Expanded()) expanded << item;
    });
    // The texts the killed session had not written yet come back from the document's
    // copy (or the document itself, while it is as it was loaded) before any text is read.
    const bool documentAsLoaded =
        record.Loaded && TFileFingerprint::StatusUnchanged(*record.Loaded);
    errors_.Run([&] {
        session_.Store.TakeTextsFromSource(record.SourceTexts,
                                           documentAsLoaded ? record.Loaded->path : QString());
    });
    session_.LoadedFile = record.Loaded;
    session_.SelectionSync = false;
    session_.TreeModel->ReplaceOutline(std::move(record.Outline));
    session_.NextItemNumber = lastNumber + 1;
    TOutlineItem* current = session_.Outline().ItemAt(record.CurrentItemIndex);
    if (!current) current = session_.Outline().First();
    ReportMissingTexts(current);
    // A text that cannot be read is reported; no item is bound to the editor then, so
    // that its empty text is stored nowhere.
    if (!errors_.Run([&] { texts_.ShowNewOutline(expanded, current); }))
        session_.SelectionSync = true;
    session_.Settings.SetValue(u"EditFile", record.EditFile);
    if (record.EditFile != QStringLiteral("nil")) {
        documents_.ShowInCaption(record.EditFile);
        session_.DialogFolder = TStartupSettings::FolderOf(record.EditFile);
    }
    session_.Modified = true;
}

void TStartupShutdown::ReportMissingTexts(const TOutlineItem* current) {
    // The item the editor held may never have had a file (a new item, nothing typed);
    // every other item's text was in its file.
    QList<const TOutlineItem*> missing;
    session_.Outline().ForEach([&](TOutlineItem* item) {
        if (item != current && !session_.Store.Exists(item->ItemNumber)) missing << item;
    });
    if (missing.isEmpty()) return;
    // Empty texts in their places, so that the document can be saved and closed.
    errors_.Run([&] {
        for (const TOutlineItem* item : missing) session_.Store.Store(item->ItemNumber, QString());
    });
    constexpr qsizetype kListed = 10;
    QStringList labels;
    for (const TOutlineItem* item : missing.mid(0, kListed)) labels << item->Label;
    if (missing.size() > kListed)
        labels << QStringLiteral("ほか %1 項目").arg(missing.size() - kListed);
    errors_.Show(
        QStringLiteral("次の項目の文章は見つかりませんでした。空の文章として復元します。\n%1")
            .arg(labels.join(u'\n')));
}

bool TStartupShutdown::SettingsChangedSinceStart() const {
    // The window's place is recorded at every close; it is no change of the user's.
    const auto withoutPlace = [](const QStringList& lines) {
        TSettingsList settings(lines);
        for (const char16_t* key :
             {u"Maximized", u"FormTop", u"FormLeft", u"FormHeight", u"FormWidth"})
            settings.SetValue(key, QString());
        return settings.Lines();
    };
    return withoutPlace(session_.Settings.Lines()) != withoutPlace(*unreadSettings_);
}

void TStartupShutdown::RecordWindowPlace() {
    const bool normal = !(window_.windowState() &
                          (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QString maximized = normal ? QStringLiteral("0") : QStringLiteral("1");
    session_.Settings.SetValue(u"Maximized", QStringLiteral("0"));
    const QRect place = windowStates_.NormalPlace();
    // A window the compositor placed has no position the program could know: the
    // stored one stays for a start where the program places its window itself.
    if (TWindowSystem(context_.platformName).PlacesOwnWindows()) {
        session_.Settings.SetValue(u"FormTop", QString::number(place.top()));
        session_.Settings.SetValue(u"FormLeft", QString::number(place.left()));
    }
    session_.Settings.SetValue(u"FormHeight", QString::number(place.height()));
    session_.Settings.SetValue(u"FormWidth", QString::number(place.width()));
    session_.Settings.SetValue(u"Maximized", maximized);
}

void TStartupShutdown::WriteSettingsFile() {
    TSettingsFile::Write(session_.SettingsPath(), session_.Settings.Lines());
}
