#include "interchange/TOpmlTree.h"

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <future>
#include <pugixml.hpp>
#include <vector>

#include "document/TDocumentReader.h"
#include "document/TTextFileCodec.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TXmlReference.h"
#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"
#include "platform/TUtf8.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
// Entries whose texts one thread decodes before it asks for more.
constexpr qsizetype kEntriesPerRun = 64;
// Attributes of one element checked pair by pair; more go to the stream reader.
constexpr int kMostAttributes = 64;

bool HasOnlyXmlReferences(QByteArrayView bytes) {
    for (qsizetype at = bytes.indexOf('&'); at >= 0; at = bytes.indexOf('&', at + 1)) {
        // The line breaks of notes, a reference on every line.
        if (bytes.sliced(at + 1).startsWith("#10;")) continue;
        if (TXmlReference::At(bytes.sliced(at)).first == 0) return false;
    }
    return true;
}

// Whether the bytes hold a control character XML forbids (NUL is refused before). In bytes
// throughout, so that the compiler looks at many at once.
bool HasForbiddenControls(QByteArrayView bytes) {
    unsigned char found = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        found |= static_cast<unsigned char>((u < 0x20) & (u != 0x9) & (u != 0xA) & (u != 0xD));
    }
    return found != 0;
}

// The text is checked in runs of about this many bytes, on several threads.
constexpr qsizetype kRunBytes = 1 << 20;

// What pugixml does not check in the text itself.
bool IsPlainText(QByteArrayView bytes) {
    std::atomic<bool> plain{true};
    // A reference holds no line feed: each stands whole in its run.
    TParallel::ForLineRuns(bytes, kRunBytes, [&](qsizetype, QByteArrayView run) {
        if (plain &&
            !(TUtf8::IsValid(run) && !HasForbiddenControls(run) && HasOnlyXmlReferences(run)))
            plain = false;
    });
    return plain;
}

// Whether the declaration opens the file and declares XML 1.0 in UTF-8.
bool IsUtf8Declaration(const pugi::xml_node& declaration, QByteArrayView source) {
    const QByteArrayView start = source.startsWith(kByteOrderMark) ? source.sliced(3) : source;
    const pugi::xml_attribute encoding = declaration.attribute("encoding");
    return start.startsWith("<?xml") &&
           QByteArrayView(declaration.attribute("version").value()) == "1.0" &&
           (!encoding ||
            QByteArrayView(encoding.value()).compare("UTF-8", Qt::CaseInsensitive) == 0);
}

// The document's one element when nothing but a UTF-8 declaration stands beside it.
pugi::xml_node SoleElement(const pugi::xml_document& document, QByteArrayView source) {
    pugi::xml_node element;
    for (const pugi::xml_node& node : document.children()) {
        if (node.type() == pugi::node_declaration && !element && node == document.first_child() &&
            IsUtf8Declaration(node, source))
            continue;
        if (node.type() != pugi::node_element || element) return {};
        element = node;
    }
    return element;
}

// Whether every element and attribute name has no namespace prefix and no element has an
// attribute twice: what pugixml would take without a word. Each pair of an element's
// attributes is compared, so an element with very many is left to the stream reader.
bool HasPlainNames(const pugi::xml_node& root) {
    struct TCheck : pugi::xml_tree_walker {
        bool plain = true;
        bool for_each(pugi::xml_node& node) override {
            if (node.type() != pugi::node_element) return true;
            plain = !std::strchr(node.name(), ':');
            int attributes = 0;
            for (pugi::xml_attribute a = node.first_attribute(); a && plain;
                 a = a.next_attribute()) {
                plain = !std::strchr(a.name(), ':') && ++attributes <= kMostAttributes;
                for (pugi::xml_attribute b = a.next_attribute(); b && plain; b = b.next_attribute())
                    plain = std::strcmp(a.name(), b.name()) != 0;
            }
            return plain;
        }
    } check;
    pugi::xml_node top = root;
    check.for_each(top);
    if (check.plain) top.traverse(check);
    return check.plain;
}

// Whether an attribute's value, read in place, stood in the source without a "<": pugixml
// takes one there, XML does not. A missing attribute's value is pugixml's own.
bool StoodWithoutLess(const char* value, const char* buffer, QByteArrayView source) {
    const auto address = reinterpret_cast<std::uintptr_t>(value);
    const auto start = reinterpret_cast<std::uintptr_t>(buffer);
    if (address < start || address > start + static_cast<std::uintptr_t>(source.size()))
        return true;
    const qsizetype at = value - buffer;
    if (at == 0) return false;
    const char quote = source[at - 1];
    if (quote != '"' && quote != '\'') return false;
    const qsizetype end = source.indexOf(quote, at);
    return end >= 0 && !source.sliced(at, end - at).contains('<');
}

// An outline as read: its level and where its label and text stand in the buffer.
struct TFound {
    int level = 0;
    const char* label = nullptr;
    const char* note = nullptr;
};

// Every <outline> below body as TOpmlOutline's stream reader takes them: other elements
// are skipped with all they hold. Nothing when one is too deep or in doubt.
std::optional<std::vector<TFound>> Outlines(const pugi::xml_node& body) {
    std::vector<TFound> found;
    std::vector<std::pair<pugi::xml_node, int>> stack;
    for (pugi::xml_node child = body.last_child(); child; child = child.previous_sibling())
        stack.emplace_back(child, 1);
    while (!stack.empty()) {
        const auto [node, level] = stack.back();
        stack.pop_back();
        if (node.type() != pugi::node_element || std::strcmp(node.name(), "outline") != 0) continue;
        if (level > TDocumentReader::kMaxDepth) return std::nullopt;
        const pugi::xml_attribute text = node.attribute("text");
        const pugi::xml_attribute label = text ? text : node.attribute("title");
        const pugi::xml_attribute note = node.attribute("_note");
        found.push_back({level, label.value(), note.value()});
        for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
            stack.emplace_back(child, level + 1);
    }
    return found;
}

// A note as its item file holds it, written at out, which has room for twice its bytes and
// two more: each line in Shift-JIS with CR LF. False when the file would not read back as
// the note: a character without an exact code, or a CR of its own.
bool EncodeNote(QByteArrayView note, char*& out) {
    if (note.contains('\r')) return false;
    const char* const start = out;
    for (qsizetype at = 0; at <= note.size();) {
        qsizetype feed = note.indexOf('\n', at);
        if (feed < 0) feed = note.size();
        if (Cp932Codec::EncodeUtf8(note.sliced(at, feed - at), out) !=
            Cp932Codec::Utf8Encoding::Exact)
            return false;
        *out++ = '\r';
        *out++ = '\n';
        at = feed + 1;
    }
    // Bytes that would begin like a file in UTF-8 are no file of the store's.
    return !QByteArrayView(start, out - start).startsWith(TTextFileCodec::kUtf8Mark);
}

// The entries' notes [begin, end) in the Shift-JIS of their files, in one piece of bytes;
// nothing for a note that is not read back the same that way.
std::vector<std::optional<TItemFileBytes>> EncodedNotes(const std::vector<TFound>& found,
                                                        qsizetype begin, qsizetype end) {
    std::vector<QByteArrayView> notes;
    qsizetype room = 0;
    for (qsizetype k = begin; k < end; ++k) {
        notes.emplace_back(found[k].note);
        room += 2 * notes.back().size() + 2;
    }
    QByteArray bytes(room, Qt::Uninitialized);
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    char* out = bytes.data();
    for (const QByteArrayView note : notes) {
        char* const start = out;
        if (note.isEmpty() || !EncodeNote(note, out)) out = start;
        spans.emplace_back(start - bytes.constData(), out - start);
    }
    std::vector<std::optional<TItemFileBytes>> encoded;
    for (const auto& [offset, length] : spans)
        encoded.push_back(length > 0 ? std::optional(TItemFileBytes{bytes, offset, length})
                                     : std::nullopt);
    return encoded;
}

// The entries of the outlines, their values checked and decoded on every processor;
// nothing when one is in doubt.
std::optional<TOutlineEntries> Entries(const std::vector<TFound>& found, const char* buffer,
                                       QByteArrayView source, TEntryTexts as) {
    const qsizetype count = static_cast<qsizetype>(found.size());
    std::vector<std::pair<QString, QString>> texts(found.size());
    std::vector<std::optional<TItemFileBytes>> files(found.size());
    std::atomic<bool> doubt{false};
    TParallel::ForRuns(count, kEntriesPerRun, [&](qsizetype, qsizetype begin, qsizetype end) {
        if (as == TEntryTexts::AsFileBytes)
            std::ranges::move(EncodedNotes(found, begin, end), files.begin() + begin);
        for (qsizetype k = begin; k < end && !doubt; ++k) {
            if (!StoodWithoutLess(found[k].label, buffer, source) ||
                !StoodWithoutLess(found[k].note, buffer, source))
                doubt = true;
            texts[k].first = TUtf8::Decode(found[k].label);
            if (!files[k]) texts[k].second = TUtf8::Decode(found[k].note);
        }
    });
    if (doubt) return std::nullopt;
    TEntryCollector entries;
    // No level is beyond the limit here: the line goes into no message.
    for (qsizetype k = 0; k < count; ++k) {
        entries.Add(found[k].level, texts[k].first, texts[k].second, 0);
        if (files[k]) entries.SetLastFileText(std::move(*files[k]));
    }
    return entries.Take();
}

}  // namespace

std::optional<TOutlineEntries> TOpmlTree::Read(QByteArrayView bytes, TEntryTexts texts) {
    // The checks pugixml leaves out run on another processor while it parses.
    std::future<bool> plain = std::async(std::launch::async, IsPlainText, bytes);
    QByteArray buffer(bytes.data(), bytes.size());
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer_inplace(
        buffer.data(), static_cast<size_t>(buffer.size()),
        pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype, pugi::encoding_utf8);
    if (!plain.get() || !parsed) return std::nullopt;
    const pugi::xml_node opml = SoleElement(document, bytes);
    if (!opml || std::strcmp(opml.name(), "opml") != 0 || !HasPlainNames(opml)) return std::nullopt;
    const pugi::xml_node body = opml.child("body");
    if (!body) return std::nullopt;
    const std::optional<std::vector<TFound>> found = Outlines(body);
    if (!found || found->empty()) return std::nullopt;
    return Entries(*found, buffer.constData(), bytes, texts);
}
