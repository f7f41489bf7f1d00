#include "learning/practice/flow_practice_window.h"

#include "context/studio_context.h"
#include "editors/flowchart/palette_image.h"
#include "learning/practice/flow_practice_areas.h"
#include "learning/practice/flow_practice_panel.h"
#include "learning/practice/practice_checks.h"
#include "learning/practice/practice_messages.h"
#include "model/catalogue.h"
#include "services/dialogs.h"
#include "tools/control/picture_button.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace kq {
namespace {

// The explaining texts of each page; the working pages add their area.
const std::array<QStringList, FlowPracticeWindow::kPages> kTexts = {
    QStringList {QStringLiteral("命令の詳細はヘルプを参照して下さい。")},
    QStringList {QStringLiteral("①　命令のアイコンをドラッグ＆ドロップする。")},
    QStringList {QStringLiteral("①　命令のアイコンをドラッグ＆ドロップする。")},
    QStringList {QStringLiteral("フルカラーLEDを設定した時間点灯させるには"),
                 QStringLiteral("”LED 秒数”のアイコンをパレット内にドラッグ＆ドロップします。")},
    QStringList {QStringLiteral("②　命令アイコンの配置ができました。"),
                 QStringLiteral("次はパラメータ（色、時間）を設定します。")},
    QStringList {},
    QStringList {QStringLiteral("③　パラメータ設定が終わりました。"),
                 QStringLiteral("次は開始命令から終了命令まで矢印で連結させましょう。")},
    QStringList {QStringLiteral("③　開始命令から終了命令まで矢印で連結させましょう。")},
    QStringList {QStringLiteral("④　プログラムが完成しました。"), QStringLiteral("他にもたくさんの命令があります。")},
    QStringList {QStringLiteral("フローチャートでいろいろなプログラムを作ってみましょう！")},
};

// Pages whose forward picture waits for the pupil's work.
constexpr std::array<int, 3> kWorkPages = {3, 5, 7};

QLabel *TextLabel(const QString &text, int pointSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

}  // namespace

FlowPracticeWindow::FlowPracticeWindow(StudioContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("TForm17"));
    setWindowTitle(QStringLiteral("STEP2 練習"));
    UsePictureBackground(*this);
    auto *layout = new QVBoxLayout(this);
    auto *task = TextLabel(QStringLiteral("練習　：　フルカラーLEDの赤を1秒点灯させましょう。"), 14, this);
    task->setObjectName(QStringLiteral("TaskText"));
    layout->addWidget(task);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    for (int page = 0; page < kPages; ++page)
        m_pages->addWidget(BuildPage(page));
    layout->addWidget(m_pages, 1);
    for (int page : kWorkPages)
        ForwardButton(page)->hide();
    resize(760, 600);
}

int FlowPracticeWindow::Page() const
{
    return m_pages->currentIndex();
}

QWidget *FlowPracticeWindow::BuildPage(int page)
{
    const auto index = static_cast<std::size_t>(page);
    auto *widget = new QWidget;
    widget->setObjectName(QStringLiteral("Page%1").arg(page + 1));
    auto *layout = new QVBoxLayout(widget);
    for (const QString &text : kTexts[index])
        layout->addWidget(TextLabel(text, 12, widget));

    if (page == 3) {
        layout->addWidget(BuildDropPage(widget), 1);
    } else if (page == 5) {
        // Everything off and the shortest time: the pupil sets each control.
        m_panel = new FlowPracticePanel(m_context.Generation().Value(), widget);
        m_panel->setObjectName(QStringLiteral("ParaPanel"));
        connect(m_panel, &FlowPracticePanel::Accepted, this, &FlowPracticeWindow::SettingsChosen);
        layout->addWidget(m_panel, 0, Qt::AlignLeft);
    } else if (page == 7) {
        m_links = new FlowPracticeLinkArea(widget);
        m_links->setObjectName(QStringLiteral("LinkArea"));
        connect(m_links, &FlowPracticeLinkArea::BothLinked, this, [this] {
            ForwardButton(7)->show();
            m_context.Dialogs().Information(this, practice::kFlowComplete);
        });
        layout->addWidget(m_links, 1, Qt::AlignLeft);
    } else {
        auto *picture = new QLabel(widget);
        picture->setObjectName(QStringLiteral("PagePicture%1").arg(page + 1));
        picture->setPixmap(
            QPixmap(m_context.Paths().ProgramFile(QStringLiteral("Img\\Practice\\Fro\\Page%1.bmp").arg(page + 1))));
        layout->addWidget(picture);
    }
    layout->addStretch(1);

    const bool last = page == kPages - 1;
    QToolButton *forward = MakePictureButton(widget, QStringLiteral("Forward%1").arg(page + 1), m_context.Paths(),
                                             last ? QStringLiteral("Img\\Practice\\Fro\\Close.bmp")
                                                  : QStringLiteral("Img\\Practice\\Fro\\Next.bmp"),
                                             last ? QStringLiteral("終了") : QStringLiteral("次へ"));
    connect(forward, &QToolButton::clicked, this, [this, page] { Forward(page); });
    auto *buttons = new QHBoxLayout;
    if (page > 0) {
        QToolButton *back = MakePictureButton(widget, QStringLiteral("Back%1").arg(page + 1), m_context.Paths(),
                                              QStringLiteral("Img\\Practice\\Back.bmp"), QStringLiteral("前へ"));
        connect(back, &QToolButton::clicked, this, [this, page] { m_pages->setCurrentIndex(page - 1); });
        buttons->addWidget(back);
        m_back[index] = back;
    }
    buttons->addStretch(1);
    buttons->addWidget(forward);
    layout->addLayout(buttons);
    m_forward[index] = forward;
    return widget;
}

QWidget *FlowPracticeWindow::BuildDropPage(QWidget *page)
{
    auto *work = new QWidget(page);
    auto *row = new QHBoxLayout(work);
    auto *palette = new QWidget(work);
    palette->setObjectName(QStringLiteral("Palette"));
    auto *grid = new QGridLayout(palette);
    grid->setSpacing(6);
    for (int number = 0; number <= static_cast<int>(InstructionKind::Train); ++number) {
        const QPixmap picture(
            m_context.Paths().ProgramFile(QStringLiteral("Img\\Icon\\Fro\\Icon\\") + KindBitmapOf(number)));
        grid->addWidget(new PaletteImage(number, picture, palette), number / 2, number % 2);
    }
    row->addWidget(palette, 0, Qt::AlignTop);
    m_dropArea = new FlowPracticeDropArea(work);
    m_dropArea->setObjectName(QStringLiteral("DropArea"));
    m_dropArea->setMinimumSize(300, 300);
    m_dropArea->setStyleSheet(QStringLiteral("#DropArea { background: white; border: 2px dashed #868e96; }"));
    connect(m_dropArea, &FlowPracticeDropArea::KindDropped, this, &FlowPracticeWindow::DropKind);
    row->addWidget(m_dropArea, 1);
    return work;
}

void FlowPracticeWindow::DropKind(int kind, QPoint position)
{
    if (!IsFlowPracticeDropAccepted(kind)) {
        m_context.Dialogs().Information(this, practice::kFlowWrongIcon);
        return;
    }
    if (!m_placed) {
        m_placed = new QLabel(m_dropArea);
        m_placed->setObjectName(QStringLiteral("PlacedBox"));
        m_placed->setScaledContents(true);
        m_placed->resize(100, 50);
    }
    m_placed->setPixmap(QPixmap(
        m_context.Paths().ProgramFile(QStringLiteral("Img\\Icon\\Fro\\Icon\\") + KindBitmapOf(kFlowPracticeKind))));
    m_placed->move(position);
    m_placed->show();
    ForwardButton(3)->show();
    m_context.Dialogs().Information(this, practice::kFlowPlaced);
}

void FlowPracticeWindow::SettingsChosen(const FlowPracticeSettings &settings)
{
    const PracticeVerdict verdict = CheckFlowPracticeSettings(settings);
    if (!verdict.correct) {
        m_context.Dialogs().Warning(this, verdict.message);
        return;
    }
    const Paths &paths = m_context.Paths();
    m_links->SetBoxes({QPixmap(paths.ProgramFile(QStringLiteral("Img\\Icon\\Fro\\ZU\\Color\\start.bmp"))),
                       QPixmap(paths.ProgramFile(QStringLiteral("Img\\Icon\\Fro\\PRA\\red1.jpg"))),
                       QPixmap(paths.ProgramFile(QStringLiteral("Img\\Icon\\Fro\\ZU\\Color\\end.bmp")))});
    ForwardButton(5)->show();
    m_context.Dialogs().Information(this, verdict.message);
}

void FlowPracticeWindow::Forward(int page)
{
    if (page == kPages - 1)
        close();
    else
        m_pages->setCurrentIndex(page + 1);
}

}  // namespace kq
