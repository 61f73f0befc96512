// The real program read through AT-SPI as a screen reader reads it, under Xvfb and a
// private D-Bus session: atspi_probe.py walks the accessible tree, opens a menu through
// its title's action, moves through it with the keyboard and presses a skin button
// through its action; this test checks what it saw.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "e2e/XSession.h"
#include "support/TempDir.h"

namespace {

struct Node {
    QString role;
    QString name;
    QString description;
    QStringList states;
    QStringList actions;
};

QList<Node> Nodes(const QJsonValue& list) {
    QList<Node> nodes;
    for (const QJsonValue& value : list.toArray()) {
        const QJsonObject object = value.toObject();
        Node node{object[QStringLiteral("role")].toString(),
                  object[QStringLiteral("name")].toString(),
                  object[QStringLiteral("description")].toString(),
                  {},
                  {}};
        for (const QJsonValue& state : object[QStringLiteral("states")].toArray())
            node.states << state.toString();
        for (const QJsonValue& action : object[QStringLiteral("actions")].toArray())
            node.actions << action.toString();
        nodes << node;
    }
    return nodes;
}

QStringList NamesOf(const QList<Node>& nodes, const QString& role) {
    QStringList names;
    for (const Node& node : nodes)
        if (node.role == role) names << node.name;
    return names;
}

const Node* Find(const QList<Node>& nodes, const QString& role, const QString& name) {
    for (const Node& node : nodes)
        if (node.role == role && node.name == name) return &node;
    return nullptr;
}

class Accessibility : public testing::Test {
  protected:
    void SetUp() override {
        if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                              {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) != 0 ||
            !QFile::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")))
            GTEST_SKIP() << "python3-pyatspi or at-spi2-core is missing";
        ASSERT_TRUE(x.Start(false)) << "Xvfb did not start";
        ASSERT_TRUE(XSession::InstallProgram(program.Path()));
        program.Write("Hedgerow.ini",
                      "iniFileVer=1.06\r\nFormLeft=40\r\nFormTop=30\r\nFormWidth=800\r\n"
                      "FormHeight=600\r\nAutoLoad=0\r\nAutoSave=1\r\nAutoBackup=0\r\n");
        documents.Write("a.qlo",
                        "qlm oe data form 1.3\r\nTree=4,0=1,1=1,2=1,3=1\r\nnil:one:0\r\n"
                        "nil:two:1\r\n1:twoA:0\r\nnil:three:0\r\nt1\r\nt2\r\nt2a\r\nt3\r\n");
    }

    void TearDown() override { x.Stop(); }

    // What the probe saw; empty when it saw nothing.
    QJsonObject Probe() {
        QProcess probe;
        QProcessEnvironment env = x.Environment();
        env.insert(QStringLiteral("TMPDIR"), temp.Path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), temp.Path());
        probe.setProcessEnvironment(env);
        probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        probe.start(QStringLiteral("dbus-run-session"),
                    {QStringLiteral("--"), QStringLiteral("/usr/bin/python3"),
                     QStringLiteral(HEDGEROW_ATSPI_PROBE), program.File("hedgerow"),
                     documents.File("a.qlo")});
        if (!probe.waitForFinished(120000)) probe.kill();
        const QList<QByteArray> lines = probe.readAllStandardOutput().trimmed().split('\n');
        return QJsonDocument::fromJson(lines.last()).object();
    }

    XSession x;
    TempDir program;
    TempDir temp;
    TempDir documents;
};

TEST_F(Accessibility, TheSkinMenusOutlineEditorAndHintLineAreReadAndPressed) {
    const QJsonObject seen = Probe();
    ASSERT_TRUE(seen.contains(QStringLiteral("window"))) << "the probe saw no window";

    const QList<Node> window = Nodes(seen[QStringLiteral("window")]);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(window.first().role, QStringLiteral("frame"));
    EXPECT_TRUE(window.first().name.startsWith(QStringLiteral("brisbeck outline editor")));
    const QStringList buttons = NamesOf(window, QStringLiteral("push button"));
    for (const char* name : {"項目を追加",
                             "子項目を追加",
                             "項目を削除",
                             "上へ移動",
                             "下へ移動",
                             "左へ移動",
                             "右へ移動",
                             "新規作成",
                             "開く",
                             "上書き保存",
                             "文章から項目を追加",
                             "文章から子項目を追加",
                             "切り取り",
                             "コピー",
                             "張り付け",
                             "元に戻す",
                             "最小化",
                             "最大化",
                             "閉じる",
                             "ホームページ",
                             "メール"})
        EXPECT_TRUE(buttons.contains(QString::fromUtf8(name))) << name;
    const Node* add = Find(window, QStringLiteral("push button"), QStringLiteral("項目を追加"));
    ASSERT_TRUE(add);
    EXPECT_EQ(add->description,
              QStringLiteral("現在選択している項目と同じ階層に、新しい項目を追加します。"));
    EXPECT_EQ(add->actions, QStringList{QStringLiteral("Press")});
    EXPECT_EQ(NamesOf(window, QStringLiteral("menu bar")), QStringList{QStringLiteral("メニュー")});
    EXPECT_EQ(
        NamesOf(window, QStringLiteral("menu item")),
        (QStringList{QStringLiteral("ファイル"), QStringLiteral("編集"), QStringLiteral("表示"),
                     QStringLiteral("オプション"), QStringLiteral("ヘルプ")}));
    EXPECT_EQ(NamesOf(window, QStringLiteral("status bar")).size(), 1);
    EXPECT_EQ(NamesOf(window, QStringLiteral("text")), QStringList{QStringLiteral("本文")});
    EXPECT_TRUE(Find(window, QStringLiteral("tree"), QStringLiteral("アウトライン")));
    const Node* two = Find(window, QStringLiteral("table cell"), QStringLiteral("two"));
    ASSERT_TRUE(two) << "no row named by its label";
    EXPECT_EQ(two->description, QStringLiteral("レベル 1"));
    EXPECT_TRUE(two->states.contains(QStringLiteral("expanded")));
    const Node* child = Find(window, QStringLiteral("table cell"), QStringLiteral("twoA"));
    ASSERT_TRUE(child);
    EXPECT_EQ(child->description, QStringLiteral("レベル 2"));

    const QList<Node> menu = Nodes(seen[QStringLiteral("menu")]);
    ASSERT_FALSE(menu.isEmpty()) << "the option menu did not open through its action";
    EXPECT_EQ(menu.first().name, QStringLiteral("オプション"));
    const Node* autoSave =
        Find(menu, QStringLiteral("menu item"), QStringLiteral("自動保存を有効にする"));
    ASSERT_TRUE(autoSave) << "an entry keeps its toggle mark in its name";
    EXPECT_TRUE(autoSave->states.contains(QStringLiteral("checked")));
    const Node* autoLoad =
        Find(menu, QStringLiteral("menu item"), QStringLiteral("自動読み込みを有効にする"));
    ASSERT_TRUE(autoLoad);
    EXPECT_FALSE(autoLoad->states.contains(QStringLiteral("checked")));
    EXPECT_EQ(autoLoad->description,
              QStringLiteral("起動時に、前回開いていたファイルを自動で読み込みます。"));

    bool hintSpoken = false, entryFocused = false;
    for (const QJsonValue& value : seen[QStringLiteral("events")].toArray()) {
        const QJsonObject event = value.toObject();
        const QString type = event[QStringLiteral("type")].toString();
        const QString name = event[QStringLiteral("name")].toString();
        hintSpoken |= type == QStringLiteral("object:property-change:accessible-name") &&
                      name == autoLoad->description;
        entryFocused |=
            type == QStringLiteral("object:state-changed:focused") && name == autoLoad->name;
    }
    EXPECT_TRUE(hintSpoken) << "the hint line's name did not change with the entry";
    EXPECT_TRUE(entryFocused) << "the entry the keyboard moved to was not focused";

    const QStringList rows =
        NamesOf(Nodes(seen[QStringLiteral("outline")]), QStringLiteral("table cell"));
    EXPECT_EQ(rows,
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("twoA"),
                           QStringLiteral("three"), QStringLiteral("新規")}))
        << "項目を追加 pressed through its action added no item";
}

}  // namespace
