#include "base/text_file.h"
#include "context/studio_context.h"
#include "default_keywords.h"
#include "editors/text/keyword_settings.h"
#include "editors/text/keyword_settings_window.h"
#include "editors/text/text_program.h"
#include "support/fake_waiter.h"
#include "support/recording_dialogs.h"
#include "device/virtual_clock.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kq::testing {
namespace {

using Kind = RecordingDialogs::Kind;

class KeywordSettingsTest : public ::testing::Test {
protected:
    KeywordSettingsTest() : context(dialogs, waiter, Paths(QStringLiteral(KQ_DATA_DIR), appData.path()), clock) {}

    QString UserFile() const { return context.Paths().TempFolder() + kKeywordFileName; }
    QString UserPage() const { return context.Paths().TempFolder() + kUserHelpPageName; }
    QStringList Lines(const QString &path) const { return ReadTextLines(path).value_or(TextFileContent{}).lines; }
    std::unique_ptr<KeywordSettingsWindow> Open()
    {
        auto window = std::make_unique<KeywordSettingsWindow>(context);
        window->show();
        return window;
    }
    void Click(KeywordSettingsWindow &window, const char *name)
    {
        window.findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }

    QTemporaryDir appData;
    RecordingDialogs dialogs;
    FakeWaiter waiter;
    VirtualClock clock;
    StudioContext context;
};

TEST_F(KeywordSettingsTest, ShowsFortyNineEntriesInTheirGroups)
{
    const auto window = Open();
    EXPECT_EQ(window->findChildren<QLineEdit *>().size(), 49);
    int visible = 0;
    for (const QLineEdit *entry : window->findChildren<QLineEdit *>())
        visible += entry->isVisible() ? 1 : 0;
    EXPECT_EQ(visible, 45);
    EXPECT_EQ(window->Entry(1)->text(), "ledon");
    EXPECT_EQ(window->Entry(18)->text(), "timerbright");
    EXPECT_FALSE(window->Entry(18)->isVisible());
    EXPECT_EQ(window->Entry(kIfSlot), nullptr);
    for (const char *button : {"ApplyButton", "CancelButton", "RestoreButton"})
        EXPECT_TRUE(window->findChild<QPushButton *>(button)->isVisible()) << button;
}

TEST_F(KeywordSettingsTest, ApplyWritesTheFileAndTheHelpPage)
{
    const auto window = Open();
    window->Entry(1)->setText("hikari");
    window->Entry(30)->setText("dasu");
    Click(*window, "ApplyButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.Records().isEmpty());

    const QStringList defaults = Lines(DefaultKeywordFilePath(context.Paths()));
    const QStringList user = Lines(UserFile());
    ASSERT_EQ(user.size(), defaults.size());
    for (int i = 0; i < defaults.size(); ++i) {
        if (i == 0) {
            EXPECT_EQ(user[i], QString(defaults[i]).replace(",ledon,", ",hikari,"));
        } else if (i != 29) {
            EXPECT_EQ(user[i], defaults[i]) << i;
        }
    }

    const QStringList installed = Lines(context.Paths().ProgramFile(kInstalledHelpPage));
    const QStringList page = Lines(UserPage());
    ASSERT_EQ(page.size(), installed.size());
    for (int i = 0; i < page.size(); ++i) {
        EXPECT_EQ(page[i].contains("ledon"), false) << page[i].toStdString();
        if (installed[i].contains("ledon")) {
            EXPECT_TRUE(page[i].contains("hikari"));
        }
        if (installed[i].contains("<a href=\"")) {
            EXPECT_TRUE(page[i].contains("<a href=\"" + context.Paths().ProgramFolder() + "HTML/Word/"));
        }
    }

    // Read by the next text window; what it parses is the new keyword.
    EXPECT_EQ(context.Keywords().Value(), user);
    const KeywordFile file = *ParseKeywordFile(user);
    EXPECT_EQ(CheckTextProgram(EditorLines("HIKARI(1,2,3,1);\ndasu();"), file), std::nullopt);
    EXPECT_EQ(*TranslateText(EditorLines("hikari(1,2,3,1);"), file), (QStringList{"START", "2,0,1,2,3,4,0", "END"}));
    EXPECT_EQ(CheckTextProgram(EditorLines("ledon(1,2,3,1);"), file), kSyntaxErrorMessage);

    // The practice tasks read the installed defaults, which stay as they were.
    EXPECT_EQ(ReadKeywordFile(DefaultKeywordFilePath(context.Paths()))->KeywordOf(1), "ledon");

    // The next opening shows the new keywords.
    EXPECT_EQ(Open()->Entry(1)->text(), "hikari");
}

TEST_F(KeywordSettingsTest, AnEmptyEntryOrACommaWritesNothing)
{
    for (const char *bad : {"", "a,b"}) {
        dialogs.Clear();
        const auto window = Open();
        window->Entry(9)->setText(QString::fromLatin1(bad));
        Click(*window, "ApplyButton");
        EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList{kKeywordSettingsInvalidMessage});
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(QFileInfo::exists(UserFile()));
        EXPECT_FALSE(QFileInfo::exists(UserPage()));
    }
}

TEST_F(KeywordSettingsTest, ARefusedKeywordKeepsTheWindowOpenOnItsField)
{
    const auto window = Open();
    window->Entry(10)->setText("Beep1");
    Click(*window, "ApplyButton");
    EXPECT_EQ(dialogs.Texts(Kind::Warning),
              QStringList{QStringLiteral("サウンドの「確認音1」とサウンドの「確認音2」のキーワードが同じです。\r\n"
                                         "別のキーワードを設定して下さい。")});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->focusWidget(), window->Entry(9));
    EXPECT_EQ(window->Entry(9)->selectedText(), "beep1");
    EXPECT_FALSE(QFileInfo::exists(UserFile()));
    EXPECT_FALSE(QFileInfo::exists(UserPage()));

    // An empty field still gets the message it always had, and closes.
    dialogs.Clear();
    window->Entry(1)->clear();
    Click(*window, "ApplyButton");
    EXPECT_EQ(dialogs.Texts(Kind::Information), QStringList{kKeywordSettingsInvalidMessage});
    EXPECT_FALSE(window->isVisible());
}

TEST(KeywordSettings, RefusesKeywordsTheTextCouldNeverUse)
{
    struct Case {
        int slot;
        const char *entry;
        std::optional<KeywordRefusal> refusal;
    };
    const QString led = QStringLiteral("フルカラーLEDの「点灯」");
    const QString backlight = QStringLiteral("バックライトの「点灯」");
    const Case cases[] = {
        {1, "hikari", std::nullopt},
        {1, "Hikari2", std::nullopt},
        {1, "hi kari", KeywordRefusal{1, kKeywordUnmatchableMessage.arg(led)}},
        {1, "hikari(", KeywordRefusal{1, kKeywordUnmatchableMessage.arg(led)}},
        {1, "hi)", KeywordRefusal{1, kKeywordUnmatchableMessage.arg(led)}},
        {1, "hi;", KeywordRefusal{1, kKeywordUnmatchableMessage.arg(led)}},
        {1, "hi//", KeywordRefusal{1, kKeywordUnmatchableMessage.arg(led)}},
        {6, "Shift", KeywordRefusal{6, kKeywordLikeConditionalMessage.arg(backlight)}},
        {6, "ELSEWHERE", KeywordRefusal{6, kKeywordLikeConditionalMessage.arg(backlight)}},
        {6, "if", KeywordRefusal{6, kKeywordLikeConditionalMessage.arg(backlight)}},
        // The field listed first is named first, whichever was changed.
        {6, "LEDON", KeywordRefusal{1, kKeywordTwiceMessage.arg(led, backlight)}},
        {1, "backlighttime", KeywordRefusal{1, kKeywordTwiceMessage.arg(led, backlight)}},
        // A keyword of the older clocks' forms, which have no field of their own.
        {1, "timerbright", KeywordRefusal{1, kKeywordTakenMessage.arg(led)}},
    };
    const KeywordEntries defaults = EntriesOf(DefaultKeywords());
    EXPECT_EQ(RefusalOf(defaults), std::nullopt);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.entry);
        KeywordEntries entries = defaults;
        entries[std::size_t(c.slot - 1)] = QString::fromUtf8(c.entry);
        EXPECT_EQ(RefusalOf(entries), c.refusal);
    }
    EXPECT_EQ(kKeywordTwiceMessage.arg(led, backlight),
              QStringLiteral("フルカラーLEDの「点灯」とバックライトの「点灯」のキーワードが同じです。\r\n"
                             "別のキーワードを設定して下さい。"));
}

TEST_F(KeywordSettingsTest, RestoreThenCancelChangesNothing)
{
    auto window = Open();
    window->Entry(9)->setText("pi");
    Click(*window, "ApplyButton");
    const QStringList written = Lines(UserFile());

    window = Open();
    EXPECT_EQ(window->Entry(9)->text(), "pi");
    Click(*window, "RestoreButton");
    EXPECT_EQ(window->Entry(9)->text(), "beep1");
    Click(*window, "CancelButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Lines(UserFile()), written);
    EXPECT_EQ(Open()->Entry(9)->text(), "pi");
}

TEST(KeywordSettings, OnlyTheFirstKeywordOfAHelpLineIsRenamed)
{
    KeywordEntries entries = EntriesOf(DefaultKeywords());
    entries[0] = "hikari";
    entries[1] = "fuwa";
    entries[8] = QStringLiteral("ぴ<1>");
    EXPECT_EQ(HelpPageWithEntries({"fadein ledon ledon", "fadein", "if(sw=on){", "<a href=\"x.html\">", "beep1();"},
                                  entries, "/opt/kq/"),
              (QStringList{"fadein hikari hikari", "fuwa", "if(sw=on){", "<a href=\"/opt/kq/HTML/Word/x.html\">",
                           "&#x3074;&#x3c;1&#x3e;();"}));
}

}  // namespace
}  // namespace kq::testing
