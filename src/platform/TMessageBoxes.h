#pragma once

#include <QString>

// Every message the program shows goes through this interface, so that tests can
// answer the questions instead of a person.
class TMessageBoxes {
  public:
    enum class Kind { Warning, Error, Information, Confirmation };
    // YesNoReloadCancel: "はい(&Y)", "いいえ(&N)", "読み込み直す(&R)" and "キャンセル".
    enum class Buttons { Ok, YesNo, YesNoCancel, YesNoReloadCancel };
    enum class Answer { Ok, Yes, No, Cancel, Reload };

    virtual ~TMessageBoxes() = default;

    // A modal box titled "警告", "エラー", "情報" or "確認" by its kind.
    virtual Answer Ask(Kind kind, const QString& text, Buttons buttons) = 0;

    // A box with only an OK button, titled with the application title. The
    // application-wide error box is one of these.
    virtual void ShowPlain(const QString& text) = 0;

    static QString TitleOf(Kind kind);
    static QString ApplicationTitle() { return QStringLiteral("brisbeck outline editor 1.08"); }
};
