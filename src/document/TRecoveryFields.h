#pragma once

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

// The fields of the recovery record and their text form: labels and paths as UTF-8 with
// "%" and four hexadecimal digits for a UTF-16 code unit that could break a line or is no
// character (control characters, "%", unpaired surrogates), byte strings in hexadecimal,
// numbers, flags and the checksum of the whole record.
class TRecoveryFields {
  public:
    // The record's bytes as they are written, into a buffer that grows as needed.
    class Output {
      public:
        explicit Output(qsizetype expected) { bytes_.resize(expected); }

        // Room for n more bytes at Cursor(); Advance() then takes what was written.
        char* Reserve(qsizetype n) {
            if (size_ + n > bytes_.size()) bytes_.resize(std::max(2 * bytes_.size(), size_ + n));
            return bytes_.data() + size_;
        }
        void Advance(char* end) { size_ = end - bytes_.data(); }

        void Append(QByteArrayView text) {
            char* p = Reserve(text.size());
            std::memcpy(p, text.data(), static_cast<size_t>(text.size()));
            size_ += text.size();
        }
        void Append(char c) {
            *Reserve(1) = c;
            ++size_;
        }
        template <typename Integer>
        void AppendNumber(Integer value) {
            char* p = Reserve(24);
            Advance(std::to_chars(p, p + 24, value).ptr);
        }
        void AppendHex(QByteArrayView bytes);
        // Sixteen lowercase hexadecimal digits.
        void AppendChecksum(quint64 checksum);
        void AppendEscaped(QStringView text);

        QByteArrayView Written() const { return QByteArrayView(bytes_.constData(), size_); }
        QByteArray Take() {
            bytes_.truncate(size_);
            return std::move(bytes_);
        }

      private:
        QByteArray bytes_;
        qsizetype size_ = 0;
    };

    // A 64-bit FNV-1a over 8-byte words. Every step maps the state one to one, so a
    // record that differs from the written one in a single word never has its checksum.
    static quint64 Checksum(QByteArrayView bytes);
    // The text of an escaped field; nothing when the field holds a raw control
    // character, a broken escape or bytes that are no UTF-8.
    static std::optional<QString> Unescape(QByteArrayView field);
    static std::optional<QByteArray> FromHex(QByteArrayView field);
    // Exactly the sixteen lowercase digits the record is written with.
    static std::optional<quint64> ParseChecksum(QByteArrayView field);
    static std::optional<bool> ParseFlag(QByteArrayView field);
};
