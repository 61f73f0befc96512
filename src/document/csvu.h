#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Splits one line into fields at separator characters, leaving separators inside
// quoted stretches alone. Quote characters stay in the fields, nothing is trimmed or
// unescaped, and a quote that is never closed keeps every later separator of the line
// from splitting.
//
// The class works on bytes: `text`, `tokns`, `stokns` and the entries of `items` hold
// code page 932 bytes, and every byte of `tokns` and `stokns` is one separator or quote
// character. Separators and quotes must be single-byte (ASCII) characters; the second
// byte of a double-byte character never lies below 0x40, so "," ":" and the double
// quotation mark never split a character. SetText() and Field() convert between a
// QString line and these bytes.
class csv {
  public:
    // text = empty, tokns = ",", stokns = the double quotation mark, strflg = true,
    // items = empty, blockflg = false.
    csv();
    ~csv();
    csv(const csv&) = delete;
    csv& operator=(const csv&) = delete;

    // The line to split.
    QByteArray text;
    // Separator set: every byte in it is a separator.
    QByteArray tokns;
    // Quote set: every byte in it is a quote character.
    QByteArray stokns;
    // Quote handling: while a quote is open, separators do not split.
    bool strflg;
    // The fields of the last split(), in order.
    QList<QByteArray> items;
    // A run of adjacent separators counts as one.
    bool blockflg;

    // Replaces `items` by the fields of `text`. An empty text gives no fields; an empty
    // `tokns` never splits, so a non-empty text gives exactly one field.
    void split();

    // Sets `text` to the code page 932 bytes of line. A character that code page 932
    // cannot hold becomes the two bytes FC FC, which are neither separators nor quotes:
    // it stays inside its field and does not change where the line splits.
    void SetText(QStringView line);
    // Field i of the last split() as text.
    QString Field(qsizetype i) const;
    // All fields of the last split() as text.
    QStringList Fields() const;
};
