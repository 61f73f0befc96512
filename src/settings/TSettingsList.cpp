#include "settings/TSettingsList.h"

qsizetype TSettingsList::IndexOf(QStringView name) const {
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const qsizetype equals = lines_[i].indexOf(u'=');
        if (equals < 0) continue;
        if (QStringView(lines_[i]).left(equals).compare(name, Qt::CaseInsensitive) == 0) return i;
    }
    return -1;
}

QString TSettingsList::Value(QStringView name) const {
    const qsizetype i = IndexOf(name);
    if (i < 0) return {};
    return lines_[i].mid(lines_[i].indexOf(u'=') + 1);
}

void TSettingsList::SetValue(QStringView name, const QString& value) {
    const qsizetype i = IndexOf(name);
    if (value.isEmpty()) {
        if (i >= 0) lines_.removeAt(i);
        return;
    }
    const QString line = name.toString() + u'=' + value;
    if (i >= 0)
        lines_[i] = line;
    else
        lines_.append(line);
}

TSettingsList TSettingsList::Defaults(const QRect& window) {
    return TSettingsList({
        QStringLiteral("ApplicationName=brisbeck outline editor"),
        QStringLiteral("Version=1.08"),
        QStringLiteral("iniFileVer=1.06"),
        QStringLiteral("Maximized=0"),
        QStringLiteral("FormTop=%1").arg(window.top()),
        QStringLiteral("FormLeft=%1").arg(window.left()),
        QStringLiteral("FormHeight=%1").arg(window.height()),
        QStringLiteral("FormWidth=%1").arg(window.width()),
        QStringLiteral("TreeWidth=200"),
        QStringLiteral("EditFile=nil"),
        QStringLiteral("EditorWordWrap=1"),
        QStringLiteral("AutoLoad=1"),
        QStringLiteral("AutoSave=0"),
        QStringLiteral("AutoBackup=1"),
        QStringLiteral("AutoNodeName=1"),
        QStringLiteral("NodeNameLimitter=0"),
        QStringLiteral("NodeNameLimitterCount=40"),
        QStringLiteral("TreeFontName=nil"),
        QStringLiteral("TreeFontColor=nil"),
        QStringLiteral("TreeFontSize=nil"),
        QStringLiteral("TreeFontStyle=nil"),
        QStringLiteral("EditorFontName=nil"),
        QStringLiteral("EditorFontColor=nil"),
        QStringLiteral("EditorFontSize=nil"),
        QStringLiteral("EditorFontStyle=nil"),
        QStringLiteral("RecentFile1=nil"),
        QStringLiteral("RecentFile2=nil"),
        QStringLiteral("RecentFile3=nil"),
        QStringLiteral("RecentFile4=nil"),
        QStringLiteral("RecentFile5=nil"),
    });
}
