#include "app/TDocumentCommands.h"

#include <QFileInfo>
#include <QPlainTextEdit>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "app/TStartupSettings.h"
#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "document/TOutlineItemModel.h"
#include "platform/AppError.h"
#include "platform/TFileDialogs.h"
#include "platform/TMessageBoxes.h"
#include "platform/TSafeFile.h"
#include "settings/TRecentFiles.h"

TDocumentCommands::TDocumentCommands(TDocumentSession& session, TItemTextBinding& texts,
                                     QPlainTextEdit* editor, TMessageBoxes& boxes,
                                     TFileDialogs& dialogs, TErrorBox& errors)
    : session_(session),
      texts_(texts),
      editor_(editor),
      boxes_(boxes),
      dialogs_(dialogs),
      errors_(errors) {}

bool TDocumentCommands::OfferToSave() {
    using Answer = TMessageBoxes::Answer;
    const auto ask = [this](const QString& text) {
        return boxes_.Ask(TMessageBoxes::Kind::Confirmation, text,
                          TMessageBoxes::Buttons::YesNoCancel);
    };
    switch (ask(QStringLiteral("編集中のファイルを保存しますか？"))) {
        case Answer::No: return true;
        case Answer::Yes: break;
        default: return false;
    }
    const QString editFile = session_.Settings.Value(u"EditFile");
    if (editFile == QStringLiteral("nil")) return SaveAsMenuClick();
    switch (ask(QStringLiteral("上書きします。よろしいですか？"))) {
        case Answer::Yes: return SaveGuarded(editFile);
        case Answer::No: return SaveAsMenuClick();
        default: return false;
    }
}

bool TDocumentCommands::SaveFile(const QString& path, Questions questions) {
    const bool asks = questions == Questions::Ask;
    if (CommitPendingEdits) CommitPendingEdits();
    if (session_.Outline().IsEmpty()) throw AppError(TDocumentWriter::EmptyOutlineText());
    // Before anything else, so that saving under another name starts afresh.
    if (session_.LoadedFile && session_.LoadedFile->IsFor(path) &&
        TFileFingerprint::ChangedSince(*session_.LoadedFile)) {
        if (!asks) return false;
        switch (boxes_.Ask(TMessageBoxes::Kind::Confirmation,
                           QStringLiteral("ファイルが他のプログラムによって変更されています。"
                                          "上書きしますか？"),
                           TMessageBoxes::Buttons::YesNoReloadCancel)) {
            case TMessageBoxes::Answer::Yes: break;
            case TMessageBoxes::Answer::No: return SaveAsMenuClick();
            case TMessageBoxes::Answer::Reload: ReloadMenuClick(); return false;
            default: return false;
        }
    }
    std::optional<TDocumentWriter::TTextInMemory> inMemory;
    QString unwritten;
    if (TDocumentWriter::CurrentIndexIsStale(session_.Outline(), session_.CurrentItemIndex)) {
        if (asks)
            boxes_.Ask(TMessageBoxes::Kind::Error, TDocumentWriter::IndexError001Text(),
                       TMessageBoxes::Buttons::Ok);
    } else {
        if (const TOutlineItem* selected = texts_.SelectedItem()) {
            try {
                texts_.StoreEditorText(selected);
            } catch (const AppError& error) {
                // The item file cannot be written (a full or read-only data folder): the
                // document still can, with the editor's text taken from memory.
                inMemory =
                    TDocumentWriter::TTextInMemory{selected->ItemNumber, texts_.EditorText()};
                unwritten = error.Text();
            }
        }
        ApplyWordWrapSetting();
    }
    const TDocumentWriter::Output output =
        TDocumentWriter::Write(session_.Outline(), session_.Store, inMemory);
    if (!output.Complete() && (!asks || !ConfirmUnencodable(output.unencodable))) return false;
    TSafeFile::Replace(path, {output.head, output.texts},
                       TSafeFile::Options::KeepingBackup(session_.Settings.Value(u"AutoBackup") ==
                                                         QStringLiteral("1")));
    session_.LoadedFile = TFileFingerprint::Of(path, {output.head, output.texts});
    session_.Settings.SetValue(u"EditFile", path);
    session_.Modified = false;
    if (Saved) Saved();
    ShowInCaption(path);
    if (!unwritten.isEmpty() && asks)
        boxes_.Ask(
            TMessageBoxes::Kind::Warning,
            QStringLiteral(
                "文書は保存しました。ただし、編集中の文章を一時ファイルに書き込めませんでした。"
                "項目を切り替える前に、書き込める状態にしてください。\n%1")
                .arg(unwritten),
            TMessageBoxes::Buttons::Ok);
    return true;
}

bool TDocumentCommands::ReloadMenuClick() {
    if (!session_.LoadedFile) return false;
    const QString path = session_.LoadedFile->path;
    if (session_.Modified &&
        boxes_.Ask(
            TMessageBoxes::Kind::Confirmation,
            QStringLiteral(
                "編集中の内容を破棄して、他のプログラムが変更したファイルを読み込み直しますか？"),
            TMessageBoxes::Buttons::YesNo) != TMessageBoxes::Answer::Yes)
        return false;
    bool loaded = false;
    errors_.Run([&] {
        ReplaceDocument(path, ReadCheckedDocument(path));
        loaded = true;
    });
    if (DrawBack) DrawBack();
    return loaded;
}

void TDocumentCommands::OfferReload() {
    if (!session_.LoadedFile || session_.Modified) return;
    if (boxes_.Ask(
            TMessageBoxes::Kind::Confirmation,
            QStringLiteral("ファイルが他のプログラムによって変更されました。読み込み直しますか？"),
            TMessageBoxes::Buttons::YesNo) == TMessageBoxes::Answer::Yes)
        ReloadMenuClick();
}

void TDocumentCommands::ShowInCaption(const QString& path) {
    const QString name = path.mid(TStartupSettings::FolderOf(path).size());
    if (SetCaption)
        SetCaption(TMessageBoxes::ApplicationTitle() + QStringLiteral("  [ ") + name +
                   QStringLiteral(" ]"));
}

bool TDocumentCommands::ConfirmUnencodable(const QString& characters) {
    return boxes_.Ask(
               TMessageBoxes::Kind::Confirmation,
               QStringLiteral(
                   "次の文字はこのファイル形式（Shift-JIS）で保存できないため、「?」に置き換えて"
                   "保存されます。\n%1\n保存しますか？")
                   .arg(characters),
               TMessageBoxes::Buttons::YesNo) == TMessageBoxes::Answer::Yes;
}

void TDocumentCommands::ApplyWordWrapSetting() {
    const QString wrap = session_.Settings.Value(u"EditorWordWrap");
    if (wrap == QStringLiteral("1")) editor_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    if (wrap == QStringLiteral("0")) editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
}

bool TDocumentCommands::SaveGuarded(const QString& path) {
    bool saved = false;
    errors_.Run([&] { saved = SaveFile(path); });
    return saved;
}

bool TDocumentCommands::LoadFile(const QString& path) {
    if (CommitPendingEdits) CommitPendingEdits();
    if (!QFileInfo::exists(path)) {
        boxes_.Ask(TMessageBoxes::Kind::Warning,
                   QStringLiteral("ファイルが存在しません。読み込みを中断します。"),
                   TMessageBoxes::Buttons::Ok);
        return false;
    }
    // The whole file is read and checked before anything is asked or discarded.
    QByteArray bytes = ReadCheckedDocument(path);
    if (session_.Modified && !session_.Outline().IsEmpty()) {
        if (!OfferToSave()) return false;
        // The answer may have saved the edits into this very file.
        bytes = ReadCheckedDocument(path);
    }
    ReplaceDocument(path, bytes);
    return true;
}

QByteArray TDocumentCommands::ReadCheckedDocument(const QString& path) {
    QByteArray bytes = TDocumentReader::ReadFile(path);
    TDocumentReader::Check(bytes);
    return bytes;
}

void TDocumentCommands::ReplaceDocument(const QString& path, const QByteArray& bytes) {
    session_.SelectionSync = false;
    editor_->hide();
    QList<TOutlineItem*> expanded;
    try {
        const QSet<int> existing = session_.Store.ExistingNumbers();
        expanded = TDocumentReader::Read(
            bytes, *session_.TreeModel, [&] { return session_.AllocateItemNumber(existing); },
            session_.Store);
    } catch (...) {
        editor_->show();
        session_.SelectionSync = true;
        throw;
    }
    texts_.ShowNewOutline(expanded, session_.Outline().First());
    editor_->show();
    session_.Modified = false;
    session_.LoadedFile = TFileFingerprint::Of(path, {bytes});
    ShowInCaption(path);
    RecentFile(path);
    session_.Settings.SetValue(u"EditFile", path);
    session_.DialogFolder = TStartupSettings::FolderOf(path);
}

bool TDocumentCommands::NewDocument() {
    if (CommitPendingEdits) CommitPendingEdits();
    if (session_.Modified && !session_.Outline().IsEmpty() && !OfferToSave()) return false;
    session_.SelectionSync = false;
    session_.TreeModel->Clear();
    texts_.ShowNoItemNotice();
    session_.Modified = false;
    session_.SelectionSync = true;
    session_.Settings.SetValue(u"EditFile", QStringLiteral("nil"));
    session_.LoadedFile.reset();
    if (SetCaption) SetCaption(TMessageBoxes::ApplicationTitle());
    return true;
}

void TDocumentCommands::NewMenuClick() { NewDocument(); }

void TDocumentCommands::OpenMenuClick() {
    const QString path = dialogs_.AskOpenFileName(session_.DialogFolder);
    if (path.isEmpty()) return;
    if (CommitPendingEdits) CommitPendingEdits();
    errors_.Run([&] {
        if (!QFileInfo::exists(path)) {
            if (NewDocument()) LoadFile(path);  // which warns that the file is missing
            return;
        }
        // A document that cannot be read is reported before anything is discarded.
        QByteArray bytes = ReadCheckedDocument(path);
        const bool asks = session_.Modified && !session_.Outline().IsEmpty();
        if (!NewDocument()) return;
        // The answer may have saved the edits into this very file.
        if (asks) bytes = ReadCheckedDocument(path);
        ReplaceDocument(path, bytes);
    });
    if (DrawBack) DrawBack();
}

void TDocumentCommands::SaveMenuClick() {
    if (session_.Outline().IsEmpty()) {
        boxes_.ShowPlain(TDocumentWriter::EmptyOutlineText());
        return;
    }
    const QString editFile = session_.Settings.Value(u"EditFile");
    if (editFile == QStringLiteral("nil"))
        SaveAsMenuClick();
    else
        SaveGuarded(editFile);
}

bool TDocumentCommands::SaveAsMenuClick() {
    if (session_.Outline().IsEmpty()) {
        boxes_.ShowPlain(TDocumentWriter::EmptyOutlineText());
        return false;
    }
    const QString path = dialogs_.AskSaveFileName(session_.DialogFolder);
    if (path.isEmpty()) return false;
    const bool saved = SaveGuarded(path);
    if (saved) session_.DialogFolder = TStartupSettings::FolderOf(path);
    if (DrawBack) DrawBack();
    return saved;
}

void TDocumentCommands::ExitMenuClick() {
    if (CloseWindow) CloseWindow();
}

void TDocumentCommands::RecentFileMenuClick(int number) {
    errors_.Run([&] { LoadFile(session_.Settings.Value(TRecentFiles::Key(number))); });
    if (StartRedrawTimer) StartRedrawTimer();
}

void TDocumentCommands::RecentFile(const QString& path) {
    TRecentFiles::Add(session_.Settings, path);
}

void TDocumentCommands::AutoLoadMenuClick() {
    session_.AutoLoadOn = !session_.AutoLoadOn;
    session_.Settings.SetValue(u"AutoLoad",
                               session_.AutoLoadOn ? QStringLiteral("1") : QStringLiteral("0"));
}

void TDocumentCommands::AutoSaveMenuClick() {
    session_.AutoSaveOn = !session_.AutoSaveOn;
    session_.Settings.SetValue(u"AutoSave",
                               session_.AutoSaveOn ? QStringLiteral("1") : QStringLiteral("0"));
}

void TDocumentCommands::AutoBackupMenuClick() {
    const bool off = session_.Settings.Value(u"AutoBackup") == QStringLiteral("0");
    session_.Settings.SetValue(u"AutoBackup", off ? QStringLiteral("1") : QStringLiteral("0"));
}
