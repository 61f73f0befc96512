#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "platform/TAssociation.h"
#include "platform/TDesktopAssociation.h"
#include "support/Printers.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"
#include "ui/TAssociationCommands.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The association of this system with the program's own icon, as the menu commands use it.
TEST(AssociationForThisSystem, CommandsRegisterTheRunningProgramAndRemoveItAgain) {
    TempDir temp;
    ScopedEnv data("XDG_DATA_HOME", (temp.Path() + QStringLiteral("data")).toUtf8());
    ScopedEnv config("XDG_CONFIG_HOME", (temp.Path() + QStringLiteral("config")).toUtf8());
    const QString exe = QCoreApplication::applicationFilePath();
    const auto association = TAssociation::ForThisSystem(exe);
    ScriptedMessageBoxes boxes;

    TAssociationCommands::Associate(*association, boxes);
    EXPECT_EQ(boxes.Texts(), QStringList{QStringLiteral("qloの拡張子の関連づけをしました。")});
    const QString entry = QString::fromUtf8(ReadAll(TDesktopAssociation::DesktopEntryPath()));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=") +
                               TDesktopAssociation::ExecValue(exe).chopped(3) +
                               QStringLiteral(" %f\n")));
    EXPECT_TRUE(entry.contains(exe));
    EXPECT_EQ(ReadAll(TDesktopAssociation::IconPath(QStringLiteral("64x64"))),
              ReadAll(QStringLiteral(":/images/icon.png")));

    TAssociationCommands::DeleteRegistry(*association, boxes);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("全てのレジストリ情報を削除しました。"));
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::DesktopEntryPath()));
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::MimePackagePath()));
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::IconPath(QStringLiteral("64x64"))));
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::MimeAppsPath()));
}

}  // namespace
