#include "tools/melody/note_dialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kq {
namespace {

TEST(NoteDialogTest, ThirtyEightKeysAndTheLengthPreselected)
{
    NoteDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), kNoteDialogCaption);
    EXPECT_EQ(dialog.findChildren<QPushButton *>().size(), 38);

    QTimer::singleShot(0, &dialog, [&dialog] {
        EXPECT_TRUE(dialog.findChild<QRadioButton *>("radio_Len4")->isChecked());
        dialog.findChild<QRadioButton *>("radio_Len0")->click();
        dialog.findChild<QPushButton *>("pB17")->click();
    });
    const std::optional<NoteChoice> choice = dialog.Choose(4);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->key, (KeyChoice {17, true}));
    EXPECT_EQ(choice->length, 0);
    EXPECT_FALSE(dialog.isVisible());

    QTimer::singleShot(0, &dialog, [&dialog] { dialog.findChild<QPushButton *>("pw185")->click(); });
    const std::optional<NoteChoice> rest = dialog.Choose(1);
    ASSERT_TRUE(rest);
    EXPECT_EQ(rest->key, (KeyChoice {kRestKey, false}));
    EXPECT_EQ(rest->length, 1);

    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_FALSE(dialog.Choose(2));
}

}  // namespace
}  // namespace kq
