#include "editors/flowchart/box_look.h"

namespace kq {

QString FigureFileOf(const FlowNode &node, bool colourMode)
{
    QString file = node.kind;
    if (node.kind == NameOf(InstructionKind::Loop) && ParamsOf(node).variant != 0)
        file = QStringLiteral("endloop");
    return (colourMode ? QStringLiteral("Img\\Icon\\Fro\\ZU\\Color\\") : QStringLiteral("Img\\Icon\\Fro\\ZU\\White\\"))
        + file + QStringLiteral(".bmp");
}

QString BoxCaptionOf(const FlowNode &node, const QStringList &subroutineNames, int generation)
{
    const ParameterList params = ParamsOf(node);
    QString caption = CaptionOf(node.kind, params, generation);
    if (node.kind == NameOf(InstructionKind::FullTime) && node.params.startsWith(QStringLiteral("0,0,0,0")))
        caption.replace(QStringLiteral("点灯"), QStringLiteral("消灯"));
    if (node.kind == NameOf(InstructionKind::Routine)) {
        const int number = params.p[0];
        caption += QStringLiteral("　　")
            + (number >= 1 && number <= subroutineNames.size() ? subroutineNames[number - 1] : QString());
    }
    return caption;
}

std::optional<Rgb> BarColourOf(const FlowNode &node)
{
    const ParameterList params = ParamsOf(node);
    if (node.kind == NameOf(InstructionKind::FullTime)) {
        const Rgb colour {params.p[0], params.p[1], params.p[2]};
        return colour == Rgb {} ? Rgb {128, 128, 128} : colour;
    }
    if (node.kind == NameOf(InstructionKind::FullConti) && params.variant == 0) {
        const int choice = params.p[0];
        return choice >= 0 && choice <= 5 ? ColourRgbOf(choice) : Rgb {255, 255, 255};
    }
    return std::nullopt;
}

}  // namespace kq
