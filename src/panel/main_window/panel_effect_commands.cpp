// The effect menus and the quick buttons: they run on the selected layer's
// image and hand the result to the document.
#include "panel/main_window/panel_window.h"

#include "panel/document/panel_document.h"
#include "panel/effect_window/effect_window.h"
#include "panel/main_window/design_canvas.h"
#include "panel/main_window/edit_preview.h"
#include "panel/text_window/colour_panel.h"
#include "services/dialogs.h"

#include <QCheckBox>
#include <QMenuBar>

#include <variant>

namespace kq::panel {

namespace {

struct EffectItem {
    const char *name;
    QString text;
    std::variant<EffectPage, QuickEffect> effect;
};

// Filters and distortions.
const EffectItem kFilterItems[] = {
    {"E1", QStringLiteral("シャープ"), EffectPage::Sharp},
    {"E2", QStringLiteral("輪郭抽出"), EffectPage::Outline},
    {"E3", QStringLiteral("ぼかし"), EffectPage::Blur},
    {"E10", QStringLiteral("モーションぼかし"), EffectPage::MotionBlur},
    {"E17", QStringLiteral("アンチエイリアス"), EffectPage::AntiAlias},
    {"E4", QStringLiteral("モザイク"), EffectPage::Mosaic},
    {"E6", QStringLiteral("レンズ"), EffectPage::Lens},
    {"E7", QStringLiteral("キャンバス"), EffectPage::Canvas},
    {"E8", QStringLiteral("エンボス"), EffectPage::Emboss},
    {"E9", QStringLiteral("渦巻き"), EffectPage::WhirlPinch},
    {"E11", QStringLiteral("ガラススタイル"), EffectPage::GlassTile},
    {"E12", QStringLiteral("油絵風"), EffectPage::OilPaint},
    {"E13", QStringLiteral("波紋"), EffectPage::Ripple},
    {"E14", QStringLiteral("さざ波"), EffectPage::Waves},
};

// Turning, sizing and cutting; the quick buttons' effects are here too.
const EffectItem kTransformItems[] = {
    {"E15", QStringLiteral("回転"), EffectPage::Rotation},
    {"TurnRight", QStringLiteral("右に90°回転"), QuickEffect::TurnRight},
    {"TurnLeft", QStringLiteral("左に90°回転"), QuickEffect::TurnLeft},
    {"Mirror", QStringLiteral("左右反転"), QuickEffect::Mirror},
    {"E16", QStringLiteral("リサイズ"), EffectPage::Resize},
    {"RectangleCut", QStringLiteral("四角形で切り抜き"), QuickEffect::RectangleCut},
    {"EllipseCut", QStringLiteral("だ円形で切り抜き"), QuickEffect::EllipseCut},
};

const EffectItem kColourItems[] = {
    {"E5", QStringLiteral("彩度調整"), EffectPage::Chroma},
    {"E18", QStringLiteral("明るさ調整"), EffectPage::Brightness},
    {"E19", QStringLiteral("グレースケールに変換"), QuickEffect::Gray},
};

}  // namespace

void PanelWindow::BuildEffectMenus()
{
    const auto addMenu = [this](const QString &title, const char *name, const auto &items) {
        QMenu *menu = menuBar()->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name));
        for (const EffectItem &item : items) {
            QAction *action = menu->addAction(item.text);
            action->setObjectName(QString::fromLatin1(item.name));
            connect(action, &QAction::triggered, this, [this, effect = item.effect] {
                if (const auto *page = std::get_if<EffectPage>(&effect))
                    RunEffect(*page);
                else
                    RunQuickEffect(std::get<QuickEffect>(effect));
            });
        }
    };
    addMenu(QStringLiteral("エフェクト処理"), "EffectMenu", kFilterItems);
    addMenu(QStringLiteral("変形"), "TransformMenu", kTransformItems);
    addMenu(QStringLiteral("色調整"), "ColourMenu", kColourItems);
}

int PanelWindow::LayerToProcess()
{
    // Effects work on photo, part and text layers; the background is not
    // one of them.
    const int n = m_document->Selected();
    if (n < 0) {
        m_dialogs.Warning(this, kNoImageToProcessMessage);
        return -1;
    }
    return n;
}

void PanelWindow::RunEffect(EffectPage page)
{
    const int n = LayerToProcess();
    if (n < 0)
        return;
    const QColor fill = m_transparent->isChecked() ? m_transparentColour->Colour() : QColor(Qt::black);
    const std::optional<AppliedEffect> applied =
        m_effectWindow->Run(page, m_document->Layer(n).image, m_editPreview->Selection(), fill);
    if (!applied)
        return;
    m_document->ApplyProcessed(n, applied->image, applied->recordsFromName);
    // After the window the pupil starts again from a fresh selection; a
    // resize leaves the new size in the labels.
    m_document->Select(kNoSelection);
    RefreshAll();
    if (page == EffectPage::Resize)
        ShowSizes(applied->image.size());
}

void PanelWindow::RunQuickEffect(QuickEffect effect)
{
    const int n = LayerToProcess();
    if (n < 0)
        return;
    const std::optional<AppliedEffect> applied =
        ApplyQuickEffect(effect, m_document->Layer(n).image, m_editPreview->Selection());
    if (!applied) {
        m_dialogs.Warning(this, kCutWithoutAreaMessage);
        return;
    }
    m_document->ApplyProcessed(n, applied->image, applied->recordsFromName);
    // The edit preview shows the result, with its new size.
    ShowSelection();
}

}  // namespace kq::panel
