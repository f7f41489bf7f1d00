#include "panel/text_window/colour_panel.h"
#include "panel/text_window/text_preview.h"
#include "panel/text_window/text_window.h"
#include "support/recording_dialogs.h"
#include "support/temp_paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace kq::panel {
namespace {

using kq::testing::RecordingDialogs;

class TextWindowTest : public ::testing::Test {
protected:
    template <typename T>
    T &Control(const char *name)
    {
        T *control = m_window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    QLineEdit &Text() { return Control<QLineEdit>("Edit1"); }
    QListWidget &Fonts() { return Control<QListWidget>("FontList"); }
    QComboBox &Sizes() { return Control<QComboBox>("SizeList"); }
    ColourPanel &FontColour() { return Control<ColourPanel>("FontColour"); }
    ColourPanel &BackColour() { return Control<ColourPanel>("BackColour"); }
    QCheckBox &Bold() { return Control<QCheckBox>("Bold"); }
    QCheckBox &Italic() { return Control<QCheckBox>("Italic"); }
    QCheckBox &Transparent() { return Control<QCheckBox>("Transparent"); }
    QPushButton &Ok() { return Control<QPushButton>("Image1"); }

    // OK on a new text; the record it emitted, if any.
    std::optional<TextRecord> AcceptNew()
    {
        std::optional<TextRecord> emitted;
        const QMetaObject::Connection connection =
            QObject::connect(&m_window, &TextWindow::NewTextAccepted, [&](const TextRecord &record) {
                EXPECT_FALSE(emitted.has_value()) << "emitted twice";
                emitted = record;
            });
        Ok().click();
        QObject::disconnect(connection);
        return emitted;
    }

    // Runs EditModally(old) with `inside` called while the window is open.
    std::optional<TextRecord> Edit(const TextRecord &old, const std::function<void()> &inside)
    {
        QTimer::singleShot(0, &m_window, [&] {
            inside();
            if (m_window.isVisible())
                m_window.reject();
        });
        return m_window.EditModally(old);
    }

    RecordingDialogs m_dialogs;
    kq::testing::TempPaths m_paths;
    TextWindow m_window{m_dialogs, m_paths.Paths()};
};

TextRecord MovedRecord()
{
    return {5, {100, 20}, {123, 45},
            {QStringLiteral("まえ"), QStringLiteral("DejaVu Serif"), QColor(0, 128, 0), 22, true, true, Qt::yellow},
            false, Qt::yellow};
}

TEST_F(TextWindowTest, NewTextStartsWithTheDefaultsAndEmitsItsRecord)
{
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("文字の追加"));
    m_window.OpenForNew();
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_FALSE(m_window.isModal());
    EXPECT_EQ(m_window.focusWidget(), &Text());
    EXPECT_EQ(Sizes().count(), 25);
    EXPECT_EQ(Sizes().itemText(0), QStringLiteral("6"));
    EXPECT_EQ(Sizes().itemText(24), QStringLiteral("30"));

    Text().setText(QStringLiteral("とけい"));
    const TextDescription expected{QStringLiteral("とけい"), kDefaultTextFace, Qt::black, 14, false, false, Qt::white};
    EXPECT_EQ(m_window.findChild<TextPreview *>()->Description(), expected);  // the preview follows the text

    const std::optional<TextRecord> record = AcceptNew();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(*record, (TextRecord{0, MeasureText(expected), {0, 0}, expected, true, Qt::white}));
    EXPECT_FALSE(m_window.isVisible());
}

TEST_F(TextWindowTest, KeepsItsSettingsFromOneNewTextToTheNext)
{
    m_window.OpenForNew();
    m_dialogs.colours.enqueue(QColor(255, 0, 0));
    m_dialogs.colours.enqueue(QColor(10, 20, 30));
    m_dialogs.colours.enqueue(std::nullopt);
    FontColour().click();
    BackColour().click();
    BackColour().click();  // cancelled: the colour stays
    Sizes().setCurrentText(QStringLiteral("30"));
    Fonts().setCurrentItem(Fonts().findItems(QStringLiteral("DejaVu Sans"), Qt::MatchExactly).value(0));
    Bold().setChecked(true);
    Italic().setChecked(true);
    Transparent().setChecked(false);
    Text().setText(QStringLiteral("A"));
    const TextDescription expected{QStringLiteral("A"), QStringLiteral("DejaVu Sans"), QColor(255, 0, 0), 30, true,
                                   true, QColor(10, 20, 30)};
    EXPECT_EQ(m_window.findChild<TextPreview *>()->Description(), expected);
    ASSERT_TRUE(AcceptNew().has_value());

    m_window.OpenForNew();
    EXPECT_TRUE(Text().text().isEmpty());
    Text().setText(QStringLiteral("B"));
    const std::optional<TextRecord> second = AcceptNew();
    ASSERT_TRUE(second.has_value());
    TextDescription secondExpected = expected;
    secondExpected.text = QStringLiteral("B");
    EXPECT_EQ(second->description, secondExpected);
    EXPECT_FALSE(second->transparent);
    EXPECT_EQ(second->transparentColour, QColor(10, 20, 30));
}

TEST_F(TextWindowTest, RefusesTextTheRecordCannotCarryAndStaysOpen)
{
    m_window.OpenForNew();
    for (const QString &text : {QString(), QStringLiteral("3,14"), QStringLiteral("1/2"), QStringLiteral("1\n2"),
                                QStringLiteral("ab\U0001F600")}) {
        Text().setText(text);
        EXPECT_FALSE(AcceptNew().has_value()) << qPrintable(text);
        EXPECT_TRUE(m_window.isVisible());
    }
    EXPECT_EQ(m_dialogs.Texts(RecordingDialogs::Kind::Warning),
              (QStringList{kEmptyTextMessage, kTextSeparatorMessage, kTextSeparatorMessage, kTextControlMessage,
                           QStringLiteral("「\U0001F600」は使えません。\r\n別の文字に変えて下さい。")}));
    EXPECT_EQ(Text().text(), QStringLiteral("ab\U0001F600"));  // nothing the pupil typed is lost
}

TEST_F(TextWindowTest, EditShowsTheOldSettingsAndKeepsLayerAndPosition)
{
    const TextRecord old = MovedRecord();
    const std::optional<TextRecord> edited = Edit(old, [&] {
        EXPECT_TRUE(m_window.isModal());
        EXPECT_EQ(Text().text(), QStringLiteral("まえ"));
        EXPECT_EQ(Fonts().currentItem()->text(), QStringLiteral("DejaVu Serif"));
        EXPECT_EQ(Sizes().currentText(), QStringLiteral("22"));
        EXPECT_EQ(FontColour().Colour(), QColor(0, 128, 0));
        EXPECT_EQ(BackColour().Colour(), QColor(Qt::yellow));
        EXPECT_TRUE(Bold().isChecked());
        EXPECT_TRUE(Italic().isChecked());
        EXPECT_FALSE(Transparent().isChecked());
        Text().setText(QStringLiteral("あと"));
        Ok().click();
    });
    ASSERT_TRUE(edited.has_value());
    TextDescription expected = old.description;
    expected.text = QStringLiteral("あと");
    EXPECT_EQ(*edited, (TextRecord{5, MeasureText(expected), {123, 45}, expected, false, Qt::yellow}));

    // The next add-text is a new layer again, with the edit's settings.
    m_window.OpenForNew();
    Text().setText(QStringLiteral("つぎ"));
    const std::optional<TextRecord> added = AcceptNew();
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->position, QPoint(0, 0));
    EXPECT_EQ(added->description.face, QStringLiteral("DejaVu Serif"));
}

TEST_F(TextWindowTest, EditOfAFaceNotInstalledOffersThatFace)
{
    TextRecord old = MovedRecord();
    old.description.face = QStringLiteral("ＭＳ Ｐゴシック");
    const std::optional<TextRecord> edited = Edit(old, [&] {
        EXPECT_EQ(Fonts().currentItem()->text(), QStringLiteral("ＭＳ Ｐゴシック"));
        Ok().click();
    });
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->description.face, QStringLiteral("ＭＳ Ｐゴシック"));
}

TEST_F(TextWindowTest, EditClosedWithoutOkOrRefusedChangesNothing)
{
    EXPECT_FALSE(Edit(MovedRecord(), [] {}).has_value());

    const std::optional<TextRecord> edited = Edit(MovedRecord(), [&] {
        Text().setText(QStringLiteral("a,b"));
        Ok().click();
        EXPECT_TRUE(m_window.isVisible());
        Text().setText(QStringLiteral("ab"));
        Ok().click();
    });
    ASSERT_TRUE(edited.has_value());
    EXPECT_EQ(edited->description.text, QStringLiteral("ab"));
    EXPECT_EQ(m_dialogs.Texts(RecordingDialogs::Kind::Warning), QStringList{kTextSeparatorMessage});
}

TEST_F(TextWindowTest, FontListOffersEveryInstalledFaceAndTheDefault)
{
    QStringList entries;
    for (int row = 0; row < Fonts().count(); ++row)
        entries.append(Fonts().item(row)->text());
    EXPECT_EQ(entries.value(0), kDefaultTextFace);
    // Only faces whose names the panel file can hold.
    for (const QString &entry : entries)
        EXPECT_FALSE(TextRefusal(entry).has_value()) << qPrintable(entry);
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !TextRefusal(family)) {
            EXPECT_TRUE(entries.contains(family)) << qPrintable(family);
        }
    }
}

TEST(TextWindowPicture, OkShowsThePictureWhenItIsThere)
{
    RecordingDialogs dialogs;
    kq::testing::TempPaths paths;
    {
        TextWindow plain(dialogs, paths.Paths());
        auto *ok = plain.findChild<QPushButton *>(QStringLiteral("Image1"));
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->icon().isNull());
    }
    const QString picture = paths.Paths().ProgramFile(QStringLiteral("Img/Button/TextOK.bmp"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(picture).path()));
    QImage image(96, 40, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(picture));
    TextWindow pictured(dialogs, paths.Paths());
    auto *ok = pictured.findChild<QPushButton *>(QStringLiteral("Image1"));
    EXPECT_TRUE(ok->text().isEmpty());
    EXPECT_EQ(ok->iconSize(), QSize(96, 40));
    EXPECT_FALSE(ok->icon().isNull());
}

}  // namespace
}  // namespace kq::panel
