#include "panel/main_window/panel_window.h"

#include "base/recovery_writer.h"
#include "panel/document/panel_document.h"
#include "panel/document/panel_picture.h"
#include "panel/effect_window/effect_window.h"
#include "panel/main_window/design_canvas.h"
#include "panel/main_window/edit_preview.h"
#include "panel/main_window/picture_button.h"
#include "panel/main_window/picture_page.h"
#include "panel/main_window/window_layout.h"
#include "panel/menu/picker_window.h"
#include "panel/menu/print_window.h"
#include "panel/menu/product_page.h"
#include "panel/progress/progress_window.h"
#include "panel/text_window/colour_panel.h"
#include "panel/text_window/text_window.h"
#include "services/dialogs.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QToolButton>

#include <functional>

namespace kq::panel {

namespace {

// The side panels are light cards over the window's background picture.
const char *const kWindowStyle = R"(
QGroupBox#SidePanel {
    background: rgba(255, 255, 255, 225);
    border: 1px solid rgba(90, 120, 160, 110);
    border-radius: 8px;
    margin-top: 14px;
    padding: 6px 6px 6px 6px;
    font-weight: bold;
    color: #2d4b73;
}
QGroupBox#SidePanel::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 8px;
    padding: 1px 4px;
    background: #ffffff;
    border: 1px solid rgba(90, 120, 160, 110);
    border-radius: 6px;
}
QGroupBox#SidePanel QLabel, QGroupBox#SidePanel QCheckBox { font-weight: normal; color: #22324a; }
QGroupBox#SidePanel QLabel:disabled, QGroupBox#SidePanel QCheckBox:disabled { color: #9aa5b5; }
QListWidget#LayerList { border: 1px solid #b8c6d8; border-radius: 4px; font-weight: normal; }
QListWidget#LayerList::item { padding: 3px 2px; }
QListWidget#LayerList::item:selected { background: #ffd77a; color: #22324a; }
QFrame#Toolbar { background: rgba(255, 255, 255, 225); border: 1px solid rgba(90, 120, 160, 110); border-radius: 8px; }
QFrame#Toolbar QToolButton { color: #22324a; }
QFrame#ProgressPanel { background: #ffffff; border: 2px solid #5a7ba6; border-radius: 10px; }
)";

constexpr QSize kQuickButtonSize(40, 40);

QGroupBox *MakeSidePanel(QWidget *parent, const QString &title)
{
    auto *panel = new QGroupBox(title, parent);
    panel->setObjectName(QStringLiteral("SidePanel"));
    return panel;
}

QLabel *MakeSizeLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(36);
    return label;
}

// "860" -> "8.6": document pixels are tenths of a millimetre.
QString Centimetres(int pixels)
{
    return QString::number(pixels / 100.0);
}

}  // namespace

PanelWindow::PanelWindow(kq::Dialogs &dialogs, kq::Launcher &launcher, const kq::Paths &panelPaths,
                         kq::RecoveryStore &recovery, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_launcher(launcher), m_paths(panelPaths)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("パネル製作ソフト"));

    // The style stays on this window's own parts; the windows it opens keep theirs.
    m_central = new QWidget(this);
    m_central->setStyleSheet(QString::fromUtf8(kWindowStyle));
    m_central->setAutoFillBackground(true);
    setCentralWidget(m_central);

    BuildToolbar();
    BuildPages();
    BuildEditPanel();
    BuildTransparencyPanel();
    BuildLayerPanel();
    BuildMenus();
    BuildProgressPanel();

    m_progress = new ProgressWindow(this);
    m_effectWindow = new EffectWindow(m_dialogs, *m_progress, this);
    m_textWindow = new TextWindow(m_dialogs, m_paths, this);
    connect(m_textWindow, &TextWindow::NewTextAccepted, this, &PanelWindow::AddAcceptedText);
    m_picker = new PickerWindow(this);
    m_printWindow = new PrintWindow(m_dialogs, m_paths, this);
    MakeRecoveryWriter(recovery);

    // A window is always ready for its first showing; ShowForModel lays it
    // out again for the chosen model.
    SetUpForModel(0);
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::BuildToolbar()
{
    struct Tool {
        const char *name;
        const char *picture;
        QString caption;
        void (PanelWindow::*command)();
    };
    const Tool tools[] = {
        {"ReadBtn", "Img/Button/Read.bmp", QStringLiteral("読み込み"), &PanelWindow::OpenPanel},
        {"SaveBtn", "Img/Button/Save.bmp", QStringLiteral("保存"), &PanelWindow::SavePanel},
        {"OutputBtn", "Img/Button/Output.bmp", QStringLiteral("書き出し"), &PanelWindow::ExportFlattened},
        {"PrintBtn", "Img/Button/Print.bmp", QStringLiteral("印刷"), &PanelWindow::OpenPrintWindow},
        {nullptr, nullptr, {}, nullptr},
        {"Image1", "Img/Button/Background.bmp", QStringLiteral("背景"), &PanelWindow::ChooseBackground},
        {"Image3", "Img/Button/Part.bmp", QStringLiteral("部品"), &PanelWindow::AddPart},
        {"AddPicture", "Img/Button/Photo.bmp", QStringLiteral("写真"), &PanelWindow::AddPhoto},
        {"Image10", "Img/Button/Text.bmp", QStringLiteral("文字"), &PanelWindow::AddText},
        {nullptr, nullptr, {}, nullptr},
        {"Image7", "Img/Button/Help.bmp", QStringLiteral("ヘルプ"), &PanelWindow::OpenHelp},
    };
    m_toolbar = new QFrame(m_central);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    auto *row = new QHBoxLayout(m_toolbar);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(4);
    for (const Tool &tool : tools) {
        if (!tool.name) {
            row->addSpacing(18);
            continue;
        }
        QToolButton *button = MakePictureButton(m_toolbar, QString::fromLatin1(tool.name), m_paths,
                                                QString::fromLatin1(tool.picture), tool.caption);
        button->setMinimumSize(72, 64);
        connect(button, &QToolButton::clicked, this, tool.command);
        row->addWidget(button);
    }
    m_toolbar->adjustSize();

    m_tabs = new QWidget(m_central);
    auto *tabs = new QHBoxLayout(m_tabs);
    tabs->setContentsMargins(0, 0, 0, 0);
    tabs->setSpacing(6);
    const QString tabCaptions[3] = {QStringLiteral("デザイン"), QStringLiteral("プレビュー"),
                                    QStringLiteral("完成イメージ")};
    for (int i = 0; i < 3; ++i) {
        m_tabButtons[i] = MakeIconButton(m_tabs, QStringLiteral("TabButton%1").arg(i + 1), m_paths,
                                         QStringLiteral("Img/Button/TabButton%1.jpg").arg(i + 1), tabCaptions[i]);
        m_tabButtons[i]->setMinimumSize(140, 36);
        connect(m_tabButtons[i], &QToolButton::clicked, this, [this, i] { ShowPage(Page(i)); });
        tabs->addWidget(m_tabButtons[i]);
    }
    m_tabs->adjustSize();
}

void PanelWindow::BuildPages()
{
    m_pages = new QStackedWidget(m_central);
    m_pages->setObjectName(QStringLiteral("Pages"));

    auto *design = new QWidget(m_pages);
    design->setObjectName(QStringLiteral("DesignPage"));
    m_frame = new QLabel(design);
    m_frame->setObjectName(QStringLiteral("PanelFrame"));
    m_canvas = new DesignCanvas(design);
    connect(m_canvas, &DesignCanvas::SelectionChanged, this, &PanelWindow::ShowSelection);
    connect(m_canvas, &DesignCanvas::MenuRequested, this, [this](const QPoint &at) {
        if (m_document->Selected() >= 0)
            m_layerMenu->popup(at);
    });
    connect(m_canvas, &DesignCanvas::DoubleClicked, this, &PanelWindow::EditTextAt);
    m_pages->addWidget(design);

    m_preview = new PreviewPage(m_pages);
    m_pages->addWidget(m_preview);

    m_productArea = new QScrollArea(m_pages);
    m_productArea->setObjectName(QStringLiteral("ProductPage"));
    m_productArea->setAlignment(Qt::AlignCenter);
    m_productArea->setFrameShape(QFrame::NoFrame);
    m_product = new QLabel;
    m_product->setObjectName(QStringLiteral("ProductImage"));
    m_productArea->setWidget(m_product);
    m_pages->addWidget(m_productArea);
}

void PanelWindow::BuildEditPanel()
{
    auto *panel = MakeSidePanel(m_central, QStringLiteral("編集画像"));
    m_editPanel = panel;
    m_editPreview = new EditPreview(panel);

    auto *sizes = new QWidget(panel);
    auto *grid = new QGridLayout(sizes);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    m_widthPixels = MakeSizeLabel(sizes, QStringLiteral("WidthPixels"));
    m_heightPixels = MakeSizeLabel(sizes, QStringLiteral("HeightPixels"));
    m_widthCentimetres = MakeSizeLabel(sizes, QStringLiteral("WidthCentimetres"));
    m_heightCentimetres = MakeSizeLabel(sizes, QStringLiteral("HeightCentimetres"));
    grid->addWidget(new QLabel(QStringLiteral("横"), sizes), 0, 0);
    grid->addWidget(m_widthPixels, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("pixel"), sizes), 0, 2);
    grid->addWidget(m_widthCentimetres, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("cm"), sizes), 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("縦"), sizes), 1, 0);
    grid->addWidget(m_heightPixels, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("pixel"), sizes), 1, 2);
    grid->addWidget(m_heightCentimetres, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("cm"), sizes), 1, 4);
    grid->setColumnStretch(5, 1);

    m_quickButtons = new QWidget(panel);
    struct Quick {
        const char *name;
        QString caption;
        std::function<void()> command;
    };
    const Quick quickButtons[kQuickButtonCount] = {
        {"EB31", QStringLiteral("右に90°回転"), [this] { RunQuickEffect(QuickEffect::TurnRight); }},
        {"EB32", QStringLiteral("左に90°回転"), [this] { RunQuickEffect(QuickEffect::TurnLeft); }},
        {"EB33", QStringLiteral("回転"), [this] { RunEffect(EffectPage::Rotation); }},
        {"EB34", QStringLiteral("リサイズ"), [this] { RunEffect(EffectPage::Resize); }},
        {"EB35", QStringLiteral("四角形で切り抜き"), [this] { RunQuickEffect(QuickEffect::RectangleCut); }},
        {"EB36", QStringLiteral("だ円形で切り抜き"), [this] { RunQuickEffect(QuickEffect::EllipseCut); }},
        {"EB37", QStringLiteral("左右反転"), [this] { RunQuickEffect(QuickEffect::Mirror); }},
        {"EB38", QStringLiteral("明るさ調整"), [this] { RunEffect(EffectPage::Brightness); }},
    };
    for (int i = 0; i < kQuickButtonCount; ++i) {
        const Quick &quick = quickButtons[i];
        const QString name = QString::fromLatin1(quick.name);
        QToolButton *button =
            MakeIconButton(m_quickButtons, name, m_paths, QStringLiteral("Img/Button/%1.bmp").arg(name), quick.caption);
        if (button->icon().isNull())
            button->setMinimumHeight(kQuickButtonSize.height());
        else
            button->setFixedSize(kQuickButtonSize + QSize(4, 4));
        connect(button, &QToolButton::clicked, this, quick.command);
        m_quickButtonList[i] = button;
    }
    // The buttons keep their room while hidden so nothing jumps around.
    QSizePolicy keep = m_quickButtons->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_quickButtons->setSizePolicy(keep);
}

void PanelWindow::BuildTransparencyPanel()
{
    auto *panel = MakeSidePanel(m_central, QStringLiteral("透明化設定（写真・文字のみ）"));
    m_transparencyPanel = panel;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 14, 8, 6);
    m_transparent = new QCheckBox(QStringLiteral("透明化設定をする"), panel);
    m_transparent->setObjectName(QStringLiteral("CheckBox1"));
    column->addWidget(m_transparent);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel(QStringLiteral("・透明色"), panel));
    m_transparentColour = new ColourPanel(panel);
    m_transparentColour->setObjectName(QStringLiteral("Panel1"));
    m_transparentColour->setFixedSize(64, 24);
    colourRow->addWidget(m_transparentColour);
    colourRow->addStretch(1);
    column->addLayout(colourRow);
    column->addStretch(1);
    connect(m_transparent, &QCheckBox::clicked, this, [this] { ChangeTransparency(false); });
    connect(m_transparentColour, &ColourPanel::clicked, this, [this] { ChangeTransparency(true); });
}

void PanelWindow::BuildLayerPanel()
{
    auto *panel = MakeSidePanel(m_central, QStringLiteral("レイヤー（画像の重ね順）"));
    m_layerPanel = panel;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(8, 14, 8, 8);
    column->setSpacing(4);
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    m_layerUp = MakeIconButton(panel, QStringLiteral("LayerUp"), m_paths, QStringLiteral("Img/Button/LayerUp.bmp"),
                               QStringLiteral("前面に移動"));
    m_layerDown = MakeIconButton(panel, QStringLiteral("LayerDown"), m_paths,
                                 QStringLiteral("Img/Button/LayerDown.bmp"), QStringLiteral("背面に移動"));
    connect(m_layerUp, &QToolButton::clicked, this, &PanelWindow::RaiseLayer);
    connect(m_layerDown, &QToolButton::clicked, this, &PanelWindow::LowerLayer);
    buttons->addWidget(m_layerUp);
    buttons->addWidget(m_layerDown);
    buttons->addStretch(1);
    column->addLayout(buttons);
    m_layerList = new QListWidget(panel);
    m_layerList->setObjectName(QStringLiteral("LayerList"));
    m_layerList->setFocusPolicy(Qt::NoFocus);
    connect(m_layerList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        m_document->Select(m_document->LayerOfListRow(row));
        ShowSelection();
        // The arrow keys then move the chosen layer.
        m_canvas->setFocus();
    });
    column->addWidget(m_layerList, 1);

    m_layerMenu = new QMenu(this);
    m_layerMenu->setObjectName(QStringLiteral("LayerMenu"));
    m_layerMenu->addAction(QStringLiteral("前面に移動"), this, &PanelWindow::RaiseLayer)
        ->setObjectName(QStringLiteral("MoveFront"));
    m_layerMenu->addAction(QStringLiteral("背面に移動"), this, &PanelWindow::LowerLayer)
        ->setObjectName(QStringLiteral("MoveBack"));
    m_layerMenu->addAction(QStringLiteral("削除"), this, &PanelWindow::DeleteSelectedLayer)
        ->setObjectName(QStringLiteral("DeleteLayer"));
}

void PanelWindow::BuildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル"));
    file->addAction(QStringLiteral("読み込み"), this, &PanelWindow::OpenPanel)->setObjectName(QStringLiteral("Read"));
    file->addAction(QStringLiteral("保存"), this, &PanelWindow::SavePanel)->setObjectName(QStringLiteral("Save"));
    file->addAction(QStringLiteral("書き出し"), this, &PanelWindow::ExportFlattened)
        ->setObjectName(QStringLiteral("Output"));
    file->addAction(QStringLiteral("印刷"), this, &PanelWindow::OpenPrintWindow)
        ->setObjectName(QStringLiteral("Print"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集"));
    edit->addAction(QStringLiteral("一つ前の状態に戻す"), this, &PanelWindow::Undo)
        ->setObjectName(QStringLiteral("Undo"));
    edit->addAction(QStringLiteral("全削除"), this, &PanelWindow::ClearAll)->setObjectName(QStringLiteral("ClearAll"));

    BuildEffectMenus();

    // Help is one page: the menu bar entry opens it at once.
    menuBar()->addAction(QStringLiteral("ヘルプ"), this, &PanelWindow::OpenHelp)->setObjectName(QStringLiteral("Help"));
}

void PanelWindow::BuildProgressPanel()
{
    auto *panel = new QFrame(m_central);
    panel->setObjectName(QStringLiteral("ProgressPanel"));
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(20, 14, 20, 16);
    m_progressCaption = new QLabel(panel);
    m_progressCaption->setAlignment(Qt::AlignCenter);
    m_progressBar = new QProgressBar(panel);
    m_progressBar->setRange(0, 100);
    column->addWidget(m_progressCaption);
    column->addWidget(m_progressBar);
    panel->setFixedSize(320, 90);
    panel->hide();
    m_progressPanel = panel;
}

void PanelWindow::ApplyLayout(const WindowLayout &layout)
{
    m_central->setFixedSize(layout.size);
    m_toolbar->move(layout.toolbar);
    m_tabs->move(layout.tabs);
    m_pages->setGeometry(layout.page);
    m_editPanel->setGeometry(layout.editPanel);
    m_transparencyPanel->setGeometry(layout.transparencyPanel);
    m_layerPanel->setGeometry(layout.layerPanel);

    // The edit panel stacks its parts on the tall page and lines them up on
    // the wide one.
    delete m_editPanel->layout();
    auto *sizes = m_widthPixels->parentWidget();
    if (layout.editPanelAcross) {
        auto *row = new QHBoxLayout(m_editPanel);
        row->setContentsMargins(8, 10, 8, 4);
        row->setSpacing(10);
        m_editPreview->setFixedSize(200, 80);
        row->addWidget(m_editPreview);
        row->addWidget(sizes, 0, Qt::AlignVCenter);
        row->addStretch(1);
        row->addWidget(m_quickButtons, 0, Qt::AlignVCenter);
    } else {
        auto *column = new QVBoxLayout(m_editPanel);
        column->setContentsMargins(8, 14, 8, 8);
        column->setSpacing(6);
        m_editPreview->setFixedSize(214, 214);
        column->addWidget(m_editPreview, 0, Qt::AlignHCenter);
        column->addWidget(sizes);
        column->addStretch(1);
        column->addWidget(m_quickButtons, 0, Qt::AlignHCenter);
    }
    delete m_quickButtons->layout();
    auto *quick = new QGridLayout(m_quickButtons);
    quick->setContentsMargins(0, 0, 0, 0);
    quick->setSpacing(4);
    for (int i = 0; i < kQuickButtonCount; ++i)
        quick->addWidget(m_quickButtonList[i], i / layout.quickColumns, i % layout.quickColumns);

    // The wide page's narrow list has room for the pictures alone.
    const bool captions = layout.layerPanel.width() >= 200;
    for (QToolButton *button : {m_layerUp, m_layerDown}) {
        const bool picture = !button->icon().isNull();
        button->setToolButtonStyle(picture && captions ? Qt::ToolButtonTextBesideIcon
                                       : picture       ? Qt::ToolButtonIconOnly
                                                       : Qt::ToolButtonTextOnly);
    }
    // Laid out now, not when the event loop next runs: the window may be
    // drawn before that.
    for (QWidget *panel : {m_editPanel, m_layerPanel, m_quickButtons})
        panel->layout()->activate();

    m_progressPanel->move((layout.size.width() - m_progressPanel->width()) / 2,
                          (layout.size.height() - m_progressPanel->height()) / 2);
    adjustSize();
    setFixedSize(sizeHint());
}

void PanelWindow::ShowForModel(int modelIndex)
{
    SetUpForModel(modelIndex);
    show();
}

void PanelWindow::SetUpForModel(int modelIndex)
{
    const KitModel &model = KitModelAt(modelIndex);
    const WindowLayout &layout = WindowLayoutFor(model.group);

    QPalette palette = m_central->palette();
    const QPixmap back(m_paths.ProgramFile(WindowBackground(model)));
    palette.setBrush(QPalette::Window, back.isNull() ? QBrush(QColor(0xdd, 0xea, 0xf6)) : QBrush(back));
    m_central->setPalette(palette);

    const QPixmap frame(m_paths.ProgramFile(PanelFramePicture(model)));
    m_frame->setPixmap(frame);
    m_frame->setGeometry(QRect(QPoint(0, 0), layout.page.size()));
    m_canvas->setGeometry(model.canvas);
    m_canvas->SetScale(DisplayScaleX(model), DisplayScaleY(model));
    m_preview->SetFrame(frame, model.canvas);

    ApplyLayout(layout);

    m_canvas->SetDocument(nullptr);  // it must not draw the old document while it goes
    // The earlier panel goes with its document, and so does its copy.
    m_recovery->Remove();
    m_panelFile.clear();
    m_document = std::make_unique<PanelDocument>(model, m_paths);
    // The preview and product pages show the whole panel: every change of the
    // document, whatever command made it, is shown on them at once, and is
    // kept in the recovery copy within a second.
    m_document->SetChangeListener([this] {
        UpdatePages();
        m_recovery->NoteChange();
    });
    m_canvas->SetDocument(m_document.get());
    ShowPage(Page::Design);
    RefreshAll();
}

void PanelWindow::ShowPage(Page page)
{
    m_page = page;
    for (int i = 0; i < 3; ++i) {
        const bool active = i == int(page);
        const QPixmap picture(m_paths.ProgramFile(
            QStringLiteral("Img/Button/TabButton%1%2.jpg").arg(i + 1).arg(active ? QStringLiteral("-1") : QString())));
        if (!picture.isNull()) {
            m_tabButtons[i]->setIcon(picture);
            m_tabButtons[i]->setIconSize(picture.size());
        }
        // Without pictures the active page's button is told by its text weight.
        QFont font = m_tabButtons[i]->font();
        font.setBold(active);
        m_tabButtons[i]->setFont(font);
    }
    // Shown first: the product page's scroll range follows its picture only
    // while it is visible.
    m_pages->setCurrentIndex(int(page));
    UpdatePages();
    if (page == Page::Product)
        CentreProductPage();
}

void PanelWindow::UpdatePages()
{
    const KitModel &model = m_document->Model();
    if (m_page == Page::Preview) {
        m_preview->ShowPanel(m_document->Flatten(true), m_canvas->ShownSize(model.panelSize));
    } else if (m_page == Page::Product) {
        const QImage photo = ReadPanelPicture(m_paths.ProgramFile(ProductPhoto(model))).value_or(QImage());
        const QImage sheet = ProductPageImage(model, m_document->Flatten(false), photo);
        m_product->setPixmap(QPixmap::fromImage(sheet));
        m_product->adjustSize();
    }
}

// The sheet is shown at full size: the page opens with the panel in the
// middle, and keeps where the pupil scrolled to while the panel changes.
void PanelWindow::CentreProductPage()
{
    const KitModel &model = m_document->Model();
    const QPoint middle = model.productPosition
        + QPoint(int(model.panelSize.width() * model.productScale / 2),
                 int(model.panelSize.height() * model.productScale / 2));
    const QSize view = m_productArea->viewport()->size();
    m_productArea->horizontalScrollBar()->setValue(middle.x() - view.width() / 2);
    m_productArea->verticalScrollBar()->setValue(middle.y() - view.height() / 2);
}

void PanelWindow::RefreshAll()
{
    RefreshLayerList();
    ShowSelection();
    m_canvas->update();
}

void PanelWindow::RefreshLayerList()
{
    const QSignalBlocker blocker(m_layerList);
    m_layerList->clear();
    m_layerList->addItems(m_document->LayerListTexts());
}

void PanelWindow::SelectListRow(int row)
{
    const QSignalBlocker blocker(m_layerList);
    m_layerList->setCurrentRow(row);
    if (row < 0)
        m_layerList->clearSelection();
}

void PanelWindow::ShowSelection()
{
    const int selected = m_document->Selected();
    if (selected == kNoSelection) {
        ClearEditPreview();
        SelectListRow(-1);
        m_canvas->update();
        return;
    }
    if (selected == kBackgroundLayer) {
        m_editPreview->ShowImage(m_document->Background(), false, {});
        ShowSizes(m_document->Background().size());
        m_quickButtons->hide();
        ShowNoTransparency();
    } else {
        const PanelLayer &layer = m_document->Layer(selected);
        m_editPreview->ShowImage(layer.image, layer.transparent, layer.transparentColour);
        ShowSizes(layer.image.size());
        m_transparent->setChecked(layer.transparent);
        m_transparentColour->SetColour(layer.transparentColour);
        m_quickButtons->show();
        const LayerKind kind = m_document->KindOf(selected);
        m_transparencyPanel->setEnabled(kind == LayerKind::Photo || kind == LayerKind::Text);
    }
    SelectListRow(m_document->ListRowOfLayer(selected));
    m_canvas->update();
}

void PanelWindow::ClearEditPreview()
{
    m_editPreview->Clear();
    for (QLabel *label : {m_widthPixels, m_heightPixels, m_widthCentimetres, m_heightCentimetres})
        label->clear();
    m_quickButtons->hide();
    ShowNoTransparency();
}

void PanelWindow::ShowNoTransparency()
{
    m_transparent->setChecked(false);
    m_transparentColour->SetColour(Qt::white);
    m_transparencyPanel->setEnabled(false);
}

void PanelWindow::ShowSizes(QSize size)
{
    m_widthPixels->setText(QString::number(size.width()));
    m_heightPixels->setText(QString::number(size.height()));
    m_widthCentimetres->setText(Centimetres(size.width()));
    m_heightCentimetres->setText(Centimetres(size.height()));
}

void PanelWindow::closeEvent(QCloseEvent *event)
{
    if (!m_dialogs.AskYesNo(this, kCloseQuestion)) {
        event->ignore();
        return;
    }
    event->accept();
    // The pupil chose to let the panel go.
    m_recovery->Remove();
    emit Closed();
}

}  // namespace kq::panel
