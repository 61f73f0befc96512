#include "platform/TQtFileDialogs.h"

#include <QFileDialog>

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
