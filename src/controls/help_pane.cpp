#include "controls/help_pane.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kq {

HelpPane MakeHelpPane(QWidget *parent)
{
    auto *pane = new QWidget(parent);
    pane->setObjectName(QStringLiteral("HelpPane"));
    auto *layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    const auto button = [pane, buttons](const QString &name, const QString &text) {
        auto *b = new QPushButton(text, pane);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *back = button(QStringLiteral("BackButton"), QStringLiteral("戻る"));
    QPushButton *forward = button(QStringLiteral("ForwardButton"), QStringLiteral("進む"));
    QPushButton *top = button(QStringLiteral("TopButton"), QStringLiteral("トップページ"));
    buttons->addStretch(1);
    layout->addLayout(buttons);
    auto *browser = new QTextBrowser(pane);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    browser->setOpenLinks(true);
    layout->addWidget(browser, 1);
    // Moving past either end of the history does nothing, as it should.
    QObject::connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    QObject::connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    return {pane, browser, top};
}

}  // namespace kq
