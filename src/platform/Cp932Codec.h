#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Code page 932 with Microsoft's mapping, the encoding of documents, settings and
// item text files.
class Cp932Codec {
public:
    struct Encoded {
        QByteArray bytes;
        // Every distinct character that code page 932 cannot hold, in order of first
        // appearance. Empty when the text encoded completely.
        QString unencodable;
        // Whether a look-alike was written in place of a character.
        bool bestFitUsed = false;
        bool Complete() const { return unencodable.isEmpty(); }
        // Whether decoding the bytes gives back exactly the text.
        bool Exact() const { return Complete() && !bestFitUsed; }
    };

    static QString Decode(QByteArrayView bytes);
    // The same; *valid tells whether bytes held only complete, assigned characters.
    static QString Decode(QByteArrayView bytes, bool* valid);

    // Characters that input methods type as look-alikes (U+301C for 〜, U+2212 for
    // −, ...) are written as the bytes Windows' own best-fit conversion chooses.
    // Characters without any code page 932 form are reported, never substituted
    // silently; their place in `bytes` holds the placeholder FC FC.
    static Encoded Encode(QStringView text);

    // True when every character of text has a code page 932 form.
    static bool CanEncode(QStringView text);
};
