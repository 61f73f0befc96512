#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <utility>
#include <vector>

#include "app/TCommandRunner.h"
#include "app/TDocumentCommands.h"
#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TFrameBehaviour.h"
#include "app/TItemCommands.h"
#include "app/TItemTextBinding.h"
#include "app/TMainForm.h"
#include "app/TOutlineView.h"
#include "app/TSkinSurface.h"
#include "app/TStartupShutdown.h"
#include "app/TWindowStates.h"
#include "document/TOutlineItem.h"
#include "document/TOutlineItemModel.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TMainFormProbe.h"
#include "support/TempDir.h"

// A main window in its own program folder, with scripted message boxes and file
// dialogs.
class MainFormFixture : public testing::Test {
  protected:
    // The program folder with the generated skin in its Data folder: the bitmaps are read
    // once a run and written without syncing (a copy syncs every file).
    void SetUp() override {
        QDir().mkpath(dir.File("Data"));
        for (const auto& [name, bytes] : Skin()) dir.Write("Data/" + name, bytes);
    }

    static const std::vector<std::pair<QString, QByteArray>>& Skin() {
        static const std::vector<std::pair<QString, QByteArray>> files = [] {
            std::vector<std::pair<QString, QByteArray>> read;
            const QDir skin(QStringLiteral(HEDGEROW_SKIN_DIR));
            for (const QString& name : skin.entryList({QStringLiteral("*.bmp")}, QDir::Files)) {
                QFile file(skin.filePath(name));
                file.open(QIODevice::ReadOnly);
                read.emplace_back(name, file.readAll());
            }
            return read;
        }();
        return files;
    }

    // Writes a settings file so that the first-start question is not asked.
    void WriteSettings(const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines) bytes += line.toLatin1() + "\r\n";
        dir.Write("Hedgerow.ini", bytes);
    }

    TMainForm& Start(const QStringList& arguments = {}) {
        TMainFormContext context;
        context.folders = TProgramFolders::BesideExecutable(dir.Path());
        context.arguments = arguments;
        context.messageBoxes = &boxes;
        context.fileDialogs = &dialogs;
        context.association = &association;
        context.shell = &shell;
        context.platformName = platformName;
        form = std::make_unique<TMainForm>(context);
        return *form;
    }

    TMainForm& StartShown(const QStringList& arguments = {}) {
        Start(arguments);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get(), 2000)) Probe(*form).Lifecycle().FormActivate();
        return *form;
    }

    TOutline& Outline() { return form->TreeModel->Outline(); }

    TOutlineItem* AddTopLevelItem(const QString& label) {
        return form->TreeModel->InsertItem(nullptr, Outline().Root()->ChildCount(), label,
                                           Probe(*form).Session().AllocateItemNumber());
    }

    // "B .B1 .B2 A .A1": labels in display order, a dot per level.
    QString Order() {
        QStringList labels;
        Outline().ForEach([&](TOutlineItem* item) {
            int level = 0;
            for (TOutlineItem* p = item->Parent(); p != Outline().Root(); p = p->Parent()) ++level;
            labels << QString(level, u'.') + item->Label;
        });
        return labels.join(u' ');
    }

    void TearDown() override {
        if (form) {
            Probe(*form).Session().Modified = false;
            form->close();
        }
        form.reset();
    }

    TempDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    RecordingAssociation association;
    RecordingShell shell;
    std::unique_ptr<TMainForm> form;
    QString platformName;  // the windowing platform the window behaves as on; Qt's own if empty
};
