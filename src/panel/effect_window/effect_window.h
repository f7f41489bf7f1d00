#pragma once

#include "panel/effects/effect_settings.h"

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QRect>
#include <QStringList>

#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace kq {
class Dialogs;
}

namespace kq::panel {

class ControlPage;
class ProgressWindow;
class ResizePage;

enum class EffectPage {
    Sharp, Outline, Blur, Mosaic, Chroma, Lens, Canvas, Emboss, WhirlPinch, MotionBlur, GlassTile, OilPaint,
    Ripple, Waves, Rotation, Resize, AntiAlias, Brightness
};

struct AppliedEffect {
    QImage image;
    QStringList recordsFromName;  // two records for Brightness
};

inline const QString kCutWithoutAreaMessage =
    QStringLiteral("切り抜きする範囲が選択されていません。\r\n"
                   "選択中の編集画像をマウスでドラッグして切り抜きたい大きさを決めてください。");
inline const QString kNoImageToProcessMessage = QStringLiteral("加工する画像が選択されていません。");

// The effect window: a page per effect with its controls, its own preview of
// a copy of the layer image, "プレビュー", "OK" and "キャンセル". Made once and
// reused; every opening starts from the controls' defaults.
class EffectWindow : public QDialog {
    Q_OBJECT

public:
    EffectWindow(kq::Dialogs &dialogs, ProgressWindow &progress, QWidget *parent = nullptr);
    ~EffectWindow() override;

    // Modal. selection in image pixels (null = whole image); rotationFill
    // takes the uncovered corners of a turn. nullopt when cancelled, or
    // at once for a null image.
    std::optional<AppliedEffect> Run(EffectPage page, const QImage &image, const QRect &selection,
                                     const QColor &rotationFill);

    // The preview's current picture (the window's copy of the image).
    const QImage &PreviewImage() const { return m_preview; }

private:
    struct Page;

    void AddPage(EffectPage page, const QString &title, const QString &description, ControlPage *controls);
    // The page's effects with the current settings; nullopt when its input
    // was refused (the message is shown).
    std::optional<std::vector<Effect>> CurrentEffects();
    std::optional<QImage> Process(const std::vector<Effect> &effects);
    void ShowPreview(const QImage &image);
    void PreviewClicked();
    void OkClicked();

    kq::Dialogs &m_dialogs;
    ProgressWindow &m_progress;
    QStackedWidget *m_pages;
    QLabel *m_previewLabel;
    std::vector<Page> m_pageList;
    ResizePage *m_resize = nullptr;

    EffectPage m_page = EffectPage::Sharp;
    QImage m_source;
    QImage m_preview;
    EffectArea m_area;
    QColor m_rotationFill;
    std::optional<AppliedEffect> m_result;
};

enum class QuickEffect { Gray, TurnRight, TurnLeft, Mirror, RectangleCut, EllipseCut };

// Grey scale and the quick buttons (turns and the mirror fill with black).
// nullopt when refused: a cut without a rectangle on the image (the caller
// shows kCutWithoutAreaMessage).
std::optional<AppliedEffect> ApplyQuickEffect(QuickEffect effect, const QImage &image, const QRect &selection);

}  // namespace kq::panel
