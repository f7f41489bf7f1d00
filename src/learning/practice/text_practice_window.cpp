#include "learning/practice/text_practice_window.h"

#include "context/studio_context.h"
#include "controls/help_pane.h"
#include "editors/text/keyword_file.h"
#include "editors/text/keyword_settings.h"
#include "learning/practice/practice_checks.h"
#include "learning/practice/practice_messages.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kq {
namespace {

const std::array<QString, kTextPracticePages> kTitles = {
    QStringLiteral("練習課題１"),
    QStringLiteral("練習課題２"),
    QStringLiteral("練習課題３"),
};

const std::array<QString, kTextPracticePages> kTextTasks = {
    QStringLiteral("フルカラーLEDで赤色が1秒点灯する\r\nプログラム。"),
    QStringLiteral("バックライトを100%の明るさで1秒\r\n点灯させるプログラム。"),
    QStringLiteral("音センサが反応するまで一時停止\r\nするプログラム。"),
};

QLabel *BoldLabel(const QString &text, int pointSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

TextPracticeWindow::TextPracticeWindow(StudioContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("TForm18"));
    setWindowTitle(QStringLiteral("STEP3 練習"));
    UsePictureBackground(*this);
    auto *layout = new QHBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    for (int page = 0; page < kTextPracticePages; ++page)
        m_pages->addTab(BuildPage(page), kTitles[static_cast<std::size_t>(page)]);
    layout->addWidget(m_pages, 0);
    layout->addWidget(BuildHelpPane(), 1);
    resize(1000, 560);
    ShowStartPage();
}

QWidget *TextPracticeWindow::BuildPage(int page)
{
    const auto index = static_cast<std::size_t>(page);
    auto *widget = new QWidget;
    widget->setObjectName(QStringLiteral("TabSheet%1").arg(page + 1));
    auto *layout = new QVBoxLayout(widget);
    layout->addWidget(BoldLabel(kTitles[index], 16, widget));
    QString task = kTextTasks[index];
    layout->addWidget(BoldLabel(task.replace(QStringLiteral("\r\n"), QStringLiteral("\n")), 12, widget));

    auto *picture = new QLabel(widget);
    picture->setObjectName(QStringLiteral("PagePicture%1").arg(page + 1));
    const QPixmap pixmap(
        m_context.Paths().ProgramFile(QStringLiteral("Img\\Practice\\Word\\Page%1.bmp").arg(page + 1)));
    picture->setPixmap(pixmap);
    layout->addWidget(picture);

    auto *answer = new QLineEdit(widget);
    answer->setObjectName(QStringLiteral("Answer%1").arg(page + 1));
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPointSize(12);
    answer->setFont(mono);
    layout->addWidget(answer);
    m_answers[index] = answer;

    QToolButton *check = MakePictureButton(widget, QStringLiteral("Check%1").arg(page + 1), m_context.Paths(),
                                           QStringLiteral("Img\\Practice\\Check.bmp"), QStringLiteral("答え合わせ"));
    connect(check, &QToolButton::clicked, this, [this, page] { Check(page); });
    layout->addWidget(check, 0, Qt::AlignRight);
    m_checks[index] = check;
    layout->addStretch(1);
    return widget;
}

QWidget *TextPracticeWindow::BuildHelpPane()
{
    const HelpPane pane = MakeHelpPane(this);
    m_help = pane.browser;
    connect(pane.top, &QPushButton::clicked, this, &TextPracticeWindow::ShowStartPage);
    return pane.widget;
}

void TextPracticeWindow::ShowStartPage()
{
    // The installed page, never the copy written for the pupil's keywords:
    // the answers here are the built-in words.
    const QString page = m_context.Paths().ProgramFile(kInstalledHelpPage);
    if (!QFileInfo::exists(page)) {
        m_context.Dialogs().Warning(this, kKeywordReadErrorMessage);
        return;
    }
    m_help->setSource(QUrl::fromLocalFile(page));
}

void TextPracticeWindow::Check(int page)
{
    const PracticeVerdict verdict = CheckTextPractice(page, Answer(page)->text());
    m_context.Dialogs().Information(this, verdict.message);
    if (verdict.finished)
        close();
    else if (verdict.correct)
        m_pages->setCurrentIndex(page + 1);
}

}  // namespace kq
