#include "word_help_page.h"

#include "editors/text/keyword_file.h"
#include "model/catalogue.h"

#include <QDir>
#include <QSaveFile>

namespace kq::assets {

namespace {

struct Statement {
    int slot;
    InstructionKind kind;
    int variant;
    const char16_t *what;
    const char16_t *arguments;  // with their ranges
    const char16_t *example;  // after the keyword
};

struct Group {
    const char *page;
    const char16_t *title;
    std::initializer_list<Statement> statements;
};

using K = InstructionKind;

// The groups of the settings window, in its order.
const Group kGroups[] = {
    {"led.html", u"フルカラーLED", {
        {1, K::FullTime, 0, u"指定した色で指定した時間光らせる", u"赤,緑,青（0〜255）, 時間（0.25〜31.75秒、0.25秒きざみ）", u"(255,0,0,1);"},
        {2, K::FullTime, 1, u"指定した色にだんだん明るくする", u"赤,緑,青（0〜255）", u"(0,0,255);"},
        {3, K::FullTime, 2, u"指定した色からだんだん暗くする", u"赤,緑,青（0〜255）", u"(0,0,255);"},
        {4, K::FullConti, 0, u"指定した色で光らせたままにする", u"色（red, green, blue, yellow, purple, lightblue, white）", u"(green);"},
        {5, K::FullConti, 1, u"フルカラーLEDを消す", u"なし", u"();"},
    }},
    {"backlight.html", u"バックライト", {
        {6, K::LightLed, 0, u"明るさと時間を決めて光らせる", u"明るさ（1〜100%）, 時間（0.25〜31.75秒、0.25秒きざみ）", u"(100,2.5);"},
        {7, K::LightLed, 1, u"光らせたままにする", u"なし", u"();"},
        {8, K::LightLed, 2, u"消す", u"なし", u"();"},
    }},
    {"sound.html", u"サウンド", {
        {9, K::Sound, 0, u"確認音1を鳴らす", u"なし", u"();"},
        {10, K::Sound, 1, u"確認音2を鳴らす", u"なし", u"();"},
        {11, K::Sound, 2, u"確認音3を鳴らす", u"なし", u"();"},
        {12, K::Sound, 3, u"音プログラム（メロディー）を1回鳴らす", u"なし", u"();"},
        {13, K::Sound, 4, u"音プログラムを鳴らしたままにする", u"なし", u"();"},
        {14, K::Sound, 5, u"音プログラムを止める", u"なし", u"();"},
    }},
    {"timer.html", u"タイマー", {
        {15, K::Timer, 0, u"指定した時間止まる", u"秒（1〜255）", u"(5);"},
        {16, K::Timer, 1, u"指定した時間か、音がするまで止まる", u"秒（1〜255）", u"(10);"},
        {17, K::Timer, 2, u"指定した時間か、SWが押されるまで止まる", u"秒（1〜255）", u"(10);"},
        {20, K::Timer, 5, u"指定した時間か、指定した温度になるまで止まる", u"秒（1〜255）, 温度（1〜50度）", u"(60,25);"},
        {46, K::Timer, 3, u"指定した時間か、明るくなるまで止まる", u"秒（1〜255）, 明るさ（1〜100）", u"(30,50);"},
        {47, K::Timer, 4, u"指定した時間か、暗くなるまで止まる", u"秒（1〜255）, 明るさ（1〜100）", u"(30,50);"},
    }},
    {"wait.html", u"信号待ち", {
        {21, K::Wait, 0, u"音がするまで止まる", u"なし", u"();"},
        {22, K::Wait, 1, u"SWが押されるまで止まる", u"なし", u"();"},
        {25, K::Wait, 4, u"指定した温度になるまで止まる", u"温度（1〜50度）", u"(30);"},
        {26, K::Wait, 5, u"信号が入るまで止まる", u"なし", u"();"},
        {48, K::Wait, 6, u"アラーム時刻になるまで止まる", u"なし", u"();"},
        {49, K::Wait, 2, u"明るくなるまで止まる", u"明るさ（1〜100）", u"(60);"},
        {50, K::Wait, 3, u"暗くなるまで止まる", u"明るさ（1〜100）", u"(20);"},
    }},
    {"loop.html", u"繰り返し", {
        {27, K::Loop, 0, u"ここから繰り返す（繰り返しの中に繰り返しは書けません）", u"回数（1〜255）", u"(3);"},
        {28, K::Loop, 1, u"ここまでを繰り返す", u"なし", u"();"},
    }},
    {"measure.html", u"計測", {
        {29, K::Dainyuu, 0, u"変数 x に今の温度を入れる（temp&gt;x などの条件の前に書きます）", u"なし", u"();"},
    }},
    {"signal.html", u"信号出力", {
        {30, K::Output, 0, u"信号を出す", u"なし", u"();"},
        {31, K::Output, 1, u"DCモータを指定した時間回す", u"秒（1〜255）", u"(3);"},
        {32, K::Output, 2, u"DCモータを回したままにする", u"なし", u"();"},
        {33, K::Output, 3, u"DCモータを止める", u"なし", u"();"},
        {34, K::Output, 4, u"豆球を指定した時間つける", u"秒（1〜255）", u"(3);"},
        {35, K::Output, 5, u"豆球をつけたままにする", u"なし", u"();"},
        {36, K::Output, 6, u"豆球を消す", u"なし", u"();"},
    }},
    {"train.html", u"電車", {
        {37, K::Train, 0, u"電車を前に進める", u"時間（0.1〜25.5秒、0.1秒きざみ）, 出力（1〜10）", u"(2.5,10);"},
        {38, K::Train, 1, u"電車を後ろに進める", u"時間（0.1〜25.5秒、0.1秒きざみ）, 出力（1〜10）", u"(2.5,10);"},
        {39, K::Train, 2, u"電車を前に進めたままにする", u"なし", u"();"},
        {40, K::Train, 3, u"電車を後ろに進めたままにする", u"なし", u"();"},
        {41, K::Train, 4, u"だんだん速くして前に発車する", u"なし", u"();"},
        {42, K::Train, 5, u"だんだん速くして後ろに発車する", u"なし", u"();"},
        {43, K::Train, 6, u"だんだん遅くして止まる", u"なし", u"();"},
        {44, K::Train, 7, u"電車を止める", u"なし", u"();"},
    }},
};

// Every character outside ASCII as a character reference.
QString Ascii(const QString &text)
{
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80)
            out += QChar(char16_t(c));
        else
            out += QStringLiteral("&#x%1;").arg(uint(c), 0, 16);
    }
    return out;
}

QString MemoryCell(InstructionKind kind, int variant)
{
    const ParameterList params{variant, {}};
    const int current = CommandSizeOf(kind, params, kCurrentGeneration);
    const int older = CommandSizeOf(kind, params, kOlderGeneration);
    return older == current ? QString::number(current)
                            : QStringLiteral("%1（2016年度以前の本体では %2）").arg(current).arg(older);
}

QString Head(const QString &title)
{
    return QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n"
                          "</head>\n<body>\n")
        .arg(title);
}

// One statement per line: the settings window renames keywords line by line.
// A list rather than a table, so the narrow help pane beside the editor
// wraps it gracefully.
QString Row(const Statement &statement, const KeywordFile &keywords)
{
    const QString keyword = keywords.Line(statement.slot).keyword;
    return QStringLiteral("<li><b><code>%1</code></b> %2<br>引数：%3　消費メモリー：%4　例：<code>%1%5</code></li>\n")
        .arg(keyword, QString::fromUtf16(statement.what), QString::fromUtf16(statement.arguments),
             MemoryCell(statement.kind, statement.variant), QString::fromUtf16(statement.example));
}

QString ConditionSection()
{
    return QStringLiteral(
        "<h2>条件分岐</h2>\n"
        "<p>条件に合うときは { と } の間を、合わないときは else{ と } の間を実行します（else{ からはなくてもかまいません）。"
        "} と else{ は別々の行に書きます。消費メモリー：if %1、else と } は 0。</p>\n"
        "<pre>if(sw=on){\nbeep1();\n}\nelse{\nbeep2();\n}</pre>\n"
        "<p>条件：sw=on, sw=off（スイッチ）、cds&gt;50, cds&lt;50（明るさ 1〜100）、temp&gt;25, temp&lt;25, temp=25"
        "（温度 1〜50）、temp&gt;x, temp&lt;x, temp=x（変数 x と比べる）</p>\n")
        .arg(CommandSizeOf(InstructionKind::If, ParameterList{}, kCurrentGeneration));
}

QString WritePage(const QString &path, const QString &html)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(Ascii(html).toLatin1()) < 0 || !file.commit())
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

}  // namespace

QString WriteWordHelpPages(const QString &keywordFile, const QString &folder)
{
    const std::optional<KeywordFile> keywords = ReadKeywordFile(keywordFile);
    if (!keywords)
        return QStringLiteral("cannot read the keyword file %1").arg(keywordFile);
    QDir().mkpath(folder);

    QString index = Head(QStringLiteral("STEP3 文字でプログラム"));
    index += QStringLiteral(
        "<h1>STEP3 命令の一覧</h1>\n"
        "<p>1行に1つの命令を、命令(引数); の形で書きます。// から後ろはコメントです。"
        "プログラム全体の消費メモリーは、スタート 2 とエンド 1 に命令のメモリーを足した数で、120 までです。</p>\n");
    for (const Group &group : kGroups) {
        index += QStringLiteral("<h2><a href=\"%1\">%2</a></h2>\n").arg(QLatin1String(group.page),
                                                                        QString::fromUtf16(group.title));
        index += QStringLiteral("<ul>\n");
        QString page = Head(QString::fromUtf16(group.title));
        page += QStringLiteral("<p><a href=\"index.html\">命令の一覧へ</a></p>\n<h1>%1</h1>\n")
                    .arg(QString::fromUtf16(group.title));
        page += QStringLiteral("<ul>\n");
        for (const Statement &statement : group.statements) {
            index += Row(statement, *keywords);
            page += Row(statement, *keywords);
        }
        index += QStringLiteral("</ul>\n");
        page += QStringLiteral("</ul>\n</body>\n</html>\n");
        if (const QString error = WritePage(folder + QLatin1Char('/') + QLatin1String(group.page), page); !error.isEmpty())
            return error;
    }
    index += ConditionSection();
    index += QStringLiteral("</body>\n</html>\n");
    return WritePage(folder + QStringLiteral("/index.html"), index);
}

}  // namespace kq::assets
