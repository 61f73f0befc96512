#include <gtest/gtest.h>

#include <optional>

#include "platform/AppError.h"
#include "platform/TAssociation.h"
#include "support/Printers.h"
#include "support/ScriptedMessageBoxes.h"
#include "ui/TAssociationCommands.h"

namespace {

class RecordingAssociation : public TAssociation {
  public:
    void Register() override {
        ++registered;
        if (failWith) throw AppError::CannotCreate(*failWith);
    }
    void Remove() override { ++removed; }

    int registered = 0;
    int removed = 0;
    std::optional<QString> failWith;
};

TEST(AssociationCommands, AssociateRegistersThenReportsInAnInformationBox) {
    RecordingAssociation association;
    ScriptedMessageBoxes boxes;
    TAssociationCommands::Associate(association, boxes);
    EXPECT_EQ(association.registered, 1);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("qloの拡張子の関連づけをしました。"));
    EXPECT_EQ(boxes.shown[0].kind, TMessageBoxes::Kind::Information);
    EXPECT_FALSE(boxes.shown[0].plain);
}

TEST(AssociationCommands, AssociatingAgainReportsSuccessAgain) {
    RecordingAssociation association;
    ScriptedMessageBoxes boxes;
    TAssociationCommands::Associate(association, boxes);
    TAssociationCommands::Associate(association, boxes);
    EXPECT_EQ(association.registered, 2);
    EXPECT_EQ(boxes.Texts(), QStringList(2, QStringLiteral("qloの拡張子の関連づけをしました。")));
}

TEST(AssociationCommands, FailedWriteThrowsAndShowsNoSuccessMessage) {
    RecordingAssociation association;
    association.failWith = QStringLiteral("/ro/applications/qlm-outline-editor.desktop");
    ScriptedMessageBoxes boxes;
    try {
        TAssociationCommands::Associate(association, boxes);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral(
                      "ファイル /ro/applications/qlm-outline-editor.desktop を作成できません"));
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST(AssociationCommands, DeleteRegistryRemovesAndReportsAlsoWhenNothingWasRegistered) {
    RecordingAssociation association;
    ScriptedMessageBoxes boxes;
    TAssociationCommands::DeleteRegistry(association, boxes);
    EXPECT_EQ(association.removed, 1);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("全てのレジストリ情報を削除しました。"));
    EXPECT_EQ(boxes.shown[0].kind, TMessageBoxes::Kind::Information);
}

}  // namespace
