#include "platform/TQtFileDialogs.h"

#include <QFileDialog>
#include <algorithm>

namespace {

const QStringList kFilters = {QStringLiteral("qlm outline editer file (qlo) (*.qlo)"),
                              QStringLiteral("全てのファイル (*)")};

}  // namespace

QString TQtFileDialogs::AskOpenFileName(const QString& startFolder) {
    QFileDialog dialog(parent_, QString(), startFolder);
    dialog.setNameFilters(kFilters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString TQtFileDialogs::AskSaveFileName(const QString& startFolder) {
    QFileDialog dialog(parent_, QString(), startFolder);
    dialog.setNameFilters(kFilters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("qlo"));
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

namespace {

TFileDialogs::Choice Run(QFileDialog& dialog, const TFileDialogs::Request& request) {
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(request.filters);
    if (request.filter >= 0 && request.filter < request.filters.size())
        dialog.selectNameFilter(request.filters[request.filter]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().first(),
            static_cast<int>(
                std::max<qsizetype>(0, request.filters.indexOf(dialog.selectedNameFilter())))};
}

// The first extension a filter names: "md" of "Markdown (*.md *.markdown)".
QString ExtensionOf(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0) return {};
    qsizetype end = star + 2;
    while (end < filter.size() && filter[end] != u' ' && filter[end] != u')') ++end;
    return filter.mid(star + 2, end - star - 2);
}

}  // namespace

TFileDialogs::Choice TQtFileDialogs::AskOpenFile(const Request& request) {
    QFileDialog dialog(parent_, QString(), request.startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, request);
}

TFileDialogs::Choice TQtFileDialogs::AskSaveFile(const Request& request) {
    QFileDialog dialog(parent_, QString(), request.startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    if (!request.suggestedName.isEmpty()) dialog.selectFile(request.suggestedName);
    // The extension follows the filter the user picks.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(ExtensionOf(filter)); });
    if (request.filter >= 0 && request.filter < request.filters.size())
        dialog.setDefaultSuffix(ExtensionOf(request.filters[request.filter]));
    return Run(dialog, request);
}
