#include "platform/TQtMessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "platform/TAccessibleCaptions.h"

namespace {

QMessageBox::Icon IconOf(TMessageBoxes::Kind kind) {
    switch (kind) {
        case TMessageBoxes::Kind::Warning: return QMessageBox::Warning;
        case TMessageBoxes::Kind::Error: return QMessageBox::Critical;
        case TMessageBoxes::Kind::Information: return QMessageBox::Information;
        case TMessageBoxes::Kind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

TMessageBoxes::Answer TQtMessageBoxes::Ask(Kind kind, const QString& text, Buttons buttons) {
    QMessageBox box(IconOf(kind), TitleOf(kind), text, QMessageBox::NoButton, parent_);
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* reload = nullptr;
    if (buttons == Buttons::Ok) {
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        if (buttons == Buttons::YesNoReloadCancel)
            reload = box.addButton(QStringLiteral("読み込み直す(&R)"), QMessageBox::ActionRole);
        if (buttons == Buttons::YesNoCancel || buttons == Buttons::YesNoReloadCancel)
            cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(cancel ? cancel : no);
    }
    TAccessibleCaptions::NameControls(&box);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes && yes) return Answer::Yes;
    if (clicked == no && no) return Answer::No;
    if (clicked == ok && ok) return Answer::Ok;
    if (clicked == reload && reload) return Answer::Reload;
    if (buttons == Buttons::YesNo) return Answer::No;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

void TQtMessageBoxes::ShowPlain(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::NoButton, parent_);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
