#include "panel/effect_window/effect_window.h"

#include "panel/effect_window/control_page.h"
#include "panel/effect_window/resize_page.h"
#include "panel/effects/effect_records.h"
#include "panel/effects/image_effects.h"
#include "panel/progress/progress_window.h"
#include "services/dialogs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kq::panel {

namespace {

constexpr QSize kPreviewSize(320, 320);

}  // namespace

// Pages are added in the order of EffectPage.
struct EffectWindow::Page {
    ControlPage *controls;  // null for the resize page
};

EffectWindow::EffectWindow(kq::Dialogs &dialogs, ProgressWindow &progress, QWidget *parent)
    : QDialog(parent),
      m_dialogs(dialogs),
      m_progress(progress),
      m_pages(new QStackedWidget(this)),
      m_previewLabel(new QLabel(this))
{
    setObjectName(QStringLiteral("EffectWindow"));
    setWindowTitle(QStringLiteral("エフェクト処理"));
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_previewLabel->setObjectName(QStringLiteral("Image1"));
    m_previewLabel->setFixedSize(kPreviewSize);
    m_previewLabel->setAlignment(Qt::AlignCenter);
    m_previewLabel->setFrameShape(QFrame::Box);
    m_previewLabel->setStyleSheet(QStringLiteral("background: #808080;"));

    auto page = [](auto fill) {
        auto *controls = new ControlPage;
        fill(*controls);
        return controls;
    };
    AddPage(EffectPage::Sharp, QStringLiteral("シャープ"), QStringLiteral("イメージの輪郭をくっきりさせます。"),
            page([](ControlPage &c) { c.AddSlider(QStringLiteral("強さ"), kSharpStrengthRange, SharpEffect{}.strength); }));
    AddPage(EffectPage::Outline, QStringLiteral("輪郭抽出"), QStringLiteral("イメージの輪郭を線で描き出します。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("強さ"), kOutlineStrengthRange, OutlineEffect{}.strength);
            }));
    AddPage(EffectPage::Blur, QStringLiteral("ぼかし"), QStringLiteral("イメージをぼかします。"),
            page([](ControlPage &c) { c.AddSlider(QStringLiteral("強さ"), kBlurStrengthRange, BlurEffect{}.strength); }));
    AddPage(EffectPage::Mosaic, QStringLiteral("モザイク"), QStringLiteral("イメージをモザイク模様にします。"),
            page([](ControlPage &c) { c.AddSlider(QStringLiteral("強さ"), kMosaicSizeRange, MosaicEffect{}.width); }));
    AddPage(EffectPage::Chroma, QStringLiteral("彩度調整"), QStringLiteral("イメージの色の鮮やかさを調整します。"),
            page([](ControlPage &c) { c.AddSlider(QStringLiteral("加減"), kChromaRange, ChromaEffect{}.amount); }));
    AddPage(EffectPage::Lens, QStringLiteral("レンズ"), QStringLiteral("レンズをのぞいたようにイメージの中央を拡大します。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("倍率"), kLensMagnificationRange, LensEffect{}.magnification);
                c.AddCombo(QStringLiteral("外側の背景色の描画設定"), {QStringLiteral("塗る"), QStringLiteral("塗らない")});
            }));
    AddPage(EffectPage::Canvas, QStringLiteral("キャンバス"), QStringLiteral("キャンバス地に描いたような布目をつけます。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("目地の深さ"), kCanvasDepthRange, CanvasEffect{}.depth);
                c.AddCombo(QStringLiteral("方向"), {QStringLiteral("上から右"), QStringLiteral("上から左"),
                                                    QStringLiteral("下から左"), QStringLiteral("下から右")});
            }));
    AddPage(EffectPage::Emboss, QStringLiteral("エンボス"), QStringLiteral("イメージを浮き彫りのようにします。"),
            page([](ControlPage &c) {
                const EmbossEffect d;
                c.AddSlider(QStringLiteral("フィルタマスクのパターン(0～7)"), kEmbossPatternRange, d.pattern);
                c.AddSlider(QStringLiteral("エッジの強調(1～5 大きいほど強い)"), kEmbossEdgeRange, d.edge);
                c.AddSlider(QStringLiteral("背景の輝度(0～255 大きいほど明るい)"), kEmbossBrightnessRange, d.brightness);
            }));
    AddPage(EffectPage::WhirlPinch, QStringLiteral("渦巻き"), QStringLiteral("イメージを渦巻きのようにねじります。"),
            page([](ControlPage &c) {
                const WhirlPinchEffect d;
                c.AddSlider(QStringLiteral("ねじる角度（度単位）"), kWhirlAngleRange, d.angle);
                c.AddSlider(QStringLiteral("つまみの度合い"), kPinchRange, d.pinch);
                c.AddSlider(QStringLiteral("ねじりの大きさ"), kWhirlSizeRange, d.size);
            }));
    AddPage(EffectPage::MotionBlur, QStringLiteral("モーションぼかし"), QStringLiteral("動いているようなぼかしをつけます。"),
            page([](ControlPage &c) {
                const MotionBlurEffect d;
                c.AddSlider(QStringLiteral("度合い（長さ、0～255）"), kMotionLengthRange, d.length);
                c.AddSlider(QStringLiteral("度合い（角度）"), kMotionAngleRange, d.angle);
                c.AddCombo(QStringLiteral("種類"),
                           {QStringLiteral("線形"), QStringLiteral("放射状"), QStringLiteral("拡大")});
            }));
    AddPage(EffectPage::GlassTile, QStringLiteral("ガラススタイル"), QStringLiteral("ガラスのタイル越しに見たようにします。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("サイズ"), kGlassTileSizeRange, GlassTileEffect{}.width);
            }));
    AddPage(EffectPage::OilPaint, QStringLiteral("油絵風"), QStringLiteral("油絵の具で描いたようなタッチにします。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("サイズ"), kOilPaintSizeRange, OilPaintEffect{}.size);
                c.AddCombo(QStringLiteral("質感モード"), {QStringLiteral("RGB別処理"), QStringLiteral("輝度別処理")});
            }));
    AddPage(EffectPage::Ripple, QStringLiteral("波紋"), QStringLiteral("水面に広がる波紋のようにゆがめます。"),
            page([](ControlPage &c) {
                const RippleEffect d;
                c.AddSlider(QStringLiteral("波の振幅の大きさ"), kRippleAmplitudeRange, d.amplitude);
                c.AddSlider(QStringLiteral("波長の長さ"), kWaveLengthRange, d.wavelength);
                c.AddCombo(QStringLiteral("空白部分の設定"),
                           {QStringLiteral("背景色で塗る"), QStringLiteral("隣接するピクセルで塗る")});
            }));
    AddPage(EffectPage::Waves, QStringLiteral("さざ波"), QStringLiteral("さざ波が立ったようにゆがめます。"),
            page([](ControlPage &c) {
                const WavesEffect d;
                c.AddSlider(QStringLiteral("波の大きさ"), kWaveSizeRange, d.size);
                c.AddSlider(QStringLiteral("波長の長さ"), kWaveLengthRange, d.wavelength);
                c.AddCombo(QStringLiteral("方向"), {QStringLiteral("横"), QStringLiteral("縦")});
                c.AddCombo(QStringLiteral("種類"), {QStringLiteral("sin"), QStringLiteral("saw")});
                c.AddCombo(QStringLiteral("エッジの種類"), {QStringLiteral("背景色で塗る"),
                                                            QStringLiteral("隣接したピクセルで埋める"),
                                                            QStringLiteral("丸める")});
            }));
    AddPage(EffectPage::Rotation, QStringLiteral("回転"), QStringLiteral("イメージを回転します。"),
            page([](ControlPage &c) { c.AddSlider(QStringLiteral("角度"), kRotationAngleRange, RotationEffect{}.angle); }));
    m_resize = new ResizePage;
    m_resize->setObjectName(QStringLiteral("ResizePage"));
    AddPage(EffectPage::Resize, QStringLiteral("リサイズ"), QStringLiteral("イメージのエッジのサイズを変更します。"), nullptr);
    AddPage(EffectPage::AntiAlias, QStringLiteral("アンチエイリアス"), QStringLiteral("イメージのギザギザをなめらかにします。"),
            page([](ControlPage &) {}));
    AddPage(EffectPage::Brightness, QStringLiteral("明るさ調整"), QStringLiteral("イメージの明るさを調整します。"),
            page([](ControlPage &c) {
                c.AddSlider(QStringLiteral("明るさ"), kBrightnessRange, LevelEffect{}.brightness);
                c.AddSlider(QStringLiteral("コントラスト"), kContrastRange, 0);
            }));

    auto *previewButton = new QPushButton(QStringLiteral("プレビュー"), this);
    previewButton->setObjectName(QStringLiteral("PreviewButton"));
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("OkButton"));
    okButton->setDefault(true);
    auto *cancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(previewButton, &QPushButton::clicked, this, &EffectWindow::PreviewClicked);
    connect(okButton, &QPushButton::clicked, this, &EffectWindow::OkClicked);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(previewButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto *top = new QHBoxLayout;
    top->addWidget(m_previewLabel, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addWidget(m_pages, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(720, 400);
}

EffectWindow::~EffectWindow() = default;

void EffectWindow::AddPage(EffectPage page, const QString &title, const QString &description, ControlPage *controls)
{
    auto *widget = new QWidget;
    static const char *const kNames[] = {"Sharp", "Outline", "Blur", "Mosaic", "Chroma", "Lens",
                                         "Canvas", "Emboss", "WhirlPinch", "MotionBlur", "GlassTile", "OilPaint",
                                         "Ripple", "Waves", "Rotation", "Resize", "AntiAlias", "Brightness"};
    widget->setObjectName(QString::fromLatin1(kNames[static_cast<int>(page)]) + QStringLiteral("Sheet"));
    auto *heading = new QLabel(title, widget);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    heading->setFont(font);
    auto *text = new QLabel(description, widget);
    text->setObjectName(QStringLiteral("Description"));
    text->setWordWrap(true);
    auto *layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    layout->addWidget(text);
    layout->addSpacing(10);
    layout->addWidget(controls ? static_cast<QWidget *>(controls) : m_resize);
    layout->addStretch();
    m_pages->addWidget(widget);
    m_pageList.push_back({controls});
}

std::optional<AppliedEffect> EffectWindow::Run(EffectPage page, const QImage &image, const QRect &selection,
                                               const QColor &rotationFill)
{
    if (image.isNull())
        return std::nullopt;  // the caller shows kNoImageToProcessMessage
    m_page = page;
    m_source = image.convertToFormat(QImage::Format_RGB32);
    m_area = EffectArea::FromSelection(selection.intersected(m_source.rect()));
    m_rotationFill = rotationFill;
    m_result.reset();
    for (const Page &p : m_pageList) {
        if (p.controls)
            p.controls->Reset();
    }
    m_resize->Reset(m_source.size());
    m_pages->setCurrentIndex(static_cast<int>(page));
    ShowPreview(m_source);
    exec();
    return std::exchange(m_result, std::nullopt);
}

std::optional<std::vector<Effect>> EffectWindow::CurrentEffects()
{
    const ControlPage *c = m_pageList[static_cast<size_t>(m_page)].controls;
    const EffectArea a = m_area;
    switch (m_page) {
    case EffectPage::Sharp:
        return std::vector<Effect>{SharpEffect{a, c->SliderValue(0)}};
    case EffectPage::Outline:
        return std::vector<Effect>{OutlineEffect{a, c->SliderValue(0)}};
    case EffectPage::Blur:
        return std::vector<Effect>{BlurEffect{a, c->SliderValue(0)}};
    case EffectPage::Mosaic:
        return std::vector<Effect>{MosaicEffect{a, c->SliderValue(0), c->SliderValue(0)}};
    case EffectPage::Chroma:
        return std::vector<Effect>{ChromaEffect{a, c->SliderValue(0)}};
    case EffectPage::Lens:
        return std::vector<Effect>{LensEffect{a, c->SliderValue(0), c->ComboIndex(0) == 0}};
    case EffectPage::Canvas:
        return std::vector<Effect>{CanvasEffect{a, static_cast<CanvasLight>(c->ComboIndex(0)), c->SliderValue(0)}};
    case EffectPage::Emboss:
        return std::vector<Effect>{EmbossEffect{a, c->SliderValue(0), c->SliderValue(1), c->SliderValue(2)}};
    case EffectPage::WhirlPinch:
        return std::vector<Effect>{WhirlPinchEffect{a, c->SliderValue(0), c->SliderValue(1), c->SliderValue(2)}};
    case EffectPage::MotionBlur:
        return std::vector<Effect>{
            MotionBlurEffect{a, static_cast<MotionKind>(c->ComboIndex(0)), c->SliderValue(0), c->SliderValue(1)}};
    case EffectPage::GlassTile:
        return std::vector<Effect>{GlassTileEffect{a, c->SliderValue(0), c->SliderValue(0)}};
    case EffectPage::OilPaint:
        return std::vector<Effect>{OilPaintEffect{a, static_cast<OilPaintMode>(c->ComboIndex(0)), c->SliderValue(0)}};
    case EffectPage::Ripple:
        return std::vector<Effect>{RippleEffect{a, c->SliderValue(0), c->SliderValue(1), c->ComboIndex(0) == 1}};
    case EffectPage::Waves:
        return std::vector<Effect>{WavesEffect{a, static_cast<WaveDirection>(c->ComboIndex(0)),
                                               static_cast<WaveShape>(c->ComboIndex(1)), c->SliderValue(1),
                                               c->SliderValue(0), static_cast<WaveEdge>(c->ComboIndex(2))}};
    case EffectPage::Rotation:
        return std::vector<Effect>{RotationEffect{a, c->SliderValue(0), false, false, m_rotationFill}};
    case EffectPage::Resize: {
        const std::optional<QSize> size = m_resize->RequestedSize(m_dialogs, this);
        if (!size)
            return std::nullopt;
        return std::vector<Effect>{ResizeEffect{a, *size}};
    }
    case EffectPage::AntiAlias:
        return std::vector<Effect>{AntiAliasEffect{}};
    case EffectPage::Brightness:
        return std::vector<Effect>{LevelEffect{a, c->SliderValue(0)}, ContrastCurve(c->SliderValue(1))};
    }
    return std::nullopt;
}

std::optional<QImage> EffectWindow::Process(const std::vector<Effect> &effects)
{
    QImage image = m_source;
    const bool done = m_progress.Run(this, [&](EffectControl &control) {
        for (const Effect &effect : effects) {
            if (!ApplyEffect(image, effect, control))
                return false;
        }
        return true;
    });
    if (!done)
        return std::nullopt;
    return image;
}

void EffectWindow::ShowPreview(const QImage &image)
{
    m_preview = image;
    QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.width() > kPreviewSize.width() - 4 || pixmap.height() > kPreviewSize.height() - 4)
        pixmap = pixmap.scaled(kPreviewSize - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_previewLabel->setPixmap(pixmap);
}

void EffectWindow::PreviewClicked()
{
    const std::optional<std::vector<Effect>> effects = CurrentEffects();
    if (!effects)
        return;
    if (const std::optional<QImage> image = Process(*effects))
        ShowPreview(*image);
}

void EffectWindow::OkClicked()
{
    const std::optional<std::vector<Effect>> effects = CurrentEffects();
    if (!effects)
        return;
    const std::optional<QImage> image = Process(*effects);
    if (!image)
        return;  // stopped: the layer stays as it was, the settings stay here
    AppliedEffect applied{*image, {}};
    for (const Effect &effect : *effects)
        applied.recordsFromName << EffectRecord(effect);
    m_result = applied;
    accept();
}

}  // namespace kq::panel
