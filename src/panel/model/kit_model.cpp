#include "panel/model/kit_model.h"

#include <array>

namespace kq::panel {

namespace {

const std::array<KitModel, kKitModelCount> &Models()
{
    static const std::array<KitModel, kKitModelCount> models = {{
        {0, QStringLiteral("TL-1"), {860, 1060}, LayoutGroup::Tall, {90, 76, 360, 444}, 0.005, 0.005,
         {860, 1060}, 0.323, 0, {64, 103}},
        {1, QStringLiteral("TL-2"), {825, 886}, LayoutGroup::Tall, {90, 117, 360, 387}, 0.005, 0.005,
         {825, 886}, 0.3, 1, {103, 172}},
        {2, QStringLiteral("TL-3"), {1890, 590}, LayoutGroup::Wide, {66, 61, 720, 225}, 0.002, 0.006,
         {1890, 590}, 0.273, 0, {137, 49}},
        {3, QStringLiteral("TL-4"), {410, 670}, LayoutGroup::Tall, {112, 76, 271, 443}, 0.005, 0.005,
         {489, 670}, 0.222, 0, {179, 304}},
        {4, QStringLiteral("TL-5"), {1105, 445}, LayoutGroup::Wide, {143, 60, 567, 229}, 0.005, 0.008,
         {1105, 445}, 0.334, 0, {209, 104}},
        {5, QStringLiteral("TL-6"), {825, 884}, LayoutGroup::Tall, {90, 117, 360, 387}, 0.005, 0.005,
         {825, 884}, 0.283, 2, {115, 155}},
    }};
    return models;
}

QString MaterialFolder(const KitModel &model)
{
    return QStringLiteral("Img/Material/") + model.code + QLatin1Char('/');
}

}  // namespace

const KitModel &KitModelAt(int index)
{
    return Models().at(static_cast<std::size_t>(index));
}

std::optional<int> KitModelIndexOf(const QString &code)
{
    for (const KitModel &model : Models()) {
        if (model.code == code)
            return model.index;
    }
    return std::nullopt;
}

double DisplayScaleX(const KitModel &model)
{
    return double(model.canvas.width()) / model.panelSize.width() - model.correctionX;
}

double DisplayScaleY(const KitModel &model)
{
    return double(model.canvas.height()) / model.panelSize.height() - model.correctionY;
}

double TextFactor(const KitModel &model)
{
    return double(model.panelSize.width()) / model.canvas.width();
}

QString PanelFramePicture(const KitModel &model)
{
    return QStringLiteral("Img/Panel/") + model.code + QStringLiteral(".jpg");
}

QString DefaultBackground(const KitModel &model)
{
    return MaterialFolder(model) + QStringLiteral("BackImage/1.gif");
}

QString FrameOverlay(const KitModel &model)
{
    return MaterialFolder(model) + QStringLiteral("Back/") + model.code + QStringLiteral(".gif");
}

QString ProductPhoto(const KitModel &model)
{
    return MaterialFolder(model) + QStringLiteral("Back/") + model.code + QStringLiteral("Com.bmp");
}

QString BackgroundFolder(const KitModel &model)
{
    return MaterialFolder(model) + QStringLiteral("BackImage");
}

QString PartsFolder(const KitModel &model)
{
    return MaterialFolder(model) + QStringLiteral("PartsImage");
}

QString WindowBackground(const KitModel &model)
{
    return model.group == LayoutGroup::Tall ? QStringLiteral("Img/Panel/back1.jpg")
                                            : QStringLiteral("Img/Panel/back2.jpg");
}

}  // namespace kq::panel
