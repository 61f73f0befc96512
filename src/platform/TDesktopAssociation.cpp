#include "platform/TDesktopAssociation.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

#include "platform/AppError.h"
#include "platform/TAssociationTable.h"
#include "platform/TProgramFolders.h"
#include "platform/TSafeFile.h"

namespace {

// Desktop files go into folders that a fresh account may not have yet.
const TSafeFile::Options kMakeFolders = TSafeFile::Options::MakingFolders();

const QString kDefaultGroup = QStringLiteral("[Default Applications]");

QStringList ReadLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray JoinLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) bytes += line.toUtf8() + '\n';
    return bytes;
}

bool IsGroupHeader(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// The key of an entry line, empty for other lines.
QString KeyOf(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.trimmed().startsWith(QLatin1Char('#'))) return {};
    return line.left(equals).trimmed();
}

// The end (exclusive) of the group whose header is at start.
qsizetype GroupEnd(const QStringList& lines, qsizetype start) {
    qsizetype end = start + 1;
    while (end < lines.size() && !IsGroupHeader(lines[end])) ++end;
    return end;
}

// Runs a desktop database tool when it is installed; its outcome does not matter.
void RunTool(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty() || !QFileInfo(folder).isDir()) return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {folder});
    if (process.waitForStarted(5000) && !process.waitForFinished(30000)) process.kill();
    process.waitForFinished(1000);
}

}  // namespace

TDesktopAssociation::TDesktopAssociation(QString exePath, QString iconSource)
    : exePath_(std::move(exePath)), iconSource_(std::move(iconSource)) {}

QString TDesktopAssociation::DataHome() { return TProgramFolders::DataHome(); }

QString TDesktopAssociation::ConfigHome() { return TProgramFolders::ConfigHome(); }

QString TDesktopAssociation::MimePackagePath() {
    return DataHome() + QStringLiteral("/mime/packages/") + IconName() + QStringLiteral(".xml");
}

QString TDesktopAssociation::DesktopEntryPath() {
    return DataHome() + QStringLiteral("/applications/") + DesktopFileName();
}

QString TDesktopAssociation::MimeAppsPath() {
    return ConfigHome() + QStringLiteral("/mimeapps.list");
}

QString TDesktopAssociation::IconPath(const QString& size) {
    return DataHome() + QStringLiteral("/icons/hicolor/") + size + QStringLiteral("/apps/") +
           IconName() + QStringLiteral(".png");
}

QString TDesktopAssociation::MimePackageText() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2 document</comment>\n"
               "    <comment xml:lang=\"ja\">%2 文書</comment>\n"
               "    <sub-class-of type=\"text/plain\"/>\n"
               "    <icon name=\"%3\"/>\n"
               "    <glob pattern=\"*%4\"/>\n"
               "    <magic priority=\"50\">\n"
               "      <match type=\"string\" offset=\"0\" value=\"qlm oe data form\"/>\n"
               "    </magic>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(MimeType(), TAssociationTable::TypeName(), IconName(), TAssociationTable::Extension());
}

QString TDesktopAssociation::ExecValue(const QString& exePath) {
    // A literal "%" of the path must not read as a field code.
    QString argument = exePath;
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool needsQuotes =
        std::any_of(argument.begin(), argument.end(), [](QChar c) { return reserved.contains(c); });
    if (needsQuotes) {
        QString quoted;
        for (const QChar c : argument) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        argument = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The string escapes of desktop entry values come on top of the quoting.
    QString value = argument + QStringLiteral(" %f");
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    value.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    value.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    value.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return value;
}

QString TDesktopAssociation::DesktopEntryText(const QString& exePath) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=%1\n"
               "GenericName=Outline editor\n"
               "GenericName[ja]=アウトラインエディター\n"
               "Comment=Edit outlines of items with a text each\n"
               "Comment[ja]=項目ごとに文章を持つアウトラインを編集します\n"
               "Exec=%2\n"
               "Icon=%3\n"
               "MimeType=%4;\n"
               "Terminal=false\n"
               "Categories=Utility;TextEditor;\n")
        .arg(TAssociationTable::TypeName(), ExecValue(exePath), IconName(), MimeType());
}

QStringList TDesktopAssociation::WithDefaultEntry(const QStringList& lines, const QString& entry) {
    QStringList result = lines;
    qsizetype start = 0;
    while (start < result.size() && result[start].trimmed() != kDefaultGroup) ++start;
    if (start == result.size()) start = -1;
    if (start < 0) {
        if (!result.isEmpty() && !result.last().trimmed().isEmpty()) result << QString();
        result << kDefaultGroup << MimeType() + QLatin1Char('=') + entry;
        return result;
    }
    const qsizetype end = GroupEnd(result, start);
    for (qsizetype i = start + 1; i < end; ++i) {
        if (KeyOf(result[i]) != MimeType()) continue;
        // Put this program in front of the applications already named.
        QString value = result[i].mid(result[i].indexOf(QLatin1Char('=')) + 1).trimmed();
        QStringList others = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (others.contains(entry)) {
            if (others.first() == entry) return result;
            others.removeAll(entry);
            value = others.join(QLatin1Char(';')) + QLatin1Char(';');
        }
        result[i] = MimeType() + QLatin1Char('=') + entry +
                    (value.isEmpty() ? QString() : QLatin1Char(';') + value);
        return result;
    }
    qsizetype insertAt = end;
    while (insertAt > start + 1 && result[insertAt - 1].trimmed().isEmpty()) --insertAt;
    result.insert(insertAt, MimeType() + QLatin1Char('=') + entry);
    return result;
}

QStringList TDesktopAssociation::WithoutDefaultEntry(const QStringList& lines,
                                                     const QString& entry) {
    QStringList result = lines;
    for (qsizetype start = 0; start < result.size(); ++start) {
        if (result[start].trimmed() != kDefaultGroup) continue;
        qsizetype end = GroupEnd(result, start);
        for (qsizetype i = start + 1; i < end; ++i) {
            if (KeyOf(result[i]) != MimeType()) continue;
            const QString value = result[i].mid(result[i].indexOf(QLatin1Char('=')) + 1).trimmed();
            QString rest;
            if (value.startsWith(entry + QLatin1Char(';'))) {
                rest = value.mid(entry.size() + 1);
            } else {
                QStringList names = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
                if (!names.contains(entry)) continue;
                names.removeAll(entry);
                rest =
                    names.isEmpty() ? QString() : names.join(QLatin1Char(';')) + QLatin1Char(';');
            }
            if (rest.isEmpty()) {
                result.removeAt(i--);
                --end;
            } else {
                result[i] = MimeType() + QLatin1Char('=') + rest;
            }
        }
        // A group left without entries goes too, with its blank lines.
        bool empty = true;
        for (qsizetype i = start + 1; i < end; ++i) empty = empty && result[i].trimmed().isEmpty();
        if (empty) {
            result.remove(start, end - start);
            --start;
        }
    }
    // Blank lines left at the end by a removed group go; those the file had stay.
    const auto trailingBlanks = [](const QStringList& list) {
        qsizetype count = 0;
        while (count < list.size() && list[list.size() - 1 - count].trimmed().isEmpty()) ++count;
        return count;
    };
    const qsizetype keep = trailingBlanks(lines);
    while (trailingBlanks(result) > keep) result.removeLast();
    return result;
}

TDesktopAssociation TDesktopAssociation::ForInstalledEntry() {
    TDesktopAssociation association{QString()};
    association.installedEntry_ = InstalledDesktopFileName();
    return association;
}

void TDesktopAssociation::Register() {
    if (!installedEntry_.isEmpty()) {
        WriteMimeApps();
        return;
    }
    WriteIcon();
    TSafeFile::Replace(MimePackagePath(), {MimePackageText().toUtf8()}, kMakeFolders);
    TSafeFile::Replace(DesktopEntryPath(), {DesktopEntryText(exePath_).toUtf8()}, kMakeFolders);
    WriteMimeApps();
    RefreshDatabases();
}

void TDesktopAssociation::Remove() {
    if (!installedEntry_.isEmpty()) {
        RemoveMimeAppsEntry();
        return;
    }
    QFile::remove(MimePackagePath());
    QFile::remove(DesktopEntryPath());
    RemoveIcons();
    RemoveMimeAppsEntry();
    RefreshDatabases();
}

void TDesktopAssociation::WriteIcon() const {
    QFile source(iconSource_);
    if (!source.open(QIODevice::ReadOnly)) throw AppError::CannotOpen(iconSource_);
    const QByteArray bytes = source.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    const QSize size = QImageReader(&buffer).size();
    const QString folder = size.isValid()
                               ? QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
                               : QStringLiteral("48x48");
    TSafeFile::Replace(IconPath(folder), {bytes}, kMakeFolders);
}

QString TDesktopAssociation::OwnEntry() const {
    return installedEntry_.isEmpty() ? DesktopFileName() : installedEntry_;
}

void TDesktopAssociation::WriteMimeApps() const {
    const QString path = MimeAppsPath();
    const QStringList lines = ReadLines(path);
    const QStringList changed = WithDefaultEntry(lines, OwnEntry());
    if (changed != lines || !QFileInfo::exists(path))
        TSafeFile::Replace(path, {JoinLines(changed)}, kMakeFolders);
}

void TDesktopAssociation::RemoveIcons() const {
    const QDir theme(DataHome() + QStringLiteral("/icons/hicolor"));
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        QFile::remove(
            theme.filePath(size + QStringLiteral("/apps/") + IconName() + QStringLiteral(".png")));
}

void TDesktopAssociation::RemoveMimeAppsEntry() const {
    const QString path = MimeAppsPath();
    if (!QFileInfo::exists(path)) return;
    const QStringList lines = ReadLines(path);
    const QStringList changed = WithoutDefaultEntry(lines, OwnEntry());
    if (changed == lines) return;
    if (changed.isEmpty()) {
        QFile::remove(path);
        return;
    }
    try {
        TSafeFile::Replace(path, {JoinLines(changed)}, kMakeFolders);
    } catch (const AppError&) {
        // Removal reports nothing.
    }
}

void TDesktopAssociation::RefreshDatabases() const {
    if (!refreshDatabases_) return;
    RunTool(QStringLiteral("update-mime-database"), DataHome() + QStringLiteral("/mime"));
    RunTool(QStringLiteral("update-desktop-database"),
            DataHome() + QStringLiteral("/applications"));
}
