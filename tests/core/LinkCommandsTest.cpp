#include <gtest/gtest.h>

#include <QUrl>

#include "platform/TShell.h"
#include "support/Printers.h"
#include "support/TempDir.h"
#include "ui/TLinkCommands.h"

namespace {

class RecordingShell : public TShell {
  public:
    bool Open(const QUrl& url) override {
        opened << url.toString();
        return result;
    }
    QStringList opened;
    bool result = true;
};

TEST(LinkCommands, HomePageOpensTheMakersAddress) {
    RecordingShell shell;
    EXPECT_TRUE(TLinkCommands::OpenHomePage(shell));
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("https://hedgerow.invalid/")});
}

TEST(LinkCommands, LatestVersionOpensTheVersionPage) {
    RecordingShell shell;
    TLinkCommands::OpenLatestVersion(shell);
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("https://hedgerow.invalid/version.html")});
}

TEST(LinkCommands, MailOpensAMailtoAddress) {
    RecordingShell shell;
    TLinkCommands::OpenMail(shell);
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("mailto:support@hedgerow.invalid")});
}

TEST(LinkCommands, ShellFailureIsPassedBackOnly) {
    RecordingShell shell;
    shell.result = false;
    EXPECT_FALSE(TLinkCommands::OpenHomePage(shell));
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST(LinkCommands, HelpOpensHelpHtmlBesideTheProgram) {
    TempDir exeDir;
    exeDir.Write(QStringLiteral("Help.html"), "<html></html>");
    RecordingShell shell;
    EXPECT_TRUE(TLinkCommands::OpenHelp(shell, exeDir.Path()));
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(QUrl(shell.opened[0]), QUrl::fromLocalFile(exeDir.File(QStringLiteral("Help.html"))));
    EXPECT_TRUE(QUrl(shell.opened[0]).isLocalFile());
}

TEST(LinkCommands, HelpInAFolderWithBlanksIsOneLocalFileAddress) {
    TempDir root;
    const QString exeDir = root.Path() + QStringLiteral("my programs/");
    root.Write(QStringLiteral("my programs/Help.html"), "<html></html>");
    RecordingShell shell;
    TLinkCommands::OpenHelp(shell, exeDir);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(QUrl(shell.opened[0]).toLocalFile(), exeDir + QStringLiteral("Help.html"));
}

TEST(LinkCommands, MissingHelpFileOpensNothingAndReportsNothing) {
    TempDir exeDir;
    RecordingShell shell;
    EXPECT_FALSE(TLinkCommands::OpenHelp(shell, exeDir.Path()));
    EXPECT_TRUE(shell.opened.isEmpty());
}

}  // namespace
