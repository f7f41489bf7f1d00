#include "editors/text/lines_to_text.h"

#include "editors/text/text_statement.h"

namespace kq {

namespace {

const KeywordLine *LineWithCode(const KeywordFile &keywords, int code)
{
    for (const KeywordLine &line : keywords.lines) {
        if (line.code == code && line.group != 4)
            return &line;
    }
    return nullptr;
}

const KeywordLine *LineWithGroup(const KeywordFile &keywords, int group, std::optional<int> code = std::nullopt)
{
    for (const KeywordLine &line : keywords.lines) {
        if (line.group == group && (!code || line.code == *code))
            return &line;
    }
    return nullptr;
}

QString ColourNameOfPalette(int number)
{
    static const QStringList names = {QStringLiteral("red"),    QStringLiteral("green"),  QStringLiteral("blue"),
                                      QStringLiteral("yellow"), QStringLiteral("purple"), QStringLiteral("lightblue")};
    return number >= 0 && number < names.size() ? names[number] : QStringLiteral("White");
}

QString Condition(int variant, int threshold, int generation)
{
    const QString n = QString::number(threshold);
    const bool current = generation != kOlderGeneration;
    switch (variant) {
    case 0: return QStringLiteral("sw=on");
    case 1: return QStringLiteral("sw=off");
    // The older clocks' brightness conditions take no threshold.
    case 2: return current ? QStringLiteral("cds>") + n : QStringLiteral("cds=on");
    case 3: return current ? QStringLiteral("cds<") + n : QStringLiteral("cds=off");
    case 4: return QStringLiteral("temp>") + n;
    case 5: return QStringLiteral("temp<") + n;
    case 6: return QStringLiteral("temp=") + n;
    case 7: return QStringLiteral("temp>x");
    case 8: return QStringLiteral("temp<x");
    default: return QStringLiteral("temp=x");
    }
}

struct Statement {
    const KeywordLine *line = nullptr;
    QString arguments;
    bool opensBlock = false;
};

Statement StatementOf(const ProgramLine &program, const KeywordFile &keywords, int generation)
{
    const int v = program.params.variant;
    const auto &p = program.params.p;
    const QString p1 = QString::number(p[0]);
    const QString p2 = QString::number(p[1]);
    const bool current = generation != kOlderGeneration;
    const auto coded = [&](int code, QString arguments = {}) { return Statement{LineWithCode(keywords, code), arguments}; };
    switch (program.kind) {
    case InstructionKind::FullTime:
        if (v == 0)
            return {LineWithGroup(keywords, 4),
                    QStringList{p1, p2, QString::number(p[2]), ShortestDecimal(p[3] * 0.25)}.join(QLatin1Char(','))};
        return coded(130 + v, QStringList{p1, p2, QString::number(p[2])}.join(QLatin1Char(',')));
    case InstructionKind::FullConti:
        return v == 0 ? coded(135, ColourNameOfPalette(p[0])) : coded(136);
    case InstructionKind::LightLed:
        return v == 0 ? coded(140, p1 + QLatin1Char(',') + ShortestDecimal(p[1] * 0.25)) : coded(140 + v);
    case InstructionKind::Sound:
        return coded(150 + v);
    case InstructionKind::Timer:
        if (v == 3 || v == 4)
            return current ? coded(163 + v, p1 + QLatin1Char(',') + p2) : coded(160 + v, p1);
        return v == 5 ? coded(165, p1 + QLatin1Char(',') + p2) : coded(160 + v, p1);
    case InstructionKind::Wait:
        if (v == 2 || v == 3)
            return current ? coded(175 + v, p1) : coded(170 + v);
        return v == 4 ? coded(174, p1) : coded(170 + v);
    case InstructionKind::If:
        return {LineWithGroup(keywords, 1, 0), Condition(v, p[0], generation), true};
    case InstructionKind::Loop:
        return v == 0 ? coded(190, p1) : coded(191);
    case InstructionKind::Dainyuu:
        return coded(200);
    case InstructionKind::Output:
        return coded(210 + v, (v == 1 || v == 4) ? p1 : QString());
    case InstructionKind::Train:
        return coded(220 + v, (v == 0 || v == 1) ? ShortestDecimal(p[0] / 10.0) + QLatin1Char(',') + p2 : QString());
    default:
        return {};
    }
}

}  // namespace

std::optional<QString> LinesToText(const std::vector<ProgramLine> &lines, const KeywordFile &keywords, int generation)
{
    QString text;
    const auto append = [&text](const QString &line) { text += line + QStringLiteral("\r\n"); };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProgramLine &line = lines[i];
        if (line.kind == InstructionKind::Else) {
            if (i + 1 < lines.size() && lines[i + 1].kind == InstructionKind::Else)
                continue;
            append(QStringLiteral("}"));
            append(QStringLiteral("else{"));
            continue;
        }
        if (line.kind == InstructionKind::Endif) {
            append(QStringLiteral("}"));
            continue;
        }
        const Statement statement = StatementOf(line, keywords, generation);
        if (!statement.line)
            return std::nullopt;
        append(statement.line->keyword + QLatin1Char('(') + statement.arguments
               + (statement.opensBlock ? QStringLiteral("){") : QStringLiteral(");")));
    }
    return text;
}

}  // namespace kq
