#include "memory_page.h"

#include "model/catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kq::assets {

namespace {

struct KindHeading {
    InstructionKind kind;
    const char16_t *heading;
};

constexpr KindHeading kHeadings[] = {
    {InstructionKind::FullTime, u"フルカラーLED（時間を決めて光らせる）"},
    {InstructionKind::FullConti, u"フルカラーLED（光らせたままにする・消す）"},
    {InstructionKind::LightLed, u"バックライト"},
    {InstructionKind::Sound, u"音"},
    {InstructionKind::Timer, u"動作停止（時間）"},
    {InstructionKind::Wait, u"〜まで停止"},
    {InstructionKind::If, u"もし〜なら（条件分岐）"},
    {InstructionKind::Loop, u"繰り返し"},
    {InstructionKind::Routine, u"サブルーチン"},
    {InstructionKind::Dainyuu, u"変数"},
    {InstructionKind::Output, u"出力（信号・DCモータ・豆球）"},
    {InstructionKind::Train, u"電車"},
};

QString SizeCell(InstructionKind kind, int variant)
{
    const ParameterList params{variant, {}};
    const int current = CommandSizeOf(kind, params, kCurrentGeneration);
    const int older = CommandSizeOf(kind, params, kOlderGeneration);
    QString cell = QString::number(current);
    if (older != current)
        cell += QStringLiteral("<span class=\"older\">（2016年度以前の本体では %1）</span>").arg(older);
    return cell;
}

QString Row(const QString &label, const QString &size)
{
    return QStringLiteral("<tr><td>%1</td><td class=\"bytes\">%2</td></tr>\n").arg(label, size);
}

QString Body()
{
    QString html;
    html += QStringLiteral("<table class=\"memory\">\n<tr><th>命令</th><th>消費メモリー</th></tr>\n");
    html += QStringLiteral("<tr><th colspan=\"2\" class=\"group\">はじめと終わり</th></tr>\n");
    html += Row(QStringLiteral("スタート"), SizeCell(InstructionKind::Start, 0));
    html += Row(QStringLiteral("エンド"), SizeCell(InstructionKind::End, 0));
    for (const KindHeading &entry : kHeadings) {
        html += QStringLiteral("<tr><th colspan=\"2\" class=\"group\">%1</th></tr>\n")
                    .arg(QString::fromUtf16(entry.heading));
        // Labels come in variant order; the alarm wait, missing on older
        // clocks, is the last of its kind, so the index is the variant.
        const QStringList labels = DialogLabelsOf(entry.kind, kCurrentGeneration);
        for (int variant = 0; variant < labels.size(); ++variant)
            html += Row(labels[variant], SizeCell(entry.kind, variant));
    }
    html += QStringLiteral("</table>\n");
    return html;
}

}  // namespace

QString WriteMemoryPage(const QString &path)
{
    QString html = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<title>命令ごとの消費メモリー</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n"
        "</head>\n<body>\n<p class=\"back\"><a href=\"KQ-27navi.html\">← ヘルプのもくじ</a></p>\n"
        "<h1>命令ごとの消費メモリー</h1>\n"
        "<p>ソラリット２のプログラムメモリーは <strong>120</strong> です。"
        "プログラムの命令がつかうメモリーをたし算した数が「消費メモリー」で、"
        "120 より多いと本体に転送できません。</p>\n"
        "<p>「表示」→「消費メモリの表示」で、いまのプログラムの消費メモリーがわかります。"
        "120 をこえたときは、同じ命令の繰り返しを「繰り返し」にまとめたり、"
        "サブルーチンを使ったりして、命令の数をへらしましょう。</p>\n"
        "<p>下の表の数には、次の命令へ進むための情報（「もし〜なら」では、条件に合わないときに進む先も）"
        "がふくまれています。</p>\n");
    html += Body();
    html += QStringLiteral("</body>\n</html>\n");

    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(html.toUtf8()) < 0 || !file.commit())
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

}  // namespace kq::assets
