#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

// The settings: ordered "Name=Value" lines. A line without "=" is kept and written
// back but is never found by name.
class TSettingsList {
  public:
    TSettingsList() = default;
    explicit TSettingsList(QStringList lines) : lines_(std::move(lines)) {}

    // The value of the first line whose name equals name regardless of letter case;
    // empty when there is none.
    QString Value(QStringView name) const;

    // A non-empty value replaces the first line of that name in place or is appended
    // as the last line; an empty value deletes the first line of that name.
    void SetValue(QStringView name, const QString& value);

    const QStringList& Lines() const { return lines_; }
    void Assign(QStringList lines) { lines_ = std::move(lines); }
    void Clear() { lines_.clear(); }

    // The 30 lines written when no settings file exists, with the window's place
    // and size at that moment.
    static TSettingsList Defaults(const QRect& window);

  private:
    qsizetype IndexOf(QStringView name) const;

    QStringList lines_;
};
